// Code-page conversions of single characters and counted texts.
#include "strings/Pretvorba.h"

namespace Zrno::Notranje {

namespace {
// The system counts room in an int: more than it can say is as good as all it can use.
inline int Prostor(unsigned int prostor) {
    return prostor > 0x7FFFFFFFu ? 0x7FFFFFFF : static_cast<int>(prostor);
}
} // namespace

int Pretvori(unsigned short const *vir, unsigned int n, char *cilj, unsigned int prostor, T_KODNASTRAN kn) {
    return WideCharToMultiByte(kn, 0, reinterpret_cast<wchar_t const *>(vir), static_cast<int>(n), cilj,
                               Prostor(prostor), nullptr, nullptr);
}

int Pretvori(char const *vir, unsigned int n, unsigned short *cilj, unsigned int prostor, T_KODNASTRAN kn) {
    return MultiByteToWideChar(kn, ZastaviceMB(kn), vir, static_cast<int>(n),
                               reinterpret_cast<wchar_t *>(cilj), Prostor(prostor));
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

// The pages the library names are answered without asking. UTF-8 takes three bytes for a unit of the
// basic plane or for a lone surrogate (its replacement character), four for a pair; UTF-7 at most five
// for a unit on its own ("+AAA-").
unsigned int BajtovNaEnoto(T_KODNASTRAN kn) {
    switch (kn) {
    case KN_CP1250:
    case KN_CP1251:
    case KN_CP1252: return 1;
    case KN_UTF8: return 3;
    case KN_UTF7: return 5;
    default: break;
    }
    CPINFO podatki;
    return GetCPInfo(kn, &podatki) && podatki.MaxCharSize > 1 ? podatki.MaxCharSize : 1;
}

// A short buffer makes the system fail without saying how much fitted, so the longest prefix that fits
// is found by halving with its length query (the need grows with the prefix).
unsigned int PretvoriKarGre(unsigned short const *vir, unsigned int n, char *cilj, unsigned int prostor,
                            T_KODNASTRAN kn) {
    int vse = Pretvori(vir, n, nullptr, 0, kn);
    unsigned int m = n;
    if (vse <= 0)
        return 0;
    if (static_cast<unsigned int>(vse) > prostor) {
        unsigned int gre = 0, ne = n;
        while (ne - gre > 1) {
            unsigned int sredina = gre + (ne - gre) / 2;
            int r = Pretvori(vir, sredina, nullptr, 0, kn);
            if (r > 0 && static_cast<unsigned int>(r) <= prostor)
                gre = sredina;
            else
                ne = sredina;
        }
        m = gre;
        if (m && (vir[m - 1] & 0xFC00) == 0xD800 && (vir[m] & 0xFC00) == 0xDC00)
            --m;
    }
    int r = m ? Pretvori(vir, m, cilj, prostor, kn) : 0;
    return r > 0 ? static_cast<unsigned int>(r) : 0;
}

} // namespace Zrno::Notranje
