/// \file
/// A waitable timer whose completion routine calls the virtual ObAlarmu on the thread that armed it.
#ifndef ZRNO_THREADS_RCASOMER_H
#define ZRNO_THREADS_RCASOMER_H

#include <zrno/threads/RSinhronizator.h>

/// A waitable timer. Arming it (Nastavi, Odkleni) also queues Rokovalnik, which runs ObAlarmu on the
/// arming thread while that thread waits alertably; a thread that never does never sees ObAlarmu.
class ZRNO_API RCasomer : public RSinhronizator {
  public:
    enum : unsigned int {
        ROCNI = 2 ///< manual reset (otherwise a synchronisation timer)
    };
    /// Creates (or opens, when a named one exists) a timer; ime is code-page text, null for none.
    RCasomer(unsigned int zastavice = 0, char const *ime = nullptr);
    /// The same for an int, so that a literal 0 does not pick the handle constructor.
    RCasomer(int zastavice, char const *ime = nullptr)
        : RCasomer(static_cast<unsigned int>(zastavice), ime) {}
    /// Takes ownership of an existing timer handle.
    RCasomer(void *rocica);
    /// Copies share the handle; only the last of them to go closes it.
    RCasomer(const RCasomer &o) = default;
    /// Shares the other's handle (see RSinhronizator::operator=).
    RCasomer &operator=(const RCasomer &o) = default;
    /// The last owner cancels the timer before closing it, so that no completion routine queued for
    /// this object can run after it is gone.
    ~RCasomer() override;

    /// Arms the timer to fire at once (default NAP_ODKLEPANJE).
    int Odkleni() override;
    /// Arms the timer: cas in ms, negative = from now, positive = absolute UTC since 1601-01-01;
    /// perioda in ms, 0 for one shot (default NAP_NASTAVICASOMER).
    int Nastavi(__int64 cas, unsigned int perioda);
    /// Cancels the timer (default NAP_PREKINI).
    int Prekini();

    /// The completion routine: calls ((RCasomer *) argument)->ObAlarmu with the firing time.
    static void __stdcall Rokovalnik(void *argument, unsigned long spodnji, unsigned long zgornji);

  protected:
    /// The timer fired: cas is the system time in 100-ns units since 1601-01-01. Does nothing here.
    virtual void ObAlarmu(__int64 cas);
};

#endif
