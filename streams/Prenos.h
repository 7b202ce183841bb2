// Copying from one stream into another (ZapisiTok), written once for the stream base and the memory
// file, so that a call through either type has the same outcome.
//
// Chunks of at most 4096 bytes. Where the target has room that its own Zapisi would fill by copying
// alone, a chunk is read straight into it and then taken as written; elsewhere it goes through one
// transfer buffer and Zapisi. The two ways leave the same bytes, counts and state.
#ifndef ZRNO_NOTRANJE_STREAMS_PRENOS_H
#define ZRNO_NOTRANJE_STREAMS_PRENOS_H

#include "frame/scoped.h"
#include <zrno/streams/RTokPodatkov.h>

namespace Zrno::Notranje {

// Cilj is the target: Zapisi(p, n) as the stream's own; Mesto(n) the room for n bytes at the position
// (null: none; null with a negative state: room is needed and cannot be had); Zapisano(n) takes n bytes read
// into that room as written, as Zapisi would. stanje is the target's state. The source's Preberi must not
// touch the target: reading a stream into itself in place would move the position under the chunk, so that
// case never gets room.
template <class Cilj>
unsigned __int64 Prenesi(Cilj &cilj, int &stanje, bool sam, RTokPodatkov &vir, unsigned __int64 stevilo) {
    stanje = 0;
    if (stevilo == 0)
        return 0;
    const unsigned int kos = stevilo < 4096 ? static_cast<unsigned int>(stevilo) : 4096;
    ScopedBlock blok; // taken at the first chunk without room
    unsigned __int64 skupaj = 0, ostane = stevilo;
    do {
        const unsigned int zahteva = ostane < kos ? static_cast<unsigned int>(ostane) : kos;
        unsigned char *mesto = sam ? nullptr : cilj.Mesto(zahteva);
        if (stanje < 0) // the target could not make room: stop before the source gives up a byte
            return skupaj;
        if (!mesto && !blok) {
            blok.reset(RezervirajPomnilnik(nullptr, kos));
            if (!blok) {
                stanje = NAP_POMNILNIK;
                return skupaj;
            }
        }
        unsigned char *cel = mesto ? mesto : static_cast<unsigned char *>(blok.get());
        unsigned int n = vir.Preberi(cel, zahteva);
        int s = vir.VrniStanje();
        // Bytes that a source hands over together with a negative state (a cache or a socket at its
        // end) are written too.
        if (n != 0 || s >= 0) {
            unsigned int w = mesto ? cilj.Zapisano(n) : cilj.Zapisi(cel, n);
            skupaj += w;
            ostane -= w;
            if (stanje < 0)
                break;
        }
        // The source's end of data is this copy's success.
        if (s < 0) {
            stanje = s == NAP_KONECPODATKOV ? 0 : s;
            break;
        }
    } while (ostane != 0);
    return skupaj;
}

} // namespace Zrno::Notranje

#endif
