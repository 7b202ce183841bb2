// RRegister: the converting reads (a number, a text, a list) and the read into a stream. Each asks the
// value's type and size first and then reads it in its own form.
#include "frame/scoped.h"
#include "system/RRegisterNotranje.h"
#include <limits.h>
#include <stdio.h>
#include <string.h>
#include <zrno/streams.h>
#include <zrno/strings.h>
#include <zrno/system/RRegister.h>

using namespace Zrno;
using Zrno::Notranje::Kljuc;
using Zrno::Notranje::ScopedBlock;

namespace {

/// A read that found the value grown since its size was asked (ERROR_MORE_DATA); never leaves this file.
constexpr int k_vecPodatkov = INT_MIN;

int NapakaBranja(LONG e) { return e == ERROR_MORE_DATA ? k_vecPodatkov : PretvoriNapako(e, NAP_BRANJE); }

/// The value's type and size; a missing value gives NAP_NIDATOTEKE.
int Poizvedi(HKEY k, char const *ime, DWORD &tip, DWORD &velikost) {
    return PretvoriNapako(RegQueryValueExA(k, ime, nullptr, &tip, nullptr, &velikost), NAP_NIDATOTEKE);
}

/// Asks the type and size, then reads with beri(k, tip, velikost). A value rewritten in between may
/// have grown: as the system's own callers do, it is asked and read again, a bounded number of times
/// so that a writer that never stops cannot hold the reader for ever.
template <class F> int Ponovi(HKEY k, char const *ime, F beri) {
    for (int poskus = 0;; ++poskus) {
        DWORD tip, velikost;
        int r = Poizvedi(k, ime, tip, velikost);
        if (r >= 0)
            r = beri(k, tip, velikost);
        if (r != k_vecPodatkov)
            return r;
        if (poskus == 63)
            return NAP_BRANJE;
    }
}

/// Reads the value into a fresh block of the private heap with one byte more than its size, so that a
/// text stored without its zero can be terminated. n receives the bytes read.
int Preberi(HKEY k, char const *ime, DWORD velikost, ScopedBlock &blok, DWORD &n) {
    blok.reset(RezervirajPomnilnik(nullptr, velikost + 1));
    if (!blok)
        return NAP_POMNILNIK;
    n = velikost;
    return NapakaBranja(RegQueryValueExA(k, ime, nullptr, nullptr, static_cast<BYTE *>(blok.get()), &n));
}

int BeriStevilo(HKEY k, char const *ime, DWORD tip, unsigned long &vrednost) {
    unsigned char b[4];
    DWORD n = sizeof b;
    LONG e = RegQueryValueExA(k, ime, nullptr, nullptr, b, &n);
    if (e != ERROR_SUCCESS)
        return NapakaBranja(e);
    if (n != sizeof b)
        return NAP_BRANJE;
    vrednost = tip == REG_DWORD_BIG_ENDIAN
                   ? (unsigned long)b[0] << 24 | (unsigned long)b[1] << 16 | (unsigned long)b[2] << 8 | b[3]
                   : (unsigned long)b[3] << 24 | (unsigned long)b[2] << 16 | (unsigned long)b[1] << 8 | b[0];
    return OK;
}

// A string the heap would not grow keeps only what fitted: a text cut short is no value read.
int Celo(RNizA &besedilo, char const *s, unsigned int n, int izid) {
    return besedilo.Nastavi(s, n) == n ? izid : NAP_POMNILNIK;
}

/// %NAME% references expanded into a buffer of the raw size + 4096 bytes, grown to what the system
/// asks for until the expansion fits.
int Razsiri(char const *surovo, DWORD velikost, RNizA &besedilo) {
    DWORD prostor = velikost + 4096;
    ScopedBlock blok(RezervirajPomnilnik(nullptr, prostor));
    if (!blok)
        return NAP_POMNILNIK;
    for (;;) {
        DWORD n = ExpandEnvironmentStringsA(surovo, static_cast<char *>(blok.get()), prostor);
        if (n == 0)
            return PretvoriNapako(GetLastError(), NAP_BRANJE);
        // The narrow form may want one byte beyond the count it reports, so an answer that exactly
        // fills the buffer is taken as a cut one.
        if (n < prostor)
            break;
        void *vecji = RezervirajPomnilnik(blok.get(), n + 1);
        if (!vecji)
            return NAP_POMNILNIK;
        blok.release();
        blok.reset(vecji);
        prostor = n + 1;
    }
    char const *const s = static_cast<char const *>(blok.get());
    return Celo(besedilo, s, static_cast<unsigned int>(strlen(s)), OK);
}

/// The text read of every type that has one; the string is untouched unless the value was read.
int BeriBesedilo(HKEY k, char const *ime, DWORD tip, DWORD velikost, RNizA &besedilo) {
    switch (tip) {
    case REG_SZ:
    case REG_MULTI_SZ: {
        char *p = besedilo.Odpusti(velikost, false);
        if (!p)
            return NAP_POMNILNIK;
        DWORD n = velikost;
        LONG e = RegQueryValueExA(k, ime, nullptr, nullptr, reinterpret_cast<BYTE *>(p), &n);
        if (e != ERROR_SUCCESS) {
            besedilo.Skrajsaj(0);
            return NapakaBranja(e);
        }
        unsigned int d = 0; // up to the first zero: a list gives its first text
        while (d < n && p[d])
            ++d;
        besedilo.Skrajsaj(d);
        return tip == REG_SZ ? OK : OK_PRETVORJENO;
    }
    case REG_EXPAND_SZ: {
        ScopedBlock surovo;
        DWORD n;
        int r = Preberi(k, ime, velikost, surovo, n);
        if (r < 0)
            return r;
        static_cast<char *>(surovo.get())[n] = 0;
        return Razsiri(static_cast<char const *>(surovo.get()), n, besedilo);
    }
    case REG_DWORD: {
        unsigned long v = 0;
        int r = BeriStevilo(k, ime, tip, v);
        if (r < 0)
            return r;
        char stevke[11]; // 4294967295 at most
        const int n = _snprintf(stevke, sizeof stevke, "%lu", v);
        return Celo(besedilo, stevke, static_cast<unsigned int>(n), OK_PRETVORJENO);
    }
    default: return NAP_TIPVREDNOSTI;
    }
}

/// Decimal text as the runtime's atol reads it: white space, a sign, digits; wraps instead of clamping.
unsigned long IzBesedila(char const *s) {
    while (*s == ' ' || (*s >= '\t' && *s <= '\r'))
        ++s;
    bool minus = *s == '-';
    if (*s == '-' || *s == '+')
        ++s;
    unsigned long v = 0;
    for (; *s >= '0' && *s <= '9'; ++s)
        v = v * 10 + static_cast<unsigned long>(*s - '0');
    return minus ? 0ul - v : v;
}

int Stevilo(HKEY k, char const *ime, DWORD tip, DWORD velikost, unsigned long &vrednost) {
    switch (tip) {
    case REG_DWORD:
    case REG_DWORD_BIG_ENDIAN: return BeriStevilo(k, ime, tip, vrednost);
    case REG_SZ:
    case REG_EXPAND_SZ:
    case REG_MULTI_SZ: {
        RNizA besedilo;
        int r = BeriBesedilo(k, ime, tip, velikost, besedilo);
        if (r < 0)
            return r;
        vrednost = IzBesedila(besedilo);
        return OK_PRETVORJENO;
    }
    default: return NAP_TIPVREDNOSTI;
    }
}

int VTok(HKEY k, char const *ime, DWORD t, DWORD velikost, T_REGTIP *tip, RTokPodatkov &tok) {
    ScopedBlock blok;
    DWORD n;
    int r = Preberi(k, ime, velikost, blok, n);
    if (r < 0)
        return r;
    tok.Zapisi(blok.get(), n);
    if (tip)
        *tip = static_cast<T_REGTIP>(t);
    return tok.VrniStanje();
}

} // namespace

