// The digesting converter: reading a disk file in odd chunks, writing through a buffering converter to
// a file, a read that ends with a negative state, and when the digest is reset and finished.
#include "Pomoc.h"
#include "TestniTok.h"
#include "ZacasniImenik.h"

namespace {

TEST(ROdtisnikToka, ReadingAFileInOddChunksDigestsEveryByte) {
    ZacasniImenik datoteke;
    std::mt19937 g(9);
    const std::string s = Nakljucni(g, 300001);
    const std::string pot = datoteke.Nova("branje.bin", s);
    for (unsigned int kos : {1u, 7u, 63u, 64u, 65u, 4097u, 1u << 20}) {
        RFizDatoteka f(pot.c_str(), DAT_BRANJE);
        ASSERT_EQ(0, f.VrniStanje());
        RMD5 md5;
        md5.Izracunaj("smeti", 5); // Uporabi must start afresh
        ROdtisnikToka filter(md5);
        EXPECT_EQ(0, filter.Uporabi(&f));
        std::string prebrano, b(kos, 0);
        while (unsigned int n = filter.Preberi(&b[0], kos))
            prebrano.append(b.data(), n);
        EXPECT_EQ(Zrno::NAP_KONECPODATKOV, filter.VrniStanje());
        EXPECT_EQ(&f, filter.Odpusti());
        EXPECT_EQ(s, prebrano);
        EXPECT_EQ(Sistemski<RMD5>(s), Hex(md5)) << kos;
    }
}

// Digest filter over a buffering converter over a file: the bytes reach the file unchanged, and Zapri
// down the chain finishes the digest, writes out the buffer and closes the file.
TEST(ROdtisnikToka, AWriteChainDigestsWhatReachesTheFile) {
    ZacasniImenik datoteke;
    const std::string pot = datoteke.Pot("pisanje.bin");
    std::mt19937 g(10);
    const std::string s = Nakljucni(g, 100000);
    RFizDatoteka f(pot.c_str(), DAT_PISANJE | DAT_USTVARI);
    RIzravnalnik izr(&f, 0, 4096);
    RSHA1 sha;
    ROdtisnikToka filter(sha, &izr);
    for (size_t i = 0; i < s.size();) {
        unsigned int n = static_cast<unsigned int>(std::min<size_t>(s.size() - i, g() % 5000));
        EXPECT_EQ(n, filter.Zapisi(s.data() + i, n));
        i += n;
    }
    EXPECT_EQ(0, filter.Zapri());
    EXPECT_EQ(Sistemski<RSHA1>(s), Hex(sha));
    EXPECT_EQ(s, PreberiDatoteko(pot));
}

TEST(ROdtisnikToka, AReadEndingNegativeContributesNothing) {
    TestniTok vir("abcdef");
    vir.najvecNaBranje = 4;
    vir.konecZZadnjimi = true; // the last 2 bytes come with the end of data, as from a socket
    RCRC32 crc;
    ROdtisnikToka filter(crc, &vir);
    char b[8];
    EXPECT_IZID(filter, Preberi(b, 8), 4u, 0);
    EXPECT_IZID(filter, Preberi(b, 8), 2u, Zrno::NAP_KONECPODATKOV);
    filter.Odpusti();
    EXPECT_EQ(Odtis<RCRC32>("abcd"), Hex(crc));

    // A failed write is digested all the same: the digest sees the data before the target does.
    TestniTok ponor;
    ponor.sprejmeNaPisanje = 0;
    RCRC32 crc2;
    ROdtisnikToka pisalec(crc2, &ponor);
    EXPECT_IZID(pisalec, Zapisi("123456789", 9), 0u, Zrno::NAP_PISANJE);
    pisalec.Odpusti();
    EXPECT_EQ(0xCBF43926ul, crc2.Vrni());
}

// The constructor does not reset the digest and the destructor does not finish it; copies feed the
// same digest.
TEST(ROdtisnikToka, OnlyUporabiResetsAndOnlyOdpustiOrZapriFinish) {
    TestniTok ponor;
    RCRC32 crc(0xCBF43926); // continues "123456789"
    {
        ROdtisnikToka filter(crc, &ponor);
        ROdtisnikToka kopija(filter);
        kopija.Zapisi("abc", 3);
        filter.Zapisi("def", 3);
    }
    EXPECT_EQ("abcdef", ponor.zapisano);
    RCRC32 pricakovan;
    pricakovan.Izracunaj("123456789abcdef", 15);
    EXPECT_EQ(pricakovan.Vrni(), crc.Vrni()) << "still unfinished after the destructor";
    ROdtisnikToka filter(crc);
    filter.Uporabi(&ponor);
    filter.Zapisi("123456789", 9);
    EXPECT_EQ(0, filter.Zapri());
    EXPECT_EQ("Z", ponor.dogodki);
    EXPECT_EQ(0xCBF43926ul, crc.Vrni());
}

} // namespace
