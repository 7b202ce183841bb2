// The FIFO stream against a byte-queue model.
#include "TestniTok.h"
#include <deque>
#include <memory>
#include <random>
#include <windows.h>

namespace {

// Copies share blocks, so neither's reads nor end may free what the other still reads, part-read blocks too.
TEST(RFifoTokPodatkov, AgreesWithAByteQueue) {
    std::mt19937 nakljucno(7);
    std::deque<unsigned char> model;
    auto f = std::make_unique<RFifoTokPodatkov>();
    std::vector<unsigned char> b(9000);
    for (int korak = 0; korak < 20000; ++korak) {
        const unsigned int n = nakljucno() % 3 == 0 ? nakljucno() % 5 : nakljucno() % 9000,
                           op = nakljucno() % 100;
        if (op < 2) {
            ASSERT_EQ(0, f->Zapri());
            model.clear();
        } else if (op == 2) { // a copy reads and goes: the original keeps every byte
            RFifoTokPodatkov(*f).Preberi(b.data(), n);
        } else if (op < 5) {
            auto kopija = std::make_unique<RFifoTokPodatkov>(*f);
            if (op == 4) { // by assignment over blocks of its own
                kopija = std::make_unique<RFifoTokPodatkov>();
                kopija->Zapisi("old", 3);
                *kopija = *f;
            }
            f = std::move(kopija);
        } else if (op < 50) {
            for (unsigned int i = 0; i < n; ++i)
                model.push_back(b[i] = static_cast<unsigned char>(nakljucno()));
            ASSERT_EQ(n, f->Zapisi(b.data(), n));
        } else {
            const unsigned int pricakovano =
                std::min<unsigned int>(n, static_cast<unsigned int>(model.size()));
            ASSERT_EQ(pricakovano, f->Preberi(b.data(), n)) << "step " << korak;
            ASSERT_EQ(pricakovano == 0 && n != 0 ? Zrno::NAP_KONECPODATKOV : 0, f->VrniStanje());
            ASSERT_TRUE(std::equal(b.begin(), b.begin() + pricakovano, model.begin())) << "step " << korak;
            model.erase(model.begin(), model.begin() + pricakovano);
        }
        ASSERT_EQ(model.size(), f->VrniDolzino()) << "step " << korak;
    }
    f.reset();
    EXPECT_TRUE(HeapValidate(zgetheap(), 0, nullptr));
}

} // namespace
