// String-test helpers: ASCII literals of either character type, a length-exact content check, type lists.
#ifndef ZRNO_TESTS_STRINGS_POMOC_H
#define ZRNO_TESTS_STRINGS_POMOC_H

#include "Siroko.h"
#include <gtest/gtest.h>
#include <vector>
#include <zrno/strings.h>

template <class T> struct Tekst {
    std::vector<T> v;
    Tekst(char const *s, size_t n = size_t(-1)) {
        for (size_t i = 0; i < (n == size_t(-1) ? std::char_traits<char>::length(s) : n); ++i)
            v.push_back(T(static_cast<unsigned char>(s[i])));
        v.push_back(0);
    }
    operator T const *() const { return v.data(); }
};

/// The string holds exactly these characters (by its length), is terminated after them and has room.
template <class T>
testing::AssertionResult Vsebuje(RNizP<T> const &niz, char const *s, size_t n = size_t(-1)) {
    T const *p = niz;
    const unsigned int d = niz.VrniDolzino();
    if (niz.VrniKapaciteto() > d && std::vector<T>(p, p + d + 1) == Tekst<T>(s, n).v)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "length " << d << ", capacity " << niz.VrniKapaciteto() << ", "
                                       << testing::PrintToString(std::vector<T>(p, p + d + 1));
}

/// Expects niz.klic to return vrnjeno and to leave exactly these characters (and optional count) in niz.
// clang-format off
#define EXPECT_NIZ(n, klic, vrnjeno, ...) do { EXPECT_EQ((n).klic, vrnjeno); EXPECT_TRUE(Vsebuje(n, __VA_ARGS__)); } while (0)
// clang-format on

template <class N> struct ZnakNiza;
template <> struct ZnakNiza<RNizA> { using T = char; };
template <> struct ZnakNiza<RNizU> { using T = unsigned short; };
using ObaNiza = testing::Types<RNizA, RNizU>;
constexpr unsigned int NI = 0xFFFFFFFF;

#endif
