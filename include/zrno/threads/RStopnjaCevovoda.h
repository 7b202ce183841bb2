/// \file
/// A pipeline stage: a message thread that knows the next stage, to which a derived stage posts what
/// it has handled.
#ifndef ZRNO_THREADS_RSTOPNJACEVOVODA_H
#define ZRNO_THREADS_RSTOPNJACEVOVODA_H

#include <zrno/threads/RDogNit.h>

/// A message thread with a next stage (not owned, null for none).
class ZRNO_API RStopnjaCevovoda : public RDogNit {
  public:
    /// A stage passing on to naslednja (not owned; null for none).
    RStopnjaCevovoda(RDogNit *naslednja = nullptr);
    /// Copies share the thread handle and identifier; only the last of them to go closes the handle.
    RStopnjaCevovoda(const RStopnjaCevovoda &o) = default;
    /// Shares the other's thread handle and identifier (see RSinhronizator::operator=).
    RStopnjaCevovoda &operator=(const RStopnjaCevovoda &o) = default;
    ~RStopnjaCevovoda() override;

    /// Replaces the next stage (not owned; null for none).
    void UporabiNaslednjo(RDogNit *naslednja) { m_naslednja = naslednja; }

  protected:
    friend struct PreverjanjeRazporeditve;
    /// The next stage (not owned); null for none.
    RDogNit *m_naslednja;
};

#endif
