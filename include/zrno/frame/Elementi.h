/// \file
/// Zrno module frame: the three roots of the class tree. Every object is an RElement, every wrapper of a
/// system handle an RSisElement, everything that buffers an RIzpElement. Their
/// operations, as every operation of the library that can fail, answer with the result codes.
#ifndef ZRNO_FRAME_ELEMENTI_H
#define ZRNO_FRAME_ELEMENTI_H

#include <zrno/frame/Izvoz.h>
#include <zrno/frame/Napake.h>

/// Reads the private fields of the classes whose layout belongs to the interface, so that the layout is
/// checked at compile time for both pointer sizes (tests/interface). The library does not define it.
struct PreverjanjeRazporeditve;

/// The common root: any object of the library can be destroyed through an RElement pointer.
class ZRNO_API RElement {
  public:
    RElement() {}
    /// The root holds no data: copying and assigning copy nothing.
    RElement(const RElement &) {}
    virtual ~RElement();
    /// Copies nothing; returns the object itself.
    RElement &operator=(const RElement &) { return *this; }
};

/// The root of everything that buffers: Izplakni writes out what the object still holds.
class ZRNO_API RIzpElement : public virtual RElement {
  public:
    RIzpElement() {}
    /// Holds no data: copying and assigning copy nothing.
    RIzpElement(const RIzpElement &o) : RElement(o) {}
    ~RIzpElement() override;
    /// Copies nothing; returns the object itself.
    RIzpElement &operator=(const RIzpElement &) { return *this; }
    /// Writes out whatever is still buffered; 0 on success or a failure code.
    virtual int Izplakni() = 0;
};

/// The wrapper of one system handle. Copies share the raw handle; this part's destructor never closes
/// it (each derived class decides). INVALID_HANDLE_VALUE means no handle. No lock is taken: two copies
/// must not both close the handle they share.
class ZRNO_API RSisElement : public virtual RElement {
  public:
    /// Stores the handle (none by default); nothing is opened or duplicated.
    RSisElement(void *rocica = reinterpret_cast<void *>(-1)) : m_rocica(rocica) {}
    /// Copies share the raw handle: nothing is duplicated, closed or released. Use Podvoji for an
    /// independent handle.
    RSisElement(const RSisElement &o) : RElement(o), m_rocica(o.m_rocica) {}
    ~RSisElement() override;
    /// Shares the other's raw handle; the one held before is neither closed nor released.
    RSisElement &operator=(const RSisElement &o) {
        m_rocica = o.m_rocica;
        return *this;
    }

    /// Adopts a handle; the one held before is neither closed nor released. Returns 0.
    virtual int Uporabi(void *rocica);
    /// Gives the handle up without closing it and leaves the object empty.
    virtual void *Odpusti();
    /// Closes a valid handle (0, or the mapped error with NAP_ZAPIRANJE as default; the handle is kept
    /// on failure); returns 1 when there is nothing to close.
    virtual int Zapri();
    /// Duplicates the held handle (no validity test first) into *kopija; on failure *kopija becomes
    /// INVALID_HANDLE_VALUE and the result is the mapped error with NAP_PODVOJI as default.
    virtual int Podvoji(bool dedna, void **kopija);

    /// Closes any handle with CloseHandle, without a validity test.
    static int Zapri(void *rocica);
    /// Duplicates any handle within this process.
    static int Podvoji(void *rocica, bool dedna, void **kopija);

    /// The handle as held (INVALID_HANDLE_VALUE when none).
    void *VrniRocico() const { return m_rocica; }
    /// The handle as held, so the object passes where a HANDLE is wanted.
    operator void *() const { return m_rocica; }
    /// True when the handle is neither 0 nor INVALID_HANDLE_VALUE.
    bool JeVeljaven() const { return m_rocica != nullptr && m_rocica != reinterpret_cast<void *>(-1); }

  protected:
    friend struct PreverjanjeRazporeditve;
    void *m_rocica; ///< the handle; INVALID_HANDLE_VALUE when none
};

#endif
