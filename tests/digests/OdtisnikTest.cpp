// What every digest must do alike (CRC-32, MD5, SHA-1): the system's own value for boundary lengths,
// random data and one message split at every point or at random points, copies taken mid-message and
// the stored form through a memory file.
#include "Pomoc.h"
#include <vector>

namespace {

template <class D> class Odtisnik : public ::testing::Test {};
using Vrste = ::testing::Types<RCRC32, RMD5, RSHA1>;
TYPED_TEST_SUITE(Odtisnik, Vrste);

// One and two padding blocks, block edges, and the first length of a third block.
TYPED_TEST(Odtisnik, BoundaryLengthsMatchTheSystem) {
    std::mt19937 g(1);
    for (unsigned int n : {0u, 1u, 55u, 56u, 57u, 63u, 64u, 65u, 119u, 120u, 127u, 128u, 129u}) {
        std::string s = Nakljucni(g, n);
        EXPECT_EQ(Sistemski<TypeParam>(s), Odtis<TypeParam>(s)) << n;
    }
}

// Lengths and start offsets (the alignment of the caller's data) both random, long ones included so
// that the bulk paths run from every alignment.
TYPED_TEST(Odtisnik, RandomDataMatchesTheSystem) {
    std::mt19937 g(2);
    std::string velik = Nakljucni(g, 1 << 20);
    for (int i = 0; i < 200; ++i) {
        size_t zacetek = g() % 64, n = i < 100 ? g() % 2000 : g() % (velik.size() - 64);
        std::string s = velik.substr(zacetek, n);
        ASSERT_EQ(Sistemski<TypeParam>(s), Odtis<TypeParam>(s)) << zacetek << " " << n;
    }
}

TYPED_TEST(Odtisnik, EverySplitOfAShortMessageGivesTheSameValue) {
    std::mt19937 g(3);
    std::string s = Nakljucni(g, 200);
    const std::string cel = Odtis<TypeParam>(s);
    for (unsigned int i = 0; i <= 200; ++i) {
        TypeParam d;
        d.Izracunaj(s.data(), i);
        d.Izracunaj(nullptr, 0);
        d.Izracunaj(s.data() + i, 200 - i);
        d.Zakljuci();
        ASSERT_EQ(cel, Hex(d)) << i;
    }
}

TYPED_TEST(Odtisnik, RandomSplitsOfALongMessageGiveTheSameValue) {
    std::mt19937 g(4);
    std::string s = Nakljucni(g, 10 << 20);
    const std::string cel = Sistemski<TypeParam>(s);
    EXPECT_EQ(cel, Odtis<TypeParam>(s));
    for (int krog = 0; krog < 3; ++krog) {
        TypeParam d;
        for (size_t i = 0; i < s.size();) {
            // Mostly short pieces around the block edges, now and then a long run.
            size_t n = std::min<size_t>(s.size() - i, g() % 8 ? g() % 130 : g() % 300000);
            d.Izracunaj(s.data() + i, static_cast<unsigned int>(n));
            i += n;
        }
        d.Zakljuci();
        EXPECT_EQ(cel, Hex(d)) << krog;
    }
}

TYPED_TEST(Odtisnik, ACopyTakenMidMessageGoesOnIndependently) {
    std::mt19937 g(5);
    std::string s = Nakljucni(g, 1000);
    for (unsigned int rez : {1u, 63u, 64u, 100u}) {
        TypeParam d;
        d.Izracunaj(s.data(), rez);
        TypeParam kopija(d), prirejena;
        prirejena = d;
        kopija.Zakljuci();
        EXPECT_EQ(Sistemski<TypeParam>(s.substr(0, rez)), Hex(kopija));
        prirejena.Izracunaj(s.data() + rez, 10);
        prirejena.Zakljuci();
        EXPECT_EQ(Sistemski<TypeParam>(s.substr(0, rez + 10)), Hex(prirejena));
        d.Izracunaj(s.data() + rez, static_cast<unsigned int>(s.size() - rez));
        d.Zakljuci();
        EXPECT_EQ(Sistemski<TypeParam>(s), Hex(d));
    }
}

template <class D> std::string Shranjen(const D &d) {
    RPomDatoteka f;
    EXPECT_EQ(0, d.Zapisi(f));
    return std::string(static_cast<char const *>(f.VrniPodatke()), static_cast<size_t>(f.VrniDolzino()));
}

// The stored form is the value in the digest's printed byte order (the CRC least significant byte
// first); reading it back gives the same value, and a short read keeps what arrived over the rest.
TYPED_TEST(Odtisnik, StoredFormRoundTripsThroughAMemoryFile) {
    TypeParam d;
    d.Izracunaj("123456789", 9);
    d.Zakljuci();
    std::string zapisano = Shranjen(d);
    unsigned char const *b = reinterpret_cast<unsigned char const *>(zapisano.data());
    if (std::is_same<TypeParam, RCRC32>::value)
        EXPECT_EQ("2639f4cb", Hex(b, zapisano.size()));
    else
        EXPECT_EQ(Hex(d), Hex(b, zapisano.size()));

    TypeParam prebran;
    prebran.Izracunaj("x", 1);
    prebran.Zakljuci();
    const std::string staro = Shranjen(prebran);
    RPomDatoteka f(const_cast<char *>(zapisano.data()), static_cast<unsigned int>(zapisano.size()), false);
    EXPECT_EQ(0, prebran.Preberi(f));
    EXPECT_EQ(Hex(d), Hex(prebran));

    TypeParam delno;
    delno.Izracunaj("x", 1);
    delno.Zakljuci();
    RPomDatoteka kratka(const_cast<char *>(zapisano.data()), 3, false);
    EXPECT_EQ(Zrno::NAP_KONECPODATKOV, delno.Preberi(kratka));
    EXPECT_EQ(zapisano.substr(0, 3) + staro.substr(3), Shranjen(delno));
}

} // namespace
