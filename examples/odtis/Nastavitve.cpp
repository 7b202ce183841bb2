#include "Nastavitve.h"
#include <ctype.h>
#include <stdarg.h>
#include <string.h>
#include <windows.h>
#include <zrno/system.h>

namespace {

char const *ImeTipa(T_REGTIP tip) {
    static char const *const imena[] = {"REG_NONE",   "REG_SZ",      "REG_EXPAND_SZ",
                                        "REG_BINARY", "REG_DWORD",   "REG_DWORD_BIG_ENDIAN",
                                        "REG_LINK",   "REG_MULTI_SZ"};
    return static_cast<unsigned int>(tip) < 8 ? imena[tip] : "another type";
}

/// Reads the key's values one by one; the first that is wrong stops the reading with its reason.
class Bralnik {
  public:
    Bralnik(RRegister &kljuc, char const *pot, RNizA &napaka)
        : m_kljuc(kljuc), m_pot(pot), m_napaka(napaka) {}

    /// A REG_DWORD from najmanj to najvec; a missing one keeps the default.
    void Stevilo(char const *ime, unsigned long najmanj, unsigned long najvec, unsigned long &vrednost) {
        unsigned long prebrano = 0;
        const int r = m_rezultat < 0 ? 0 : m_kljuc.Preberi(ime, prebrano);
        if (m_rezultat < 0 || r == Zrno::NAP_NIDATOTEKE)
            return;
        // The library converts a text holding a number (result 4): a setting must be stored as one.
        if (r != 0 && Tip(ime, "REG_DWORD"))
            return;
        if (prebrano < najmanj || prebrano > najvec)
            return Zavrni(Zrno::NAP_PARAMETER, "%s is %lu, outside %lu to %lu", ime, prebrano, najmanj,
                          najvec);
        vrednost = prebrano;
    }

    /// A text (REG_SZ, or REG_EXPAND_SZ when razsirjeno, which comes back expanded); a missing one keeps
    /// the default. dolzina: 2 for two letters, or 0 for any text but an empty one.
    void Besedilo(char const *ime, bool razsirjeno, unsigned int dolzina, RNizA &besedilo) {
        const T_REGTIP tip = m_rezultat < 0 ? REGT_NIZ : m_kljuc.VrniTip(ime);
        RNizA prebrano;
        const int r = m_rezultat < 0 ? 0 : m_kljuc.Preberi(ime, prebrano);
        if (m_rezultat < 0 || r == Zrno::NAP_NIDATOTEKE)
            return;
        if ((r != 0 || (tip != REGT_NIZ && !(razsirjeno && tip == REGT_RAZNIZ))) &&
            Tip(ime, razsirjeno ? "REG_SZ or REG_EXPAND_SZ" : "REG_SZ"))
            return;
        char const *t = prebrano;
        if (dolzina ? prebrano.VrniDolzino() != dolzina || !isalpha(static_cast<unsigned char>(t[0])) ||
                          !isalpha(static_cast<unsigned char>(t[1]))
                    : prebrano.JePrazen())
            return Zavrni(Zrno::NAP_PARAMETER, "%s is \"%s\", not %s", ime,
                          static_cast<char const *>(prebrano),
                          dolzina == 2 ? "two letters" : "a non-empty text");
        besedilo = prebrano;
    }

    int Rezultat() const { return m_rezultat; }

  private:
    bool Tip(char const *ime, char const *zeljen) {
        const T_REGTIP tip = m_kljuc.VrniTip(ime);
        Zavrni(Zrno::NAP_TIPVREDNOSTI, "%s must be %s, not %s", ime, zeljen, ImeTipa(tip));
        return true;
    }
    void Zavrni(int koda, char const *oblika, ...) {
        va_list argumenti;
        va_start(argumenti, oblika);
        RNizA zakaj;
        zakaj.OblikujP(oblika, reinterpret_cast<char *>(argumenti));
        va_end(argumenti);
        m_napaka.Oblikuj("setting %s in HKLM\\%s", static_cast<char const *>(zakaj), m_pot);
        m_rezultat = koda;
    }

    RRegister &m_kljuc;
    char const *m_pot;
    RNizA &m_napaka;
    int m_rezultat = 0;
};

} // namespace

int Nastavitve::Preberi(char const *ime) {
    RNizA pot;
    pot.Oblikuj("SYSTEM\\CurrentControlSet\\Services\\%s\\Parameters", ime);
    RRegister kljuc;
    int r = kljuc.Odpri(HKEY_LOCAL_MACHINE, pot, KEY_READ);
    if (r < 0) {
        DopolniPrivzete();
        if (r == Zrno::NAP_NIDATOTEKE || r == Zrno::NAP_ODPIRANJE)
            return 1;
        Napaka.Oblikuj("the settings key HKLM\\%s cannot be read (0x%08x)", static_cast<char const *>(pot),
                       r);
        return r;
    }
    Bralnik bralnik(kljuc, pot, Napaka);
    bralnik.Stevilo("Port", 0, 65535, Vrata);
    bralnik.Besedilo("LogFile", true, 0, Dnevnik);
    bralnik.Besedilo("Language", false, 2, Jezik);
    bralnik.Stevilo("MaxRequest", 0, 0xFFFFFFFFul, Omejitev);
    bralnik.Stevilo("Threads", 1, 1024, Niti);
    bralnik.Stevilo("IdleTimeout", 1, 3600, Nedejavnost);
    kljuc.Zapri();
    DopolniPrivzete();
    return bralnik.Rezultat();
}

void Nastavitve::DopolniPrivzete() {
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
