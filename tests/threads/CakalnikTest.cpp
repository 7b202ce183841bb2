// The lock holders: nesting and release on scope exit (also after a failed wait), wait-any and
// wait-all with the object that came back, and more objects than the system waits on.
#include "Pomoc.h"
#include <gtest/gtest.h>
#include <memory>
#include <vector>

using namespace niti;

namespace {

// Whether another thread can take the mutex now (it releases it again at once).
bool JeProst(RNevarenOdsek &m) {
    return NaDrugiNiti([&] {
        const int r = m.Zakleni(0);
        if (r >= 0)
            m.Odkleni();
        return unsigned(r >= 0);
    }) == 1;
}

} // namespace

TEST(RCakalnik, NestedLocksReleasedOnScopeExit) {
    RNevarenOdsek m;
    {
        RCakalnik c(m, true);
        EXPECT_EQ(c.Zakleni(ROK), 0);
        EXPECT_EQ(c.PogojnoZakleni(), 0);
        EXPECT_EQ(c.Odkleni(), 0);
        EXPECT_FALSE(JeProst(m)) << "still held twice";
    }
    EXPECT_TRUE(JeProst(m)) << "the destructor released both remaining locks";

    RCakalnik enkrat(m, true);
    EXPECT_EQ(enkrat.Odkleni(), 0);
    EXPECT_EQ(enkrat.Odkleni(), Zrno::NAP_NICZAKLENJENO);
}

TEST(RCakalnik, FailedWaitIsNotReleased) {
    RSemafor s(1, 2);
    {
        RCakalnik c(s, true);
        EXPECT_EQ(c.Zakleni(0), Zrno::NAP_CASOVNIROK);
    }
    EXPECT_EQ(s.Zakleni(0), 0);
    EXPECT_EQ(s.Zakleni(0), Zrno::NAP_CASOVNIROK) << "one lock taken, one unit given back, not two";

    RDogodek d(0);
    {
        RCakalnik c(d, false);
        EXPECT_EQ(c.Zakleni(0), Zrno::NAP_CASOVNIROK);
    }
    EXPECT_EQ(d.Zakleni(0), Zrno::NAP_CASOVNIROK) << "nothing counted, nothing signalled";
}

TEST(RCakalnik, CopyOnAnotherThreadCannotRelease) {
    RNevarenOdsek m;
    {
        RCakalnik c(m, true);
        // The copy counts the same lock, but its thread does not own the mutex: the release fails, and
        // the copy's destructor tries once more and ends.
        EXPECT_EQ(NaDrugiNiti([&] {
                      RCakalnik kopija(c);
                      return unsigned(kopija.Odkleni());
                  }),
                  unsigned(Zrno::NAP_ODKLEPANJE));
        EXPECT_FALSE(JeProst(m));
    }
    EXPECT_TRUE(JeProst(m));
}

TEST(RMultiCakalnik, WaitAnyHoldsTheObjectThatCameBack) {
    // Three objects, none signalled; each row signals one and checks that exactly that one is held.
    RDogodek d(0);
    RSemafor s;
    RNevarenOdsek m;
    RDogodek naprej(RDogodek::ROCNI), zaseden(RDogodek::ROCNI);
    Nit lastnik([&] { // holds the mutex until told to let go
        m.Zakleni(ROK);
        zaseden.Odkleni();
        naprej.Zakleni(ROK);
        m.Odkleni();
        return 0u;
    });
    ASSERT_EQ(lastnik.Odkleni(), 0);
    ASSERT_EQ(zaseden.Zakleni(ROK), 0);

    RSinhronizator *objekti[] = {&d, &s, &m};
    RMultiCakalnik w(objekti, 3, false);
    EXPECT_EQ(w.Zakleni(0, false), Zrno::NAP_CASOVNIROK);

    d.Odkleni();
    EXPECT_EQ(w.Zakleni(ROK, false), 0);
    EXPECT_EQ(d.Zakleni(0), Zrno::NAP_CASOVNIROK) << "the wait consumed the event";
    EXPECT_EQ(w.Odkleni(), 0);
    EXPECT_EQ(d.Zakleni(0), 0) << "index 0 was held: Odkleni set the event again";

    s.Odkleni();
    EXPECT_EQ(w.Zakleni(ROK, false), 0);
    EXPECT_EQ(w.Odkleni(), 0);
    EXPECT_EQ(s.Zakleni(0), 0) << "index 1 was held: the unit came back";
    EXPECT_EQ(d.Zakleni(0), Zrno::NAP_CASOVNIROK) << "index 0 was not held this time";

    naprej.Odkleni();
    ASSERT_EQ(lastnik.Zakleni(ROK), 0);
    EXPECT_EQ(w.Zakleni(ROK, false), 0);
    EXPECT_FALSE(JeProst(m)) << "index 2: this thread owns the mutex";
    EXPECT_EQ(w.Odkleni(), 0);
    EXPECT_TRUE(JeProst(m));

    EXPECT_EQ(w.PogojnoZakleni(1), Zrno::NAP_CASOVNIROK);
    s.Odkleni();
    EXPECT_EQ(w.PogojnoZakleni(1), 0);
    EXPECT_EQ(w.Odkleni(), 0);
    EXPECT_EQ(s.Zakleni(0), Zrno::NAP_CASOVNIROK) << "what PogojnoZakleni took is not released by Odkleni";
}

