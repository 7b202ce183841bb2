// The digesting converter's failures, reset and finish (its chains of reads and writes are the
// filter-chain model's, tests/streams/PretvornikTest.cpp).
#include "Pomoc.h"
#include "TestniTok.h"

namespace {

// Last bytes that come with the end of data (as from a socket) are not digested; a failed write is:
// the digest sees the data before the target does.
TEST(ROdtisnikToka, ANegativeReadContributesNothingAFailedWriteDoes) {
    TestniTok vir("abcdef");
    vir.najvecNaBranje = 4;
    vir.konecZZadnjimi = true;
    RCRC32 crc, crc2;
    ROdtisnikToka filter(crc, &vir);
    char b[8];
    EXPECT_IZID(filter, Preberi(b, 8), 4u, 0);
    EXPECT_IZID(filter, Preberi(b, 8), 2u, Zrno::NAP_KONECPODATKOV);
    filter.Odpusti();
    EXPECT_EQ(Odtis<RCRC32>("abcd"), Hex(crc));
    TestniTok ponor;
    ponor.sprejmeNaPisanje = 0;
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
    EXPECT_EQ(~Crc32Sistema("123456789abcdef"), crc.Vrni()) << "still unfinished after the destructor";
    ROdtisnikToka filter(crc);
    filter.Uporabi(&ponor);
    filter.Zapisi("123456789", 9);
    EXPECT_EQ(0, filter.Zapri());
    EXPECT_EQ("Z", ponor.dogodki);
    EXPECT_EQ(0xCBF43926ul, crc.Vrni());
}

} // namespace
