// RBazaVirov: the static loaders of data resources (raw data, icons, icon groups, bitmaps). The data
// stays in the module's image, valid while the module is loaded.
#include "frame/win.h"
#include <zrno/streams.h>
#include <zrno/util/RBazaVirov.h>

using namespace Zrno;

int RBazaVirov::NaloziPodatke(HINSTANCE__ *modul, char const *tip, unsigned int id, void **podatki,
                              unsigned int *velikost, T_KODAJEZIKA2 jezik) {
    // An integer resource name has 16 bits: a larger id names the resource of its low bits.
    HRSRC vir = FindResourceExA(modul, tip, MAKEINTRESOURCEA(id & 0xFFFF), static_cast<WORD>(jezik));
    if (!vir)
        return NAP_NINAJDENO;
    DWORD n = SizeofResource(modul, vir);
    // An empty resource is legal; only a size query that failed leaves an error behind.
    if (n == 0 && GetLastError() != 0)
        return NAP_NIVIRA;
    HGLOBAL g = LoadResource(modul, vir);
    if (!g)
        return NAP_NALAGANJE;
    void *p = LockResource(g);
    if (!p)
        return NAP_NIVIRA;
    if (podatki)
        *podatki = p;
    if (velikost)
        *velikost = n;
    return OK;
}

int RBazaVirov::NaloziPodatke(HINSTANCE__ *modul, char const *tip, unsigned int id, RTokPodatkov &tok,
                              T_KODAJEZIKA2 jezik) {
    void *p;
    unsigned int n;
    int r = NaloziPodatke(modul, tip, id, &p, &n, jezik);
    if (r < 0)
        return r;
    return tok.Zapisi(p, n) == n ? OK : NAP_POMNILNIK;
}

#define ZRNO_NALAGALNIK(Ime, Tip)                                                                            \
    int RBazaVirov::Ime(HINSTANCE__ *modul, unsigned int id, void **podatki, unsigned int *velikost,         \
                        T_KODAJEZIKA2 jezik) {                                                               \
        return NaloziPodatke(modul, MAKEINTRESOURCEA(Tip), id, podatki, velikost, jezik);                    \
    }                                                                                                        \
    int RBazaVirov::Ime(HINSTANCE__ *modul, unsigned int id, RTokPodatkov &tok, T_KODAJEZIKA2 jezik) {       \
        return NaloziPodatke(modul, MAKEINTRESOURCEA(Tip), id, tok, jezik);                                  \
    }
ZRNO_NALAGALNIK(NaloziIkono, 3)        // RT_ICON
ZRNO_NALAGALNIK(NaloziZbirkoIkone, 14) // RT_GROUP_ICON
ZRNO_NALAGALNIK(NaloziSliko, 2)        // RT_BITMAP
#undef ZRNO_NALAGALNIK
