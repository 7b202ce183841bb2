// Who closes a handle or frees a heap block that an object holds, and when. A policy per kind of value
// carries its empty values, its closer and its sharing rule: either nothing closes the value but an
// explicit Zapri (copies are raw copies, as the roots prescribe), or copies share it and the last one
// to let go closes or frees it. Lastnina<Politika> works on the object's own field, whose layout is
// part of the interface, so a class's copy, assignment, destructor, Zapri, Uporabi and Odpusti are one
// call each.
//
// Shared values are tracked by owner address in a small table (Lastnina.cpp), so that an unrelated
// object that later receives the same value (a handle number or heap address handed out again) is
// never taken for one of the copies, and a copy whose value another copy has closed or given away
// finds it dead and leaves it alone. Calls come from the object that holds the value, in assignment
// before the raw value is overwritten. Empty values are never shared.
#ifndef ZRNO_NOTRANJE_FRAME_LASTNINA_H
#define ZRNO_NOTRANJE_FRAME_LASTNINA_H

#include <zrno/frame.h>

namespace Zrno::Notranje {

/// Kind of value: a handle and a block at the same number are different values.
enum class Vir { Rocica, Blok };

namespace Deljeno {
// The values are never empty: Lastnina tests its policy's empty values before each call.

/// kopija (holding no share yet) now shares vrednost with izvor. When the table cannot grow the copy
/// stays untracked and closes on its own, as a plain raw copy would.
void Deli(Vir vrsta, void const *vrednost, void const *izvor, void const *kopija);
/// Removes lastnik's share. True when the caller must close or free: it was the last owner or never
/// shared it. False when copies still hold it or one of them has closed it already.
bool Izpusti(Vir vrsta, void const *vrednost, void const *lastnik);
/// True when a copy of lastnik has closed vrednost or given it away: lastnik holds a dead value.
bool JeMrtva(Vir vrsta, void const *vrednost, void const *lastnik);
/// True when copies still use vrednost besides lastnik, or it is dead.
bool JeDeljena(Vir vrsta, void const *vrednost, void const *lastnik);
/// lastnik has closed vrednost or given it away: its share goes, and the shares of its copies stay
/// only to tell them that the value is no longer theirs.
void Zaprta(Vir vrsta, void const *vrednost, void const *lastnik);

} // namespace Deljeno

/// A kernel handle of the roots: CloseHandle. Zapri of 0 or INVALID_HANDLE_VALUE answers 1; a closed
/// object holds INVALID_HANDLE_VALUE, a failed close keeps the handle. Copies are raw.
struct Rocica {
    static constexpr Vir vrsta = Vir::Rocica;
    static constexpr bool deljena = false;          // true: copies share it, the last one closes it
    static constexpr bool pozabiObNeuspehu = false; // true: a failed close forgets the value too
    static bool JePrazna(void const *v) { return v == nullptr || v == reinterpret_cast<void const *>(-1); }
    static void *Prazna() { return reinterpret_cast<void *>(-1); }
    static int Zapri(void *v) { return RSisElement::Zapri(v); }
};

/// A kernel handle shared by the copies of a waitable object or a disk file: the last one closes it.
struct DeljenaRocica : Rocica {
    static constexpr bool deljena = true;
};

/// A block of the private heap: SprostiPomnilnik.
struct Blok {
    static constexpr Vir vrsta = Vir::Blok;
    static constexpr bool deljena = false;
    static constexpr bool pozabiObNeuspehu = false;
    static bool JePrazna(void const *v) { return v == nullptr; }
    static void *Prazna() { return nullptr; }
    static int Zapri(void *v) { return SprostiPomnilnik(v), OK; }
};

/// A block of the private heap shared by copies: the last one frees it.
struct DeljenBlok : Blok {
    static constexpr bool deljena = true;
};

/// The operations over an object's field v of a pointer type; lastnik is the object.
template <class P> struct Lastnina {
    /// Copy constructor, after copying the raw value.
    template <class T> static void Kopija(T v, void const *izvor, void const *kopija) {
        if (P::deljena && !P::JePrazna(v))
            Deljeno::Deli(P::vrsta, v, izvor, kopija);
    }
    /// Assignment: the value held before goes as in the destructor, then v takes izvor's value.
    template <class T> static void Prevzemi(T &v, T nova, void const *izvor, void const *lastnik) {
        if (v != nova)
            Izpusti(v, lastnik);
        else
            Pozabi(v, lastnik); // its share is taken again below
        v = nova;
        Kopija(v, izvor, lastnik);
    }
    /// Destructor, or letting a value go (a block, also its Zapri): the last owner closes or frees it.
    /// Nothing closes a value that is not shared implicitly.
    template <class T> static void Izpusti(T &v, void const *lastnik) {
        if (P::deljena && !P::JePrazna(v) && Deljeno::Izpusti(P::vrsta, v, lastnik))
            P::Zapri(v);
        if (P::deljena)
            v = static_cast<T>(P::Prazna());
    }
    /// Drops this object's share without closing the value (it is overwritten, or moved elsewhere).
    template <class T> static void Pozabi(T v, void const *lastnik) {
        if (P::deljena && !P::JePrazna(v))
            Deljeno::Izpusti(P::vrsta, v, lastnik);
    }
    /// Closes the value for every copy: 1 when there is none, NAP_ROCICA when a copy closed it already
    /// (closing the number again could close an unrelated object's handle), else the closer's result.
    template <class T> static int Zapri(T &v, void const *lastnik) {
        if (P::JePrazna(v))
            return OK_NICNAREDITI;
        if (P::deljena && Deljeno::JeMrtva(P::vrsta, v, lastnik))
            return NAP_ROCICA;
        const int r = P::Zapri(v);
        if (r == OK || P::pozabiObNeuspehu) {
            if (P::deljena)
                Deljeno::Zaprta(P::vrsta, v, lastnik);
            v = static_cast<T>(P::Prazna());
        }
        return r;
    }
    /// Adopts nova; the value held before is neither closed nor released. The same value again keeps a
    /// live share, but not a dead one: it has since been handed out anew.
    template <class T> static int Uporabi(T &v, T nova, void const *lastnik) {
        if (P::deljena && (nova != v || JeMrtva(v, lastnik)))
            Pozabi(v, lastnik);
        v = nova;
        return OK;
    }
    /// Gives the value up without closing it: this object leaves, copies that share it still own it.
    template <class T> static T Odpusti(T &v, void const *lastnik) {
        T prej = v;
        Pozabi(v, lastnik);
        v = static_cast<T>(P::Prazna());
        return prej;
    }
    /// Hands the value to the caller, who owns it alone from now on: copies no longer close or free it.
    template <class T> static T Predaj(T &v, void const *lastnik) {
        T prej = v;
        if (P::deljena && !P::JePrazna(v))
            Deljeno::Zaprta(P::vrsta, v, lastnik);
        v = static_cast<T>(P::Prazna());
        return prej;
    }
    /// True when another copy still uses v or it is dead: v must not be resized or disarmed in place.
    template <class T> static bool JeDeljena(T v, void const *lastnik) {
        return P::deljena && !P::JePrazna(v) && Deljeno::JeDeljena(P::vrsta, v, lastnik);
    }
    template <class T> static bool JeMrtva(T v, void const *lastnik) {
        return P::deljena && !P::JePrazna(v) && Deljeno::JeMrtva(P::vrsta, v, lastnik);
    }
};

} // namespace Zrno::Notranje

#endif
