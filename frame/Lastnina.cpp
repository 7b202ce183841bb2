// The table of shares behind Lastnina (kind, value, owner, alive), normally empty: it only fills when
// objects that share a value are copied. The lock is a CRITICAL_SECTION: _WIN32_WINNT is fixed at XP, so
// there is no SRW lock, and a critical section that waiters block on cannot starve anyone the way a
// Sleep(0) spin could. The static initialisation makes it, before the entry point and so before any
// object can be copied (as the start-up lock in Zrno.cpp). The calls other than Deli take the lock only
// when the table holds shares.
#include "frame/Lastnina.h"
#include "frame/Velikost.h"
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

Delez *g_delezi = nullptr;
volatile unsigned int g_stevilo = 0; // read without the lock only to skip an empty table
unsigned int g_kapaciteta = 0;

// Deleted when the module unloads unless shares are left: an object destroyed later still takes it.
struct Kljuc {
    Kljuc() { InitializeCriticalSection(&odsek); }
    ~Kljuc() {
        if (g_stevilo == 0)
            DeleteCriticalSection(&odsek);
    }
    CRITICAL_SECTION odsek;
} g_kljuc;

class Zaklep {
  public:
    Zaklep() { EnterCriticalSection(&g_kljuc.odsek); }
    ~Zaklep() { LeaveCriticalSection(&g_kljuc.odsek); }
    Zaklep(const Zaklep &) = delete;
    Zaklep &operator=(const Zaklep &) = delete;
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

// Under the lock: removes lastnik's share; true when it was live and no live share is left.
bool Odstrani(Vir vrsta, void const *vrednost, void const *lastnik) {
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

} // namespace

void Deljeno::Deli(Vir vrsta, void const *vrednost, void const *izvor, void const *kopija) {
    Zaklep z;
    if (g_kapaciteta - g_stevilo < 2) {
        unsigned int nova, bajtov;
        // The byte count caps the capacity far below 2^31 entries, so doubling it cannot wrap.
        nova = g_kapaciteta ? 2 * g_kapaciteta : 16;
        void *p = Velikost(nova, static_cast<unsigned int>(sizeof(Delez)), bajtov)
                      ? RezervirajPomnilnik(g_delezi, bajtov)
                      : nullptr;
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

bool Deljeno::Izpusti(Vir vrsta, void const *vrednost, void const *lastnik) {
    if (g_stevilo == 0) // the usual case: nothing was ever copied
        return true;
    Zaklep z;
    return Odstrani(vrsta, vrednost, lastnik);
}

bool Deljeno::JeMrtva(Vir vrsta, void const *vrednost, void const *lastnik) {
    if (g_stevilo == 0)
        return false;
    Zaklep z;
    Delez *d = Najdi(vrsta, vrednost, lastnik);
    return d && !d->zivo;
}

bool Deljeno::JeDeljena(Vir vrsta, void const *vrednost, void const *lastnik) {
    if (g_stevilo == 0)
        return false;
    Zaklep z;
    Delez *d = Najdi(vrsta, vrednost, lastnik);
    return d && (!d->zivo || DrugiZivi(vrsta, vrednost, lastnik));
}

void Deljeno::Zaprta(Vir vrsta, void const *vrednost, void const *lastnik) {
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
