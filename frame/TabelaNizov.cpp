// The walk of a module's string table, which the resource strings and the resource libraries' loaders
// share. A table block holds 16 counted UTF-16 strings, block (id / 16) + 1 holding the string id.
#include "frame/TabelaNizov.h"
#include <zrno/frame/Napake.h>

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
    HGLOBAL g = vir ? LoadResource(modul, vir) : nullptr;
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
