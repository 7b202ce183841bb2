/// \file
/// A mutex object.
#ifndef ZRNO_THREADS_RNEVARENODSEK_H
#define ZRNO_THREADS_RNEVARENODSEK_H

#include <zrno/threads/RSinhronizator.h>

/// A mutex. Only the owning thread can release it: Odkleni by another thread fails with
/// NAP_ODKLEPANJE. A wait that finds it abandoned by its ended owner returns 1.
class ZRNO_API RNevarenOdsek : public RSinhronizator {
  public:
    enum : unsigned int {
        LASTNISTVO = 1 ///< the creating thread owns it at once
    };
    /// Creates (or opens, when a named one exists) a mutex; ime is code-page text, null for none.
    RNevarenOdsek(unsigned int zastavice = 0, char const *ime = nullptr);
    /// The same for an int, so that a literal 0 does not pick the handle constructor.
    RNevarenOdsek(int zastavice, char const *ime = nullptr)
        : RNevarenOdsek(static_cast<unsigned int>(zastavice), ime) {}
    /// Takes ownership of an existing mutex handle.
    RNevarenOdsek(void *rocica);
    /// Copies share the handle; only the last of them to go closes it.
    RNevarenOdsek(const RNevarenOdsek &o) = default;
    /// Shares the other's handle (see RSinhronizator::operator=).
    RNevarenOdsek &operator=(const RNevarenOdsek &o) = default;
    ~RNevarenOdsek() override;

    /// Releases the mutex (default NAP_ODKLEPANJE).
    int Odkleni() override;
};

#endif
