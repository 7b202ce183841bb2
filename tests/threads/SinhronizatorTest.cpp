// Events, semaphores and mutexes: signalling rules, the codes of failed releases, abandoned mutexes.
#include "Pomoc.h"

TEST(RDogodek, ResetKindsAndSemaphoreMaximum) {
    RDogodek rocni(RDogodek::SIGNALIZIRAN | RDogodek::ROCNI), samodejni(0);
    RSemafor s; // initial count 0, maximum 1
    // Manual reset stays signalled; auto reset: one wait, or a pulse with nobody waiting, resets it.
    EXPECT_EQ((Izidi{rocni.Zakleni(0), rocni.Zakleni(0), rocni.Resetiraj(), rocni.PogojnoZakleni()}),
              (Izidi{0, 0, 0, CAS}));
    EXPECT_EQ((Izidi{samodejni.Odkleni(), samodejni.Zakleni(0), samodejni.Zakleni(0), samodejni.Impulz(),
                     samodejni.Zakleni(0)}),
              (Izidi{0, 0, CAS, 0, CAS}));
    EXPECT_EQ((Izidi{s.Zakleni(0), s.Odkleni(2), s.Odkleni(), s.Odkleni()}),
              (Izidi{CAS, Zrno::NAP_ODKLEPANJE, 0, Zrno::NAP_ODKLEPANJE}));
}

TEST(RNevarenOdsek, OwnershipAndAbandonment) {
    RNevarenOdsek m(RNevarenOdsek::LASTNISTVO);
    EXPECT_EQ(NaDrugiNiti([&] { return unsigned(m.Odkleni()); }), unsigned(Zrno::NAP_ODKLEPANJE))
        << "released by a thread that does not own it";
    EXPECT_EQ((Izidi{m.Odkleni(), m.Odkleni()}), (Izidi{0, Zrno::NAP_ODKLEPANJE}));

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
    const int pricakovano[] = {1, 0, CAS};
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(NaDrugiNiti([&] { return unsigned(m.Zakleni(0)); }), 0u);
        EXPECT_EQ(cakanja[i](), pricakovano[i]) << i;
        EXPECT_EQ(m.Odkleni(), 0) << i << ": the abandoned wait made this thread the owner";
    }
}
