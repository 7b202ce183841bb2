// Shared by the registry sources: a key handle as the registry calls want it.
#ifndef ZRNO_NOTRANJE_SYSTEM_RREGISTERNOTRANJE_H
#define ZRNO_NOTRANJE_SYSTEM_RREGISTERNOTRANJE_H

#include "frame/win.h"
#include <stdint.h>

namespace Zrno::Notranje {

/// A predefined root written as its 32-bit number (0x80000001) arrives zero-extended on 64-bit targets,
/// while the system's HKEY_* constants are sign-extended; both name the same root.
inline HKEY Kljuc(void *p) {
    uintptr_t v = reinterpret_cast<uintptr_t>(p);
    if (sizeof(void *) > 4 && v >= 0x80000000u && v <= 0x800000FFu)
        return reinterpret_cast<HKEY>(static_cast<intptr_t>(static_cast<int32_t>(static_cast<uint32_t>(v))));
    return static_cast<HKEY>(p);
}

} // namespace Zrno::Notranje

#endif