TEST(RMultiCakalnik, WaitAllOverEventSemaphoreMutexThread) {
    RDogodek d(RDogodek::ROCNI);
    RSemafor s(1, 1);
    RNevarenOdsek m;
    RDogodek pusti(RDogodek::ROCNI);
    Nit nit([&] { return unsigned(pusti.Zakleni(ROK)); });
    ASSERT_EQ(nit.Odkleni(), 0);
    void *prva = nullptr;
    nit.Podvoji(false, &prva);
    RSinhronizator prvaNit(prva);

    RSinhronizator *objekti[] = {&d, &s, &m, &nit};
    {
        RMultiCakalnik w(objekti, 4, false);
        EXPECT_EQ(w.Zakleni(0, true), Zrno::NAP_CASOVNIROK) << "event not set, thread running";
        d.Odkleni();
        EXPECT_EQ(w.Zakleni(0, true), Zrno::NAP_CASOVNIROK) << "the thread still runs";
        EXPECT_EQ(s.Zakleni(0), 0) << "a failed wait-all takes nothing";
        s.Odkleni();
        pusti.Odkleni();
        EXPECT_EQ(w.Zakleni(ROK, true), 0);
        EXPECT_EQ(s.Zakleni(0), Zrno::NAP_CASOVNIROK);
        EXPECT_FALSE(JeProst(m));
        const unsigned int koda = nit.VrniKodo();
        pusti.Resetiraj();
        // Releasing a held thread is its Odkleni: it starts the thread again.
        EXPECT_EQ(w.Odkleni(), 0);
        EXPECT_NE(nit.VrniKodo(), koda);
        EXPECT_EQ(s.Zakleni(0), 0);
        EXPECT_TRUE(JeProst(m));
        pusti.Odkleni();
    }
    EXPECT_EQ(nit.Zakleni(ROK), 0);
    EXPECT_EQ(prvaNit.Zakleni(0), 0);
    nit.Zapri();
}

TEST(RMultiCakalnik, MoreObjectsThanTheSystemWaitsOn) {
    std::vector<std::unique_ptr<RDogodek>> dogodki;
    std::vector<RSinhronizator *> objekti;
    std::vector<void *> rocice;
    for (int i = 0; i < 65; ++i) {
        dogodki.emplace_back(new RDogodek(RDogodek::SIGNALIZIRAN | RDogodek::ROCNI));
        objekti.push_back(dogodki.back().get());
        rocice.push_back(dogodki.back()->VrniRocico());
    }
    RMultiCakalnik w(objekti.data(), 65, true); // the locking wait fails too, and holds nothing
    EXPECT_EQ(w.Zakleni(0, false), Zrno::NAP_CASOVNIROK);
    EXPECT_EQ(w.Odkleni(), 0);
    EXPECT_EQ(RMultiCakalnik::Pocakaj(rocice.data(), 65, false, 0), Zrno::NAP_PARAMETER);
    EXPECT_EQ(RMultiCakalnik::Pocakaj(rocice.data(), 64, true, 0), 0);
    RMultiCakalnik kopija(w), dodeljen(objekti.data(), 1, true);
    dodeljen = kopija; // the assigned-over waiter releases what it held; the arrays are shared
    EXPECT_EQ(dogodki[0]->Zakleni(0), 0);
}
