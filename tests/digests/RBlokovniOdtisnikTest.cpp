// The block digests: a derived class that overrides IzracunajBlok sees every block (and so runs the
// round-by-round compression that the fast paths must match), the bit count carries into its high
// word, and the result survives Resetiraj.
#include "Pomoc.h"

namespace {

template <class D> class Stevec : public D {
  public:
    unsigned int blokov = 0;

  protected:
    void IzracunajBlok() override {
        ++blokov;
        D::IzracunajBlok();
    }
};

template <class D> class BlokovniOdtisnik : public ::testing::Test {};
using Vrste = ::testing::Types<RMD5, RSHA1>;
TYPED_TEST_SUITE(BlokovniOdtisnik, Vrste);

TYPED_TEST(BlokovniOdtisnik, AnOverriddenIzracunajBlokSeesEveryBlock) {
    std::mt19937 g(7);
    std::string s = Nakljucni(g, 1 << 20);
    for (size_t n : {size_t(64), size_t(1000), s.size() - 7}) {
        Stevec<TypeParam> d;
        d.Izracunaj(s.data() + 3, static_cast<unsigned int>(n));
        EXPECT_EQ(n / 64, d.blokov);
        d.Zakljuci();
        EXPECT_EQ(Odtis<TypeParam>(s.substr(3, n)), Hex(d)) << n;
    }
}

// 513 MiB is more than 2^32 bits: the count's high word takes the carry. One 1 MiB buffer is fed
// over and over, to the digest and to the system's hash alike.
TYPED_TEST(BlokovniOdtisnik, TheBitCountCarriesIntoItsHighWord) {
    std::mt19937 g(8);
    std::string s = Nakljucni(g, 1 << 20);
    TypeParam d;
    Prerok p(std::is_same<TypeParam, RMD5>::value ? CALG_MD5 : CALG_SHA1);
    d.Izracunaj(s.data(), 5); // off the block edge for the rest
    p.Dodaj(s.data(), 5);
    for (int i = 0; i < 513; ++i) {
        d.Izracunaj(s.data(), static_cast<unsigned int>(s.size()));
        p.Dodaj(s.data(), static_cast<DWORD>(s.size()));
    }
    d.Zakljuci();
    EXPECT_EQ(p.Vrednost(), Hex(d));
}

TYPED_TEST(BlokovniOdtisnik, ResetirajKeepsTheLastResult) {
    TypeParam d;
    d.Izracunaj("abc", 3);
    d.Zakljuci();
    const std::string abc = Hex(d);
    d.Resetiraj();
    EXPECT_EQ(abc, Hex(d));
    d.Izracunaj("abc", 3);
    d.Zakljuci();
    EXPECT_EQ(abc, Hex(d));
}

} // namespace
