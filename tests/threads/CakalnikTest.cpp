// The lock holders: nesting, scope exit, wait-any and wait-all, more objects than the system waits on.
#include "Pomoc.h"

// Whether another thread can take the mutex now (it releases it again at once).
static bool JeProst(RNevarenOdsek &m) {
    return NaDrugiNiti([&] { return unsigned(m.Zakleni(0) >= 0 && m.Odkleni() == 0); }) == 1;
}

TEST(RCakalnik, NestingFailedWaitsAndScopeExit) {
    RNevarenOdsek m;
    {
        RCakalnik c(m, true);
        EXPECT_EQ((Izidi{c.Zakleni(ROK), c.PogojnoZakleni(), c.Odkleni()}), Izidi(3, 0));
        EXPECT_FALSE(JeProst(m)) << "still held twice";
    }
    EXPECT_TRUE(JeProst(m)) << "the destructor released both remaining locks";
    RCakalnik enkrat(m, true);
    EXPECT_EQ((Izidi{enkrat.Odkleni(), enkrat.Odkleni()}), (Izidi{0, Zrno::NAP_NICZAKLENJENO}));
    RSemafor s(1, 2);
    EXPECT_EQ(RCakalnik(s, true).Zakleni(0), CAS);
    EXPECT_EQ((Izidi{s.Zakleni(0), s.Zakleni(0)}), (Izidi{0, CAS}))
        << "one lock counted, one unit given back";
}

TEST(RMultiCakalnik, WaitAnyHoldsTheObjectThatCameBack) {
    RDogodek d(0);
    RSemafor s;
    RSinhronizator *objekti[] = {&d, &s};
    RMultiCakalnik w(objekti, 2, false);
    void *const rd = d.VrniRocico();
    EXPECT_EQ((Izidi{w.Zakleni(0, false), RMultiCakalnik::Pocakaj(&rd, 1, true, 0)}), (Izidi{CAS, CAS}));
    for (RSinhronizator *o : objekti) { // each comes back once and Odkleni gives it back
        o->Odkleni();
        EXPECT_EQ((Izidi{w.Zakleni(ROK, false), w.Odkleni(), d.Zakleni(0), s.Zakleni(0)}),
                  (Izidi{0, 0, o == &d ? 0 : CAS, o == &s ? 0 : CAS}));
    }
    s.Odkleni();
    EXPECT_EQ((Izidi{w.PogojnoZakleni(1), w.Odkleni(), s.Zakleni(0)}), (Izidi{0, 0, CAS}))
        << "what PogojnoZakleni took is not released by Odkleni";
}

TEST(RMultiCakalnik, WaitAllOverEventSemaphoreMutexThread) {
    RDogodek d(RDogodek::ROCNI), pusti(RDogodek::ROCNI);
    RSemafor s(1, 1);
    RNevarenOdsek m;
    Nit nit([&] { return unsigned(pusti.Zakleni(ROK)); });
    ASSERT_EQ(nit.Odkleni(), 0);
    RSinhronizator *objekti[] = {&d, &s, &m, &nit};
    RMultiCakalnik w(objekti, 4, false);
    d.Odkleni();
    EXPECT_EQ((Izidi{w.Zakleni(0, true), s.Zakleni(0), s.Odkleni(), pusti.Odkleni(), w.Zakleni(ROK, true)}),
              (Izidi{CAS, 0, 0, 0, 0}))
        << "the thread still ran, and a failed wait-all takes nothing";
    EXPECT_FALSE(JeProst(m));
    const unsigned int koda = nit.VrniKodo();
    // Releasing a held thread is its Odkleni: it starts the thread again (the old handle is left to the
    // waiter's copy, and leaks as the interface says).
    EXPECT_EQ((Izidi{w.Odkleni(), nit.VrniKodo() != koda, s.Zakleni(0), JeProst(m), nit.Zakleni(ROK)}),
              (Izidi{0, 1, 0, 1, 0}));
}

TEST(RMultiCakalnik, MoreObjectsThanTheSystemWaitsOn) {
    std::vector<RDogodek> dogodki;
    std::vector<RSinhronizator *> objekti;
    std::vector<void *> rocice;
    dogodki.reserve(65); // the waiters keep pointers
    for (int i = 0; i < 65; ++i) {
        dogodki.emplace_back(RDogodek::SIGNALIZIRAN | RDogodek::ROCNI);
        objekti.push_back(&dogodki.back()), rocice.push_back(dogodki.back().VrniRocico());
    }
    RMultiCakalnik w(objekti.data(), 65, true); // the locking wait fails too, and holds nothing
    EXPECT_EQ((Izidi{w.Zakleni(0, false), RMultiCakalnik::Pocakaj(rocice.data(), 65, false, 0),
                     RMultiCakalnik::Pocakaj(rocice.data(), 64, true, 0)}),
              (Izidi{CAS, Zrno::NAP_PARAMETER, 0}));
    RMultiCakalnik kopija(w), dodeljen(objekti.data(), 1, true);
    dodeljen = kopija; // the waiter assigned over releases what it held; the copies share the arrays
    EXPECT_EQ(dogodki[0].Zakleni(0), 0);
}
