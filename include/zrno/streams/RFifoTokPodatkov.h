/// \file
/// The first-in first-out stream: every write becomes one block of exactly its size in a list, and reads
/// take bytes from the front, finishing and freeing blocks as they go. No capacity limit but memory.
#ifndef ZRNO_STREAMS_RFIFOTOKPODATKOV_H
#define ZRNO_STREAMS_RFIFOTOKPODATKOV_H

#include <zrno/streams/RTokPodatkov.h>
#include <zrno/util/Zbirke.h>

/// One block of the FIFO: its size and its bytes (private heap, owned by the FIFO).
struct T_BINBLOK {
    unsigned int Velikost;  ///< bytes in the block
    unsigned char *Podatki; ///< the bytes
};

// The block list's containers are exported with the library.
extern template class ZRNO_API RZbirka<T_BINBLOK>;
extern template class ZRNO_API RSklad<T_BINBLOK>;
extern template class ZRNO_API RSeznam<T_BINBLOK>;

/// A FIFO in memory. It takes no lock, and its list lives in an unserialised heap: a producer and a
/// consumer on different threads share one lock of their own around every call.
class ZRNO_API RFifoTokPodatkov : public virtual RTokPodatkov {
  public:
    RFifoTokPodatkov();
    /// Copies refer to the same blocks (each freed once, by whichever of them frees it last) and
    /// keep their own read offset and length.
    RFifoTokPodatkov(const RFifoTokPodatkov &o);
    /// Frees every block.
    ~RFifoTokPodatkov() override;
    /// Drops the blocks held before, then copies.
    RFifoTokPodatkov &operator=(const RFifoTokPodatkov &o);

    /// Appends a copy of the bytes as one block (an empty one for 0 bytes); returns stevilo, or 0 with
    /// NAP_POMNILNIK when there is no memory (nothing is queued then).
    unsigned int Zapisi(void const *medpomnilnik, unsigned int stevilo) override;
    /// Takes up to stevilo bytes from the front; an empty FIFO gives 0 with NAP_KONECPODATKOV, and a
    /// later write makes data available again.
    unsigned int Preberi(void *medpomnilnik, unsigned int stevilo) override;
    /// Discards everything; the FIFO stays usable. Returns 0.
    int Zapri() override;
    /// Nothing to flush; returns 0.
    int Izplakni() override;
    /// Bytes available for reading.
    unsigned int VrniDolzino() const { return m_dolzina; }

  private:
    void Deli(const RFifoTokPodatkov &o);
    void OdstraniPrvega();

    friend struct PreverjanjeRazporeditve;
    unsigned int m_odmik;   ///< bytes of the first block already read
    unsigned int m_dolzina; ///< bytes written and not yet read
    RSeznam<T_BINBLOK> m_bloki;
};

#endif
