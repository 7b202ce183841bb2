// Threads: exit codes, waiting, suspension, termination, priorities, and what closing or destroying
// the object does to a running thread.
#include "Pomoc.h"
#include <windows.h>
#include <gtest/gtest.h>

using namespace niti;

namespace {

unsigned int __stdcall Navadna(void *p) { return *static_cast<unsigned int *>(p) + 1; }

} // namespace

TEST(RNit, ExitCodesAndControl) {
    RDogodek pusti(RDogodek::ROCNI);
    Nit nit([&] { return pusti.Zakleni(ROK) == 0 ? 42u : 1u; });
    EXPECT_EQ(nit.Zakleni(ROK), Zrno::NAP_ROCICA) << "no thread yet";
    ASSERT_EQ(nit.Odpri(nullptr, NIT_TECE, 0), 0);
    EXPECT_NE(nit.VrniKodo(), 0u);
    EXPECT_EQ(Koda(nit), 259u) << "still active";
    EXPECT_EQ(nit.Zakleni(0), Zrno::NAP_CASOVNIROK);
    EXPECT_EQ(nit.Zamrzni(), 0);
    EXPECT_EQ(nit.Odmrzni(), 0);
    EXPECT_EQ(nit.NastaviPrioriteto(NIT_NAJNIZJA), 0);
    EXPECT_EQ(nit.VrniPrioriteto(), NIT_NAJNIZJA);
    pusti.Odkleni();
    ASSERT_EQ(nit.Zakleni(ROK), 0);
    EXPECT_EQ(Koda(nit), 42u);

    bool teklo = false;
    Nit zamrznjena([&] { return unsigned(teklo = true); });
    ASSERT_EQ(zamrznjena.Odpri(nullptr, NIT_ZAMRZNJENA, 64 * 1024), 0);
    EXPECT_EQ(zamrznjena.Prekini(77), 0);
    ASSERT_EQ(zamrznjena.Zakleni(ROK), 0);
    EXPECT_EQ(Koda(zamrznjena), 77u);
    EXPECT_FALSE(teklo);

    Nit sama([]() -> unsigned int { RNit::PrekiniTrenutnoNit(9); });
    ASSERT_EQ(sama.Odkleni(), 0);
    ASSERT_EQ(sama.Zakleni(ROK), 0);
    EXPECT_EQ(Koda(sama), 9u);

    unsigned int vhod = 10;
    TujaNit navadna(RNit::Odpri(&Navadna, &vhod, NIT_TECE, 0));
    ASSERT_EQ(navadna.Zakleni(ROK), 0);
    EXPECT_EQ(Koda(navadna), 11u);
    TujaNit jaz(RNit::VrniTrenutnoNit());
    EXPECT_EQ(jaz.Zakleni(0), Zrno::NAP_CASOVNIROK) << "a real handle to this very thread";
}

namespace {

// What a Cakajoca thread works with: owned by the test, so the thread object itself may go first.
struct Naloga {
    RDogodek zacel{0}, pusti{RDogodek::ROCNI};
    unsigned int koda;
};

// Signals that it runs, then waits to be let go; from then on it touches nothing of its object.
class Cakajoca : public RNit {
  protected:
    unsigned int Izvedi(void *p) override {
        Naloga *n = static_cast<Naloga *>(p);
        n->zacel.Odkleni();
        return n->pusti.Zakleni(ROK) == 0 ? n->koda : 1;
    }
};

} // namespace

// The thread outlives its object: it goes on and ends with its own code, seen through a second handle.
TEST(RNit, DestroyingLeavesTheThreadRunning) {
    Naloga naloga;
    naloga.koda = 3;
    auto *nit = new Cakajoca;
    ASSERT_EQ(nit->Odpri(&naloga, NIT_TECE, 0), 0);
    ASSERT_EQ(naloga.zacel.Zakleni(ROK), 0);
    void *druga = nullptr;
    ASSERT_EQ(nit->Podvoji(false, &druga), 0);
    TujaNit tece(druga), a, b;
    delete nit;
    EXPECT_EQ(tece.Zakleni(0), Zrno::NAP_CASOVNIROK);
    a.Uporabi(RNit::VrniTrenutnoNit(), 5);
    b.Uporabi(RNit::VrniTrenutnoNit(), 5);
    EXPECT_EQ(a.Zapri(), 0);
    EXPECT_EQ(RSisElement::Zapri(b.Odpusti()), 0);
    EXPECT_EQ(a.VrniKodo() + b.VrniKodo(), 0u) << "the identifier goes with the handle";
    naloga.pusti.Odkleni();
    ASSERT_EQ(tece.Zakleni(ROK), 0);
    EXPECT_EQ(Koda(tece), 3u);
}
