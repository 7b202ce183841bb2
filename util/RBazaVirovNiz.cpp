// RBazaVirov: the static string loaders over the module's string table; the text stays in the module's
// image.
#include "frame/TabelaNizov.h"
#include "strings/Orodja.h"
#include "strings/Pretvorba.h"
#include <zrno/util/RBazaVirov.h>

using namespace Zrno;
using Zrno::Notranje::PoisciBesedilo;
using Zrno::Notranje::PoisciNiz;

int RBazaVirov::NaloziNiz(HINSTANCE__ *modul, unsigned int id, unsigned short *medpomnilnik,
                          unsigned int velikost, T_KODAJEZIKA2 jezik) {
    unsigned short const *p;
    unsigned int n;
    int r = PoisciBesedilo(modul, id, jezik, p, n);
    if (r < 0)
        return r;
    if (n < velikost) {
        unsigned int i = 0;
        for (; i < n && p[i]; ++i)
            medpomnilnik[i] = p[i];
        medpomnilnik[i] = 0;
    } else {
        for (unsigned int i = 0; i < velikost; ++i)
            medpomnilnik[i] = p[i];
    }
    return OK;
}

int RBazaVirov::NaloziNiz(HINSTANCE__ *modul, unsigned int id, char *medpomnilnik, unsigned int velikost,
                          T_KODAJEZIKA2 jezik, T_KODNASTRAN kn) {
    unsigned short const *p;
    unsigned int n;
    int r = PoisciBesedilo(modul, id, jezik, p, n);
    if (r < 0)
        return r;
    // One byte per unit: a page that needs more for some characters gets only what fits.
    unsigned int m = n < velikost ? n : velikost;
    if (m)
        Zrno::Notranje::Pretvori(p, m, medpomnilnik, m, kn);
    if (n < velikost)
        medpomnilnik[n] = 0;
    return OK;
}

int RBazaVirov::NaloziNiz(HINSTANCE__ *modul, unsigned int id, RNizU &niz, T_KODAJEZIKA2 jezik) {
    unsigned short const *p;
    unsigned int n;
    int r = PoisciBesedilo(modul, id, jezik, p, n);
    if (r >= 0)
        niz.Nastavi(p, n);
    return r;
}

int RBazaVirov::NaloziNiz(HINSTANCE__ *modul, unsigned int id, unsigned short const *&niz,
                          T_KODAJEZIKA2 jezik) {
    unsigned int n;
    return PoisciNiz(modul, id, jezik, niz, n);
}
