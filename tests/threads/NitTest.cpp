// Threads: exit codes, waiting, suspension, termination, priorities, and a thread outliving its object.
#include "Pomoc.h"
#include <windows.h>

namespace {

unsigned int __stdcall Navadna(void *p) { return *static_cast<unsigned int *>(p) + 1; }

} // namespace

TEST(RNit, ExitCodesAndControl) {
    RDogodek pusti(RDogodek::ROCNI);
    Nit nit([&] { return pusti.Zakleni(ROK) == 0 ? 42u : 1u; });
    EXPECT_EQ(nit.Zakleni(ROK), Zrno::NAP_ROCICA) << "no thread yet";
    ASSERT_EQ(nit.Odpri(nullptr, NIT_TECE, 0), 0);
    EXPECT_EQ(Koda(nit), 259u) << "still active";
    EXPECT_EQ(nit.Zamrzni(), 0);
    EXPECT_EQ(nit.Odmrzni(), 0);
    EXPECT_EQ(nit.NastaviPrioriteto(NIT_NAJNIZJA), 0);
    EXPECT_EQ(nit.VrniPrioriteto(), NIT_NAJNIZJA);
    pusti.Odkleni();
    ASSERT_EQ(nit.Zakleni(ROK), 0);
    EXPECT_EQ(Koda(nit), 42u);

    Nit zamrznjena([] { return 5u; }), sama([]() -> unsigned int { RNit::PrekiniTrenutnoNit(9); });
    ASSERT_EQ(zamrznjena.Odpri(nullptr, NIT_ZAMRZNJENA, 64 * 1024), 0);
    EXPECT_EQ(zamrznjena.Prekini(77), 0);
    ASSERT_EQ(sama.Odkleni(), 0);
    unsigned int vhod = 10;
    TujaNit navadna(RNit::Odpri(&Navadna, &vhod, NIT_TECE, 0));
    for (auto [n, koda] : {std::pair<RNit *, unsigned>{&zamrznjena, 77}, {&sama, 9}, {&navadna, 11}}) {
        ASSERT_EQ(n->Zakleni(ROK), 0);
        EXPECT_EQ(Koda(*n), koda);
    }
}

namespace {

// Owned by the test, so the thread object itself may go first.
struct Naloga {
    RDogodek zacel{0}, pusti{RDogodek::ROCNI};
};

// Signals that it runs, then waits to be let go; from then on it touches nothing of its object.
class Cakajoca : public RNit {
  protected:
    unsigned int Izvedi(void *p) override {
        Naloga *n = static_cast<Naloga *>(p);
        n->zacel.Odkleni();
        return n->pusti.Zakleni(ROK) == 0 ? 3 : 1;
    }
};

} // namespace

// The thread outlives its object: it goes on and ends with its own code, seen through a second handle.
TEST(RNit, DestroyingLeavesTheThreadRunning) {
    Naloga naloga;
    auto *nit = new Cakajoca;
    ASSERT_EQ(nit->Odpri(&naloga, NIT_TECE, 0), 0);
    ASSERT_EQ(naloga.zacel.Zakleni(ROK), 0);
    void *druga = nullptr;
    ASSERT_EQ(nit->Podvoji(false, &druga), 0);
    TujaNit tece(druga), a, b;
    delete nit;
    EXPECT_EQ(tece.Zakleni(0), Zrno::NAP_CASOVNIROK);
    naloga.pusti.Odkleni();
    ASSERT_EQ(tece.Zakleni(ROK), 0);
    EXPECT_EQ(Koda(tece), 3u);
    a.Uporabi(RNit::VrniTrenutnoNit(), 5);
    b.Uporabi(RNit::VrniTrenutnoNit(), 5);
    EXPECT_EQ(a.Zapri() + RSisElement::Zapri(b.Odpusti()), 0);
    EXPECT_EQ(a.VrniKodo() + b.VrniKodo(), 0u) << "the identifier goes with the handle";
}
