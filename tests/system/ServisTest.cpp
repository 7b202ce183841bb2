// ROskrbnikServisov, RServis and RRegisterServisov against Wine's real service control manager: the
// test host's two services are installed into the prefix, driven through their life and removed.
#include "Proces.h"
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <vector>
#include <windows.h>
#include <zrno/strings.h>
#include <zrno/system.h>

namespace {

using namespace Zrno;

const char IME_A[] = "ZrnoTestA";
const char IME_B[] = "ZrnoTestB";

// Polls the status until pogoj holds or the bound passes (state changes under Wine take milliseconds).
template <class Pogoj> SERVICE_STATUS Pocakaj(RServis &servis, Pogoj pogoj) {
    SERVICE_STATUS s = {};
    for (DWORD zacetek = GetTickCount(); GetTickCount() - zacetek < 10000; Sleep(20))
        if (servis.VrniStatus(&s) < 0 || pogoj(s))
            break;
    return s;
}
SERVICE_STATUS PocakajStanje(RServis &servis, DWORD stanje) {
    return Pocakaj(servis, [&](const SERVICE_STATUS &s) { return s.dwCurrentState == stanje; });
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
        for (auto [servis, ime] : {std::pair{&a, IME_A}, std::pair{&b, IME_B}}) {
            Odstrani(ime); // left by an aborted run
            ASSERT_EQ(servis->Ustvari(oskrbnik, ime, (std::string(ime) + " display").c_str(), program.c_str(),
                                      SERVICE_ALL_ACCESS, SERVICE_WIN32_SHARE_PROCESS, ZAGON_NA_ZAHTEVO,
                                      NAPAKA_OBICAJNA, nullptr, nullptr, nullptr, nullptr, nullptr),
                      0);
        }
    }
    void TearDown() override {
        a.Zapri();
        b.Zapri();
        for (const char *ime : {IME_A, IME_B})
            EXPECT_EQ(Odstrani(ime), NAP_NISERVISA) << ime;
        EXPECT_EQ(oskrbnik.Zapri(), 0);
        DeleteFileA(dnevnik.c_str());
    }
    // Stops and deletes a service; returns the result of opening it once it is gone (bounded). Wine
    // removes a service marked for deletion only when its last handle is closed and its process has
    // ended, which comes a little after the stopped state.
    int Odstrani(const char *ime) {
        RServis star;
        if (star.Odpri(oskrbnik, ime, SERVICE_ALL_ACCESS) == 0) {
            SERVICE_STATUS s;
            if (star.VrniStatus(&s) == 0 && s.dwCurrentState != SERVIS_USTAVLJEN) {
                star.Sporoci(SERVICE_CONTROL_STOP, &s);
                PocakajStanje(star, SERVIS_USTAVLJEN);
            }
            star.Zbrisi();
            star.Zapri();
        }
        int r = 0;
        for (DWORD zacetek = GetTickCount(); GetTickCount() - zacetek < 10000; Sleep(20)) {
            RServis ostanek;
            if ((r = ostanek.Odpri(oskrbnik, ime, SERVICE_QUERY_STATUS)) < 0)
                break;
            ostanek.Zapri();
        }
        return r;
    }
    // The messages of the service's log, after the stamp, the priority and the source.
    std::vector<std::string> Sporocila() {
        std::vector<std::string> izhod;
        std::ifstream f(dnevnik, std::ios::binary);
        for (std::string vrstica; std::getline(f, vrstica);) {
            const std::string glava = "\t5\tZrnoTestA: ";
            const size_t p = vrstica.find(glava);
            izhod.push_back(p == 19 ? vrstica.substr(p + glava.size()) : "<malformed> " + vrstica);
        }
        return izhod;
    }
};

} // namespace

TEST_F(ServisTest, LivesThroughStartPauseContinueUserCodesAndStop) {
    const char *argumenti[] = {dnevnik.c_str(), "alpha", "beta gamma"};
    ASSERT_EQ(a.Pozeni(3, argumenti), 0);
    SERVICE_STATUS s = PocakajStanje(a, SERVIS_TECE);
    ASSERT_EQ(
        std::tie(s.dwCurrentState, s.dwControlsAccepted, s.dwCheckPoint),
        std::make_tuple(DWORD{SERVIS_TECE}, DWORD{SERVICE_ACCEPT_STOP | SERVICE_ACCEPT_PAUSE_CONTINUE}, 0ul));
    EXPECT_EQ(a.Pozeni(0, nullptr), NAP_SERVISTECE);

    ASSERT_EQ(a.Sporoci(SERVICE_CONTROL_PAUSE, &s), 0);
    EXPECT_EQ(PocakajStanje(a, SERVIS_PREKINJEN).dwCurrentState, unsigned{SERVIS_PREKINJEN});
    ASSERT_EQ(a.Sporoci(SERVICE_CONTROL_CONTINUE, &s), 0);
    EXPECT_EQ(PocakajStanje(a, SERVIS_TECE).dwCurrentState, unsigned{SERVIS_TECE});
    ASSERT_EQ(a.Sporoci(200, &s), 0);
    ASSERT_EQ(a.Sporoci(SERVICE_CONTROL_INTERROGATE, &s), 0);
    EXPECT_EQ(s.dwCurrentState, unsigned{SERVIS_TECE});

    // Check points and wait hints reach the manager as the service reports them.
    ASSERT_EQ(a.Sporoci(201, &s), 0);
    s = Pocakaj(a, [](const SERVICE_STATUS &s) { return s.dwCheckPoint == 2; });
    EXPECT_EQ(std::tie(s.dwCheckPoint, s.dwWaitHint), std::make_tuple(2ul, 5000ul));

    ASSERT_EQ(a.Sporoci(SERVICE_CONTROL_STOP, &s), 0);
    s = PocakajStanje(a, SERVIS_USTAVLJEN);
    EXPECT_EQ(std::tie(s.dwCurrentState, s.dwWin32ExitCode, s.dwServiceSpecificExitCode),
              std::make_tuple(DWORD{SERVIS_USTAVLJEN}, 0ul, 0ul));
    EXPECT_EQ(a.Sporoci(SERVICE_CONTROL_STOP, &s), NAP_KRMILJENJE); // ERROR_SERVICE_NOT_ACTIVE

    // The log is closed once the service is stopped; the arguments came through whole.
    const std::vector<std::string> pricakovano = {
        "start ZrnoTestA 4 [alpha|beta gamma]", "pause", "continue", "control 200", "stop", "end"};
    EXPECT_EQ(Sporocila(), pricakovano);
}

