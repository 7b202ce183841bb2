/// \file
/// A stream converter that feeds a digest with every byte read or written through it.
#ifndef ZRNO_DIGESTS_RODTISNIKTOKA_H
#define ZRNO_DIGESTS_RODTISNIKTOKA_H

#include <zrno/digests/ROdtisnik.h>
#include <zrno/streams/RPretvornikToka.h>

/// Digests the data passing through. The filter does not own the digest, which must outlive every use
/// of the filter; copies feed the same digest. Odpusti and Zapri finish the digest, the destructor
/// does not. A filter with its digest belongs to one thread at a time. A read that leaves a negative
/// state is delivered but not digested: over a stream that reports its end together with the last
/// bytes (RMedpomnilnik, RVticnica) those bytes are missing from the digest. Read such a stream
/// through an RIzravnalnik (which reports the end only with an empty read) under this filter.
class ZRNO_API ROdtisnikToka : public RPretvornikToka {
  public:
    /// Attaches tok when given; the digest is not reset.
    ROdtisnikToka(ROdtisnik &odtisnik, RTokPodatkov *tok = nullptr);
    /// Copies share the digest and the attached stream; neither is owned.
    ROdtisnikToka(const ROdtisnikToka &o);
    ~ROdtisnikToka() override;
    /// Takes the other's digest and stream (both shared, neither owned); returns the object.
    ROdtisnikToka &operator=(const ROdtisnikToka &o);

    /// Resets the digest, then attaches.
    int Uporabi(RTokPodatkov *tok) override;
    /// Finishes the digest, then detaches and returns the former stream.
    RTokPodatkov *Odpusti() override;
    /// Digests all the bytes first, then writes them through.
    unsigned int Zapisi(void const *medpomnilnik, unsigned int stevilo) override;
    /// Reads through; the bytes read are digested unless the read left a negative state.
    unsigned int Preberi(void *medpomnilnik, unsigned int stevilo) override;

  protected:
    friend struct PreverjanjeRazporeditve;
    /// The digest fed (not owned).
    ROdtisnik *m_odtisnik;
};

#endif
