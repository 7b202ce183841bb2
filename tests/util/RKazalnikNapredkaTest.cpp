// RCasKazalnikNapredka: the time throttle, seen through a recorder.
#include <gtest/gtest.h>
#include <vector>
#include <zrno/util.h>

namespace {

using V = std::vector<int>;

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
    k.Korak(0), k.Korak(20), k.Korak(100);
    EXPECT_EQ(k.Korak(100), V({0, 100, 100})) << "ends at once, even repeated; 20 within the interval not";
    CasovniZapisnik d(URA);
    d.NastaviObmocje(0, 100);
    EXPECT_EQ(d.Korak(50, URA), V({50})) << "the interval has passed since the last report";
    EXPECT_EQ(d.Korak(50, URA), V({50})) << "the last position is ignored even after the interval";
    EXPECT_EQ(d.Korak(60), V({50, 60}));
    EXPECT_EQ(d.Korak(70), V({50, 60})) << "dropped, not queued";
    EXPECT_EQ(d.Korak(80, URA), V({50, 60, 80}));
}
