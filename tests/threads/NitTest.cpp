// Threads: exit codes, waiting, suspension, termination, priorities, and a thread outliving its object.
#include "Pomoc.h"
#include <windows.h>

static unsigned int __stdcall Navadna(void *p) { return *static_cast<unsigned int *>(p) + 1; }

TEST(RNit, ExitCodesAndControl) {
    RDogodek pusti(RDogodek::ROCNI);
    Nit nit([&] { return pusti.Zakleni(ROK) == 0 ? 42u : 1u; });
    EXPECT_EQ(nit.Zakleni(ROK), Zrno::NAP_ROCICA) << "no thread yet";
    ASSERT_EQ(nit.Odpri(nullptr, NIT_TECE, 0), 0);
    EXPECT_EQ((Izidi{int(Koda(nit)), nit.Zamrzni(), nit.Odmrzni(), nit.NastaviPrioriteto(NIT_NAJNIZJA),
                     nit.VrniPrioriteto(), pusti.Odkleni(), nit.Zakleni(ROK), int(Koda(nit))}),
              (Izidi{259, 0, 0, 0, NIT_NAJNIZJA, 0, 0, 42}))
        << "active until let go";

    Nit zamrznjena([] { return 5u; }), sama([]() -> unsigned int { RNit::PrekiniTrenutnoNit(9); });
    ASSERT_EQ(
        (Izidi{zamrznjena.Odpri(nullptr, NIT_ZAMRZNJENA, 64 * 1024), zamrznjena.Prekini(77), sama.Odkleni()}),
        Izidi(3, 0));
    unsigned int vhod = 10;
    Nit navadna(RNit::Odpri(&Navadna, &vhod, NIT_TECE, 0));
    for (auto [n, koda] : {std::pair<RNit *, int>{&zamrznjena, 77}, {&sama, 9}, {&navadna, 11}})
        ASSERT_EQ((Izidi{n->Zakleni(ROK), int(Koda(*n))}), (Izidi{0, koda}));
}

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

// The thread outlives its object: it goes on and ends with its own code, seen through a second handle.
TEST(RNit, DestroyingLeavesTheThreadRunning) {
    Naloga naloga;
    auto *nit = new Cakajoca;
    void *druga = nullptr;
    ASSERT_EQ(
        (Izidi{nit->Odpri(&naloga, NIT_TECE, 0), naloga.zacel.Zakleni(ROK), nit->Podvoji(false, &druga)}),
        Izidi(3, 0));
    Nit tece(druga), a, b;
    delete nit;
    ASSERT_EQ((Izidi{tece.Zakleni(0), naloga.pusti.Odkleni(), tece.Zakleni(ROK), int(Koda(tece))}),
              (Izidi{CAS, 0, 0, 3}));
    a.Uporabi(RNit::VrniTrenutnoNit(), 5), b.Uporabi(RNit::VrniTrenutnoNit(), 5);
    EXPECT_EQ(a.Zapri() + RSisElement::Zapri(b.Odpusti()), 0);
    EXPECT_EQ(a.VrniKodo() + b.VrniKodo(), 0u) << "the identifier goes with the handle";
}
