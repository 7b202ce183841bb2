// RServisImpl without a control handler: the service's state machine on its message thread, with
// every report going to ObStatusu instead of the system.
#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <vector>
#include <windows.h>
#include <zrno/system.h>

namespace {

using namespace Zrno;

constexpr unsigned int NAPAKA_SERVISA = 1066;
constexpr unsigned int KORAKI = 130; // a code of the test's own: running, then two check points

class PoskusniServis : public RServisImpl {
  public:
    int zagon = 0, prekinitev = 0, zakljucek = 0;
    // Written on the service thread, read once it has ended.
    std::string klici;
    std::vector<T_ZAPISSTATUSA> porocila;
    int rezultatPorocila = 0;

  protected:
    void PredRegistracijoServisa() override {
        klici += 'R';
        m_status.SprejeteKontrole = 1; // stop only: a change made here must survive start-up
    }
    int ObZagonu() override { return klici += 'Z', zagon; }
    int ObZaustavitvi() override {
        klici += 'S';
        return Sporoci(0, 0, nullptr);
    }
    int ObPrekinitvi() override { return klici += 'P', prekinitev; }
    int ObNadaljevanju() override { return klici += 'N', 0; }
    int ObZakljucku() override { return klici += 'K', zakljucek; }
    int ObStatusu() override {
        porocila.push_back(m_status);
        return 7;
    }
    unsigned int RokovalnikOznak(unsigned int koda, unsigned int vrednost, void *podatki) override {
        if (koda != KORAKI)
            return RServisImpl::RokovalnikOznak(koda, vrednost, podatki);
        rezultatPorocila = SporociStatus(SERVIS_TECE);
        SporociNaslednjiKorak(5000);
        SporociNaslednjiKorak(5000);
        return 0;
    }
};

char const *g_argumenti[] = {"Poskus", "x"};

// Starts the service, posts the codes, waits (bounded) for its thread and returns the exit code.
unsigned int Izvedi(PoskusniServis &servis, std::vector<unsigned int> const &kode) {
    EXPECT_EQ(servis.Odpri(2, g_argumenti, 0, nullptr), 0);
    for (unsigned int koda : kode)
        EXPECT_EQ(servis.Sporoci(koda, 0, nullptr), 0);
    EXPECT_EQ(servis.Zakleni(10000), 0);
    unsigned int izhod = 0;
    EXPECT_EQ(servis.VrniRezultat(&izhod), 0);
    return izhod;
}

} // namespace

TEST(RServisImplTest, RunsTheStateMachineWithoutTheSystem) {
    PoskusniServis servis;
    EXPECT_EQ(Izvedi(servis, {SERVICE_CONTROL_PAUSE, SERVICE_CONTROL_CONTINUE, SERVICE_CONTROL_INTERROGATE,
                              KORAKI, SERVICE_CONTROL_STOP}),
              0u);
    EXPECT_EQ(servis.klici, "RZPNSK");
    EXPECT_EQ(servis.VrniSteviloArgumentov(), 2u);
    EXPECT_EQ(servis.VrniArgumente()[1], g_argumenti[1]);
    using Stanje = std::tuple<unsigned int, unsigned int, unsigned int>; // state, check point, wait hint
    std::vector<Stanje> stanja;
    for (const T_ZAPISSTATUSA &p : servis.porocila)
        stanja.emplace_back(p.TrenutnoStanje, p.KontrolnaTocka, p.CakalniNamig);
    const std::vector<Stanje> pricakovano = {
        {SERVIS_TECE, 0, 60000},      // start-up done
        {SERVIS_PREKINJEN, 0, 60000}, // pause
        {SERVIS_TECE, 0, 60000},      // continue
        {SERVIS_TECE, 0, 60000},      // interrogate reports the record as it is
        {SERVIS_TECE, 0, 60000},      // SporociStatus resets the check point and the wait hint
        {SERVIS_TECE, 1, 5000},
        {SERVIS_TECE, 2, 5000},
        // Stop: the stopping state is not reported; the clean-up reports stopped with the check point
        // and the wait hint as they stand.
        {SERVIS_USTAVLJEN, 2, 5000},
    };
    EXPECT_EQ(stanja, pricakovano);
    EXPECT_EQ(servis.rezultatPorocila, 7); // ObStatusu's result stands for the report's
    const T_ZAPISSTATUSA &k = servis.VrniStatus();
    EXPECT_EQ(std::tie(k.TipServisa, k.SprejeteKontrole, k.IzhodnaKoda, k.KodaServisa),
              std::make_tuple(0x30u, 1u, 0u, 0u));
}

TEST(RServisImplTest, FailuresEndTheServiceWithExitCode1066) {
    struct {
        int zagon, prekinitev, zakljucek;
        std::vector<unsigned int> kode;
        const char *klici;
        int kodaServisa;
        unsigned int izhodNiti;
    } primeri[] = {
        // Start-up fails: no request is handled, the clean-up still runs, the thread ends with 1.
        {NAP_ODPIRANJE, 0, 0, {SERVICE_CONTROL_STOP}, "RZK", NAP_ODPIRANJE, 1},
        // A failed pause ends the loop with its result.
        {0, NAP_NIPODPRTO, 0, {SERVICE_CONTROL_PAUSE}, "RZPK", NAP_NIPODPRTO, unsigned(NAP_NIPODPRTO)},
        // A failed clean-up is reported when nothing failed before it.
        {0, 0, NAP_ZAPIRANJE, {SERVICE_CONTROL_STOP}, "RZSK", NAP_ZAPIRANJE, 0},
        // A failure before the clean-up is the one reported.
        {0,
         NAP_NIPODPRTO,
         NAP_ZAPIRANJE,
         {SERVICE_CONTROL_PAUSE},
         "RZPK",
         NAP_NIPODPRTO,
         unsigned(NAP_NIPODPRTO)},
    };
    for (const auto &p : primeri) {
        SCOPED_TRACE(p.klici);
        PoskusniServis servis;
        std::tie(servis.zagon, servis.prekinitev, servis.zakljucek) =
            std::tie(p.zagon, p.prekinitev, p.zakljucek);
        EXPECT_EQ(Izvedi(servis, p.kode), p.izhodNiti);
        EXPECT_EQ(servis.klici, p.klici);
        const T_ZAPISSTATUSA &koncno = servis.VrniStatus();
        EXPECT_EQ(koncno.TrenutnoStanje, unsigned{SERVIS_USTAVLJEN});
        EXPECT_EQ(koncno.IzhodnaKoda, NAPAKA_SERVISA);
        EXPECT_EQ(koncno.KodaServisa, unsigned(p.kodaServisa));
        ASSERT_FALSE(servis.porocila.empty());
        EXPECT_EQ(servis.porocila.back().TrenutnoStanje, unsigned{SERVIS_USTAVLJEN});
    }
}
