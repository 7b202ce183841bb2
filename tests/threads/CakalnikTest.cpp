// The lock holders: nesting and release on scope exit (also after a failed wait), wait-any and wait-all
// with the object that came back, and more objects than the system waits on.
#include "Pomoc.h"
#include <memory>
#include <vector>

namespace {

// Whether another thread can take the mutex now (it releases it again at once).
bool JeProst(RNevarenOdsek &m) {
    return NaDrugiNiti([&] { return unsigned(m.Zakleni(0) >= 0 && m.Odkleni() == 0); }) == 1;
}

} // namespace

TEST(RCakalnik, NestingFailedWaitsAndScopeExit) {
    RNevarenOdsek m;
    {
        RCakalnik c(m, true);
        EXPECT_EQ(c.Zakleni(ROK) + c.PogojnoZakleni(), 0);
        EXPECT_EQ(c.Odkleni(), 0);
        EXPECT_FALSE(JeProst(m)) << "still held twice";
    }
    EXPECT_TRUE(JeProst(m)) << "the destructor released both remaining locks";
    RCakalnik enkrat(m, true);
    EXPECT_EQ(enkrat.Odkleni(), 0);
    EXPECT_EQ(enkrat.Odkleni(), Zrno::NAP_NICZAKLENJENO);
    RSemafor s(1, 2);
    {
        RCakalnik c(s, true);
        EXPECT_EQ(c.Zakleni(0), Zrno::NAP_CASOVNIROK);
    }
    EXPECT_EQ(s.Zakleni(0), 0);
    EXPECT_EQ(s.Zakleni(0), Zrno::NAP_CASOVNIROK) << "one lock counted, one unit given back, not two";
}

TEST(RMultiCakalnik, WaitAnyHoldsTheObjectThatCameBack) {
    RDogodek d(0);
    RSemafor s;
    RSinhronizator *objekti[] = {&d, &s};
    RMultiCakalnik w(objekti, 2, false);
    EXPECT_EQ(w.Zakleni(0, false), Zrno::NAP_CASOVNIROK);
    for (RSinhronizator *o : objekti) { // each comes back once and Odkleni gives it back
        o->Odkleni();
        EXPECT_EQ(w.Zakleni(ROK, false), 0);
        EXPECT_EQ(w.Odkleni(), 0);
        EXPECT_EQ(d.Zakleni(0), o == &d ? 0 : Zrno::NAP_CASOVNIROK);
        EXPECT_EQ(s.Zakleni(0), o == &s ? 0 : Zrno::NAP_CASOVNIROK);
    }
    s.Odkleni();
    EXPECT_EQ(w.PogojnoZakleni(1), 0);
    EXPECT_EQ(w.Odkleni(), 0);
    EXPECT_EQ(s.Zakleni(0), Zrno::NAP_CASOVNIROK) << "what PogojnoZakleni took is not released by Odkleni";
}

TEST(RMultiCakalnik, WaitAllOverEventSemaphoreMutexThread) {
    RDogodek d(RDogodek::ROCNI), pusti(RDogodek::ROCNI);
    RSemafor s(1, 1);
    RNevarenOdsek m;
    Nit nit([&] { return unsigned(pusti.Zakleni(ROK)); });
    ASSERT_EQ(nit.Odkleni(), 0);
    RSinhronizator *objekti[] = {&d, &s, &m, &nit};
    {
        RMultiCakalnik w(objekti, 4, false);
        d.Odkleni();
        EXPECT_EQ(w.Zakleni(0, true), Zrno::NAP_CASOVNIROK) << "the thread still runs";
        EXPECT_EQ(s.Zakleni(0), 0) << "a failed wait-all takes nothing";
        s.Odkleni();
        pusti.Odkleni();
        EXPECT_EQ(w.Zakleni(ROK, true), 0);
        EXPECT_FALSE(JeProst(m));
        const unsigned int koda = nit.VrniKodo();
        // Releasing a held thread is its Odkleni: it starts the thread again (the old handle is left
        // to the waiter's copy, and leaks as the interface says).
        EXPECT_EQ(w.Odkleni(), 0);
        EXPECT_NE(nit.VrniKodo(), koda);
        EXPECT_EQ(s.Zakleni(0), 0);
        EXPECT_TRUE(JeProst(m));
    }
    EXPECT_EQ(nit.Zakleni(ROK), 0);
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
    EXPECT_EQ(RMultiCakalnik::Pocakaj(rocice.data(), 65, false, 0), Zrno::NAP_PARAMETER);
    EXPECT_EQ(RMultiCakalnik::Pocakaj(rocice.data(), 64, true, 0), 0);
    RMultiCakalnik kopija(w), dodeljen(objekti.data(), 1, true);
    dodeljen = kopija; // the waiter assigned over releases what it held; the copies share the arrays
    EXPECT_EQ(dogodki[0]->Zakleni(0), 0);
}
