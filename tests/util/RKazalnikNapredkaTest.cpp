// Progress indicators: the time throttle and the mapping onto a global range, seen through recorders.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include <zrno/util.h>

namespace {

using S = std::vector<std::string>;
using std::to_string;

class Zapisnik : public RKazalnikNapredka {
  public:
    S klici;
    bool prekini = false;
    void NastaviBesedilo(unsigned int id) override { klici.push_back("id " + to_string(id)); }
    void NastaviBesedilo(char const *b) override { klici.push_back(std::string("text ") + b); }
    void NastaviObmocje(int a, int b) override {
        klici.push_back("range " + to_string(a) + " " + to_string(b));
    }
    void Nastavi(int p) override { klici.push_back(to_string(p)); }
    void Prikazi(bool p) override { klici.push_back(p ? "show" : "hide"); }
    bool PrekiniPostopek() override { return prekini; }
};

class CasovniZapisnik : public RCasKazalnikNapredka {
  public:
    using RCasKazalnikNapredka::RCasKazalnikNapredka;
    std::vector<int> porocila;
    int obmocja = 0;
    /// Moves the last report back in time, so the test never waits for the clock.
    void Pretece(unsigned int ms) { m_zadnjiCas -= ms; }

  protected:
    void PraviNastaviObmocje() override { ++obmocja; }
    void PraviNastavi() override { porocila.push_back(m_zadnjiPolozaj); }
};

using V = std::vector<int>;

} // namespace

TEST(RCasKazalnikNapredka, EndsAlwaysOthersOncePerInterval) {
    // Sets the position and returns every report that has reached the display so far.
    auto nastavi = [](CasovniZapisnik &k, int polozaj) { return k.Nastavi(polozaj), k.porocila; };
    CasovniZapisnik k(500);
    k.NastaviObmocje(0, 100);
    EXPECT_EQ(k.obmocja, 1);
    for (int polozaj : {0, 20, 100})
        k.Nastavi(polozaj);
    EXPECT_EQ(nastavi(k, 100), V({0, 100, 100})) << "ends at once, even repeated; 20 within the interval not";

    // An hour's interval cannot pass during the test, however busy the machine; passing time is
    // simulated by moving the last report back.
    CasovniZapisnik dolg(3600000);
    dolg.NastaviObmocje(0, 100);
    dolg.Pretece(3600000);
    EXPECT_EQ(nastavi(dolg, 50), V({50})) << "the interval has passed since the last report";
    dolg.Pretece(3600000);
    EXPECT_EQ(nastavi(dolg, 50), V({50})) << "the last position is ignored even after the interval";
    EXPECT_EQ(nastavi(dolg, 60), V({50, 60}));
    EXPECT_EQ(nastavi(dolg, 70), V({50, 60})) << "dropped, not queued";
    dolg.Pretece(3600000);
    EXPECT_EQ(nastavi(dolg, 80), V({50, 60, 80}));
}

TEST(RGlobalniKazalnikNapredka, MapsTheStepOntoItsSectionAndForwardsTheRest) {
    Zapisnik z;
    RGlobalniKazalnikNapredka g(&z), brez;
    EXPECT_FALSE(brez.PrekiniPostopek()) << "no target";
    g.NastaviGlobalnoObmocje(0, 100);
    g.NastaviGlobalniOdsek(40, 100);
    g.NastaviObmocje(0, 10);
    EXPECT_EQ(z.klici, S({"range 0 100"})) << "only the global range is forwarded";

    static const struct {
        int lokalnaOd, lokalnaDo, odsekOd, odsekDo, polozaj, pricakovano;
    } k_primeri[] = {
        {0, 10, 40, 100, 0, 40},  {0, 10, 40, 100, 10, 100}, {0, 10, 40, 100, 1, 46}, // 0-10 onto 40-100
        {0, 2, 0, 1, 1, 1},       {0, 2, 0, -1, 1, -1}, // 0.5 and -0.5 round away from zero
        {0, 3, 0, 10, 1, 3},      {0, 3, 0, 10, 2, 7},  // 3.33 and 6.67
        {10, 20, 0, 100, 5, -50},                       // before the local range
        {5, 5, 40, 100, 5, 39},                         // divisor 0: section lower - 1
    };
    for (const auto &p : k_primeri) {
        z.klici.clear();
        g.NastaviObmocje(p.lokalnaOd, p.lokalnaDo);
        g.NastaviGlobalniOdsek(p.odsekOd, p.odsekDo);
        g.Nastavi(p.polozaj);
        EXPECT_EQ(z.klici, S({to_string(p.pricakovano)})) << p.polozaj;
    }
    z.klici.clear();
    brez.Uporabi(&z);
    brez.NastaviBesedilo(7u);
    brez.NastaviBesedilo("kopiram");
    brez.Prikazi(true);
    z.prekini = true;
    EXPECT_TRUE(brez.PrekiniPostopek());
    RGlobalniKazalnikNapredka kopija(brez);
    kopija.Prikazi(false);
    EXPECT_EQ(z.klici, S({"id 7", "text kopiram", "show", "hide"})) << "copies share the target";
    EXPECT_EQ(brez.Odpusti(), &z);
    brez.Prikazi(true);
    EXPECT_FALSE(brez.PrekiniPostopek());
    EXPECT_EQ(z.klici.size(), 4u);
}
