// A long date format, its first room guessed from the format, gives the texts of its pieces one by one.
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <zrno/util.h>

TEST(RDatumHitrost, LongFormatsEqualTheirPieces) {
    const char *const kosi[] = {"%Y", "%m", "%d", "%H:%M:%S", "%j", "%A", "%B", "%a %b", "%c",
                                "%#c", "%x", "%#x", "%X", "%p", "%%", "-", "text "};
    RDatum d(31, 12, 1999, 23, 59, 58, 0);
    std::mt19937 r(99);
    for (int krog = 0; krog < 30; ++krog) {
        std::string oblika, pricakovano;
        for (unsigned int k = r() % (krog * 40 + 1); k--;) {
            const char *kos = kosi[r() % (sizeof kosi / sizeof *kosi)];
            oblika += kos;
            pricakovano += static_cast<char const *>(d.VrniNiz(kos)); // each within the smallest room
        }
        RNizA n;
        EXPECT_EQ(pricakovano.size(), d.VrniNiz(n, oblika.c_str())) << oblika;
        EXPECT_EQ(pricakovano, static_cast<char const *>(n)) << oblika;
    }
}
