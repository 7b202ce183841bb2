// Byte copies for the stream buffers. Most transfers through a buffering converter or a memory file
// are tiny (a byte, a 16-bit unit, an integer); those become single moves instead of a call to memcpy.
// Long ones (a buffer passed on whole) are the processor's string move: msvcrt's memcpy, Wine's builtin
// above all, moves long blocks at a fraction of the speed that the string move reaches on processors
// with fast string moves (Intel since Ivy Bridge, AMD since Zen); older ones still move long blocks by
// whole lines with it.
#ifndef ZRNO_NOTRANJE_STREAMS_KOPIRAJ_H
#define ZRNO_NOTRANJE_STREAMS_KOPIRAJ_H

#include <string.h>

namespace Zrno::Notranje {

inline void DolgaKopija(void *cilj, void const *vir, size_t n) {
    __asm__ volatile("rep movsb" : "+D"(cilj), "+S"(vir), "+c"(n) : : "memory");
}

inline void KopirajBajte(void *cilj, void const *vir, unsigned int n) {
    switch (n) {
    case 0: return;
    case 1: *static_cast<unsigned char *>(cilj) = *static_cast<unsigned char const *>(vir); return;
    case 2:
        memcpy(cilj, vir, 2); // constant sizes compile to one unaligned move
        return;
    case 4: memcpy(cilj, vir, 4); return;
    default:
        if (n >= 512)
            DolgaKopija(cilj, vir, n);
        else
            memcpy(cilj, vir, n);
    }
}

} // namespace Zrno::Notranje

#endif
