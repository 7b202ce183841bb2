// Progress indicators: the time throttle and the mapping onto a global range, seen through recorders.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include <zrno/util.h>

namespace {

using V = std::vector<int>;

class Zapisnik : public RKazalnikNapredka {
  public:
    V klici; // positions, and -1000 - lower bound for a range
    void NastaviObmocje(int a, int) override { klici.push_back(-1000 - a); }
    void Nastavi(int p) override { klici.push_back(p); }
};

class CasovniZapisnik : public RCasKazalnikNapredka {
  public:
    using RCasKazalnikNapredka::RCasKazalnikNapredka;
    V porocila;
    int obmocja = 0;
    /// Sets the position with the last report moved back by pretece ms, so the test never waits for the
    /// clock; returns every report that has reached the display so far.
    V Korak(int polozaj, unsigned int pretece = 0) {
        m_zadnjiCas -= pretece;
        RCasKazalnikNapredka::Nastavi(polozaj);
        return porocila;
    }

  protected:
    void PraviNastaviObmocje() override { ++obmocja; }
    void PraviNastavi() override { porocila.push_back(m_zadnjiPolozaj); }
};

} // namespace

// An hour's interval cannot pass during the test, however busy the machine.
TEST(RCasKazalnikNapredka, EndsAlwaysOthersOncePerInterval) {
    const unsigned int URA = 3600000;
    CasovniZapisnik k(URA);
    k.NastaviObmocje(0, 100);
    EXPECT_EQ(k.obmocja, 1);
    for (int polozaj : {0, 20, 100})
        k.Nastavi(polozaj);
    EXPECT_EQ(k.Korak(100), V({0, 100, 100})) << "ends at once, even repeated; 20 within the interval not";
    CasovniZapisnik d(URA);
    d.NastaviObmocje(0, 100);
    EXPECT_EQ(d.Korak(50, URA), V({50})) << "the interval has passed since the last report";
    EXPECT_EQ(d.Korak(50, URA), V({50})) << "the last position is ignored even after the interval";
    EXPECT_EQ(d.Korak(60), V({50, 60}));
    EXPECT_EQ(d.Korak(70), V({50, 60})) << "dropped, not queued";
    EXPECT_EQ(d.Korak(80, URA), V({50, 60, 80}));
}

TEST(RGlobalniKazalnikNapredka, MapsTheStepOntoItsSection) {
    Zapisnik z;
    RGlobalniKazalnikNapredka g(&z);
    g.NastaviGlobalnoObmocje(0, 100);
    g.NastaviObmocje(0, 10);
    EXPECT_EQ(z.klici, V({-1000})) << "only the global range is forwarded";
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
        EXPECT_EQ(z.klici, V({p.pricakovano})) << p.polozaj;
    }
}
