// Search and comparison of RNizP<T>. Included once, by NizP.cpp.
//
// A search looks at candidate positions start .. start + min(count, length - start) - 1, ending early
// at the first 0 character; only the start of a match must be a candidate, the match itself may run on
// to the terminator. The exact forms scan 16 bytes at a time with SSE2 (the first and the last pattern
// character must both match before the rest is compared); the case-insensitive ones fold every character
// through the library's locale.
#ifndef ZRNO_NOTRANJE_STRINGS_ISKANJE_H
#define ZRNO_NOTRANJE_STRINGS_ISKANJE_H

#include "strings/Znaki.h"
#include <string.h>
#include <zrno/strings.h>

namespace Zrno::Notranje {

constexpr unsigned int NI_NAJDENO = 0xFFFFFFFFu;

// The candidate window [od, konec) of a search, before the cut at the first 0.
inline bool Okno(unsigned int dolzina, unsigned int zacetek, unsigned int stevilo, unsigned int &konec) {
    if (zacetek >= dolzina || stevilo == 0)
        return false;
    konec = stevilo < dolzina - zacetek ? zacetek + stevilo : dolzina;
    return true;
}

template <class T> bool EnakoOd(T const *s, T const *vzorec, unsigned int m) {
    return memcmp(s, vzorec, m * sizeof(T)) == 0;
}

#ifdef __SSE2__
template <class T> __m128i Nalozi(T const *p) {
    return _mm_loadu_si128(reinterpret_cast<__m128i const *>(p));
}
#endif

// First i in [od, konec) with s[i] == c or s[i] == 0; konec when there is none. s must be readable up
// to konec - 1.
template <class T> unsigned int ZnakAliNic(T const *s, unsigned int od, unsigned int konec, T c) {
    unsigned int i = od;
#ifdef __SSE2__
    constexpr unsigned int pasov = 16 / sizeof(T);
    __m128i vc = Znaki<T>::Razprsi(c), nic = _mm_setzero_si128();
    for (; i + pasov <= konec; i += pasov) {
        __m128i v = Nalozi(s + i);
        unsigned int maska = static_cast<unsigned int>(
            _mm_movemask_epi8(_mm_or_si128(Znaki<T>::Enako(v, vc), Znaki<T>::Enako(v, nic))));
        if (maska)
            return i + static_cast<unsigned int>(__builtin_ctz(maska)) / sizeof(T);
    }
#endif
    for (; i < konec; ++i)
        if (s[i] == c || s[i] == 0)
            return i;
    return konec;
}

// First exact match of vzorec (m >= 2 characters) starting in [od, konec), the candidates ending at
// the first 0; dolzina is the string's length (s[dolzina] == 0).
template <class T>
unsigned int NajdiBesedilo(T const *s, unsigned int dolzina, unsigned int od, unsigned int konec,
                           T const *vzorec, unsigned int m) {
    // A match needs m characters before the terminator.
    if (dolzina - od < m)
        return NI_NAJDENO;
    unsigned int meja = dolzina - m + 1 < konec ? dolzina - m + 1 : konec;
    unsigned int p = od;
#ifdef __SSE2__
    constexpr unsigned int pasov = 16 / sizeof(T);
    __m128i prvi = Znaki<T>::Razprsi(vzorec[0]), zadnji = Znaki<T>::Razprsi(vzorec[m - 1]);
    __m128i nic = _mm_setzero_si128();
    // The load at p + m - 1 ends at p + m - 2 + pasov <= dolzina - 1: never past the terminator.
    for (; p + pasov <= meja; p += pasov) {
        __m128i v = Nalozi(s + p);
        unsigned int maska = static_cast<unsigned int>(_mm_movemask_epi8(
            _mm_and_si128(Znaki<T>::Enako(v, prvi), Znaki<T>::Enako(Nalozi(s + p + m - 1), zadnji))));
        unsigned int nicle = static_cast<unsigned int>(_mm_movemask_epi8(Znaki<T>::Enako(v, nic)));
        if (nicle)
            maska &= (nicle & (0u - nicle)) - 1; // only candidates before the first 0
        while (maska) {
            unsigned int bit = static_cast<unsigned int>(__builtin_ctz(maska));
            unsigned int kandidat = p + bit / sizeof(T);
            if (EnakoOd(s + kandidat + 1, vzorec + 1, m - 2))
                return kandidat;
            maska &= ~(((1u << sizeof(T)) - 1) << bit);
        }
        if (nicle)
            return NI_NAJDENO;
    }
#endif
    for (; p < meja; ++p) {
        if (s[p] == 0)
            return NI_NAJDENO;
        if (s[p] == vzorec[0] && EnakoOd(s + p + 1, vzorec + 1, m - 1))
            return p;
    }
    return NI_NAJDENO;
}

// First exact match of a pattern of any length; the character form is the one-character pattern.
template <class T>
unsigned int NajdiPrvo(T const *s, unsigned int dolzina, unsigned int od, unsigned int konec, T const *vzorec,
                       unsigned int m) {
    if (m == 0)
        return s[od] ? od : NI_NAJDENO;
    if (m == 1) {
        unsigned int i = ZnakAliNic(s, od, konec, vzorec[0]);
        return i < konec && s[i] ? i : NI_NAJDENO;
    }
    return NajdiBesedilo(s, dolzina, od, konec, vzorec, m);
}

// First or last case-insensitive match of kaj among the candidates of the window; the pattern is
// folded once.
template <class T>
unsigned int IsciI(T const *s, unsigned int dolzina, unsigned int zacetek, unsigned int stevilo, T const *kaj,
                   bool nazaj) {
    unsigned int konec;
    if (!Okno(dolzina, zacetek, stevilo, konec))
        return NI_NAJDENO;
    BrezVelikosti<T> e;
    unsigned int m = DolzinaDo(kaj, 0xFFFFFFFF);
    Kopija<T> zlozen(kaj, m, e);
    if (!zlozen.Vrni())
        return NI_NAJDENO;
    unsigned int zadnji = NI_NAJDENO;
    for (unsigned int p = zacetek; p < konec && s[p]; ++p)
        if (Ujema(s + p, zlozen.Vrni(), m, e)) {
            if (!nazaj)
                return p;
            zadnji = p;
        }
    return zadnji;
}

} // namespace Zrno::Notranje

