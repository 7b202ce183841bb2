// The FIFO stream: closing, copies sharing blocks, random writes and reads against a byte-queue model.
#include "TestniTok.h"
#include <deque>
#include <random>
#include <windows.h>

namespace {

TEST(RFifoTokPodatkov, ClosingDropsWhatIsQueued) {
    RFifoTokPodatkov f;
    char b[4];
    f.Zapisi("lost", 4);
    EXPECT_IZID(f, Zapri(), 0, 0);
    EXPECT_EQ(0u, f.VrniDolzino());
    EXPECT_IZID(f, Preberi(b, 1), 0u, Zrno::NAP_KONECPODATKOV);
    EXPECT_EQ(3u, f.Zapisi("new", 3));
    EXPECT_IZID(f, Izplakni(), 0, 0);
    EXPECT_EQ(3u, f.VrniDolzino());
}

TEST(RFifoTokPodatkov, CopiesShareBlocksAndFreeEachOnce) {
    {
        RFifoTokPodatkov f;
        f.Zapisi("abc", 3);
        f.Zapisi("def", 3);
        char b[8] = {};
        f.Preberi(b, 1);
        RFifoTokPodatkov kopija(f);
        EXPECT_EQ(5u, kopija.VrniDolzino());
        EXPECT_EQ(4u, f.Preberi(b, 4)); // frees the first block here only; the copy still reads it
        EXPECT_EQ(5u, kopija.Preberi(b, 8));
        EXPECT_EQ(0, memcmp(b, "bcdef", 5));
        RFifoTokPodatkov dodeljena;
        dodeljena.Zapisi("old", 3);
        dodeljena = f; // the old block goes, the one f still holds is shared
        EXPECT_EQ(1u, dodeljena.VrniDolzino());
        EXPECT_EQ(1u, dodeljena.Preberi(b, 8));
        EXPECT_EQ('f', b[0]);
    }
    EXPECT_TRUE(HeapValidate(zgetheap(), 0, nullptr));
}

TEST(RFifoTokPodatkov, AgreesWithAByteQueue) {
    std::mt19937 nakljucno(7);
    std::deque<unsigned char> model;
    RFifoTokPodatkov f;
    std::vector<unsigned char> b(9000);
    for (int korak = 0; korak < 20000; ++korak) {
        const unsigned int n = nakljucno() % 3 == 0 ? nakljucno() % 5 : nakljucno() % 9000;
        if (nakljucno() % 2) {
            for (unsigned int i = 0; i < n; ++i)
                model.push_back(b[i] = static_cast<unsigned char>(nakljucno()));
            ASSERT_EQ(n, f.Zapisi(b.data(), n));
        } else {
            const unsigned int pricakovano =
                std::min<unsigned int>(n, static_cast<unsigned int>(model.size()));
            ASSERT_EQ(pricakovano, f.Preberi(b.data(), n)) << "step " << korak;
            ASSERT_EQ(pricakovano == 0 && n != 0 ? Zrno::NAP_KONECPODATKOV : 0, f.VrniStanje());
            ASSERT_TRUE(std::equal(b.begin(), b.begin() + pricakovano, model.begin())) << "step " << korak;
            model.erase(model.begin(), model.begin() + pricakovano);
        }
        ASSERT_EQ(model.size(), f.VrniDolzino());
    }
}

TEST(RFifoTokPodatkovExhausted, DISABLED_RefusedBlockQueuesNothing) {
    RFifoTokPodatkov f;
    f.Zapisi("ab", 2);
    EXPECT_IZID(f, Zapisi("x", 0xF0000000u), 0u, Zrno::NAP_POMNILNIK); // never copied: refused first
    EXPECT_EQ(2u, f.VrniDolzino());
    char b[4];
    EXPECT_IZID(f, Preberi(b, 4), 2u, 0);
}

} // namespace
