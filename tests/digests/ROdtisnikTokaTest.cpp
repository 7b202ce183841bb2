// The digesting converter's chains of reads and writes are in tests/streams/PretvornikTest.cpp.
#include "Pomoc.h"
#include "TestniTok.h"

namespace {

// Bytes that come with the end of data are not digested; a failed write's are: the digest sees them first.
TEST(ROdtisnikToka, WhatIsDigestedAndWhenTheDigestStartsAndEnds) {
    TestniTok vir("abcdef"), ponor;
    vir.najvecNaBranje = 4, vir.konecZZadnjimi = true, ponor.sprejmeNaPisanje = 3;
    RCRC32 crc(Crc32Sistema("12"));
    char b[8];
    {
        ROdtisnikToka filter(crc, &vir), kopija(filter);
        EXPECT_IZID(kopija, Preberi(b, 8), 4u, 0);
        EXPECT_IZID(filter, Preberi(b, 8), 2u, Zrno::NAP_KONECPODATKOV);
    }
    EXPECT_EQ(~Crc32Sistema("12abcd"), crc.Vrni()) << "unfinished after the destructor";
    ROdtisnikToka pisalec(crc);
    EXPECT_EQ(0, pisalec.Uporabi(&ponor));
    EXPECT_IZID(pisalec, Zapisi("123456789", 9), 3u, Zrno::NAP_PISANJE);
    EXPECT_EQ(&ponor, pisalec.Odpusti());
    EXPECT_EQ(0xCBF43926ul, crc.Vrni());
    pisalec.Uporabi(&ponor), pisalec.Zapisi("abc", 3);
    EXPECT_EQ(0, pisalec.Zapri()); // closes the target too
    EXPECT_EQ("Z", ponor.dogodki);
    EXPECT_EQ(Crc32Sistema("abc"), crc.Vrni());
}

} // namespace
