// The mapping of system errors: 0 stays success, a code the library knows ignores the default, any
// other code gives the default.
#include <gtest/gtest.h>
#include <zrno/frame.h>

TEST(PretvoriNapako, ZeroKnownAndUnlistedCodes) {
    for (int privzeta : {Zrno::NAP_ZAPIRANJE, Zrno::NAP_BRANJE, -5}) {
        EXPECT_EQ(PretvoriNapako(0, privzeta), 0);
        EXPECT_EQ(PretvoriNapako(8, privzeta), Zrno::NAP_POMNILNIK) << "ERROR_NOT_ENOUGH_MEMORY";
    }
    for (unsigned int neznana : {7u, 9u, 31u, 184u, 1058u, 10060u, 0x8009000Du, 0xFFFFFFFFu})
        EXPECT_EQ(PretvoriNapako(neznana, Zrno::NAP_ZAPIRANJE), Zrno::NAP_ZAPIRANJE) << neznana;
}
