// The anonymous pipe.
#include "frame/win.h"
#include <zrno/streams/RKanal.h>

RKanal::~RKanal() {}

int RKanal::Odpri(RSisTokPodatkov &pisanje, RSisTokPodatkov &branje, unsigned int velikost) {
    HANDLE beri, pisi;
    if (!CreatePipe(&beri, &pisi, nullptr, velikost))
        return Zrno::NAP_ODPIRANJE;
    pisanje.Uporabi(pisi);
    branje.Uporabi(beri);
    return 0;
}
