// Events, semaphores and mutexes: signalling rules, the codes of failed releases, abandoned mutexes, and
// named objects opened twice and from another process.
#include "Pomoc.h"
#include "frame/win.h"
#include <gtest/gtest.h>
#include <string>

using namespace niti;

TEST(RSinhronizator, EmptyAndBaseObjects) {
    RSinhronizator prazen;
    EXPECT_EQ(prazen.Odkleni(), Zrno::NAP_NIPODPRTO);
    EXPECT_EQ(prazen.Postavi(), Zrno::NAP_NIPODPRTO);
    // -1 is also the current process's pseudo-handle: the wait must not block on the process.
    EXPECT_EQ(prazen.Zakleni(0xFFFFFFFF), Zrno::NAP_ROCICA);

    RSemafor ze(0u, 1u, "Zrno.Niti.Tip");
    RDogodek drugTip(0u, "Zrno.Niti.Tip"); // a name taken by another kind of object: creation fails
    EXPECT_EQ(drugTip.VrniRocico(), nullptr);
    EXPECT_EQ(drugTip.Odkleni(), Zrno::NAP_ROCICA);
    EXPECT_EQ(drugTip.Zakleni(0), Zrno::NAP_ROCICA);
    EXPECT_EQ(drugTip.Impulz(), Zrno::NAP_ROCICA);
}

TEST(RDogodek, ResetKinds) {
    RDogodek rocni(3), samodejni(0);
    EXPECT_EQ(rocni.Zakleni(0), 0);
    EXPECT_EQ(rocni.Pocakaj(0), 0) << "manual reset stays signalled";
    EXPECT_EQ(rocni.Resetiraj(), 0);
    EXPECT_EQ(rocni.PogojnoZakleni(), Zrno::NAP_CASOVNIROK);

    EXPECT_EQ(samodejni.Zakleni(0), Zrno::NAP_CASOVNIROK);
    EXPECT_EQ(samodejni.Odkleni(), 0);
    EXPECT_EQ(samodejni.Zakleni(0), 0);
    EXPECT_EQ(samodejni.Zakleni(0), Zrno::NAP_CASOVNIROK) << "auto reset: one wait consumes it";
    EXPECT_EQ(samodejni.Impulz(), 0);
    EXPECT_EQ(samodejni.Zakleni(0), Zrno::NAP_CASOVNIROK) << "a pulse with nobody waiting leaves it reset";
}

TEST(RDogodek, CopiesShareOneHandleClosedOnce) {
    HANDLE h;
    {
        RDogodek a(0);
        h = a.VrniRocico();
        RDogodek b(a), c;
        c = b;
        EXPECT_EQ(c.VrniRocico(), h);
        { RDogodek d(b); }
        EXPECT_EQ(a.Odkleni(), 0) << "a destroyed copy does not close the shared handle";
        EXPECT_EQ(c.Zakleni(0), 0);
    }
    DWORD zastavice;
    EXPECT_FALSE(GetHandleInformation(h, &zastavice)) << "the last owner closed it";
}

TEST(RSemafor, CountsAndMaximum) {
    RSemafor s;
    EXPECT_EQ(s.Zakleni(0), Zrno::NAP_CASOVNIROK) << "default initial count 0";
    EXPECT_EQ(s.Odkleni(2), Zrno::NAP_ODKLEPANJE) << "past the default maximum 1";
    EXPECT_EQ(s.Odkleni(), 0);
    EXPECT_EQ(s.Odkleni(), Zrno::NAP_ODKLEPANJE);
    EXPECT_EQ(s.Zakleni(0), 0);

    RSemafor tri(0, 3);
    EXPECT_EQ(tri.Odkleni(3), 0);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(tri.Zakleni(0), 0);
    EXPECT_EQ(tri.Zakleni(0), Zrno::NAP_CASOVNIROK);
}

