#include "Nastavitve.h"
#include <initializer_list>
#include <string.h>
#include <windows.h>
#include <zrno/system.h>

namespace {

// A number that is present must be a number (or text holding one); a missing one keeps the default.
int PreberiStevilo(RRegister &kljuc, char const *ime, unsigned long &vrednost) {
    unsigned long prebrano;
    int r = kljuc.Preberi(ime, prebrano);
    if (r == Zrno::NAP_NIDATOTEKE)
        return 0;
    if (r >= 0)
        vrednost = prebrano;
    return r < 0 ? r : 0;
}

int PreberiBesedilo(RRegister &kljuc, char const *ime, RNizA &besedilo) {
    int r = kljuc.Preberi(ime, besedilo);
    return r == Zrno::NAP_NIDATOTEKE || r >= 0 ? 0 : r;
}

} // namespace

int Nastavitve::Preberi(char const *ime) {
    RNizA pot;
    pot.Oblikuj("SYSTEM\\CurrentControlSet\\Services\\%s\\Parameters", ime);
    RRegister kljuc;
    int r = kljuc.Odpri(HKEY_LOCAL_MACHINE, pot, KEY_READ);
    if (r < 0) {
        DopolniPrivzete();
        return r == Zrno::NAP_NIDATOTEKE || r == Zrno::NAP_ODPIRANJE ? 1 : r;
    }
    int napaka = 0;
    for (int v : {PreberiStevilo(kljuc, "Port", Vrata), PreberiBesedilo(kljuc, "LogFile", Dnevnik),
                  PreberiBesedilo(kljuc, "Language", Jezik), PreberiStevilo(kljuc, "MaxRequest", Omejitev),
                  PreberiStevilo(kljuc, "Threads", Niti)})
        if (v < 0 && !napaka)
            napaka = v;
    kljuc.Zapri();
    DopolniPrivzete();
    return napaka;
}

void Nastavitve::DopolniPrivzete() {
    if (Niti == 0)
        Niti = 1;
    if (!Dnevnik.JePrazen())
        return;
    char pot[MAX_PATH];
    unsigned int velikost = sizeof pot;
    if (Zrno::VrniPotModula(nullptr, pot, &velikost) < 0)
        return;
    char const *ime = strrchr(pot, '\\');
    Dnevnik.Nastavi(pot, ime ? static_cast<unsigned int>(ime - pot) + 1 : 0);
    Dnevnik.Prilepi("odtis.log");
}
