// The helpers of the abstract stream over scripted sources: array reads that arrive a byte at a time or
// fail half-way, chunked stream copies, bytes, SAFEARRAY bytes and formatted text.
#include "TestniTok.h"
#include <gtest/gtest.h>

namespace {

struct PrimerTab {
    const char *opis;
    unsigned int velikost, stevilo, vir, najvecNaBranje, napakaPri;
    unsigned int pricakovaniElementi, pricakovaniBajti;
    int pricakovanoStanje;
};

class PreberiTabTest : public ::testing::TestWithParam<PrimerTab> {};

TEST_P(PreberiTabTest, CountsWholeElementsAndStopsAtNegativeState) {
    const PrimerTab &p = GetParam();
    TestniTok tok(std::string(p.vir, 'x'));
    tok.najvecNaBranje = p.najvecNaBranje;
    if (p.napakaPri != ~0u)
        tok.napakaPri = p.napakaPri;
    std::vector<char> b(p.velikost * p.stevilo + 1, 0);
    EXPECT_EQ(p.pricakovaniElementi, tok.PreberiTab(b.data(), p.velikost, p.stevilo));
    EXPECT_EQ(p.pricakovaniBajti, tok.Prebrano());
    EXPECT_EQ(p.pricakovanoStanje, tok.VrniStanje());
}

INSTANTIATE_TEST_SUITE_P(
    RTokPodatkov, PreberiTabTest,
    ::testing::Values(PrimerTab{"short source", 4, 3, 10, ~0u, ~0u, 2, 10, Zrno::NAP_KONECPODATKOV},
                      PrimerTab{"byte at a time", 4, 3, 12, 1, ~0u, 3, 12, 0},
                      PrimerTab{"byte at a time, short", 4, 3, 10, 1, ~0u, 2, 10, Zrno::NAP_KONECPODATKOV},
                      PrimerTab{"fails half-way", 2, 10, 100, 3, 7, 3, 7, Zrno::NAP_BRANJE},
                      PrimerTab{"fails at once", 1, 5, 100, ~0u, 0, 0, 0, Zrno::NAP_BRANJE},
                      PrimerTab{"nothing asked", 4, 0, 10, ~0u, ~0u, 0, 0, 0}),
    [](const ::testing::TestParamInfo<PrimerTab> &i) {
        std::string s = i.param.opis;
        for (char &c : s)
            if (!isalnum(static_cast<unsigned char>(c)))
                c = '_';
        return s;
    });

TEST(RTokPodatkov, BytesAndTheirState) {
    TestniTok tok("\xA5");
    EXPECT_EQ(0xA5, tok.PreberiBajt());
    EXPECT_EQ(0, tok.VrniStanje());
    tok.PreberiBajt();
    EXPECT_EQ(Zrno::NAP_KONECPODATKOV, tok.VrniStanje());
    EXPECT_TRUE(tok.JeKonec());
    tok.ResetirajStanje();
    EXPECT_FALSE(tok.JeKonec());

    EXPECT_EQ(0, tok.ZapisiBajt(0x5A));
    EXPECT_EQ("\x5A", tok.zapisano);
    tok.sprejmeNaPisanje = 0;
    EXPECT_EQ(Zrno::NAP_PISANJE, tok.ZapisiBajt(1));
}

TEST(RTokPodatkov, ZapisiTokCopiesInChunksOf4096) {
    TestniTok vir(std::string(6000, 'q')), cilj;
    EXPECT_EQ(6000u, cilj.ZapisiTok(vir, 10000));
    EXPECT_EQ((std::vector<unsigned int>{4096, 1904}), cilj.velikostiPisanj);
    EXPECT_EQ(0, cilj.VrniStanje());
    EXPECT_EQ(std::string(6000, 'q'), cilj.zapisano);
}

TEST(RTokPodatkov, ZapisiTokOfNothingReadsNothing) {
    TestniTok vir("abc"), cilj;
    cilj.ZapisiBajt(1);
    cilj.sprejmeNaPisanje = 0;
    cilj.ZapisiBajt(1); // leaves a failure behind
    EXPECT_EQ(0u, cilj.ZapisiTok(vir, 0));
    EXPECT_EQ(0u, vir.branja);
    EXPECT_EQ(0, cilj.VrniStanje());
}

TEST(RTokPodatkov, ZapisiTokTakesOverTheSourceFailure) {
    TestniTok vir(std::string(9000, 'z')), cilj;
    vir.napakaPri = 5000;
    EXPECT_EQ(5000u, cilj.ZapisiTok(vir, ~0ULL));
    EXPECT_EQ(Zrno::NAP_BRANJE, cilj.VrniStanje());
}

TEST(RTokPodatkov, ZapisiTokStopsAtItsOwnShortWrite) {
    TestniTok vir(std::string(9000, 'z')), cilj;
    cilj.sprejmeNaPisanje = 100;
    EXPECT_EQ(100u, cilj.ZapisiTok(vir, ~0ULL));
    EXPECT_EQ(Zrno::NAP_PISANJE, cilj.VrniStanje());
    EXPECT_EQ(1u, vir.branja);
}

TEST(RTokPodatkov, ZapisiTokDropsBytesThatCameWithTheEnd) {
    // A source that reports its end together with the last bytes (cache, socket): the final chunk
    // arrives with a negative state and the loop stops before writing it.
    TestniTok vir(std::string(5000, 'z')), cilj;
    vir.konecZZadnjimi = true;
    EXPECT_EQ(4096u, cilj.ZapisiTok(vir, ~0ULL));
    EXPECT_EQ(0, cilj.VrniStanje());
}

TEST(RTokPodatkov, ZapisiSAFEARRAYWritesItsBytes) {
    SAFEARRAY *polje = SafeArrayCreateVector(VT_UI1, 3, 5);
    ASSERT_NE(nullptr, polje);
    unsigned char *p = nullptr;
    ASSERT_EQ(S_OK, SafeArrayAccessData(polje, reinterpret_cast<void **>(&p)));
    memcpy(p, "hello", 5);
    SafeArrayUnaccessData(polje);
    TestniTok cilj;
    EXPECT_EQ(5u, cilj.ZapisiSAFEARRAY(polje));
    EXPECT_EQ("hello", cilj.zapisano);
    SafeArrayDestroy(polje);

    EXPECT_EQ(0u, cilj.ZapisiSAFEARRAY(nullptr));
    EXPECT_EQ(Zrno::NAP_PARAMETER, cilj.VrniStanje());
}

TEST(RTokPodatkov, ZapisiOblGrowsIn4096Steps) {
    for (unsigned int n : {0u, 4095u, 4096u, 4097u, 9000u}) {
        TestniTok cilj;
        std::string s(n, 'k');
        EXPECT_EQ(n, cilj.ZapisiObl("%s", s.c_str()));
        EXPECT_EQ(s, cilj.zapisano);
        EXPECT_EQ(1u, cilj.pisanja);
    }
}

TEST(RTokPodatkov, ZapisiOblWideCountsCharacters) {
    TestniTok cilj;
    const unsigned short oblika[] = {'%', 'S', '-', '%', 's', 0};
    const unsigned short siroko[] = {0x10D, 'x', 0}; // c with caron
    EXPECT_EQ(5u, cilj.ZapisiObl(oblika, "ab", siroko));
    const char pricakovano[] = {'a', 0, 'b', 0, '-', 0, 0x0D, 0x01, 'x', 0};
    EXPECT_EQ(std::string(pricakovano, sizeof pricakovano), cilj.zapisano);

    cilj.sprejmeNaPisanje = 3; // an odd byte count is halved, rounded down
    EXPECT_EQ(1u, cilj.ZapisiObl(oblika, "ab", siroko));
}

TEST(RTokPodatkov, OneStatePartWhateverThePath) {
    // The virtual bases give one RTokPodatkov (and one RSisElement) part per object.
    RFizDatoteka f;
    RTokPodatkov *prek_datoteke = static_cast<RDatoteka *>(&f);
    RTokPodatkov *prek_sis = static_cast<RSisTokPodatkov *>(&f);
    EXPECT_EQ(prek_datoteke, prek_sis);
    f.Prestavi(0, ODMIK_ZAC); // no handle
    EXPECT_EQ(Zrno::NAP_ROCICA, prek_sis->VrniStanje());

    RIzrSisTokPodatkov b;
    EXPECT_EQ(static_cast<RTokPodatkov *>(static_cast<RIzravnalnik *>(&b)),
              static_cast<RTokPodatkov *>(static_cast<RPretvornikToka *>(&b)));
    RElement *e = new RPomDatoteka;
    delete e; // destructible through the root
}

} // namespace
