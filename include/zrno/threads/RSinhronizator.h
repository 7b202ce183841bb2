/// \file
/// The waitable object: an RSisElement whose handle can be waited on (Zakleni) and released or
/// signalled (Odkleni). Events, semaphores, mutexes, waitable timers and threads all derive from it.
#ifndef ZRNO_THREADS_RSINHRONIZATOR_H
#define ZRNO_THREADS_RSINHRONIZATOR_H

#include <zrno/frame/Elementi.h>

/// A waitable system object. It owns its handle: the destructor closes a valid one. Copies name the
/// same handle, and only the last of them to go closes it.
/// The system object may be used from any thread and process; the wrapper takes no lock of its own, and a
/// mutex is released by the thread that holds it.
class ZRNO_API RSinhronizator : public RSisElement {
  public:
    /// Takes ownership of rocica (default: none).
    RSinhronizator(void *rocica = reinterpret_cast<void *>(-1));
    /// Copies share the handle; only the last of them to go closes it. Use Podvoji for a second owner.
    RSinhronizator(const RSinhronizator &o);
    ~RSinhronizator() override;
    /// Gives up the handle held before (closed when this was its last owner), then shares the other's.
    RSinhronizator &operator=(const RSinhronizator &o);

    int Uporabi(void *rocica) override;
    void *Odpusti() override;
    /// Closes the handle: 0, 1 when there is none, NAP_ROCICA when a copy has closed it already, or
    /// the mapped error (default NAP_ZAPIRANJE).
    int Zapri() override;

    /// Releases or signals the object. The base class cannot: NAP_NIPODPRTO.
    virtual int Odkleni();
    /// Waits at most cas ms (0xFFFFFFFF: for ever). 0 signalled, 1 an abandoned mutex that the caller
    /// now owns, NAP_CASOVNIROK on time-out, or the mapped error (default NAP_ZAKLEPANJE).
    virtual int Zakleni(unsigned int cas);

    /// Takes the object only if it is free now (Zakleni with 0).
    int PogojnoZakleni() { return Zakleni(0); }
    /// Another name for Zakleni.
    int Pocakaj(unsigned int cas) { return Zakleni(cas); }
    /// Another name for Odkleni.
    int Postavi() { return Odkleni(); }
};

#endif
