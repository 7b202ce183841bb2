// The lookup of one string in a module's string table, shared by the resource strings of RNizVP and the
// static loaders of RBazaVirov. It needs nothing of either, so it stands below both.
#ifndef ZRNO_NOTRANJE_FRAME_TABELANIZOV_H
#define ZRNO_NOTRANJE_FRAME_TABELANIZOV_H

#include "frame/win.h"

namespace Zrno::Notranje {

/// String `id` of the module in the language: p receives its first code unit inside the loaded image
/// and n its stored length (a final zero unit included). 0, or NAP_NIVIRA (the mapped system error)
/// when the block is missing or the entry is empty.
int PoisciNiz(HINSTANCE modul, unsigned int id, unsigned int jezik, unsigned short const *&p,
              unsigned int &n);

/// PoisciNiz with n the text's length: a final zero unit, which resource compilers may store, is not
/// counted.
inline int PoisciBesedilo(HINSTANCE modul, unsigned int id, unsigned int jezik, unsigned short const *&p,
                          unsigned int &n) {
    int r = PoisciNiz(modul, id, jezik, p, n);
    if (n && p[n - 1] == 0)
        --n;
    return r;
}

} // namespace Zrno::Notranje

#endif