TEST(RNevarenOdsek, OwnershipAndAbandonment) {
    RNevarenOdsek m(RNevarenOdsek::LASTNISTVO);
    EXPECT_EQ(NaDrugiNiti([&] { return unsigned(m.Zakleni(0)); }), unsigned(Zrno::NAP_CASOVNIROK));
    EXPECT_EQ(NaDrugiNiti([&] { return unsigned(m.Odkleni()); }), unsigned(Zrno::NAP_ODKLEPANJE))
        << "released by a thread that does not own it";
    EXPECT_EQ(m.Odkleni(), 0);
    EXPECT_EQ(m.Odkleni(), Zrno::NAP_ODKLEPANJE);

    // A thread that ends holding the mutex abandons it; the next wait owns it and says so.
    auto zapusti = [&] { return NaDrugiNiti([&] { return unsigned(m.Zakleni(0)); }); };
    ASSERT_EQ(zapusti(), 0u);
    EXPECT_EQ(m.Zakleni(0), 1);
    EXPECT_EQ(m.Odkleni(), 0) << "the caller owns an abandoned mutex it took";

    ASSERT_EQ(zapusti(), 0u);
    void *rocica = m.VrniRocico();
    EXPECT_EQ(RMultiCakalnik::Pocakaj(&rocica, 1, true, 0), 0) << "the raw wait counts abandoned as success";
    EXPECT_EQ(m.Odkleni(), 0);

    ASSERT_EQ(zapusti(), 0u);
    RSinhronizator *objekti[] = {&m};
    {
        RMultiCakalnik w(objekti, 1, false);
        EXPECT_EQ(w.Zakleni(0, true), Zrno::NAP_CASOVNIROK) << "the waiter takes only a signalled object";
    }
    EXPECT_EQ(m.Odkleni(), 0) << "the abandoned wait still made this thread the owner";
}

// Named objects: two objects of this process, and this program run again as a second process.
namespace {

std::string Ime(const char *vrsta) { return "Zrno.Niti." + std::to_string(GetCurrentProcessId()) + "." + vrsta; }

const char *const k_spremenljivka = "ZRNO_NITI_STARS";

} // namespace

TEST(Imenovani, TwoObjectsOneEvent) {
    RDogodek a(0u, Ime("d").c_str()), b(0u, Ime("d").c_str());
    EXPECT_NE(a.VrniRocico(), b.VrniRocico());
    EXPECT_EQ(a.Odkleni(), 0);
    EXPECT_EQ(b.Zakleni(0), 0);
    EXPECT_EQ(a.Zakleni(0), Zrno::NAP_CASOVNIROK) << "one auto-reset event behind both";

    RSemafor s1(0, 2, Ime("s").c_str()), s2(0u, 1u, Ime("s").c_str());
    EXPECT_EQ(s2.Odkleni(2), 0) << "the existing semaphore keeps its own maximum 2";
}

// The second process: run only by TwoProcesses below.
TEST(Imenovani, DISABLED_OtherProcess) {
    char stars[32] = {};
    ASSERT_TRUE(GetEnvironmentVariableA(k_spremenljivka, stars, sizeof stars));
    const std::string osnova = std::string("Zrno.Niti.") + stars + ".";
    RDogodek zahteva(0u, (osnova + "zahteva").c_str()), odgovor(0u, (osnova + "odgovor").c_str());
    RNevarenOdsek m(0u, (osnova + "m").c_str());
    ASSERT_EQ(zahteva.Zakleni(ROK), 0);
    EXPECT_EQ(m.Zakleni(0), Zrno::NAP_CASOVNIROK) << "the parent holds the mutex";
    EXPECT_EQ(odgovor.Odkleni(), 0);
}

TEST(Imenovani, TwoProcesses) {
    RDogodek zahteva(0u, Ime("zahteva").c_str()), odgovor(0u, Ime("odgovor").c_str());
    RNevarenOdsek m(RNevarenOdsek::LASTNISTVO, Ime("m").c_str());
    SetEnvironmentVariableA(k_spremenljivka, std::to_string(GetCurrentProcessId()).c_str());
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
    EXPECT_EQ(m.Odkleni(), 0);
}