int RRegister::Preberi(char const *ime, unsigned long &vrednost) {
    return Ponovi(Kljuc(m_rocica), ime, [&](HKEY k, DWORD tip, DWORD velikost) {
        return Stevilo(k, ime, tip, velikost, vrednost);
    });
}

int RRegister::Preberi(char const *ime, RNizA &besedilo) {
    return Ponovi(Kljuc(m_rocica), ime, [&](HKEY k, DWORD tip, DWORD velikost) {
        return BeriBesedilo(k, ime, tip, velikost, besedilo);
    });
}

int RRegister::Preberi(char const *ime, RDinTabela<char> &seznam) {
    // In the member's own body: the list's storage is read straight into, as its friend.
    return Ponovi(Kljuc(m_rocica), ime, [&](HKEY k, DWORD tip, DWORD velikost) {
        if (tip != REG_MULTI_SZ && tip != REG_SZ) {
            RNizA besedilo;
            int r = BeriBesedilo(k, ime, tip, velikost, besedilo);
            if (r < 0)
                return r;
            if (seznam.Nastavi(besedilo, besedilo.VrniDolzino() + 1) < 0 || seznam.Dodaj(0) < 0)
                return NAP_POMNILNIK;
            return OK_PRETVORJENO;
        }
        if (velikost > seznam.m_kapaciteta && seznam.Rezerviraj(velikost, false) < 0)
            return NAP_POMNILNIK;
        DWORD n = seznam.m_kapaciteta;
        LONG e = RegQueryValueExA(k, ime, nullptr, nullptr, reinterpret_cast<BYTE *>(seznam.m_podatki), &n);
        if (e != ERROR_SUCCESS)
            return NapakaBranja(e);
        // The table ends up exactly as large as the value (shrinking cannot fail in a way that matters: the
        // larger block then simply stays).
        seznam.m_stevilo = n;
        seznam.Rezerviraj(n, true);
        if (tip == REG_MULTI_SZ)
            return OK;
        return seznam.Dodaj(0) < 0 ? NAP_POMNILNIK : OK_PRETVORJENO;
    });
}

int RRegister::Preberi(char const *ime, T_REGTIP *tip, RTokPodatkov &tok) {
    return Ponovi(Kljuc(m_rocica), ime,
                  [&](HKEY k, DWORD t, DWORD velikost) { return VTok(k, ime, t, velikost, tip, tok); });
}
