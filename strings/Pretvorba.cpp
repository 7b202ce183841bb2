// Code-page conversions of single characters and counted texts.
#include "strings/Pretvorba.h"

namespace Zrno::Notranje {

int Pretvori(unsigned short const *vir, unsigned int n, char *cilj, unsigned int prostor, T_KODNASTRAN kn) {
    wchar_t const *w = reinterpret_cast<wchar_t const *>(vir);
    int r =
        WideCharToMultiByte(kn, 0, w, static_cast<int>(n), cilj, static_cast<int>(prostor), nullptr, nullptr);
    if (r == 0 && GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
        int potrebno = WideCharToMultiByte(kn, 0, w, static_cast<int>(n), nullptr, 0, nullptr, nullptr);
        return potrebno > 0 ? -potrebno : 0;
    }
    return r;
}

int Pretvori(char const *vir, unsigned int n, unsigned short *cilj, unsigned int prostor, T_KODNASTRAN kn) {
    // A multi-byte page never yields more units than bytes, so the room of n units always suffices.
    return MultiByteToWideChar(kn, ZastaviceMB(kn), vir, static_cast<int>(n),
                               reinterpret_cast<wchar_t *>(cilj), static_cast<int>(prostor));
}

char PretvoriZnak(unsigned short c, T_KODNASTRAN kn) {
    char b;
    wchar_t w = c;
    return WideCharToMultiByte(kn, 0, &w, 1, &b, 1, nullptr, nullptr) == 1 ? b : 0;
}

unsigned short PretvoriZnak(char c, T_KODNASTRAN kn) {
    wchar_t w;
    return MultiByteToWideChar(kn, ZastaviceMB(kn), &c, 1, &w, 1) == 1 ? w : 0;
}

} // namespace Zrno::Notranje
