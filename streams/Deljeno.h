// Shared ownership of handles and heap blocks between copies of stream objects. Copies of a disk file,
// an owning memory file or a buffering converter share one raw handle or block (the interface copies
// the raw value); each copy records itself here, so that the destructors close or free it only once.
#ifndef ZRNO_STREAMS_DELJENO_H
#define ZRNO_STREAMS_DELJENO_H

namespace Zrno::Notranje {

enum class Vir { Rocica, Blok };

/// Records one more owner of vrednost (a copy has been made).
void DodajSolastnika(Vir vrsta, void const *vrednost);
/// True when copies besides the caller own vrednost.
bool ImaSolastnike(Vir vrsta, void const *vrednost);
/// Removes one owner. Returns true when no other owner remains, so the caller must close or free.
bool OdstraniSolastnika(Vir vrsta, void const *vrednost);

} // namespace Zrno::Notranje

#endif