using namespace Zrno::Notranje;

template <class T>
unsigned int RNizP<T>::Najdi(T const *kaj, unsigned int zacetek, unsigned int stevilo) const {
    unsigned int konec;
    if (!Okno(m_dolzina, zacetek, stevilo, konec))
        return NI_NAJDENO;
    return NajdiPrvo(m_niz, m_dolzina, zacetek, konec, kaj, DolzinaDo(kaj, 0xFFFFFFFF));
}

template <class T> unsigned int RNizP<T>::Najdi(T kaj, unsigned int zacetek, unsigned int stevilo) const {
    unsigned int konec;
    if (kaj == 0 || !Okno(m_dolzina, zacetek, stevilo, konec))
        return NI_NAJDENO;
    return NajdiPrvo(m_niz, m_dolzina, zacetek, konec, &kaj, 1);
}

template <class T>
unsigned int RNizP<T>::NajdiNazaj(T const *kaj, unsigned int zacetek, unsigned int stevilo) const {
    unsigned int konec;
    if (!Okno(m_dolzina, zacetek, stevilo, konec))
        return NI_NAJDENO;
    unsigned int m = DolzinaDo(kaj, 0xFFFFFFFF);
    if (m == 0) {
        // Every candidate matches: the last is the one before the first 0.
        unsigned int nic = ZnakAliNic(m_niz, zacetek, konec, T(0));
        return nic > zacetek ? nic - 1 : NI_NAJDENO;
    }
    unsigned int zadnji = NI_NAJDENO;
    for (unsigned int p = NajdiPrvo(m_niz, m_dolzina, zacetek, konec, kaj, m); p != NI_NAJDENO;
         p = p + 1 < konec ? NajdiPrvo(m_niz, m_dolzina, p + 1, konec, kaj, m) : NI_NAJDENO)
        zadnji = p;
    return zadnji;
}

template <class T>
unsigned int RNizP<T>::NajdiNazaj(T kaj, unsigned int zacetek, unsigned int stevilo) const {
    T vzorec[2] = {kaj, 0};
    return kaj ? NajdiNazaj(vzorec, zacetek, stevilo) : NI_NAJDENO;
}

template <class T>
unsigned int RNizP<T>::NajdiI(T const *kaj, unsigned int zacetek, unsigned int stevilo) const {
    return IsciI(m_niz, m_dolzina, zacetek, stevilo, kaj, false);
}

template <class T> unsigned int RNizP<T>::NajdiI(T kaj, unsigned int zacetek, unsigned int stevilo) const {
    T vzorec[2] = {kaj, 0};
    return kaj ? NajdiI(vzorec, zacetek, stevilo) : NI_NAJDENO;
}

template <class T>
unsigned int RNizP<T>::NajdiNazajI(T const *kaj, unsigned int zacetek, unsigned int stevilo) const {
    return IsciI(m_niz, m_dolzina, zacetek, stevilo, kaj, true);
}

template <class T>
unsigned int RNizP<T>::NajdiNazajI(T kaj, unsigned int zacetek, unsigned int stevilo) const {
    T vzorec[2] = {kaj, 0};
    return kaj ? NajdiNazajI(vzorec, zacetek, stevilo) : NI_NAJDENO;
}

namespace Zrno::Notranje {

// A start beyond the text compares from its terminator, as an empty string would.
// i + 1 when a > b, ~i when a < b, 0 when both strings end together or count runs out.
template <class T, class E> int Primerjava(T const *a, T const *b, unsigned int stevilo, E const &e) {
    for (unsigned int i = 0; i < stevilo; ++i) {
        int x = Znaki<T>::Red(e.Zlozi(a[i])), y = Znaki<T>::Red(e.Zlozi(b[i]));
        if (x == 0 && y == 0)
            return 0;
        if (x > y)
            return static_cast<int>(i + 1);
        if (x < y)
            return static_cast<int>(~i);
    }
    return 0;
}

} // namespace Zrno::Notranje

template <class T> int RNizP<T>::Primerjaj(T const *drugi, unsigned int zacetek, unsigned int stevilo) const {
    return Primerjava(m_niz + (zacetek < m_dolzina ? zacetek : m_dolzina), drugi, stevilo, Tocno<T>());
}

template <class T>
int RNizP<T>::PrimerjajI(T const *drugi, unsigned int zacetek, unsigned int stevilo) const {
    return Primerjava(m_niz + (zacetek < m_dolzina ? zacetek : m_dolzina), drugi, stevilo,
                      BrezVelikosti<T>());
}

template <class T>
int RNizP<T>::PrimerjajLI(T const *drugi, unsigned int zacetek, unsigned int stevilo) const {
    return PrimerjajI(drugi, zacetek, stevilo);
}

#endif
