// Shared ownership of a raw handle or heap block among the copies of an object. The public classes copy
// the raw value (their interface says so), so copies of a disk file, an owning memory file or a
// buffering converter hold one value between them. Each copy records its share here, under its own
// address, so that the value is closed or freed once, by its last owner, and so that an unrelated
// object that later receives the same value (a handle number or heap address handed out again) is
// never taken for one of the copies. Null and INVALID_HANDLE_VALUE are never shared: every call
// ignores them, so callers need no validity test of their own.
//
// The protocol: every place where an object takes, drops or closes its value makes exactly one call,
// and the object closes or frees the value only when that call says so. Shares are found by the
// owner's address, so each call comes from the object that holds the value, in assignment before the
// raw value is overwritten. For a class whose copies share the handle m_h (a heap block: Vir::Blok and
// the free call instead):
//   copy constructor, after copying m_h:  Deljeno::Deli(Vir::Rocica, m_h, &o, this);
//   assignment, before overwriting m_h:   if (Deljeno::Prevzemi(Vir::Rocica, m_h, o.m_h, &o, this))
//                                             CloseHandle(m_h);
//   destructor, closing this copy only:   if (Deljeno::Izpusti(Vir::Rocica, m_h, this)) CloseHandle(m_h);
//   closing for every copy (Zapri):       if (!Deljeno::JeMrtva(Vir::Rocica, m_h, this) && CloseHandle(m_h))
//                                             Deljeno::Zaprta(Vir::Rocica, m_h, this);
//   giving the value away (Odpusti):      Deljeno::Zaprta(Vir::Rocica, m_h, this);
//   before resizing a block in place:     if (Deljeno::JeDeljena(Vir::Blok, m_p, this)) move to a new block
// A copy whose value another copy has closed or given away finds it dead (JeMrtva) and leaves it alone.
#ifndef ZRNO_FRAME_DELJENO_H
#define ZRNO_FRAME_DELJENO_H

namespace Zrno::Notranje {

/// Kind of value: a handle and a block at the same number are different values.
enum class Vir { Rocica, Blok };

namespace Deljeno {

/// Copy constructor: kopija (holding no share yet) now shares vrednost with izvor. When the table
/// cannot grow the copy stays untracked and closes on its own, as a plain raw copy would.
void Deli(Vir vrsta, void const *vrednost, void const *izvor, void const *kopija);
/// Destructor, or dropping a value without closing it (Odpusti, Uporabi of another value): removes
/// lastnik's share. True when the caller must close or free: it was the last owner or never shared
/// it. False when copies still hold it or one of them has closed it already.
bool Izpusti(Vir vrsta, void const *vrednost, void const *lastnik);
/// Assignment of izvor's value nova over the value stara held by lastnik: releases stara, shares nova.
/// True when the caller must close or free stara (its last owner, and stara is not nova).
bool Prevzemi(Vir vrsta, void const *stara, void const *nova, void const *izvor, void const *lastnik);
/// True when a copy of lastnik has closed vrednost or given it away: lastnik holds a dead value.
bool JeMrtva(Vir vrsta, void const *vrednost, void const *lastnik);
/// True when lastnik must not resize vrednost in place: copies still use it, or it is dead.
bool JeDeljena(Vir vrsta, void const *vrednost, void const *lastnik);
/// lastnik has closed vrednost or given it away to a new owner: its share goes, and the shares of its
/// copies stay only to tell them that the value is no longer theirs.
void Zaprta(Vir vrsta, void const *vrednost, void const *lastnik);

} // namespace Deljeno
} // namespace Zrno::Notranje

#endif
