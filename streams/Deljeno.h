// Shared ownership of handles and heap blocks between copies of stream objects. Copies of a disk file,
// an owning memory file or a buffering converter share one raw handle or block (the interface copies
// the raw value); each copy records its share here, under its own address, so that the destructors
// close or free the value only once, and so that an unrelated object that later receives the same
// value (a handle number or heap address handed out again) is never taken for one of the copies.
#ifndef ZRNO_STREAMS_DELJENO_H
#define ZRNO_STREAMS_DELJENO_H

namespace Zrno::Notranje {

enum class Vir { Rocica, Blok };

/// Records kopija (which holds no share of vrednost yet) as one more owner of vrednost, sharing it
/// with izvor: a copy has been made.
void DodajSolastnika(Vir vrsta, void const *vrednost, void const *izvor, void const *kopija);
/// True when lastnik must not resize vrednost in place: copies still use it, or one of them has
/// closed it or given it away.
bool ImaSolastnike(Vir vrsta, void const *vrednost, void const *lastnik);
/// Removes lastnik's share. Returns true when the caller must close or free: it was the last owner,
/// or it never shared the value. False also when a copy has already closed the value.
bool OdstraniSolastnika(Vir vrsta, void const *vrednost, void const *lastnik);
/// True when a copy of lastnik has closed vrednost: lastnik names a dead value.
bool JeZaprtPriKopiji(Vir vrsta, void const *vrednost, void const *lastnik);
/// lastnik has closed vrednost or given it away: its share goes, and the shares of its copies stay
/// only to tell them that it is no longer theirs (they neither close nor free it, nor take it for
/// the value when it is given out again).
void ZaprtoPriLastniku(Vir vrsta, void const *vrednost, void const *lastnik);

} // namespace Zrno::Notranje

#endif
