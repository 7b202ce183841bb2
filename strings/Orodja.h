// Small helpers of the string templates that several of their files share.
#ifndef ZRNO_STRINGS_ORODJA_H
#define ZRNO_STRINGS_ORODJA_H

#include <stdint.h>
#include <string.h>

namespace Zrno::Notranje {

template <class T> bool JeZnotraj(T const *p, T const *niz, unsigned int kapaciteta) {
    uintptr_t a = reinterpret_cast<uintptr_t>(p), z = reinterpret_cast<uintptr_t>(niz);
    return a >= z && a < z + kapaciteta * sizeof(T);
}

// len + n, saturated so that an overflowing request is refused by the reservation instead of wrapping.
inline unsigned int Vsota(unsigned int a, unsigned int b) {
    return b > 0xFFFFFFFFu - a ? 0xFFFFFFFFu : a + b;
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
template <class T> unsigned int DolzinaDo(T const *niz, unsigned int najvec) {
    unsigned int n = 0;
    if (!niz)
        return 0;
    while (n < najvec && niz[n])
        ++n;
    return n;
}

} // namespace Zrno::Notranje

#endif
