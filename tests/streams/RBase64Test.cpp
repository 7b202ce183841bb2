// Base64: RFC 4648 vectors in every form, carries, foreign characters, padding, unfinished groups, the vector
// paths at every length, offset and page edge; the converter's edges (its round trips: PretvornikTest).
#include "TestniTok.h"
#include <random>
#include <windows.h>
#include <zrno/strings.h>

namespace {

const char *const k_rfc4648[] = {"",     "",         "f",     "Zg==",     "fo",     "Zm8=",    "foo", "Zm9v",
                                 "foob", "Zm9vYg==", "fooba", "Zm9vYmE=", "foobar", "Zm9vYmFy"}; // data, text

TEST(RBase64, Rfc4648VectorsCarriesAndRandomRoundTrips) {
    for (size_t i = 0; i < 14; i += 2) {
        const char *podatki = k_rfc4648[i], *besedilo = k_rfc4648[i + 1];
        SCOPED_TRACE(podatki);
        const unsigned int n = static_cast<unsigned int>(strlen(podatki));
        RBase64 b;
        EXPECT_EQ(besedilo, Kodiraj(b, podatki, true));
        RNizA niz("x");
        EXPECT_EQ(strlen(besedilo), b.Kodiraj(podatki, n, niz, true));
        EXPECT_EQ(std::string("x") + besedilo, static_cast<char const *>(niz));
        TestniTok tok;
        EXPECT_EQ(strlen(besedilo), b.Kodiraj(podatki, n, tok, true));
        EXPECT_EQ(besedilo, tok.zapisano);

        bool konec;
        EXPECT_EQ(podatki, Dekodiraj(b, besedilo, konec));
        EXPECT_EQ(n % 3 != 0, konec);
        TestniTok izhod;
        EXPECT_EQ(n, b.DeKodiraj(besedilo, izhod, konec));
        EXPECT_EQ(podatki, izhod.zapisano);
    }

    RBase64 b;
    EXPECT_EQ(0u, b.VrniKodDolzino(0));
    EXPECT_EQ(4u, b.VrniKodDolzino(1));
    EXPECT_EQ("", Kodiraj(b, "fo", false));
    EXPECT_EQ(4u, b.VrniKodDolzino(1)) << "the carry counts";
    EXPECT_EQ(~0u, b.VrniKodDolzino(0xFFFFFFFEu)); // beyond 32 bits: never a wrapped size
    char prazen = '?';
    EXPECT_EQ(0u, b.Kodiraj("", 0xC0000000u, &prazen, true)); // refused: nothing read, nothing written
    EXPECT_EQ('?', prazen);
    EXPECT_EQ("Zm9v", Kodiraj(b, "o", true));
    EXPECT_EQ("Zm9v", Kodiraj(b, "foo", false)) << "a full carry leaves in the same call";
    EXPECT_EQ("", Kodiraj(b, "f", false));
    b.Sprazni();
    EXPECT_EQ("", Kodiraj(b, "", true));

    // Both directions split into two calls at every point of a 100-byte input (and its text).
    std::string s = Zaporedje(100);
    const std::string cel = Kodiraj(b, s, true);
    for (size_t i = 0; i <= cel.size(); ++i) {
        RBase64 k, d;
        bool konec;
        std::string prvi = i <= s.size() ? Kodiraj(k, s.substr(0, i), false) : "";
        if (i <= s.size()) { // the second call after the first
            EXPECT_EQ(cel, prvi + Kodiraj(k, s.substr(i), true)) << i;
        }
        prvi = Dekodiraj(d, cel.substr(0, i), konec);
        EXPECT_EQ(i == cel.size(), konec);
        EXPECT_EQ(s, prvi + Dekodiraj(d, cel.substr(i), konec)) << i;
        EXPECT_EQ(i < cel.size(), konec);
    }

    // Random lengths and offsets exercise the vector paths from every alignment; the decoder also sees the
    // text broken into lines and strewn with foreign characters that leave the vector path mid-run.
    std::mt19937 g(11);
    std::string velik(1 << 16, 0);
    std::generate(velik.begin(), velik.end(), [&] { return static_cast<char>(g()); });
    for (int i = 0; i < 300; ++i) {
        size_t zacetek = g() % 32, n = i < 150 ? g() % 200 : g() % (velik.size() - 32);
        RBase64 b;
        const std::string s = velik.substr(zacetek, n), t = Kodiraj(b, s, true);
        ASSERT_EQ(s, Dekodiraj(t)) << n;
        std::string nered;
        for (char c : t) {
            nered += c;
            if (g() % 50 == 0)
                nered += "\r\n \x80*-"[g() % 6];
        }
        ASSERT_EQ(s, Dekodiraj(nered)) << n;
    }
}

// Text, what comes out, the end, values left in the carry. Foreign characters are skipped; the first padded
// group ends the data; an unfinished group waits; padding in the first two places still decodes by the
// arithmetic (values truncated to 8 bits).
const struct {
    const char *besedilo, *bajti;
    bool konec;
    unsigned int ostane;
} k_nepravilno[] = {{"Zm9v YmFy", "foobar", false, 0}, {"Z\nm\r9\tv!@#$%^&*()", "foo", false, 0},
                    {"\xFFZ\x80m9v", "foo", false, 0}, {"Zm8=", "fo", true, 0},
                    {"Zm8=Zm9v", "fo", true, 0},       {"Zg==Zm9v", "f", true, 0},
                    {"Zm9vZg==YmFy", "foof", true, 0}, {"Zm9", "", false, 3},
                    {"Zm9vY", "foo", false, 1},        {"Z=9v", "d\x0Fo", false, 0},
                    {"=m9v", "\x02oo", false, 0},      {"Zm=v", "f", true, 0},
                    {"====", "\x04", true, 0}};

TEST(RBase64, MalformedTextPageEdgesAndPaddingInTheStream) {
    for (const auto &p : k_nepravilno) {
        SCOPED_TRACE(p.besedilo);
        RBase64 b;
        bool konec = !p.konec;
        EXPECT_EQ(p.bajti, Dekodiraj(b, p.besedilo, konec));
        EXPECT_EQ(p.konec, konec);
        EXPECT_EQ(3 * ((p.ostane + 1) / 4), b.VrniDeKodDolzino(1)) << "carry of " << p.ostane;
    }
    RBase64 b;
    bool konec;
    EXPECT_EQ("", Dekodiraj(b, "Zm9", konec));
    EXPECT_EQ(0xC0000000u, b.VrniDeKodDolzino(0xFFFFFFFEu));
    EXPECT_EQ("foo", Dekodiraj(b, "v", konec)) << "the fourth character completes the carry";

    // Text whose terminator is the last byte before an inaccessible page: the vector loads must not touch
    // the next page, at any distance from it.
    const DWORD stran = 4096; // x86 and x64 Windows
    char *p = static_cast<char *>(VirtualAlloc(nullptr, 2 * stran, MEM_COMMIT, PAGE_READWRITE));
    ASSERT_NE(nullptr, p);
    DWORD staro;
    ASSERT_TRUE(VirtualProtect(p + stran, stran, PAGE_NOACCESS, &staro));
    RBase64 kod;
    const std::string s = Zaporedje(3000), t = Kodiraj(kod, s, false);
    for (size_t n = 0; n <= 200; n += 4) {
        char *z = p + stran - n - 1, o[200];
        memcpy(z, t.data(), n);
        z[n] = 0;
        EXPECT_EQ(s.substr(0, n / 4 * 3), std::string(o, RBase64().DeKodiraj(z, o, konec))) << n;
    }
    VirtualFree(p, 0, MEM_RELEASE);

    TestniTok cilj("Zm8=\nZm9vYmFy");
    RBase64Tok tok(19, &cilj);
    char kos[10];
    EXPECT_IZID(tok, Preberi(kos, 10), 2u, 0);
    EXPECT_EQ("fo", std::string(kos, 2));
    EXPECT_IZID(tok, Preberi(kos, 4), 4u, 0);
    EXPECT_IZID(tok, Preberi(kos + 4, 10), 2u, Zrno::NAP_KONECPODATKOV);
    EXPECT_EQ("foobar", std::string(kos, 6));
    EXPECT_IZID(tok, Preberi(kos, 10), 0u, Zrno::NAP_KONECPODATKOV);
    RPomDatoteka padded; // read in place
    padded.Zapisi("Zm8=\n", 5), padded.PrestaviZac(0);
    RBase64Tok drugi(19, &padded);
    EXPECT_IZID(drugi, Preberi(kos, 10), 2u, 0);
    EXPECT_IZID(drugi, Preberi(kos, 10), 0u, Zrno::NAP_KONECPODATKOV);
    padded.Zapisi("Zm9v", 4), padded.PrestaviZac(5); // text that comes after the end
    EXPECT_IZID(drugi, Preberi(kos, 3), 3u, 0);
}

} // namespace
