// The containers' heaps, and the exported instantiations of the container templates.
#include "frame/Velikost.h"
#include "frame/win.h"
#include <zrno/frame/Zagon.h>
#include <zrno/util/Zbirke.h>

void *Zrno::Notranje::UstvariKopicoZbirke(size_t zacetnaVelikost) {
    return HeapCreate(HEAP_NO_SERIALIZE, zacetnaVelikost, 0);
}

void Zrno::Notranje::UniciKopicoZbirke(void *kopica) {
    if (kopica)
        HeapDestroy(kopica);
}

void *Zrno::Notranje::RezervirajBlokZbirke(void *kopica, size_t stevilo, size_t velikostVozla) {
    size_t bajtov;
    if (!kopica || !Velikost(stevilo, velikostVozla, bajtov))
        return nullptr;
    return HeapAlloc(kopica, HEAP_NO_SERIALIZE, bajtov);
}

bool Zrno::Notranje::JeVKopiciZbirke(void *kopica, const void *naslov) {
    // Only the NT family walks a heap reliably; elsewhere every address is taken as the heap's own.
    // The container's heap is unserialised, and HeapLock on it only guards against nobody: a container
    // is used by one thread at a time anyway.
    if ((VrniVerzijoOS() & 0xFFFF0000u) != 0x30000)
        return true;
    if (!kopica || !HeapLock(kopica))
        return false;
    const char *p = static_cast<const char *>(naslov);
    bool najden = false;
    PROCESS_HEAP_ENTRY vnos = {};
    while (!najden && HeapWalk(kopica, &vnos)) {
        const char *zacetek = static_cast<const char *>(vnos.lpData);
        najden = (vnos.wFlags & PROCESS_HEAP_ENTRY_BUSY) && p >= zacetek && p < zacetek + vnos.cbData;
    }
    HeapUnlock(kopica);
    return najden;
}

// The export attribute sits on the extern declarations in the header; GCC refuses it a second time here
// because the bases are already instantiated by then.
#define ZRNO_ZBIRKE_DEFINICIJA(T)                                                                            \
    template class RZbirka<T>;                                                                               \
    template class RSklad<T>;                                                                                \
    template class RSeznam<T>;                                                                               \
    template class RUrejenSeznam<T>;
ZRNO_IZVOZENE_ZBIRKE(ZRNO_ZBIRKE_DEFINICIJA)
