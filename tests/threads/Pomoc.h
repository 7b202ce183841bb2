// Small helpers of the thread tests: a thread running a function object, and bounded waits.
#ifndef ZRNO_TESTS_THREADS_POMOC_H
#define ZRNO_TESTS_THREADS_POMOC_H

#include <functional>
#include <gtest/gtest.h>
#include <zrno/threads.h>

namespace niti {

/// Every wait in these tests ends within this many milliseconds, or the test fails.
constexpr unsigned int ROK = 10000;

class Nit : public RNit {
  public:
    explicit Nit(std::function<unsigned int()> telo) : m_telo(std::move(telo)) {}

  protected:
    unsigned int Izvedi(void *) override { return m_telo(); }

  private:
    std::function<unsigned int()> m_telo;
};

/// A thread object for a handle obtained elsewhere; it never starts a thread of its own.
class TujaNit : public RNit {
  public:
    using RNit::RNit;

  protected:
    unsigned int Izvedi(void *) override { return 0; }
};

/// The thread's exit code (259 while it runs; 0xDEAD if it cannot be read).
inline unsigned int Koda(RNit &nit) {
    unsigned int koda = 0xDEAD;
    nit.VrniRezultat(&koda);
    return koda;
}

/// Runs telo on a new thread and returns its result once it has ended (within ROK).
inline unsigned int NaDrugiNiti(std::function<unsigned int()> telo) {
    Nit nit(std::move(telo));
    return nit.Odpri(nullptr, NIT_TECE, 0) == 0 && nit.Zakleni(ROK) == 0 ? Koda(nit) : 0xDEAD;
}

} // namespace niti

using namespace niti;

#endif
