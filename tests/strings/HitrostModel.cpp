// Appending one character at a time against std::string, with the 128-character capacity steps kept
// whatever the heap block behind them holds; shrinking and releasing the spare room in between.
#include "strings/Pomoc.h"
#include <random>

TEST(HitrostModel, PrilepiKeepsContentAndCapacitySteps) {
    std::mt19937 r(4242);
    for (int krog = 0; krog < 8; ++krog) {
        const unsigned int seme = r();
        SCOPED_TRACE(testing::Message() << "seed " << seme);
        std::mt19937 g(seme);
        RNizA n;
        std::string s;
        unsigned int kapaciteta = 128;
        for (int i = 0; i < 40000 && !HasFailure(); ++i) {
            const unsigned int izbira = g() % 1000, k = izbira < 990 ? 1 : g() % 300;
            if (izbira == 995 && !s.empty()) { // shrink: the buffer stays
                s.resize(g() % s.size()), n.Skrajsaj(unsigned(s.size()));
            } else if (izbira >= 997) { // the block cut to the text
                n.SprostiOdvecne(), kapaciteta = unsigned(s.size()) + 1;
            } else {
                const char c = static_cast<char>('a' + g() % 26);
                EXPECT_EQ(unsigned(s.size() + k), n.Prilepi(c, k));
                s.append(k, c);
                if (s.size() >= kapaciteta)
                    kapaciteta = (unsigned(s.size()) + 128) & ~127u;
            }
            ASSERT_EQ(kapaciteta, n.VrniKapaciteto()) << i;
        }
        EXPECT_EQ(s, std::string(static_cast<char const *>(n), n.VrniDolzino()));
    }
}
