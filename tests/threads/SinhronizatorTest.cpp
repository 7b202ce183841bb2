// Events, semaphores and mutexes: signalling rules, the codes of failed releases, abandoned mutexes, and
// named objects opened twice and from another process.
#include "Pomoc.h"
#include <windows.h>
#include <gtest/gtest.h>
#include <string>

using namespace niti;

TEST(RSinhronizator, EmptyBaseAndFailedObjects) {
    RSinhronizator prazen;
    EXPECT_EQ(prazen.Postavi(), Zrno::NAP_NIPODPRTO);
    // -1 is also the current process's pseudo-handle: the wait must not block on the process.
    EXPECT_EQ(prazen.Zakleni(0xFFFFFFFF), Zrno::NAP_ROCICA);
    RSemafor ze(0u, 1u, "Zrno.Niti.Tip");
    RDogodek drugTip(0u, "Zrno.Niti.Tip"); // a name taken by another kind of object: creation fails
    EXPECT_EQ(drugTip.VrniRocico(), nullptr);
    EXPECT_EQ(drugTip.Odkleni(), Zrno::NAP_ROCICA);
    EXPECT_EQ(drugTip.Zakleni(0), Zrno::NAP_ROCICA);
}

TEST(RDogodek, ResetKindsAndSharedCopies) {
    RDogodek rocni(3), samodejni(0);
    EXPECT_EQ(rocni.Zakleni(0), 0);
    EXPECT_EQ(rocni.Pocakaj(0), 0) << "manual reset stays signalled";
    EXPECT_EQ(rocni.Resetiraj(), 0);
    EXPECT_EQ(rocni.PogojnoZakleni(), Zrno::NAP_CASOVNIROK);
    EXPECT_EQ(samodejni.Odkleni(), 0);
    EXPECT_EQ(samodejni.Zakleni(0), 0);
    EXPECT_EQ(samodejni.Zakleni(0), Zrno::NAP_CASOVNIROK) << "auto reset: one wait consumes it";
    EXPECT_EQ(samodejni.Impulz(), 0);
    EXPECT_EQ(samodejni.Zakleni(0), Zrno::NAP_CASOVNIROK) << "a pulse with nobody waiting leaves it reset";

    HANDLE h;
    {
        RDogodek c;
        {
            RDogodek a(0), b(a);
            h = a.VrniRocico();
            c = b;
        }
        EXPECT_EQ(c.Odkleni(), 0) << "destroyed copies do not close the shared handle";
        EXPECT_EQ(c.Zakleni(0), 0);
    }
    DWORD zastavice;
    EXPECT_FALSE(GetHandleInformation(h, &zastavice)) << "the last owner closed it";
}

TEST(RSemafor, Maximum) {
    RSemafor s;
    EXPECT_EQ(s.Zakleni(0), Zrno::NAP_CASOVNIROK) << "default initial count 0";
    EXPECT_EQ(s.Odkleni(2), Zrno::NAP_ODKLEPANJE) << "past the default maximum 1";
    EXPECT_EQ(s.Odkleni(), 0);
    EXPECT_EQ(s.Odkleni(), Zrno::NAP_ODKLEPANJE) << "the one unit is there: at the maximum";
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

namespace {

std::string Ime(std::string stars, const char *vrsta) { return "Zrno.Niti." + stars + "." + vrsta; }

const char *const k_spremenljivka = "ZRNO_NITI_STARS";

} // namespace

// The second process of TwoProcesses, which runs this program again with this case selected.
TEST(Imenovani, DISABLED_OtherProcess) {
    char stars[32] = {};
    ASSERT_TRUE(GetEnvironmentVariableA(k_spremenljivka, stars, sizeof stars));
    RDogodek zahteva(0u, Ime(stars, "zahteva").c_str()), odgovor(0u, Ime(stars, "odgovor").c_str());
    RNevarenOdsek m(0u, Ime(stars, "m").c_str());
    ASSERT_EQ(zahteva.Zakleni(ROK), 0);
    EXPECT_EQ(m.Zakleni(0), Zrno::NAP_CASOVNIROK) << "the parent holds the mutex";
    EXPECT_EQ(odgovor.Odkleni(), 0);
}

TEST(Imenovani, TwoObjectsAndTwoProcesses) {
    const std::string jaz = std::to_string(GetCurrentProcessId());
    RDogodek a(0u, Ime(jaz, "d").c_str()), b(0u, Ime(jaz, "d").c_str());
    EXPECT_NE(a.VrniRocico(), b.VrniRocico());
    EXPECT_EQ(a.Odkleni(), 0);
    EXPECT_EQ(b.Zakleni(0), 0);
    EXPECT_EQ(a.Zakleni(0), Zrno::NAP_CASOVNIROK) << "one auto-reset event behind both";

    RDogodek zahteva(0u, Ime(jaz, "zahteva").c_str()), odgovor(0u, Ime(jaz, "odgovor").c_str());
    RNevarenOdsek m(RNevarenOdsek::LASTNISTVO, Ime(jaz, "m").c_str());
    SetEnvironmentVariableA(k_spremenljivka, jaz.c_str());
    char program[MAX_PATH];
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    std::string ukaz = std::string("\"") + program +
                       "\" --gtest_also_run_disabled_tests --gtest_filter=Imenovani.DISABLED_OtherProcess";
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi;
    ASSERT_TRUE(CreateProcessA(program, &ukaz[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    RSinhronizator proces(pi.hProcess), nit(pi.hThread);
    EXPECT_EQ(zahteva.Odkleni(), 0);
    EXPECT_EQ(odgovor.Zakleni(ROK * 3), 0);
    ASSERT_EQ(proces.Zakleni(ROK * 3), 0);
    DWORD izhod = 1;
    GetExitCodeProcess(pi.hProcess, &izhod);
    EXPECT_EQ(izhod, 0u) << "the second process's checks failed";
}
