/// \file
/// A timer thread: it sleeps until its waitable timer fires and then does one piece of work.
#ifndef ZRNO_THREADS_RCASOVNAPAST_H
#define ZRNO_THREADS_RCASOVNAPAST_H

#include <zrno/threads/RCasomer.h>
#include <zrno/threads/RNit.h>

/// One run handles one alarm: Odpri and Nastavi (in either order), then either ObAlarmu runs on the
/// thread and its result is the exit code, or Zakljuci wakes the thread early and it ends with
/// 0xFFFFFFFF.
class ZRNO_API RCasovnaPast : public RNit {
  public:
    RCasovnaPast();
    /// Copies share the thread handle and identifier; only the last of them to go closes the handle.
    RCasovnaPast(const RCasovnaPast &o) = default;
    /// Shares the other's thread handle and identifier (see RSinhronizator::operator=).
    RCasovnaPast &operator=(const RCasovnaPast &o) = default;
    ~RCasovnaPast() override;

    using RNit::Odpri;
    /// Clears the end request, then starts the thread.
    int Odpri(void *parameter, T_NITZACETNOSTANJE stanje, unsigned int sklad);
    /// Clears the end request, then arms the timer for one shot: cas in ms, negative = from now,
    /// positive = absolute UTC since 1601-01-01 (default NAP_NASTAVICASOMER).
    int Nastavi(__int64 cas);
    /// Requests the end and fires the timer at once; returns the timer's Odkleni.
    int Zakljuci();

  protected:
    unsigned int Izvedi(void *parameter) override;
    /// The alarm came; the result is the thread's exit code. Returns 0 here.
    virtual unsigned int ObAlarmu(void *parameter);

    friend struct PreverjanjeRazporeditve;
    /// The timer the thread waits on.
    RCasomer m_casomer;
    /// Set by Zakljuci: the thread ends without calling ObAlarmu.
    volatile bool m_konec;
};

#endif
