// A small table of (kind, value, extra owners), normally empty: it only fills when stream objects are
// copied. _WIN32_WINNT is fixed at XP, so there is no SRW lock; a statically initialised spin lock
// avoids the start-up ordering problems of a CRITICAL_SECTION in a DLL.
#include "streams/Deljeno.h"
#include "frame/win.h"
#include <zrno/frame.h>

namespace Zrno::Notranje {
namespace {

struct Vnos {
    Vir vrsta;
    void const *vrednost;
    unsigned int dodatni; // owners besides the first
};

volatile LONG g_zaklep = 0;
Vnos *g_vnosi = nullptr;
volatile unsigned int g_stevilo = 0; // read without the lock only to skip an empty table
unsigned int g_kapaciteta = 0;

class Zaklep {
  public:
    Zaklep() {
        while (InterlockedCompareExchange(&g_zaklep, 1, 0) != 0)
            Sleep(0);
    }
    ~Zaklep() { InterlockedExchange(&g_zaklep, 0); }
};

Vnos *Najdi(Vir vrsta, void const *vrednost) {
    for (unsigned int i = 0; i < g_stevilo; ++i)
        if (g_vnosi[i].vrsta == vrsta && g_vnosi[i].vrednost == vrednost)
            return &g_vnosi[i];
    return nullptr;
}

} // namespace

void DodajSolastnika(Vir vrsta, void const *vrednost) {
    Zaklep z;
    if (Vnos *v = Najdi(vrsta, vrednost)) {
        ++v->dodatni;
        return;
    }
    if (g_stevilo == g_kapaciteta) {
        unsigned int nova = g_kapaciteta ? g_kapaciteta * 2 : 16;
        void *p = RezervirajPomnilnik(g_vnosi, nova * sizeof(Vnos));
        if (!p)
            return; // untracked: the copies then each close or free, as a plain raw copy would
        g_vnosi = static_cast<Vnos *>(p);
        g_kapaciteta = nova;
    }
    g_vnosi[g_stevilo++] = Vnos{vrsta, vrednost, 1};
}

bool ImaSolastnike(Vir vrsta, void const *vrednost) {
    if (g_stevilo == 0)
        return false;
    Zaklep z;
    return Najdi(vrsta, vrednost) != nullptr;
}

bool OdstraniSolastnika(Vir vrsta, void const *vrednost) {
    if (g_stevilo == 0) // the usual case: nothing was ever copied
        return true;
    Zaklep z;
    Vnos *v = Najdi(vrsta, vrednost);
    if (!v)
        return true;
    if (--v->dodatni == 0)
        *v = g_vnosi[--g_stevilo];
    return false;
}

} // namespace Zrno::Notranje
