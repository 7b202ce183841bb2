// A small table of shares (kind, value, owner, alive), normally empty: it only fills when stream
// objects are copied. _WIN32_WINNT is fixed at XP, so there is no SRW lock; a statically initialised
// spin lock avoids the start-up ordering problems of a CRITICAL_SECTION in a DLL.
#include "streams/Deljeno.h"
#include "frame/win.h"
#include <zrno/frame.h>

namespace Zrno::Notranje {
namespace {

struct Delez {
    Vir vrsta;
    void const *vrednost;
    void const *lastnik;
    bool zivo; // false: a copy closed the value; the share only keeps its owner from closing it again
};

volatile LONG g_zaklep = 0;
Delez *g_delezi = nullptr;
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

Delez *Najdi(Vir vrsta, void const *vrednost, void const *lastnik) {
    for (unsigned int i = 0; i < g_stevilo; ++i)
        if (g_delezi[i].lastnik == lastnik && g_delezi[i].vrednost == vrednost && g_delezi[i].vrsta == vrsta)
            return &g_delezi[i];
    return nullptr;
}

// Live shares of vrednost other than lastnik's.
bool DrugiZivi(Vir vrsta, void const *vrednost, void const *lastnik) {
    for (unsigned int i = 0; i < g_stevilo; ++i)
        if (g_delezi[i].zivo && g_delezi[i].lastnik != lastnik && g_delezi[i].vrednost == vrednost &&
            g_delezi[i].vrsta == vrsta)
            return true;
    return false;
}

void Odstrani(Delez *d) { *d = g_delezi[--g_stevilo]; }

} // namespace

void DodajSolastnika(Vir vrsta, void const *vrednost, void const *izvor, void const *kopija) {
    Zaklep z;
    if (g_kapaciteta - g_stevilo < 2) {
        unsigned int nova = g_kapaciteta ? g_kapaciteta * 2 : 16;
        void *p = RezervirajPomnilnik(g_delezi, nova * sizeof(Delez));
        if (!p)
            return; // untracked: the copies then each close or free, as a plain raw copy would
        g_delezi = static_cast<Delez *>(p);
        g_kapaciteta = nova;
    }
    Delez *d = Najdi(vrsta, vrednost, izvor);
    if (!d) {
        g_delezi[g_stevilo] = Delez{vrsta, vrednost, izvor, true};
        d = &g_delezi[g_stevilo++];
    }
    g_delezi[g_stevilo++] = Delez{vrsta, vrednost, kopija, d->zivo};
}

bool ImaSolastnike(Vir vrsta, void const *vrednost, void const *lastnik) {
    if (g_stevilo == 0)
        return false;
    Zaklep z;
    Delez *d = Najdi(vrsta, vrednost, lastnik);
    return d && (!d->zivo || DrugiZivi(vrsta, vrednost, lastnik));
}

bool OdstraniSolastnika(Vir vrsta, void const *vrednost, void const *lastnik) {
    if (g_stevilo == 0) // the usual case: nothing was ever copied
        return true;
    Zaklep z;
    Delez *d = Najdi(vrsta, vrednost, lastnik);
    if (!d)
        return true;
    const bool zivo = d->zivo;
    Odstrani(d);
    unsigned int ostali = 0, zivi = 0;
    Delez *zadnji = nullptr;
    for (unsigned int i = 0; i < g_stevilo; ++i)
        if (g_delezi[i].vrednost == vrednost && g_delezi[i].vrsta == vrsta) {
            ++ostali;
            if (g_delezi[i].zivo) {
                ++zivi;
                zadnji = &g_delezi[i];
            }
        }
    // A single live owner left behind holds the value alone again and needs no share.
    if (ostali == 1 && zadnji)
        Odstrani(zadnji);
    return zivo && zivi == 0;
}

bool JeZaprtPriKopiji(Vir vrsta, void const *vrednost, void const *lastnik) {
    if (g_stevilo == 0)
        return false;
    Zaklep z;
    Delez *d = Najdi(vrsta, vrednost, lastnik);
    return d && !d->zivo;
}

void ZaprtoPriLastniku(Vir vrsta, void const *vrednost, void const *lastnik) {
    if (g_stevilo == 0)
        return;
    Zaklep z;
    if (Delez *d = Najdi(vrsta, vrednost, lastnik))
        Odstrani(d);
    // Whoever closed or gave it away, no share of the value is a live one any more.
    for (unsigned int i = 0; i < g_stevilo; ++i)
        if (g_delezi[i].vrednost == vrednost && g_delezi[i].vrsta == vrsta)
            g_delezi[i].zivo = false;
}

} // namespace Zrno::Notranje
