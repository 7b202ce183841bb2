// The FIFO stream: empty blocks, closing,
// copies sharing blocks, random writes and reads against a byte-queue model, and a producer and a
// consumer thread sharing one FIFO under a mutex, as it is meant to be shared.
#include "TestniTok.h"
#include <deque>
#include <random>
#include <thread>
#include <windows.h>
#include <zrno/threads.h>

namespace {

// Transfers, states and the end that a later write ends are the model run's (AgreesWithAByteQueue).
TEST(RFifoTokPodatkov, EmptyBlocksAndClosing) {
    RFifoTokPodatkov f;
    char b[16] = {};
    // An empty block contributes nothing and is passed over; an exact read ends at a block's end.
    f.Zapisi("12", 2);
    EXPECT_IZID(f, Zapisi(nullptr, 0), 0u, 0);
    f.Zapisi("34", 2);
    EXPECT_IZID(f, Preberi(b, 2), 2u, 0);
    EXPECT_IZID(f, Preberi(b, 4), 2u, 0);
    EXPECT_EQ(0, memcmp(b, "34", 2));
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

// FNV-1a, continued over the pieces as they come.
unsigned long long Vsota(unsigned long long h, unsigned char const *p, size_t n) {
    for (size_t i = 0; i < n; ++i)
        h = (h ^ p[i]) * 0x100000001B3ull;
    return h;
}

TEST(RFifoTokPodatkov, ProducerAndConsumerUnderOneLock) {
    constexpr unsigned int k_skupaj = 8u << 20;
    constexpr DWORD k_rok = 20000; // ms without progress before the consumer gives up
    RFifoTokPodatkov fifo;
    RNevarenOdsek odsek; // every call on the FIFO holds it
    RDogodek podatki;    // auto-reset: set after each write, so an empty FIFO is waited on, not polled
    unsigned long long poslano = 0xCBF29CE484222325ull, prejeto = poslano;
    std::thread proizvajalec([&] {
        std::mt19937 nakljucno(99);
        std::vector<unsigned char> kos(65536);
        for (unsigned int skupaj = 0; skupaj < k_skupaj;) {
            const unsigned int n = std::min<unsigned int>(1 + nakljucno() % 65536, k_skupaj - skupaj);
            for (unsigned int i = 0; i < n; i += 4)
                kos[i] = static_cast<unsigned char>(nakljucno());
            poslano = Vsota(poslano, kos.data(), n);
            {
                RCakalnik drzi(odsek, true);
                if (fifo.Zapisi(kos.data(), n) != n)
                    return;
            }
            podatki.Odkleni();
            skupaj += n;
        }
    });
    std::vector<unsigned char> b(100000);
    unsigned int skupaj = 0;
    int stanje = 0;
    while (skupaj < k_skupaj) {
        unsigned int n;
        {
            RCakalnik drzi(odsek, true);
            n = fifo.Preberi(b.data(), static_cast<unsigned int>(b.size()));
            stanje = fifo.VrniStanje();
        }
        if (n == 0) {
            ASSERT_EQ(Zrno::NAP_KONECPODATKOV, stanje);
            if (podatki.Zakleni(k_rok) != 0)
                break;
            continue;
        }
        prejeto = Vsota(prejeto, b.data(), n);
        skupaj += n;
    }
    proizvajalec.join();
    EXPECT_EQ(k_skupaj, skupaj);
    EXPECT_EQ(poslano, prejeto);
    EXPECT_EQ(0u, fifo.VrniDolzino());
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
