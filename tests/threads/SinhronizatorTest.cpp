// Events, semaphores and mutexes: signalling rules, the codes of failed releases, abandoned mutexes.
#include "Pomoc.h"

TEST(RDogodek, ResetKindsAndSemaphoreMaximum) {
    RDogodek rocni(RDogodek::SIGNALIZIRAN | RDogodek::ROCNI), samodejni(0);
    EXPECT_EQ(rocni.Zakleni(0) + rocni.Zakleni(0), 0) << "manual reset stays signalled";
    EXPECT_EQ(rocni.Resetiraj(), 0);
    EXPECT_EQ(rocni.PogojnoZakleni(), Zrno::NAP_CASOVNIROK);
    EXPECT_EQ(samodejni.Odkleni(), 0);
    EXPECT_EQ(samodejni.Zakleni(0), 0);
    EXPECT_EQ(samodejni.Zakleni(0), Zrno::NAP_CASOVNIROK) << "auto reset: one wait consumes it";
    EXPECT_EQ(samodejni.Impulz(), 0);
    EXPECT_EQ(samodejni.Zakleni(0), Zrno::NAP_CASOVNIROK) << "a pulse with nobody waiting leaves it reset";

    RSemafor s; // initial count 0, maximum 1
    EXPECT_EQ(s.Zakleni(0), Zrno::NAP_CASOVNIROK);
    EXPECT_EQ(s.Odkleni(2), Zrno::NAP_ODKLEPANJE);
    EXPECT_EQ(s.Odkleni(), 0);
    EXPECT_EQ(s.Odkleni(), Zrno::NAP_ODKLEPANJE);
}

TEST(RNevarenOdsek, OwnershipAndAbandonment) {
    RNevarenOdsek m(RNevarenOdsek::LASTNISTVO);
    EXPECT_EQ(NaDrugiNiti([&] { return unsigned(m.Odkleni()); }), unsigned(Zrno::NAP_ODKLEPANJE))
        << "released by a thread that does not own it";
    EXPECT_EQ(m.Odkleni(), 0);
    EXPECT_EQ(m.Odkleni(), Zrno::NAP_ODKLEPANJE);

    // A thread that ends holding the mutex abandons it; the next wait owns it, and says so differently
    // through each kind of wait.
    void *rocica = m.VrniRocico();
    RSinhronizator *objekti[] = {&m};
    RMultiCakalnik cakalnik(objekti, 1, false);
    const std::function<int()> cakanja[] = {
        [&] { return m.Zakleni(0); },
        [&] { return RMultiCakalnik::Pocakaj(&rocica, 1, true, 0); },
        [&] { return cakalnik.Zakleni(0, true); },
    };
    const int pricakovano[] = {1, 0, Zrno::NAP_CASOVNIROK};
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(NaDrugiNiti([&] { return unsigned(m.Zakleni(0)); }), 0u);
        EXPECT_EQ(cakanja[i](), pricakovano[i]) << i;
        EXPECT_EQ(m.Odkleni(), 0) << i << ": the abandoned wait made this thread the owner";
    }
}
