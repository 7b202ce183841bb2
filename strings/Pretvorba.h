// Conversion between 8-bit code-page text and UTF-16 through the system (MultiByteToWideChar,
// WideCharToMultiByte), shared by RNizA and RNizU. With single-byte code pages n characters become
// exactly n; code pages that need more or fewer units (UTF-8, double-byte pages) get the real count.
#ifndef ZRNO_STRINGS_PRETVORBA_H
#define ZRNO_STRINGS_PRETVORBA_H

#include "frame/win.h"
#include "strings/Orodja.h"
#include <zrno/strings.h>

namespace Zrno::Notranje {

/// n units of vir into at most prostor bytes at cilj. Returns the count written; when the room is too
/// small for a multi-byte page, minus the count needed; 0 when the system cannot convert at all.
int Pretvori(unsigned short const *vir, unsigned int n, char *cilj, unsigned int prostor, T_KODNASTRAN kn);
/// n bytes of vir into at most prostor units at cilj, as above.
int Pretvori(char const *vir, unsigned int n, unsigned short *cilj, unsigned int prostor, T_KODNASTRAN kn);
/// One character on its own; 0 when it does not convert.
char PretvoriZnak(unsigned short c, T_KODNASTRAN kn);
unsigned short PretvoriZnak(char c, T_KODNASTRAN kn);

/// The flags MultiByteToWideChar accepts for a code page: precomposed below 65000, none from there on
/// (UTF-7 and UTF-8 refuse any).
inline unsigned long ZastaviceMB(T_KODNASTRAN kn) { return kn < 65000 ? MB_PRECOMPOSED : 0; }

template <class T> struct Pretvorba {
    /// Writes the conversion of n characters of vir at index od of the string (replacing what stood
    /// there) and returns the new length. A refused growth keeps what fits; a failed conversion gives
    /// n characters 0, as a failed single character does.
    template <class V>
    static unsigned int Zapisi(RNizP<T> &niz, unsigned int od, V const *vir, unsigned int n,
                               T_KODNASTRAN kn) {
        unsigned int nova = niz.Zagotovi(Vsota(od, n));
        n = nova - od;
        int r = n ? Pretvori(vir, n, niz.m_niz + od, n, kn) : 0;
        if (r < 0) {
            nova = niz.Zagotovi(Vsota(od, static_cast<unsigned int>(-r)));
            r = Pretvori(vir, n, niz.m_niz + od, nova - od, kn);
        }
        if (r <= 0) {
            Napolni(niz.m_niz + od, T(0), n);
            r = static_cast<int>(n);
        }
        return niz.Skrajsaj(od + static_cast<unsigned int>(r));
    }
};

} // namespace Zrno::Notranje

#endif
