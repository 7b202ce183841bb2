/// \file
/// A semaphore object.
#ifndef ZRNO_THREADS_RSEMAFOR_H
#define ZRNO_THREADS_RSEMAFOR_H

#include <zrno/threads/RSinhronizator.h>

/// A counting semaphore. Odkleni releases units; passing the maximum fails with NAP_ODKLEPANJE.
class ZRNO_API RSemafor : public RSinhronizator {
  public:
    /// Creates (or opens, when a named one exists) a semaphore; ime is code-page text, null for none.
    RSemafor(unsigned int zacetno = 0, unsigned int najvec = 1, char const *ime = nullptr);
    /// The same for an int, so that a literal 0 does not pick the handle constructor.
    RSemafor(int zacetno, unsigned int najvec = 1, char const *ime = nullptr)
        : RSemafor(static_cast<unsigned int>(zacetno), najvec, ime) {}
    /// Takes ownership of an existing semaphore handle.
    RSemafor(void *rocica);
    /// Copies share the handle; only the last of them to go closes it.
    RSemafor(const RSemafor &o) = default;
    /// Shares the other's handle (see RSinhronizator::operator=).
    RSemafor &operator=(const RSemafor &o) = default;
    ~RSemafor() override;

    /// Releases one unit.
    int Odkleni() override;
    /// Releases stevilo units at once (default NAP_ODKLEPANJE).
    int Odkleni(unsigned int stevilo);
};

#endif
