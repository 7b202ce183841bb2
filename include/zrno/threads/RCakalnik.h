/// \file
/// A scoped holder of one waitable object: it releases what it took when it goes.
#ifndef ZRNO_THREADS_RCAKALNIK_H
#define ZRNO_THREADS_RCAKALNIK_H

#include <zrno/threads/RSinhronizator.h>

/// Holds one RSinhronizator (not owned) and counts the locks taken through it; the destructor releases
/// each counted lock once. It belongs to the thread that took the locks.
class ZRNO_API RCakalnik : public RElement {
  public:
    /// With zakleni, waits for the object without time-out and counts the lock when that succeeds.
    RCakalnik(RSinhronizator &objekt, bool zakleni);
    /// The copy will release as many times again.
    RCakalnik(const RCakalnik &o) = default;
    ~RCakalnik() override;

    /// The object's Zakleni; a result of 0 or 1 counts one lock. Returns the result.
    int Zakleni(unsigned int cas);
    /// Zakleni(0): takes the object only if it is free now.
    int PogojnoZakleni() { return Zakleni(0); }
    /// Releases one counted lock: NAP_NICZAKLENJENO when none is counted, else the object's Odkleni.
    int Odkleni();

  private:
    friend struct PreverjanjeRazporeditve;
    RSinhronizator *m_objekt;
    int m_zaklepi;
};

#endif
