#include "Nastavitve.h"
#include <ctype.h>
#include <stdarg.h>
#include <stdio.h>
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

    /// Two letters (REG_SZ); a missing value keeps the default.
    void Crki(char const *ime, RNizA &besedilo) {
        const T_REGTIP tip = m_rezultat < 0 ? REGT_NIZ : m_kljuc.VrniTip(ime);
        RNizA prebrano;
        const int r = m_rezultat < 0 ? 0 : m_kljuc.Preberi(ime, prebrano);
        if (m_rezultat < 0 || r == Zrno::NAP_NIDATOTEKE)
            return;
        if ((r != 0 || tip != REGT_NIZ) && Tip(ime, "REG_SZ"))
            return;
        char const *t = prebrano;
        if (prebrano.VrniDolzino() != 2 || !isalpha(static_cast<unsigned char>(t[0])) ||
            !isalpha(static_cast<unsigned char>(t[1])))
            return Zavrni(Zrno::NAP_PARAMETER, "%s is \"%s\", not two letters", ime,
                          static_cast<char const *>(prebrano));
        besedilo = prebrano;
    }

    /// A file name (REG_SZ, or REG_EXPAND_SZ expanded), not empty, read through the UTF-16 call: the
    /// ANSI one turns a character outside the code page into a look-alike or a question mark, which
    /// names another file or none. A missing value keeps the default.
    void Ime(char const *ime, wchar_t const *imeU, RNizU &besedilo) {
        constexpr DWORD k_najvec = 32767; // the longest path the system takes
        wchar_t vrednost[k_najvec + 1], razsirjeno[k_najvec + 1];
        DWORD tip = 0, velikost = sizeof vrednost - sizeof vrednost[0];
        const LONG e = m_rezultat < 0 ? ERROR_FILE_NOT_FOUND
                                      : RegQueryValueExW(m_kljuc, imeU, nullptr, &tip,
                                                         reinterpret_cast<BYTE *>(vrednost), &velikost);
        if (e == ERROR_FILE_NOT_FOUND)
            return;
        if ((e == ERROR_SUCCESS || e == ERROR_MORE_DATA) && tip != REG_SZ && tip != REG_EXPAND_SZ)
            return void(Tip(ime, "REG_SZ or REG_EXPAND_SZ"));
        if (e != ERROR_SUCCESS)
            return e == ERROR_MORE_DATA
                       ? Zavrni(Zrno::NAP_PARAMETER, "%s is longer than a path can be", ime)
                       : Zavrni(PretvoriNapako(static_cast<unsigned int>(e), Zrno::NAP_BRANJE),
                                "%s cannot be read (system error %ld)", ime, e);
        vrednost[velikost / sizeof vrednost[0]] = 0; // a value stored without its zero
        const DWORD n =
            tip == REG_EXPAND_SZ ? ExpandEnvironmentStringsW(vrednost, razsirjeno, k_najvec + 1) : 1;
        if (n == 0 || n > k_najvec + 1)
            return Zavrni(Zrno::NAP_PARAMETER, "%s is longer than a path can be once expanded", ime);
        wchar_t const *pot = tip == REG_EXPAND_SZ ? razsirjeno : vrednost;
        if (!*pot)
            return Zavrni(Zrno::NAP_PARAMETER, "%s is \"\", not a non-empty text", ime);
        besedilo = reinterpret_cast<unsigned short const *>(pot);
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
    bralnik.Ime("LogFile", L"LogFile", Dnevnik);
    bralnik.Crki("Language", Jezik);
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
    // In UTF-16, so that a folder whose name is outside the code page is still found.
    wchar_t pot[32768];
    const DWORD n = GetModuleFileNameW(nullptr, pot, sizeof pot / sizeof pot[0]);
    if (n == 0 || n == sizeof pot / sizeof pot[0])
        return;
    wchar_t *ime = wcsrchr(pot, L'\\');
    lstrcpyW(ime ? ime + 1 : pot, L"odtis.log");
    Dnevnik = reinterpret_cast<unsigned short const *>(pot);
}

void ImeZaSporocilo(unsigned short const *ime, RNizA &besedilo) {
    besedilo = "";
    for (; ime && *ime; ++ime) {
        const wchar_t znak = static_cast<wchar_t>(*ime);
        char bajt[8];
        BOOL izgubljen = FALSE;
        if (znak < 0x80)
            besedilo += static_cast<char>(znak);
        else if (WideCharToMultiByte(1250, WC_NO_BEST_FIT_CHARS, &znak, 1, bajt, sizeof bajt, nullptr,
                                     &izgubljen) == 1 &&
                 !izgubljen)
            besedilo += bajt[0];
        else {
            snprintf(bajt, sizeof bajt, "<U+%04X>", static_cast<unsigned int>(znak));
            besedilo += bajt;
        }
    }
}
