/// \file
/// Zrno data streams: the buffering converter (read-ahead and write-behind buffers).
#ifndef ZRNO_STREAMS_RIZRAVNALNIK_H
#define ZRNO_STREAMS_RIZRAVNALNIK_H

#include <zrno/streams/RPretvornikToka.h>

/// A buffering converter: a read-ahead and a write-behind buffer in front of the target, so that many
/// small transfers become few large ones. Pending writes leave by Izplakni, Odpusti, Zapri, an empty
/// Zapisi (a push) or an overflowing write; the destructor alone drops them.
class ZRNO_API RIzravnalnik : public virtual RPretvornikToka {
  public:
    /// A size of 0 makes that direction pass straight through. NAP_POMNILNIK in the state when a
    /// buffer cannot be had (the converter then works without it).
    RIzravnalnik(RTokPodatkov *cilj = nullptr, unsigned int branje = 256, unsigned int pisanje = 256);
    /// Copies share both buffers and the target, each keeping its own fill counts: two copies that
    /// both write duplicate and lose bytes. One writer per buffer: use one copy at a time, after
    /// Izplakni. The buffers are freed once, by the last owner.
    RIzravnalnik(const RIzravnalnik &o);
    ~RIzravnalnik() override;
    /// Shares the other's buffers and target, as a copy does; returns the object.
    RIzravnalnik &operator=(const RIzravnalnik &o);

    /// Discards buffered data of the previous target (pending writes too: detach first) and attaches.
    int Uporabi(RTokPodatkov *cilj) override;
    /// Writes out pending data, then detaches.
    RTokPodatkov *Odpusti() override;
    unsigned int Preberi(void *medpomnilnik, unsigned int stevilo) override;
    /// Buffers; a write of 0 bytes pushes pending data and an empty write down the chain. Returns the
    /// bytes accepted (taken into the buffer counts as accepted).
    unsigned int Zapisi(void const *medpomnilnik, unsigned int stevilo) override;
    /// Writes out pending data, then flushes the target.
    int Izplakni() override;

  protected:
    /// Passes the write buffer's pending bytes to the target; a short write keeps the rest pending
    /// and returns the target's state.
    int IzplakniIzravnalnik();

    friend struct PreverjanjeRazporeditve;
    unsigned char *m_branje;      ///< the read-ahead buffer (private heap); null when reads pass through
    unsigned int m_velBranja;     ///< its size
    unsigned int m_polnBranja;    ///< bytes it holds
    unsigned int m_indeksBranja;  ///< the next of them to hand out
    unsigned char *m_pisanje;     ///< the write-behind buffer (private heap); null when writes pass through
    unsigned int m_velPisanja;    ///< its size
    unsigned int m_polnPisanja;   ///< bytes it holds
    unsigned int m_oddanoPisanja; ///< of those, bytes already passed to the target

  private:
    friend class Zrno::Notranje::Zaloga; // readers and writers of single bytes use the buffers in place
    void Deli(const RIzravnalnik &o);
    void Sprosti();
    unsigned int PreberiPocasi(unsigned char *cilj, unsigned int stevilo);
    unsigned int ZapisiPocasi(unsigned char const *vir, unsigned int stevilo);
};

#endif
