// Base64: known vectors, carries, foreign characters, padding, unfinished groups, vector loads at page edges.
#include "TestniTok.h"
#include <windows.h>
#include <zrno/strings.h>

namespace {

const char *const k_rfc4648[] = {"",     "",         "f",     "Zg==",     "fo",     "Zm8=",    "foo", "Zm9v",
                                 "foob", "Zm9vYg==", "fooba", "Zm9vYmE=", "foobar", "Zm9vYmFy"}; // data, text

// Text, output, end, carry. Foreign characters skip; the first padded group ends the data; a partial waits;
// padding in the first two places still decodes by the arithmetic (values truncated to 8 bits).
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

TEST(RBase64, VectorsCarriesMalformedTextPageEdgesAndPaddingInTheStream) {
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

    for (const auto &p : k_nepravilno) {
        SCOPED_TRACE(p.besedilo);
        RBase64 b;
        bool konec = !p.konec;
        EXPECT_EQ(p.bajti, Dekodiraj(b, p.besedilo, konec));
        EXPECT_EQ(p.konec, konec);
        EXPECT_EQ(3 * ((p.ostane + 1) / 4), b.VrniDeKodDolzino(1)) << "carry of " << p.ostane;
    }
    bool konec; // b is empty again
    EXPECT_EQ("", Dekodiraj(b, "Zm9", konec));
    EXPECT_EQ(0xC0000000u, b.VrniDeKodDolzino(0xFFFFFFFEu));
    EXPECT_EQ("foo", Dekodiraj(b, "v", konec)) << "the fourth character completes the carry";

    // A terminator just before an inaccessible page: the vector loads must never touch that page.
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
