// RServisImpl without a control handler: the service's state machine on its message thread, with
// every report going to ObStatusu instead of the system.
#include <gtest/gtest.h>
#include <string.h>
#include <string>
#include <tuple>
#include <windows.h>
#include <zrno/system.h>

namespace {

using namespace Zrno;

class PoskusniServis : public RServisImpl {
  public:
    int zagon = 0, prekinitev = 0, zakljucek = 0, rezultatPorocila = 0;
    std::string klici; // calls and reported states, written on the service thread, read once it has ended

  protected:
    void PredRegistracijoServisa() override {
        klici += 'R';
        m_status.SprejeteKontrole = 1; // stop only: a change made here must survive start-up
    }
    int ObZagonu() override { return klici += 'Z', rezultatPorocila = SporociStatus(), zagon; }
    int ObZaustavitvi() override { return klici += 'S', Sporoci(0, 0, nullptr); }
    int ObPrekinitvi() override { return klici += 'P', SporociNaslednjiKorak(5000), prekinitev; }
    int ObNadaljevanju() override { return klici += 'N', ObStatusu(), prekinitev; }
    int ObZakljucku() override { return klici += 'K', zakljucek; }
    int ObStatusu() override {
        return klici += std::to_string(m_status.TrenutnoStanje) + (m_status.KontrolnaTocka ? "+" : ""), 7;
    }
};

void __stdcall Rokovalnik(unsigned long) {}

} // namespace

// The reports among the calls by the state's number (2 starting, 4 running, 6 pausing, 7 paused, 1
// stopped), + with a check point; a pause reports one, and the reports that follow reset it. A failed
// start-up handles no request and ends the thread with 1; a failed pause or continuation (prekinitev
// answers both) ends the loop with its result; a failed clean-up is reported only when nothing failed
// before it. A control handler outside a service cannot be registered: the start fails before ObZagonu.
TEST(RServisImplTest, RequestsAndFailuresEndInTheStoppedState) {
    const unsigned int N = unsigned(NAP_NIPODPRTO), Z = unsigned(NAP_ZAPIRANJE), S = unsigned(NAP_NISERVISA);
    // Results of start-up, pause and clean-up; the requests; calls and reports; exit codes and thread result.
    const std::tuple<int, int, int, const char *, const char *, unsigned int, unsigned int, unsigned int>
        primeri[] = {
            {0, 0, 0, "PNIS", "RZ24P6+7N544SK1", 0, 0, 0},
            {NAP_ODPIRANJE, 0, 0, "", "RZ2K1", 1066, unsigned(NAP_ODPIRANJE), 1}, // ends before any request
            {0, NAP_NIPODPRTO, 0, "P", "RZ24P6+K1+", 1066, N, N},
            {0, NAP_NIPODPRTO, 0, "N", "RZ24N5K1", 1066, N, N},
            {0, 0, NAP_ZAPIRANJE, "S", "RZ24SK1", 1066, Z, 0},
            {0, NAP_NIPODPRTO, NAP_ZAPIRANJE, "P", "RZ24P6+K1+", 1066, N, N},
            {0, 0, 0, "", "RK1", 1066, S, 1}, // with a control handler, and no arguments
        };
    char const *argumenti[] = {"Poskus", "x"};
    const unsigned int kontrole[] = {SERVICE_CONTROL_PAUSE, SERVICE_CONTROL_CONTINUE,
                                     SERVICE_CONTROL_INTERROGATE, SERVICE_CONTROL_STOP};
    for (auto [zagon, prekinitev, zakljucek, kode, klici, izhodna, koda, izhodNiti] : primeri) {
        SCOPED_TRACE(klici);
        PoskusniServis servis;
        std::tie(servis.zagon, servis.prekinitev, servis.zakljucek) = std::tie(zagon, prekinitev, zakljucek);
        const bool rokovalnik = !strcmp(klici, "RK1");
        EXPECT_EQ(servis.Odpri(rokovalnik ? 0 : 2, argumenti, 0,
                               rokovalnik ? reinterpret_cast<void *>(&Rokovalnik) : nullptr),
                  0);
        for (const char *k = kode; *k; ++k)
            EXPECT_EQ(servis.Sporoci(kontrole[strchr("PNIS", *k) - "PNIS"], 0, nullptr), 0);
        EXPECT_EQ(servis.Zakleni(10000), 0);
        unsigned int izhod = 0;
        EXPECT_EQ(servis.VrniRezultat(&izhod), 0);
        EXPECT_EQ(izhod, izhodNiti);
        EXPECT_EQ(servis.klici, klici);
        EXPECT_EQ(servis.rezultatPorocila, rokovalnik ? 0 : 7); // ObStatusu's result stands for the report's
        EXPECT_EQ(servis.VrniArgumente()[1], argumenti[1]);
        const T_ZAPISSTATUSA &k = servis.VrniStatus();
        EXPECT_EQ(
            std::make_tuple(servis.VrniSteviloArgumentov(), k.TipServisa, k.TrenutnoStanje,
                            k.SprejeteKontrole, k.IzhodnaKoda, k.KodaServisa),
            std::make_tuple(rokovalnik ? 0u : 2u, 0x30u, unsigned{SERVIS_USTAVLJEN}, 1u, izhodna, koda));
    }
}
