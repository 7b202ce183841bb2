// The stream base's shared operations over scripted sources: arrays, chunked copies, bytes, formatting.
#include "TestniTok.h"

namespace {

TEST(RTokPodatkov, ArrayReadsChunkedCopiesBytesAndFormatting) {
    struct {
        const char *opis;
        unsigned int velikost, stevilo, vir, najvecNaBranje, napakaPri, elementi, bajti;
        int stanje;
    } const primeri[] = {{"short source", 4, 3, 10, ~0u, ~0u, 2, 10, Zrno::NAP_KONECPODATKOV},
                         {"byte at a time", 4, 3, 12, 1, ~0u, 3, 12, 0},
                         {"byte at a time, short", 4, 3, 10, 1, ~0u, 2, 10, Zrno::NAP_KONECPODATKOV},
                         {"fails half-way", 2, 10, 100, 3, 7, 3, 7, Zrno::NAP_BRANJE},
                         {"fails at once", 1, 5, 100, ~0u, 0, 0, 0, Zrno::NAP_BRANJE},
                         {"nothing asked", 4, 0, 10, ~0u, ~0u, 0, 0, 0},
                         {"beyond 32 bits", 0x10000, 0x10001, 10, ~0u, ~0u, 0, 0, Zrno::NAP_PARAMETER}};
    for (const auto &p : primeri) {
        SCOPED_TRACE(p.opis);
        TestniTok tok(std::string(p.vir, 'x'));
        tok.najvecNaBranje = p.najvecNaBranje;
        tok.napakaPri = p.napakaPri;
        std::vector<char> b(p.velikost * p.stevilo + 1);
        EXPECT_IZID(tok, PreberiTab(b.data(), p.velikost, p.stevilo), p.elementi, p.stanje);
        EXPECT_EQ(p.bajti, tok.Prebrano());
    }

    // ZapisiTok copies in chunks of 4096.
    struct {
        const char *opis;
        unsigned __int64 vir, napakaPri, sprejme, najvec, prepisano, prebrano;
        Velikosti pisanja;
        int stanje;
    } const kopije[] = {{"two chunks", 6000, ~0ULL, ~0ULL, 10000, 6000, 6000, {4096, 1904}, 0},
                        {"nothing asked", 3, ~0ULL, ~0ULL, 0, 0, 0, {}, 0},
                        {"source fails", 9000, 5000, ~0ULL, ~0ULL, 5000, 5000, {4096, 904}, Zrno::NAP_BRANJE},
                        {"short write", 9000, ~0ULL, 100, ~0ULL, 100, 4096, {4096}, Zrno::NAP_PISANJE}};
    for (const auto &p : kopije) {
        SCOPED_TRACE(p.opis);
        TestniTok vir(std::string(p.vir, 'z')), cilj;
        vir.napakaPri = p.napakaPri;
        cilj.sprejmeNaPisanje = static_cast<unsigned int>(p.sprejme);
        cilj.PreberiBajt(); // the end of data left behind must not show in the result
        EXPECT_IZID(cilj, ZapisiTok(vir, p.najvec), p.prepisano, p.stanje);
        EXPECT_EQ(p.prebrano, vir.Prebrano());
        EXPECT_EQ(p.pisanja, cilj.velikostiPisanj);
        EXPECT_EQ(std::string(p.prepisano, 'z'), cilj.zapisano);
    }

    TestniTok tok("\xA5");
    EXPECT_IZID(tok, PreberiBajt(), 0xA5, 0);
    EXPECT_IZID(tok, PreberiBajt(), 0, Zrno::NAP_KONECPODATKOV);
    EXPECT_EQ(0, tok.ZapisiBajt(0x5A));
    EXPECT_EQ("\x5A", tok.zapisano);
    EXPECT_IZID(tok, ZapisiTab("ab", 2, 0x80000001), 0u, Zrno::NAP_PARAMETER); // never a wrapped size
    tok.sprejmeNaPisanje = 0;
    EXPECT_EQ(Zrno::NAP_PISANJE, tok.ZapisiBajt(1));

    // An array's bytes between both bounds are the fault scenarios' (tests/faults, run clean first).
    EXPECT_IZID(tok, ZapisiSAFEARRAY(nullptr), 0u, Zrno::NAP_PARAMETER);

    // Wide formatting counts characters; lengths around the 4096 growth step are RDatotekaTest's.
    TestniTok siroki;
    const unsigned short oblika[] = {'%', 'S', '-', '%', 's', 0}, siroko[] = {0x10D, 'x', 0}; // c-caron
    EXPECT_EQ(5u, siroki.ZapisiObl(oblika, "ab", siroko));
    const char pricakovano[] = {'a', 0, 'b', 0, '-', 0, 0x0D, 0x01, 'x', 0};
    EXPECT_EQ(std::string(pricakovano, sizeof pricakovano), siroki.zapisano);
    siroki.sprejmeNaPisanje = 3; // an odd byte count is halved, rounded down
    EXPECT_EQ(1u, siroki.ZapisiObl(oblika, "ab", siroko));
}

} // namespace
