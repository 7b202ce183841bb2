// Conversion between 8-bit code-page text and UTF-16 through the system (MultiByteToWideChar,
// WideCharToMultiByte), shared by RNizA and RNizU. With single-byte code pages n characters become
// exactly n. Code pages that need more than one byte for some characters (UTF-8, UTF-7, double-byte
// pages) are sized by the system's own length query: the whole text converts, or, when the heap refuses
// the room, the string stays as it was.
#ifndef ZRNO_NOTRANJE_STRINGS_PRETVORBA_H
#define ZRNO_NOTRANJE_STRINGS_PRETVORBA_H

#include "frame/win.h"
#include "strings/Orodja.h"
#include <zrno/strings.h>

namespace Zrno::Notranje {

/// n units of vir into at most prostor bytes at cilj; with prostor 0 (cilj may be null) the count the
/// whole conversion needs. Returns the count, 0 when the system cannot convert or the room is short.
int Pretvori(unsigned short const *vir, unsigned int n, char *cilj, unsigned int prostor, T_KODNASTRAN kn);
/// n bytes of vir into at most prostor units at cilj, as above.
int Pretvori(char const *vir, unsigned int n, unsigned short *cilj, unsigned int prostor, T_KODNASTRAN kn);
/// One character on its own; 0 when it does not convert.
char PretvoriZnak(unsigned short c, T_KODNASTRAN kn);
unsigned short PretvoriZnak(char c, T_KODNASTRAN kn);
/// The most bytes one UTF-16 unit can become in the code page: 1 for single-byte pages (and for a page
/// the system does not know, whose conversions fail anyway).
unsigned int BajtovNaEnoto(T_KODNASTRAN kn);
/// The conversion of the first m units of vir for the largest m <= n whose bytes fit in prostor, never
/// splitting a surrogate pair; returns the bytes written.
unsigned int PretvoriKarGre(unsigned short const *vir, unsigned int n, char *cilj, unsigned int prostor,
                            T_KODNASTRAN kn);

/// The flags MultiByteToWideChar accepts for a code page: precomposed below 65000, none from there on
/// (UTF-7 and UTF-8 refuse any).
inline unsigned long ZastaviceMB(T_KODNASTRAN kn) { return kn < 65000 ? MB_PRECOMPOSED : 0; }

template <class T> struct Pretvorba {
    /// Writes the conversion of n characters of vir at index od of the string (replacing what stood
    /// there) and returns the new length. Single-byte pages: a refused growth keeps what fits, and a
    /// failed conversion gives n characters 0, as a failed single character does. Multi-byte pages: the
    /// length is the system's, and a refused growth leaves the string unchanged.
    template <class V>
    static unsigned int Zapisi(RNizP<T> &niz, unsigned int od, V const *vir, unsigned int n,
                               T_KODNASTRAN kn) {
        unsigned int dolzina;
        if (n && BajtovNaEnoto(kn) > 1 && ZapisiTocno(niz, od, vir, n, kn, dolzina))
            return dolzina;
        unsigned int nova = niz.Zagotovi(Vsota(od, n));
        n = nova - od;
        int r = n ? Pretvori(vir, n, niz.m_niz + od, n, kn) : 0;
        if (r <= 0) {
            Napolni(niz.m_niz + od, T(0), n);
            r = static_cast<int>(n);
        }
        return niz.Skrajsaj(od + static_cast<unsigned int>(r));
    }

    /// count copies of one unit's conversion at index od; on a multi-byte page a unit may become several
    /// bytes, and a refused growth leaves the string unchanged.
    static unsigned int ZapisiZnak(RNizP<char> &niz, unsigned int od, unsigned short znak,
                                   unsigned int stevilo, T_KODNASTRAN kn) {
        char b[8];
        int m = BajtovNaEnoto(kn) > 1 ? Pretvori(&znak, 1, b, sizeof b, kn) : 0;
        if (m <= 1)
            return od ? niz.Prilepi(PretvoriZnak(znak, kn), stevilo)
                      : niz.Nastavi(PretvoriZnak(znak, kn), stevilo);
        unsigned __int64 skupaj = od + static_cast<unsigned __int64>(m) * stevilo;
        if (skupaj >= 0xFFFFFFFFu || niz.Zagotovi(static_cast<unsigned int>(skupaj)) != skupaj)
            return niz.m_dolzina;
        for (char *p = niz.m_niz + od; stevilo; --stevilo, p += m)
            memcpy(p, b, static_cast<size_t>(m));
        return niz.Skrajsaj(static_cast<unsigned int>(skupaj));
    }

    /// Resource text into at most n bytes for n units (one byte per unit is all the room it is given):
    /// on a multi-byte page the longest run of whole characters that fits.
    static unsigned int ZapisiNajvec(RNizP<char> &niz, unsigned int od, unsigned short const *vir,
                                     unsigned int n, T_KODNASTRAN kn) {
        if (!n || BajtovNaEnoto(kn) == 1)
            return Zapisi(niz, od, vir, n, kn);
        unsigned int nova = niz.Zagotovi(Vsota(od, n));
        return niz.Skrajsaj(od + PretvoriKarGre(vir, n, niz.m_niz + od, nova - od, kn));
    }

  private:
    /// The exact conversion: the system's length, then room for it (or nothing changes), then the text;
    /// false when the system cannot convert. When the most the text can need is free already (a unit
    /// per byte from a narrow page, the page's widest per unit into one) the sizing pass is skipped.
    template <class V>
    static bool ZapisiTocno(RNizP<T> &niz, unsigned int od, V const *vir, unsigned int n, T_KODNASTRAN kn,
                            unsigned int &dolzina) {
        const unsigned __int64 najvec =
            static_cast<unsigned __int64>(n) * (sizeof(T) == 1 ? BajtovNaEnoto(kn) : 1) + od;
        if (najvec < niz.m_kapaciteta) {
            int r = Pretvori(vir, n, niz.m_niz + od, niz.m_kapaciteta - 1 - od, kn);
            if (r > 0)
                dolzina = niz.Skrajsaj(od + static_cast<unsigned int>(r));
            return r > 0;
        }
        int potrebno = Pretvori(vir, n, static_cast<T *>(nullptr), 0, kn);
        if (potrebno <= 0)
            return false;
        unsigned int nova = Vsota(od, static_cast<unsigned int>(potrebno));
        if (nova == 0xFFFFFFFFu || niz.Zagotovi(nova) != nova) {
            dolzina = niz.m_dolzina;
            return true;
        }
        Pretvori(vir, n, niz.m_niz + od, static_cast<unsigned int>(potrebno), kn);
        dolzina = niz.Skrajsaj(nova);
        return true;
    }
};

} // namespace Zrno::Notranje

#endif
