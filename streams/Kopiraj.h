// Byte copies for the stream buffers. Most transfers through a buffering converter or a memory file
// are tiny (a byte, a 16-bit unit, an integer); those become single moves instead of a call to memcpy.
#ifndef ZRNO_STREAMS_KOPIRAJ_H
#define ZRNO_STREAMS_KOPIRAJ_H

#include <string.h>

namespace Zrno::Notranje {

inline void KopirajBajte(void *cilj, void const *vir, unsigned int n) {
    switch (n) {
    case 0: return;
    case 1: *static_cast<unsigned char *>(cilj) = *static_cast<unsigned char const *>(vir); return;
    case 2:
        memcpy(cilj, vir, 2); // constant sizes compile to one unaligned move
        return;
    case 4: memcpy(cilj, vir, 4); return;
    default: memcpy(cilj, vir, n);
    }
}

} // namespace Zrno::Notranje

#endif