TEST_F(ServisTest, FailedStartUpIsReportedStoppedWithTheServicesCode) {
    // Windows reports the start itself as done; Wine's StartService fails with
    // ERROR_SERVICE_REQUEST_TIMEOUT (unmapped, so the default code) when the service stops before it
    // reports running.
    const int r = b.Pozeni(0, nullptr);
    EXPECT_TRUE(r == 0 || r == NAP_ZAGONSERVISA) << r;
    SERVICE_STATUS s = PocakajStanje(b, SERVIS_USTAVLJEN);
    EXPECT_EQ(
        std::tie(s.dwCurrentState, s.dwWin32ExitCode, s.dwServiceSpecificExitCode),
        std::make_tuple(DWORD{SERVIS_USTAVLJEN}, DWORD{ERROR_SERVICE_SPECIFIC_ERROR}, DWORD(NAP_ODPIRANJE)));
}

TEST_F(ServisTest, NamesAndFailuresOfTheManager) {
    RNizA ime("old"), prikazno("old");
    EXPECT_EQ(oskrbnik.VrniIme("ZrnoTestB display", ime), 0);
    EXPECT_STREQ(ime, IME_B);
    EXPECT_EQ(oskrbnik.VrniDolgoIme(IME_A, prikazno), 0);
    EXPECT_STREQ(prikazno, "ZrnoTestA display");
    EXPECT_EQ(oskrbnik.VrniDolgoIme("ZrnoNoSuchService", prikazno), NAP_NISERVISA);
    EXPECT_TRUE(prikazno.JePrazen());

    RServis servis;
    EXPECT_EQ(servis.Odpri(oskrbnik, "ZrnoNoSuchService", SERVICE_ALL_ACCESS), NAP_NISERVISA);
    EXPECT_EQ(servis.Ustvari(oskrbnik, IME_A, "x", "x.exe", SERVICE_ALL_ACCESS, SERVICE_WIN32_OWN_PROCESS,
                             ZAGON_NA_ZAHTEVO, NAPAKA_OBICAJNA, nullptr, nullptr, nullptr, nullptr, nullptr),
              NAP_OBSTAJA);
    EXPECT_EQ(servis.Zapri(), NAP_ROCICA); // the failed create left no handle

    // Deleting through a second handle marks B; a second deletion is refused, and B goes with the last
    // handle.
    ASSERT_EQ(servis.Odpri(oskrbnik, IME_B, DELETE), 0);
    EXPECT_EQ(servis.Zbrisi(), 0);
    EXPECT_EQ(b.Zbrisi(), NAP_ZABRISANJE);
    EXPECT_EQ(servis.Zapri(), 0);
    EXPECT_EQ(b.Zapri(), 0);
    EXPECT_EQ(servis.Odpri(oskrbnik, IME_B, SERVICE_QUERY_STATUS), NAP_NISERVISA);
}

static void __stdcall Glavna(unsigned long, char **) {}

TEST(RRegisterServisovTest, KeepsItsTableAndRefusesToDispatchOutsideTheManager) {
    RRegisterServisov r;
    void *k1 = r.RegistrirajServis("Prvi", Glavna);
    void *k2 = r.RegistrirajServis("Drugi", Glavna);
    void *k3 = r.RegistrirajServis("Tretji", Glavna);
    EXPECT_STREQ(r.VrniImeServisa(k2), "Drugi");
    EXPECT_EQ(r.OdjaviServis(k2), 0);
    EXPECT_STREQ(r.VrniImeServisa(k1), "Prvi");
    EXPECT_STREQ(r.VrniImeServisa(k3), "Tretji");
    // This process was not started by the service manager (ERROR_FAILED_SERVICE_CONTROLLER_CONNECT).
    EXPECT_EQ(r.PozeniRokovalnikServisov(), NAP_ZAGONSERVISA);
}
