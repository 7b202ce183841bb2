// CRC-32, MD5, SHA-1 and SHA-256 against the standards' known answers and the system's own hashes.
#include "Pomoc.h"
#include "TestniTok.h"

namespace {

struct Odgovor {
    const char *sporocilo;
    const char *crc32, *md5, *sha1, *sha256; // null where the standard gives none: the system's value then
};

const Odgovor k_odgovori[] = {
    {"", "00000000", "d41d8cd98f00b204e9800998ecf8427e", "da39a3ee5e6b4b0d3255bfef95601890afd80709",
     "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
    {"a", "e8b7be43", "0cc175b9c0f1b6a831c399e269772661", nullptr, nullptr},
    {"abc", "352441c2", "900150983cd24fb0d6963f7d28e17f72", "a9993e364706816aba3e25717850c26c9cd0d89d",
     "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
    {"12345678901234567890123456789012345678901234567890123456789012345678901234567890", nullptr,
     "57edf4a22be3c955ac49da2e2107b67a", nullptr, nullptr},
    {"123456789", "cbf43926", nullptr, nullptr, nullptr},
    {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq", nullptr, nullptr,
     "84983e441c3bd26ebaae4aa1f95129e5e54670f1",
     "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
};

// The suite's name is the processor-path runs' filter (tests/helpers/poti.cmake).
TEST(ZnaniOdgovori, StandardVectors) {
    for (const Odgovor &o : k_odgovori) {
        SCOPED_TRACE(o.sporocilo);
        EXPECT_EQ(o.crc32 ? o.crc32 : Sistemski<RCRC32>(o.sporocilo), Odtis<RCRC32>(o.sporocilo));
        EXPECT_EQ(o.md5 ? o.md5 : Sistemski<RMD5>(o.sporocilo), Odtis<RMD5>(o.sporocilo));
        EXPECT_EQ(o.sha1 ? o.sha1 : Sistemski<RSHA1>(o.sporocilo), Odtis<RSHA1>(o.sporocilo));
        EXPECT_EQ(o.sha256 ? o.sha256 : Sistemski<RSHA256>(o.sporocilo), Odtis<RSHA256>(o.sporocilo));
    }
}

template <class D> class Odtisnik : public ::testing::Test {};
using Vrste = ::testing::Types<RCRC32, RMD5, RSHA1, RSHA256>;
TYPED_TEST_SUITE(Odtisnik, Vrste);

// Random lengths to 1 MiB from random offsets: bulk paths at every alignment; pieces around block edges.
TYPED_TEST(Odtisnik, AnyLengthOffsetAndSplitMatchesTheSystem) {
    std::mt19937 g(2);
    std::string velik = Nakljucni(g, 1 << 20);
    for (unsigned int n : {0u, 1u, 55u, 56u, 57u, 63u, 64u, 65u, 119u, 120u, 127u, 128u, 129u})
        EXPECT_EQ(Sistemski<TypeParam>(velik.substr(0, n)), Odtis<TypeParam>(velik.substr(0, n))) << n;
    for (int i = 0; i < 200; ++i) {
        size_t zacetek = g() % 64, n = i < 100 ? g() % 2000 : g() % (velik.size() - 64);
        const std::string s = velik.substr(zacetek, n), sistem = Sistemski<TypeParam>(s);
        ASSERT_EQ(sistem, Odtis<TypeParam>(s)) << zacetek << " " << n;
        TypeParam d;
        for (size_t j = 0, k; j < s.size(); j += k) {
            k = std::min<size_t>(s.size() - j, g() % 8 ? g() % 130 : g() % 300000);
            d.Izracunaj(s.data() + j, static_cast<unsigned int>(k));
        }
        d.Zakljuci();
        ASSERT_EQ(sistem, Hex(d)) << "in pieces: " << zacetek << " " << n;
    }
    // Copies taken there go on independently: one constructed, finished at once, one assigned, fed on.
    const std::string kratko = Odtis<TypeParam>(velik.substr(0, 200));
    for (unsigned int i = 0; i <= 200; ++i) {
        TypeParam d, prirejena;
        d.Izracunaj(velik.data(), i);
        TypeParam kopija(d);
        prirejena = d;
        kopija.Zakljuci();
        d.Izracunaj(nullptr, 0);
        for (TypeParam *o : {&d, &prirejena})
            o->Izracunaj(velik.data() + i, 200 - i), o->Zakljuci();
        ASSERT_EQ(kratko + kratko + Sistemski<TypeParam>(velik.substr(0, i)),
                  Hex(d) + Hex(prirejena) + Hex(kopija))
            << i;
    }
}

template <class D> std::string Shranjen(const D &d) {
    TestniTok t;
    EXPECT_EQ(0, d.Zapisi(t));
    EXPECT_EQ(1u, t.velikostiPisanj.size()) << "in one call";
    return t.zapisano;
}

// The stored form is in printed byte order, the CRC's least significant byte first.
TYPED_TEST(Odtisnik, StoredFormRoundTripsThroughAStream) {
    TypeParam d, prebran, delno;
    d.Izracunaj("123456789", 9);
    d.Zakljuci();
    std::string zapisano = Shranjen(d);
    bool crc = std::is_same<TypeParam, RCRC32>::value;
    EXPECT_EQ(crc ? "2639f4cb" : Hex(d),
              Hex(reinterpret_cast<unsigned char const *>(zapisano.data()), zapisano.size()));
    for (TypeParam *o : {&prebran, &delno}) // a value of their own, which a read must replace
        o->Izracunaj("x", 1), o->Zakljuci();
    const std::string staro = Shranjen(prebran);
    TestniTok f(zapisano), kratka(zapisano.substr(0, 3));
    f.najvecNaBranje = 5; // read until all came
    EXPECT_EQ(0, prebran.Preberi(f));
    EXPECT_EQ(Hex(d), Hex(prebran));
    EXPECT_EQ(Zrno::NAP_KONECPODATKOV, delno.Preberi(kratka));
    EXPECT_EQ(zapisano.substr(0, 3) + staro.substr(3), Shranjen(delno));
}

template <class D> class Stevec : public D {
  public:
    unsigned int blokov = 0;

  protected:
    void IzracunajBlok() override { ++blokov, D::IzracunajBlok(); }
};

template <class D> class BlokovniOdtisnik : public ::testing::Test {};
using BlokovneVrste = ::testing::Types<RMD5, RSHA1, RSHA256>;
TYPED_TEST_SUITE(BlokovniOdtisnik, BlokovneVrste);

// These digests compress straight from the data, so an override must still see every block.
TYPED_TEST(BlokovniOdtisnik, AnOverriddenIzracunajBlokSeesEveryBlock) {
    std::mt19937 g(7);
    std::string s = Nakljucni(g, 1 << 20);
    for (size_t n : {size_t(64), size_t(1000), s.size() - 7}) {
        Stevec<TypeParam> d;
        d.Izracunaj(s.data() + 3, static_cast<unsigned int>(n));
        EXPECT_EQ(n / 64, d.blokov);
        d.Zakljuci();
        const std::string h = Hex(d);
        EXPECT_EQ(Odtis<TypeParam>(s.substr(3, n)), h) << n;
        d.Resetiraj();
        EXPECT_EQ(h, Hex(d));
    }
}

// 513 MiB is more than 2^32 bits (the processor-path runs leave this test out by its name).
TYPED_TEST(BlokovniOdtisnik, TheBitCountCarriesIntoItsHighWord) {
    std::mt19937 g(8);
    std::string s = Nakljucni(g, 1 << 20);
    TypeParam d;
    d.Izracunaj(s.data(), 5); // off the block edge for the rest
    for (int i = 0; i < 513; ++i)
        d.Izracunaj(s.data(), static_cast<unsigned int>(s.size()));
    d.Zakljuci();
    EXPECT_EQ(Sistemski<TypeParam>(s, 513, s.substr(0, 5)), Hex(d));
}

TEST(RCRC32, StartValueResetirajFinishingTwiceAndEveryLengthAndAlignment) {
    RCRC32 c(0x12345678);
    EXPECT_EQ(~0x12345678ul, c.Vrni());
    c.Izracunaj("6789", 4);
    const unsigned long tece = c.Vrni();
    c.Zakljuci(), c.Zakljuci();
    EXPECT_EQ(tece, c.Vrni());
    c.Resetiraj();
    EXPECT_EQ(0xFFFFFFFFul, c.Vrni());
    // Table, slicing and folding: lengths around the folding threshold, from every offset within 16 bytes.
    std::mt19937 g(6);
    std::string s = Nakljucni(g, 5000);
    for (size_t zacetek = 0; zacetek < 16; ++zacetek)
        for (size_t n = 0; n + zacetek <= s.size(); n += (n < 1100 ? 1 : 97)) {
            unsigned int zacetni = g();
            RCRC32 c(zacetni);
            c.Izracunaj(s.data() + zacetek, static_cast<unsigned int>(n));
            c.Zakljuci();
            ASSERT_EQ(Crc32Sistema(s.substr(zacetek, n), zacetni), c.Vrni()) << zacetek << " " << n;
        }
}

} // namespace
