/// \file
/// An event object.
#ifndef ZRNO_THREADS_RDOGODEK_H
#define ZRNO_THREADS_RDOGODEK_H

#include <zrno/threads/RSinhronizator.h>

/// An event. Odkleni sets it (default code NAP_ODKLEPANJE).
class ZRNO_API RDogodek : public RSinhronizator {
  public:
    enum : unsigned int {
        SIGNALIZIRAN = 1, ///< created signalled
        ROCNI = 2         ///< manual reset (otherwise auto-reset)
    };
    /// Creates (or opens, when a named one exists) an event; ime is code-page text, null for none.
    /// On failure the handle is null and every operation reports the system's error.
    RDogodek(unsigned int zastavice = 0, char const *ime = nullptr);
    /// The same for an int, so that a literal 0 does not pick the handle constructor.
    RDogodek(int zastavice, char const *ime = nullptr)
        : RDogodek(static_cast<unsigned int>(zastavice), ime) {}
    /// Takes ownership of an existing event handle.
    RDogodek(void *rocica);
    /// Copies share the handle; only the last of them to go closes it.
    RDogodek(const RDogodek &o) = default;
    /// Shares the other's handle (see RSinhronizator::operator=).
    RDogodek &operator=(const RDogodek &o) = default;
    ~RDogodek() override;

    int Odkleni() override;
    /// Signals the event and resets it once the waiting threads are released (default NAP_PULZ).
    int Impulz();
    /// Resets the event (default NAP_PONASTAVI).
    int Resetiraj();
};

#endif
