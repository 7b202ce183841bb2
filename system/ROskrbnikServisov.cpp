// The connection to a service control manager and its name look-ups.
#include "system/ScmRocica.h"
#include <string.h>
#include <zrno/system/ROskrbnikServisov.h>

using namespace Zrno;
using namespace Zrno::Notranje;

namespace {

using Poizvedba = BOOL(WINAPI *)(SC_HANDLE, LPCSTR, LPSTR, LPDWORD);

// Both look-ups answer a size query (no buffer) with ERROR_INSUFFICIENT_BUFFER and the length without
// the terminator. The ANSI forms may ask for more than the text needs (Wine reports the UTF-16 size
// in bytes), so the text's length is taken from the terminator.
int Poisci(Poizvedba poizvedba, SC_HANDLE oskrbnik, char const *kljuc, RNizA &izhod) {
    char prazen[1];
    DWORD velikost = 0;
    if (!poizvedba(oskrbnik, kljuc, prazen, &velikost)) {
        DWORD napaka = GetLastError();
        if (napaka != ERROR_INSUFFICIENT_BUFFER) {
            izhod.Sprazni();
            return PretvoriNapako(napaka, NAP_IMESERVISA);
        }
    }
    char *medpomnilnik = izhod.Odpusti(velikost, false);
    if (!medpomnilnik) {
        izhod.Sprazni();
        return NAP_POMNILNIK;
    }
    DWORD prostor = velikost + 1;
    if (!poizvedba(oskrbnik, kljuc, medpomnilnik, &prostor)) {
        int r = PretvoriNapako(GetLastError(), NAP_IMESERVISA);
        izhod.Sprazni();
        return r;
    }
    izhod.Skrajsaj(static_cast<unsigned int>(strnlen(medpomnilnik, velikost)));
    return OK;
}

} // namespace

ROskrbnikServisov::~ROskrbnikServisov() {}

int ROskrbnikServisov::Odpri(char const *racunalnik, char const *baza, unsigned int dostop) {
    m_rocica = OpenSCManagerA(racunalnik, baza, dostop);
    return Izid(m_rocica != nullptr, NAP_ODPRIUPRAVLJALNIK);
}

int ROskrbnikServisov::Zapri() { return Lastnina<RocicaScm>::Zapri(m_rocica, this); }

int ROskrbnikServisov::VrniIme(char const *prikaznoIme, RNizA &ime) {
    return Poisci(GetServiceKeyNameA, ScmRocica(m_rocica), prikaznoIme, ime);
}

int ROskrbnikServisov::VrniDolgoIme(char const *ime, RNizA &prikaznoIme) {
    return Poisci(GetServiceDisplayNameA, ScmRocica(m_rocica), ime, prikaznoIme);
}
