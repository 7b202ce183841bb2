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
// several names the first in byte order wins. Checked row by row: the reverse entry of a row's code point
// names that code point and comes no later than the row; the count of non-zero entries leaves no room
// for an entry at an unnamed code point.
TEST(SgmlTabele, ReverseTableAndSharedNames) {
    EXPECT_STREQ("agr", sgml_unicode[unicode_sgml[0x3B1]].ime); // not "alpha" nor "b.alpha"
    for (unsigned int i = 1; i < k_zapisov; ++i) {
        const unsigned int obratno = unicode_sgml[sgml_unicode[i].koda];
        ASSERT_EQ(sgml_unicode[obratno].koda, sgml_unicode[i].koda) << i;
        ASSERT_TRUE(obratno != 0 && obratno <= i) << i;
    }
    EXPECT_EQ(852, std::count_if(unicode_sgml, unicode_sgml + k_znakov, [](unsigned int n) { return n != 0; }));
}

} // namespace
