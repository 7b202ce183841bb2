// The private heap: one serialised, growable heap created at static initialisation and never destroyed.
#include "frame/win.h"
#include <zrno/frame.h>

namespace {

HANDLE g_kopica;

// Runs during the DLL's static initialisation, so the heap exists before DllMain and before any
// application thread can reach the library.
const void *const g_zacetna = zgetheap();

} // namespace

void *zgetheap() {
    if (!g_kopica)
        g_kopica = HeapCreate(0, 0, 0);
    return g_kopica;
}

void *Zrno::RezervirajPomnilnik(void *block, unsigned int size) {
    HANDLE kopica = zgetheap();
    if (size == 0) {
        if (block)
            HeapFree(kopica, 0, block);
        return nullptr;
    }
    // Without HEAP_GENERATE_EXCEPTIONS a refused HeapReAlloc returns null and leaves the block as it was.
    return block ? HeapReAlloc(kopica, 0, block, size) : HeapAlloc(kopica, 0, size);
}

void Zrno::SprostiPomnilnik(void *block) {
    if (block)
        HeapFree(zgetheap(), 0, block);
}
