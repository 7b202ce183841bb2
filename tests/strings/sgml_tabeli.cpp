// The exported entity tables: shape and digest of sgml_unicode, agreement of unicode_sgml with it.
#include <algorithm>
#include <gtest/gtest.h>
#include <stdio.h>
#include <string.h>
#include <string>
#include <vector>
#include <zrno/strings.h>

namespace {

constexpr unsigned int k_zapisov = 1002, k_znakov = 0x10000;

TEST(SgmlTabele, SentinelAndSortedUniqueNames) {
    EXPECT_EQ(nullptr, sgml_unicode[0].ime);
    EXPECT_EQ(0u, sgml_unicode[0].koda);
    for (unsigned int i = 1; i < k_zapisov; ++i) {
        ASSERT_NE(nullptr, sgml_unicode[i].ime) << i;
        ASSERT_LT(sgml_unicode[i].koda - 1, k_znakov - 1) << i; // 1..0xFFFF: 0 wraps
        // strcmp orders by unsigned bytes: plain byte order ("" before the first name).
        ASSERT_LT(strcmp(i > 1 ? sgml_unicode[i - 1].ime : "", sgml_unicode[i].ime), 0) << i;
    }
}

// FNV-1a over "name CODE\n" for every row: any edit of a name, a code point or the order shows up here.
TEST(SgmlTabele, WholeTableDigest) {
    unsigned long long h = 0xcbf29ce484222325ull;
    char vrstica[32];
    for (unsigned int i = 1; i < k_zapisov; ++i) {
        int n = snprintf(vrstica, sizeof vrstica, "%s %X\n", sgml_unicode[i].ime, sgml_unicode[i].koda);
        for (int k = 0; k < n; ++k)
            h = (h ^ static_cast<unsigned char>(vrstica[k])) * 0x100000001b3ull;
    }
    EXPECT_EQ(0xeef088765857da45ull, h);
}

// unicode_sgml gives every named code point the smallest index among its names, and 0 elsewhere: of
// several names the first in byte order wins.
TEST(SgmlTabele, ReverseTableAndSharedNames) {
    EXPECT_STREQ("agr", sgml_unicode[unicode_sgml[0x3B1]].ime); // not "alpha" nor "b.alpha"
    std::vector<unsigned int> najmanjsi(k_znakov), imen(k_znakov);
    for (unsigned int i = k_zapisov - 1; i != 0; --i)
        najmanjsi[sgml_unicode[i].koda] = i, ++imen[sgml_unicode[i].koda];
    for (unsigned int c = 0; c < k_znakov; ++c)
        ASSERT_EQ(najmanjsi[c], unicode_sgml[c]) << std::hex << c;
    EXPECT_EQ(852, std::count_if(imen.begin(), imen.end(), [](unsigned int n) { return n > 0; }));
    EXPECT_EQ(96, std::count_if(imen.begin(), imen.end(), [](unsigned int n) { return n > 1; }));
    EXPECT_EQ(std::vector<unsigned int>({0, 3, 3, 2}),
              std::vector<unsigned int>({imen[0x27], imen[0xA8], imen[0x393], imen[0x5C]}));
}

} // namespace
