/// \file
/// Waits on several waitable objects at once.
#ifndef ZRNO_THREADS_RMULTICAKALNIK_H
#define ZRNO_THREADS_RMULTICAKALNIK_H

#include <zrno/threads/RSinhronizator.h>

/// Waits on several RSinhronizator objects (not owned) together and releases those it holds when it
/// goes. The objects' handles are read once, at construction. Copies share the arrays.
/// It belongs to the thread that took the locks.
class ZRNO_API RMultiCakalnik : public RElement {
  public:
    /// With zakleni, waits for all objects without time-out and holds them all when that succeeds.
    /// The system waits on at most 64 objects; with more, every wait fails.
    RMultiCakalnik(RSinhronizator **objekti, unsigned int stevilo, bool zakleni);
    /// Copies share the arrays (freed by the last copy) and so the held flags.
    RMultiCakalnik(const RMultiCakalnik &o);
    /// Shares the other's arrays; returns the object.
    RMultiCakalnik &operator=(const RMultiCakalnik &o);
    /// Odkleni, then frees the arrays (the last copy frees them).
    ~RMultiCakalnik() override;

    /// Waits at most cas ms for all objects (vsi) or any one; 0 when they (or the one that came back)
    /// are now held, NAP_CASOVNIROK on any other outcome: time-out, an abandoned mutex, a failure.
    int Zakleni(unsigned int cas, bool vsi);
    /// The index-th object's Zakleni(0); what it takes is not held by the waiter.
    int PogojnoZakleni(unsigned int indeks);
    /// Releases every held object in order; the first failure is returned at once and the objects
    /// after it stay held. 0 when all are released.
    int Odkleni();

    /// Waits on raw handles: 0 when an object was signalled or abandoned, NAP_CASOVNIROK on time-out,
    /// otherwise the mapped error (default NAP_ZAKLEPANJE).
    static int Pocakaj(void *const *rocice, unsigned int stevilo, bool vsi, unsigned int cas);

  private:
    friend struct PreverjanjeRazporeditve;
    RSinhronizator **m_objekti;
    void **m_rocice;
    unsigned char *m_drzi;
    unsigned int m_stevilo;
};

#endif
