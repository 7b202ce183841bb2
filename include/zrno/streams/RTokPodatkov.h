/// \file
/// Zrno data streams: the abstract stream with its non-sticky state and its helpers.
///
/// Every stream records the outcome of its last operation in its state: 0 success, 1 nothing to close,
/// NAP_KONECPODATKOV (0x8000005F) end of data, any other negative value a failure. The state is not
/// sticky: the next operation overwrites it. Counts are bytes unless a member says otherwise.
#ifndef ZRNO_STREAMS_RTOKPODATKOV_H
#define ZRNO_STREAMS_RTOKPODATKOV_H

#include <zrno/frame/Elementi.h>

struct tagSAFEARRAY;
class RNizA;
class RNizU;
namespace Zrno::Notranje {
class Zaloga; // lets the line reader scan the buffered streams' buffers in place
}

/// The abstract stream: read, write, close, flush, and the state of the last operation. A stream
/// object is used by one thread at a time; a class that may be shared says so.
class ZRNO_API RTokPodatkov : public virtual RIzpElement {
  public:
    RTokPodatkov() : m_stanje(0) {}
    /// Copies the state and nothing else.
    RTokPodatkov(const RTokPodatkov &o) : RElement(o), RIzpElement(o), m_stanje(o.m_stanje) {}
    ~RTokPodatkov() override;
    /// Copies the state and nothing else; returns the object.
    RTokPodatkov &operator=(const RTokPodatkov &o) {
        m_stanje = o.m_stanje;
        return *this;
    }

    /// Reads up to stevilo bytes; returns the count delivered. A non-zero request either delivers at
    /// least one byte or leaves a negative state.
    virtual unsigned int Preberi(void *medpomnilnik, unsigned int stevilo) = 0;
    /// Writes stevilo bytes; returns the count accepted.
    virtual unsigned int Zapisi(void const *medpomnilnik, unsigned int stevilo) = 0;
    /// Closes the stream; the result is also the state.
    virtual int Zapri() = 0;

    /// The result of the last operation.
    int VrniStanje() const { return m_stanje; }
    /// True after end of data or a failure (state < 0).
    bool JeKonec() const { return m_stanje < 0; }
    /// Sets the state to 0.
    void ResetirajStanje() { m_stanje = 0; }

    /// Reads stevilo elements of velikost bytes, looping until done or the state turns negative;
    /// returns whole elements read (a partial last element stays in the buffer, uncounted). A byte
    /// count beyond 32 bits is refused with NAP_PARAMETER, nothing read (never a wrapped size).
    unsigned int PreberiTab(void *medpomnilnik, unsigned int velikost, unsigned int stevilo);
    /// One Zapisi of velikost * stevilo bytes; returns whole elements accepted. NAP_PARAMETER, nothing
    /// written, when the byte count does not fit 32 bits.
    unsigned int ZapisiTab(void const *medpomnilnik, unsigned int velikost, unsigned int stevilo);
    /// Reads one byte; meaningless when the state is negative afterwards.
    unsigned char PreberiBajt();
    /// Writes one byte; returns the state afterwards.
    int ZapisiBajt(unsigned char vrednost);
    /// Reads one line of code-page text up to LF (not stored; a CR just before it is dropped);
    /// returns its length. At the end of data the state is negative and the text read so far is kept.
    unsigned int PreberiVrstico(RNizA &vrstica);
    /// UTF-16 twin of the above: the units are 16-bit code units in machine order.
    unsigned int PreberiVrstico(RNizU &vrstica);
    /// Copies up to stevilo bytes from vir (all of it for 0xFFFFFFFFFFFFFFFF) in chunks of at most
    /// 4096; returns bytes written. Bytes a source delivers together with its end (a cache, a socket)
    /// or its failure are written too. The source's end of data leaves this state at 0, its failure
    /// is taken over; NAP_POMNILNIK when the transfer buffer cannot be had.
    unsigned __int64 ZapisiTok(RTokPodatkov &vir, unsigned __int64 stevilo);
    /// Writes the bytes of a one-dimensional VT_UI1 array; NAP_PARAMETER in the state when it cannot
    /// be locked.
    unsigned int ZapisiSAFEARRAY(tagSAFEARRAY *polje);
    /// Writes printf-style formatted code-page text (no terminator); returns characters written. As
    /// with RNizOP::Oblikuj, `%n` writes through a pointer: never take the format from untrusted input.
    unsigned int ZapisiObl(char const *oblika, ...);
    /// Writes printf-style formatted UTF-16 text (`%s` UTF-16, `%S` code-page); returns characters
    /// written.
    unsigned int ZapisiObl(unsigned short const *oblika, ...);
    /// ZapisiObl with an argument list (a va_list).
    ///@{
    unsigned int ZapisiOblP(char const *oblika, char *argumenti);
    unsigned int ZapisiOblP(unsigned short const *oblika, char *argumenti);
    ///@}

  protected:
    /// Records a result in the state and returns it.
    int NastaviStanje(int rezultat) { return m_stanje = rezultat; }

    friend struct PreverjanjeRazporeditve;
    /// The result of the last operation.
    int m_stanje;

  private:
    template <typename T> unsigned int ZapisiOblT(T const *oblika, char *argumenti);
};

#endif
