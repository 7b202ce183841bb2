// SHA-256: FIPS 180-4's examples, CryptoAPI's SHA-256 (the AES provider) for random data and every
// split of a short message, copies mid-message and the stored form. The poti_* entries run them on the
// portable kernel too.
#include "Pomoc.h"
#include <zrno/streams.h>

inline std::string Hex(const RSHA256 &d) { return Hex(d.Vrni().Bajti, 32); }

namespace {

// One provider for the whole run: acquiring one costs milliseconds under Wine.
std::string Sha256Sistema(std::string const &s) {
    static HCRYPTPROV p = 0;
    if (!p) {
        EXPECT_TRUE(CryptAcquireContextA(&p, nullptr, nullptr, PROV_RSA_AES, CRYPT_VERIFYCONTEXT));
    }
    HCRYPTHASH h = 0;
    BYTE b[32];
    DWORD n = sizeof b;
    EXPECT_TRUE(CryptCreateHash(p, CALG_SHA_256, 0, 0, &h));
    EXPECT_TRUE(CryptHashData(h, reinterpret_cast<BYTE const *>(s.data()), static_cast<DWORD>(s.size()), 0));
    EXPECT_TRUE(CryptGetHashParam(h, HP_HASHVAL, b, &n, 0));
    CryptDestroyHash(h);
    return Hex(b, n);
}

TEST(RSHA256, StandardVectors) {
    EXPECT_EQ("e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855", Odtis<RSHA256>(""));
    EXPECT_EQ("ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad", Odtis<RSHA256>("abc"));
    EXPECT_EQ("248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1",
              Odtis<RSHA256>("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"));
    RSHA256 d;
    for (int i = 0; i < 1000000; ++i)
        d.Izracunaj("a", 1);
    d.Zakljuci();
    EXPECT_EQ("cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0", Hex(d));
}

// Random lengths and alignments, long runs included so that whole blocks bypass the buffer.
TEST(RSHA256, RandomDataMatchesCryptoApi) {
    std::mt19937 g(21);
    std::string velik = Nakljucni(g, 1 << 20);
    for (int i = 0; i < 200; ++i) {
        size_t zacetek = g() % 64, n = i < 130 ? i : g() % (velik.size() - 64);
        std::string s = velik.substr(zacetek, n);
        ASSERT_EQ(Sha256Sistema(s), Odtis<RSHA256>(s)) << zacetek << " " << n;
    }
}

TEST(RSHA256, EverySplitAndCopyGivesTheSameValue) {
    std::mt19937 g(22);
    const std::string s = Nakljucni(g, 300);
    const std::string cel = Sha256Sistema(s);
    for (unsigned int i = 0; i <= 300; ++i) {
        RSHA256 d;
        d.Izracunaj(s.data(), i);
        RSHA256 kopija(d), prirejena;
        prirejena = d;
        d.Izracunaj(nullptr, 0);
        d.Izracunaj(s.data() + i, 300 - i);
        d.Zakljuci();
        ASSERT_EQ(cel, Hex(d)) << i;
        kopija.Zakljuci();
        ASSERT_EQ(Sha256Sistema(s.substr(0, i)), Hex(kopija)) << i;
        prirejena.Izracunaj(s.data() + i, 300 - i);
        prirejena.Zakljuci();
        ASSERT_EQ(cel, Hex(prirejena)) << i;
    }
}

// The 32 octets in printed order; reading them back resets the computation, and a short read keeps
// the previous result behind the bytes that arrived.
TEST(RSHA256, StoredFormRoundTripsThroughAMemoryFile) {
    RSHA256 d;
    d.Izracunaj("abc", 3);
    d.Zakljuci();
    RPomDatoteka f;
    EXPECT_EQ(0, d.Zapisi(f));
    ASSERT_EQ(32u, f.VrniDolzino());
    const std::string abc = Hex(d);
    EXPECT_EQ(abc, Hex(static_cast<unsigned char const *>(f.VrniPodatke()), 32));

    RSHA256 prebran;
    prebran.Izracunaj("x", 1);
    void *zapisano = const_cast<void *>(f.VrniPodatke());
    RPomDatoteka cela(zapisano, 32, false), kratka(zapisano, 5, false);
    EXPECT_EQ(0, prebran.Preberi(cela));
    EXPECT_EQ(abc, Hex(prebran));
    prebran.Zakljuci();
    EXPECT_EQ(Odtis<RSHA256>(""), Hex(prebran));
    EXPECT_EQ(Zrno::NAP_KONECPODATKOV, prebran.Preberi(kratka));
    EXPECT_EQ(abc.substr(0, 10) + Odtis<RSHA256>("").substr(10), Hex(prebran));
}

} // namespace
