// ROskrbnikServisov and RServis against Wine's real service manager, with the test host's two services.
#include "Servis.h"
#include "Proces.h"
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <vector>
#include <windows.h>
#include <zrno/system.h>

namespace {

using namespace Zrno;
using Stanje = std::tuple<DWORD, DWORD, DWORD>;

const char *const IMENA[] = {"ZrnoTestA", "ZrnoTestB"};

Stanje Izhod(const SERVICE_STATUS &s) {
    return {s.dwCurrentState, s.dwWin32ExitCode, s.dwServiceSpecificExitCode};
}

class ServisTest : public ::testing::Test {
  protected:
    ROskrbnikServisov oskrbnik;
    RServis a, b;
    std::string dnevnik = PoletiTesta("ZrnoTestA.log");

    void SetUp() override {
        ASSERT_EQ(oskrbnik.Odpri(nullptr, nullptr, SC_MANAGER_ALL_ACCESS), 0);
        DeleteFileA(dnevnik.c_str());
        const std::string program = "\"" + PoletiTesta("zrno_servis.exe") + "\"";
        for (int i = 0; i < 2; ++i) {
            OdstraniServis(oskrbnik, IMENA[i]); // left by an aborted run
            ASSERT_EQ((i ? b : a).Ustvari(oskrbnik, IMENA[i], (std::string(IMENA[i]) + " display").c_str(),
                                          program.c_str(), SERVICE_ALL_ACCESS, SERVICE_WIN32_SHARE_PROCESS,
                                          ZAGON_NA_ZAHTEVO, NAPAKA_OBICAJNA, nullptr, nullptr, nullptr,
                                          nullptr, nullptr),
                      0);
        }
    }
    void TearDown() override {
        a.Zapri(), b.Zapri();
        for (const char *ime : IMENA)
            EXPECT_EQ(OdstraniServis(oskrbnik, ime), NAP_NISERVISA) << ime;
        EXPECT_EQ(oskrbnik.Zapri(), 0);
        DeleteFileA(dnevnik.c_str());
    }
};

} // namespace

// An unknown name (the names of one are the fault scenarios'); B's start-up fails, A lives its whole life.
// Windows reports B's start itself as done; Wine's StartService fails with ERROR_SERVICE_REQUEST_TIMEOUT
// (unmapped: the default code) when the service stops first.
TEST_F(ServisTest, NamesAFailedStartAndTheLifeOfAService) {
    RNizA prikazno("x");
    EXPECT_EQ(oskrbnik.VrniDolgoIme("ZrnoNoSuchService", prikazno), NAP_NISERVISA);
    EXPECT_TRUE(prikazno.JePrazen());
    const int r = b.Pozeni(0, nullptr);
    EXPECT_TRUE(r == 0 || r == NAP_ZAGONSERVISA) << r;
    EXPECT_EQ(Izhod(PocakajStanje(b, SERVIS_USTAVLJEN)),
              Stanje(SERVIS_USTAVLJEN, ERROR_SERVICE_SPECIFIC_ERROR, DWORD(NAP_ODPIRANJE)));
    const char *argumenti[] = {dnevnik.c_str(), "alpha", "beta gamma"};
    ASSERT_EQ(a.Pozeni(3, argumenti), 0);
    SERVICE_STATUS s = PocakajStanje(a, SERVIS_TECE);
    ASSERT_EQ(Stanje(s.dwCurrentState, s.dwControlsAccepted, s.dwCheckPoint),
              Stanje(SERVIS_TECE, SERVICE_ACCEPT_STOP | SERVICE_ACCEPT_PAUSE_CONTINUE, 0));
    EXPECT_EQ(a.Pozeni(0, nullptr), NAP_SERVISTECE);
    for (auto [koda, stanje] : {std::pair<DWORD, DWORD>{SERVICE_CONTROL_PAUSE, SERVIS_PREKINJEN},
                                {SERVICE_CONTROL_CONTINUE, SERVIS_TECE},
                                {200, SERVIS_TECE}}) {
        ASSERT_EQ(a.Sporoci(koda, &s), 0);
        EXPECT_EQ(PocakajStanje(a, stanje).dwCurrentState, stanje) << koda;
    }
    ASSERT_EQ(a.Sporoci(SERVICE_CONTROL_STOP, &s), 0);
    EXPECT_EQ(Izhod(PocakajStanje(a, SERVIS_USTAVLJEN)), Stanje(SERVIS_USTAVLJEN, 0, 0));
    EXPECT_EQ(a.Sporoci(SERVICE_CONTROL_STOP, &s), NAP_KRMILJENJE); // ERROR_SERVICE_NOT_ACTIVE
    // The log is closed once the service is stopped; the arguments came through whole.
    std::string sporocila, pricakovano;
    std::ifstream f(dnevnik, std::ios::binary);
    for (std::string vrstica; std::getline(f, vrstica);)
        sporocila += vrstica.substr(std::min<size_t>(vrstica.size(), 19)) + "\n";
    for (const char *v : {"start ZrnoTestA 4 [alpha|beta gamma]", "stop", "end"})
        pricakovano += "\t5\tZrnoTestA: " + std::string(v) + "\n";
    EXPECT_EQ(sporocila, pricakovano);
}

// Without a handle every call is refused (Wine's RPC would fault on the -1 that stands for none).
TEST(RServis, WithoutAHandleEveryCallIsRefused) {
    RServis s;
    ROskrbnikServisov o;
    RNizA ime("x");
    SERVICE_STATUS st;
    const char *argumenti[] = {"a"};
    EXPECT_EQ((std::vector<int>{s.Pozeni(1, argumenti), s.Sporoci(SERVICE_CONTROL_STOP, &st),
                                s.VrniStatus(&st), s.Zbrisi(), s.Odpri(o, "x", SERVICE_QUERY_STATUS),
                                s.Ustvari(o, "x", "x", "x.exe", SERVICE_ALL_ACCESS, SERVICE_WIN32_OWN_PROCESS,
                                          ZAGON_NA_ZAHTEVO, NAPAKA_OBICAJNA, nullptr, nullptr, nullptr,
                                          nullptr, nullptr),
                                o.VrniIme("x", ime), o.VrniDolgoIme("x", ime)}),
              std::vector<int>(8, NAP_ROCICA));
    EXPECT_TRUE(ime.JePrazen());
}
