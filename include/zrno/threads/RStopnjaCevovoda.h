// A pipeline stage: a message thread that knows the next stage, to which a derived stage posts what
// it has handled.
#ifndef ZRNO_THREADS_RSTOPNJACEVOVODA_H
#define ZRNO_THREADS_RSTOPNJACEVOVODA_H

#include <zrno/threads/RDogNit.h>

/// A message thread with a next stage (not owned, null for none).
class ZRNO_API RStopnjaCevovoda : public RDogNit {
  public:
    RStopnjaCevovoda(RDogNit *naslednja = nullptr);
    RStopnjaCevovoda(const RStopnjaCevovoda &o) = default;
    RStopnjaCevovoda &operator=(const RStopnjaCevovoda &o) = default;
    ~RStopnjaCevovoda() override;

    void UporabiNaslednjo(RDogNit *naslednja) { m_naslednja = naslednja; }

  protected:
    friend struct PreverjanjeRazporeditve;
    RDogNit *m_naslednja;
};

#endif
