// RBazaVirov: the static string loaders over the module's string table. A table block holds 16 counted
// UTF-16 strings, block (id / 16) + 1 holding the string id; the text stays in the module's image.
#include "util/RBazaVirovNiz.h"
#include "strings/Orodja.h"
#include "strings/Pretvorba.h"
#include <zrno/util/RBazaVirov.h>

namespace {

int NiVira(DWORD napaka) { return napaka ? PretvoriNapako(napaka, Zrno::NAP_NIVIRA) : Zrno::NAP_NIVIRA; }

} // namespace

int Zrno::Notranje::PoisciNiz(HINSTANCE modul, unsigned int id, unsigned int jezik, unsigned short const *&p,
                              unsigned int &n) {
    p = nullptr;
    n = 0;
    // Resource numbers are 16-bit: a larger block number would read as the address of a name.
    if (id / 16 + 1 > 0xFFFF)
        return PretvoriNapako(ERROR_RESOURCE_NAME_NOT_FOUND, NAP_NIVIRA);
    HRSRC vir =
        FindResourceExA(modul, MAKEINTRESOURCEA(6), MAKEINTRESOURCEA(id / 16 + 1), static_cast<WORD>(jezik));
    if (!vir)
        return NiVira(GetLastError());
    HGLOBAL g = LoadResource(modul, vir);
    if (!g)
        return NiVira(GetLastError());
    auto const *blok = static_cast<unsigned short const *>(LockResource(g));
    // The walk stays inside the block even when its counts are damaged.
    unsigned short const *konec = blok ? blok + SizeofResource(modul, vir) / 2 : nullptr;
    for (unsigned int i = id % 16; blok < konec && i; --i)
        blok += 1 + *blok;
    if (blok >= konec || *blok == 0)
        return PretvoriNapako(ERROR_RESOURCE_NAME_NOT_FOUND, NAP_NIVIRA);
    p = blok + 1;
    n = *blok;
    if (n > static_cast<unsigned int>(konec - p))
        n = static_cast<unsigned int>(konec - p);
    return OK;
}

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
