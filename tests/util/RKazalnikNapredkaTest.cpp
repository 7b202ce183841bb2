// RCasKazalnikNapredka's time throttle and RGlobalniKazalnikNapredka's mapping, seen through recorders.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include <zrno/util.h>

namespace {

using V = std::vector<int>;

class CasovniZapisnik : public RCasKazalnikNapredka {
  public:
    using RCasKazalnikNapredka::RCasKazalnikNapredka;
    V porocila;
    int obmocja = 0;
    /// Sets the position, the last report moved back by pretece ms; returns the reports so far.
    V Korak(int polozaj, unsigned int pretece = 0) {
        m_zadnjiCas -= pretece;
        RCasKazalnikNapredka::Nastavi(polozaj);
        return porocila;
    }

  protected:
    void PraviNastaviObmocje() override { ++obmocja; }
    void PraviNastavi() override { porocila.push_back(m_zadnjiPolozaj); }
};

struct Zapisnik : RKazalnikNapredka {
    std::string k;
    void NastaviBesedilo(unsigned int id) override { k += "id" + std::to_string(id) + " "; }
    void NastaviBesedilo(char const *b) override { k += b + std::string(" "); }
    void NastaviObmocje(int a, int b) override { k += std::to_string(a) + ".." + std::to_string(b) + " "; }
    void Nastavi(int p) override { k += std::to_string(p) + " "; }
    void Prikazi(bool p) override { k += p ? "show " : "hide "; }
    bool PrekiniPostopek() override { return !k.empty(); }
};

} // namespace

// An hour's interval cannot pass during the test, however busy the machine.
TEST(RCasKazalnikNapredka, EndsAlwaysOthersOncePerInterval) {
    const unsigned int URA = 3600000;
    CasovniZapisnik k(URA), d(URA);
    k.NastaviObmocje(0, 100), d.NastaviObmocje(0, 100);
    EXPECT_EQ(k.obmocja, 1);
    k.Korak(0), k.Korak(20), k.Korak(100);
    EXPECT_EQ(k.Korak(100), V({0, 100, 100})) << "ends at once, even repeated; 20 within the interval not";
    EXPECT_EQ(d.Korak(50, URA), V({50})) << "the interval has passed since the last report";
    EXPECT_EQ(d.Korak(50, URA), V({50})) << "the last position is ignored even after the interval";
    EXPECT_EQ(d.Korak(60), V({50, 60}));
    EXPECT_EQ(d.Korak(70), V({50, 60})) << "dropped, not queued";
    EXPECT_EQ(d.Korak(80, URA), V({50, 60, 80}));
}

// Ranges onto sections (0.5 away from zero, an empty range to the lower end - 1); forwarded until released.
TEST(RGlobalniKazalnikNapredka, MapsOntoTheSectionAndForwardsUntilReleased) {
    Zapisnik z;
    RGlobalniKazalnikNapredka g;
    EXPECT_FALSE(g.PrekiniPostopek()) << "no target";
    g.Uporabi(&z), g.NastaviGlobalnoObmocje(0, 100);
    const int primeri[][5] = {{0, 10, 40, 100, 1}, {0, 2, 0, 1, 1},     {0, 2, 0, -1, 1},
                              {0, 3, 0, 10, 2},    {10, 20, 0, 100, 5}, {5, 5, 40, 100, 5}};
    for (auto &p : primeri)
        g.NastaviObmocje(p[0], p[1]), g.NastaviGlobalniOdsek(p[2], p[3]), g.Nastavi(p[4]);
    g.NastaviBesedilo(7u), g.NastaviBesedilo("kopiram"), g.Prikazi(true);
    EXPECT_TRUE(g.PrekiniPostopek());
    RGlobalniKazalnikNapredka(g).Prikazi(false);
    EXPECT_EQ(g.Odpusti(), &z);
    g.NastaviGlobalnoObmocje(0, 1), g.Nastavi(1), g.NastaviBesedilo(1u), g.NastaviBesedilo("x"),
        g.Prikazi(true);
    EXPECT_FALSE(g.PrekiniPostopek()) << "released: nothing reaches the target";
    EXPECT_EQ(z.k, "0..100 46 1 -1 7 -50 39 id7 kopiram show hide ");
}
