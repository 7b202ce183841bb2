// Small helpers of the string templates that several of their files share.
#ifndef ZRNO_NOTRANJE_STRINGS_ORODJA_H
#define ZRNO_NOTRANJE_STRINGS_ORODJA_H

#include <stdint.h>
#include <string.h>

namespace Zrno::Notranje {

template <class T> bool JeZnotraj(T const *p, T const *niz, unsigned int kapaciteta) {
    uintptr_t a = reinterpret_cast<uintptr_t>(p), z = reinterpret_cast<uintptr_t>(niz);
    return a >= z && a < z + kapaciteta * sizeof(T);
}

// len + n, saturated so that an overflowing request is refused by the reservation instead of wrapping.
// Without a jump: the carry becomes an all-ones mask.
inline unsigned int Vsota(unsigned int a, unsigned int b) {
    const unsigned int v = a + b;
    return v | -static_cast<unsigned int>(v < a);
}

template <class T> void Napolni(T *cilj, T znak, unsigned int stevilo) {
    // Appending one character is the common case: not worth a call into the runtime's memset.
    if (sizeof(T) == 1 && stevilo > 16) {
        memset(cilj, static_cast<int>(znak), stevilo);
        return;
    }
    for (unsigned int i = 0; i < stevilo; ++i)
        cilj[i] = znak;
}

/// Length of a terminated text, at most `najvec` characters; a null text is empty.
// Out of line: nearly every string operation measures, and one copy serves them all.
template <class T> __attribute__((noinline)) unsigned int DolzinaDo(T const *niz, unsigned int najvec) {
    unsigned int n = 0;
    if (!niz)
        return 0;
    while (n < najvec && niz[n])
        ++n;
    return n;
}

/// The parts of a string as a new string of class N, made from the text at an offset with a maximum
/// (so they stop at a 0). Counts beyond the text are clamped: Desno of more than the length is the
/// whole text, Sredina from beyond the end is empty.
template <class N, class T> N Levo(T const *niz, unsigned int stevilo) { return N(niz, stevilo); }
template <class N, class T> N Desno(T const *niz, unsigned int dolzina, unsigned int stevilo) {
    return N(niz + (dolzina - (stevilo < dolzina ? stevilo : dolzina)), stevilo);
}
template <class N, class T>
N Sredina(T const *niz, unsigned int dolzina, unsigned int zacetek, unsigned int stevilo) {
    return N(niz + (zacetek < dolzina ? zacetek : dolzina), stevilo);
}

} // namespace Zrno::Notranje

#endif
