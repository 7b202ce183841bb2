// Small helpers of the thread tests: a thread running a function object, and bounded waits.
#ifndef ZRNO_TESTS_THREADS_POMOC_H
#define ZRNO_TESTS_THREADS_POMOC_H

#include <functional>
#include <gtest/gtest.h>
#include <vector>
#include <zrno/threads.h>

/// Every wait in these tests ends within this many milliseconds, or the test fails.
constexpr unsigned int ROK = 10000;
constexpr int CAS = Zrno::NAP_CASOVNIROK;

/// Results of calls made in order (a braced list evaluates left to right), compared in one check.
using Izidi = std::vector<int>;

/// A thread running telo; without one, an object for a handle obtained elsewhere.
struct Nit : RNit {
    using RNit::RNit;
    explicit Nit(std::function<unsigned int()> telo = {}) : m_telo(std::move(telo)) {}
    unsigned int Izvedi(void *) override { return m_telo ? m_telo() : 0; }
    std::function<unsigned int()> m_telo;
};

/// The thread's exit code (259 while it runs; 0xDEAD if it cannot be read).
inline unsigned int Koda(RNit &nit) {
    unsigned int koda = 0xDEAD;
    return nit.VrniRezultat(&koda), koda;
}

/// Runs telo on a new thread and returns its result once it has ended (within ROK).
inline unsigned int NaDrugiNiti(std::function<unsigned int()> telo) {
    Nit nit(std::move(telo));
    return nit.Odpri(nullptr, NIT_TECE, 0) == 0 && nit.Zakleni(ROK) == 0 ? Koda(nit) : 0xDEAD;
}

#endif
