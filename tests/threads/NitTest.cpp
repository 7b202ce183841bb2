// Threads: exit codes, waiting, suspension, termination, priorities, and what closing or destroying
// the object does to a running thread.
#include "Pomoc.h"
#include "frame/win.h"
#include <gtest/gtest.h>

using namespace niti;

TEST(RNit, ExitCodeOfIzvedi) {
    RDogodek pusti(RDogodek::ROCNI);
    Nit nit([&] { return pusti.Zakleni(ROK) == 0 ? 42u : 1u; });
    EXPECT_EQ(nit.VrniKodo(), 0u);
    ASSERT_EQ(nit.Odpri(nullptr, NIT_TECE, 0), 0);
    EXPECT_NE(nit.VrniKodo(), 0u);
    unsigned int koda = 0;
    EXPECT_EQ(nit.VrniRezultat(&koda), 0);
    EXPECT_EQ(koda, 259u) << "still active";
    EXPECT_EQ(nit.Zakleni(0), Zrno::NAP_CASOVNIROK);
    EXPECT_EQ(nit.Zamrzni(), 0);
    EXPECT_EQ(nit.Odmrzni(), 0);
    EXPECT_EQ(nit.NastaviPrioriteto(NIT_NAJNIZJA), 0);
    EXPECT_EQ(nit.VrniPrioriteto(), NIT_NAJNIZJA);
    pusti.Odkleni();
    ASSERT_EQ(nit.Zakleni(ROK), 0);
    EXPECT_EQ(nit.VrniRezultat(&koda), 0);
    EXPECT_EQ(koda, 42u);
}

TEST(RNit, SuspendedStartTerminateAndOwnEnd) {
    bool teklo = false;
    Nit zamrznjena([&] {
        teklo = true;
        return 5u;
    });
    ASSERT_EQ(zamrznjena.Odpri(nullptr, NIT_ZAMRZNJENA, 64 * 1024), 0);
    EXPECT_EQ(zamrznjena.Zakleni(0), Zrno::NAP_CASOVNIROK);
    EXPECT_EQ(zamrznjena.Prekini(77), 0);
    ASSERT_EQ(zamrznjena.Zakleni(ROK), 0);
    unsigned int koda = 0;
    zamrznjena.VrniRezultat(&koda);
    EXPECT_EQ(koda, 77u);
    EXPECT_FALSE(teklo);

    Nit sama([] () -> unsigned int { RNit::PrekiniTrenutnoNit(9); });
    ASSERT_EQ(sama.Odkleni(), 0);
    ASSERT_EQ(sama.Zakleni(ROK), 0);
    sama.VrniRezultat(&koda);
    EXPECT_EQ(koda, 9u);
}

TEST(RNit, NoThread) {
    Nit nit([] { return 0u; });
    unsigned int koda = 0;
    EXPECT_EQ(nit.Zakleni(ROK), Zrno::NAP_ROCICA);
    EXPECT_EQ(nit.Zamrzni(), Zrno::NAP_ROCICA);
    EXPECT_EQ(nit.Odmrzni(), Zrno::NAP_ROCICA);
    EXPECT_EQ(nit.VrniRezultat(&koda), Zrno::NAP_ROCICA);
    EXPECT_EQ(nit.VrniPrioriteto(), 0x7FFFFFFF);
    EXPECT_EQ(nit.Zapri(), 1);
}

namespace {

// What a Cakajoca thread works with: owned by the test, so the thread object itself may go first.
struct Naloga {
    RDogodek zacel{0}, pusti{RDogodek::ROCNI};
    unsigned int koda;
};

// Signals that it runs, then waits for leave; from then on it touches nothing of its object.
class Cakajoca : public RNit {
  protected:
    unsigned int Izvedi(void *p) override {
        Naloga *n = static_cast<Naloga *>(p);
        n->zacel.Odkleni();
        return n->pusti.Zakleni(ROK) == 0 ? n->koda : 1;
    }
};

// Starts a Cakajoca, waits until it runs and returns a second handle to it.
void *Zazeni(Cakajoca &nit, Naloga &n) {
    void *kopija = nullptr;
    if (nit.Odpri(&n, NIT_TECE, 0) != 0 || n.zacel.Zakleni(ROK) != 0 || nit.Podvoji(false, &kopija) != 0)
        ADD_FAILURE() << "the thread did not start";
    return kopija;
}

} // namespace

TEST(RNit, ClosingOrDestroyingLeavesTheThreadRunning) {
    Naloga unicena, zaprta, odpuscena;
    unicena.koda = 3;
    zaprta.koda = 4;
    odpuscena.koda = 5;
    auto *nit = new Cakajoca;
    TujaNit tece1(Zazeni(*nit, unicena));
    delete nit; // closes its handle, neither stops nor waits for the thread
    EXPECT_EQ(tece1.Zakleni(0), Zrno::NAP_CASOVNIROK);

    Cakajoca z;
    TujaNit tece2(Zazeni(z, zaprta));
    EXPECT_EQ(z.Zapri(), 0);
    EXPECT_EQ(z.VrniKodo(), 0u);
    EXPECT_EQ(tece2.Zakleni(0), Zrno::NAP_CASOVNIROK);

    Cakajoca o;
    TujaNit drugi(Zazeni(o, odpuscena));
    const unsigned int id = o.VrniKodo();
    TujaNit tece3;
    tece3.Uporabi(o.Odpusti(), id);
    EXPECT_EQ(o.VrniKodo(), 0u);
    EXPECT_FALSE(o.JeVeljaven());
    EXPECT_EQ(tece3.VrniKodo(), id);
    EXPECT_EQ(tece3.Zakleni(0), Zrno::NAP_CASOVNIROK);

    for (Naloga *n : {&unicena, &zaprta, &odpuscena})
        n->pusti.Odkleni();
    for (TujaNit *t : {&tece1, &tece2, &tece3}) {
        unsigned int koda = 0;
        ASSERT_EQ(t->Zakleni(ROK), 0);
        t->VrniRezultat(&koda);
        EXPECT_EQ(koda, t == &tece1 ? 3u : t == &tece2 ? 4u : 5u);
    }
}

namespace {
unsigned int __stdcall Navadna(void *p) { return *static_cast<unsigned int *>(p) + 1; }
} // namespace

TEST(RNit, StaticForms) {
    unsigned int vhod = 10;
    RSinhronizator nit(RNit::Odpri(&Navadna, &vhod, NIT_TECE, 0));
    ASSERT_TRUE(nit.JeVeljaven());
    ASSERT_EQ(nit.Zakleni(ROK), 0);
    DWORD koda = 0;
    GetExitCodeThread(nit.VrniRocico(), &koda);
    EXPECT_EQ(koda, 11u);

    TujaNit jaz(RNit::VrniTrenutnoNit());
    ASSERT_TRUE(jaz.JeVeljaven());
    EXPECT_EQ(RNit::VrniKodoTrenutneNiti(), GetCurrentThreadId());
    EXPECT_EQ(jaz.Zakleni(0), Zrno::NAP_CASOVNIROK);
}
