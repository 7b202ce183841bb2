// String-test helpers: ASCII literals of either character type, a length-exact content check, type lists.
#ifndef ZRNO_TESTS_STRINGS_POMOC_H
#define ZRNO_TESTS_STRINGS_POMOC_H

#include "Siroko.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include <zrno/strings.h>

template <class T> struct Tekst {
    std::vector<T> v;
    Tekst(char const *s, size_t n)
        : v(reinterpret_cast<unsigned char const *>(s), reinterpret_cast<unsigned char const *>(s) + n + 1) {
        v.back() = 0;
    }
    Tekst(char const *s) : Tekst(s, std::char_traits<char>::length(s)) {}
    operator T const *() const { return v.data(); }
};

/// The string holds exactly these characters (by its length) and is terminated after them.
template <class T>
testing::AssertionResult Vsebuje(RNizP<T> const &niz, char const *pricakovano, size_t n = size_t(-1)) {
    Tekst<T> t(pricakovano, n = n == size_t(-1) ? std::char_traits<char>::length(pricakovano) : n);
    T const *p = niz;
    if (niz.VrniDolzino() != n)
        return testing::AssertionFailure() << "length " << niz.VrniDolzino() << ", expected " << n;
    for (size_t i = 0; i <= n; ++i)
        if (p[i] != t.v[i])
            return testing::AssertionFailure() << "differs at " << i << ": " << +p[i] << " vs " << +t.v[i];
    if (niz.VrniKapaciteto() <= niz.VrniDolzino())
        return testing::AssertionFailure() << "capacity " << niz.VrniKapaciteto() << " not above the length";
    return testing::AssertionSuccess();
}

/// Expects niz.klic to return vrnjeno and to leave exactly these characters (and optional count) in niz.
#define EXPECT_NIZ(niz, klic, vrnjeno, ...)                                                                  \
    do {                                                                                                     \
        EXPECT_EQ((niz).klic, vrnjeno);                                                                      \
        EXPECT_TRUE(Vsebuje(niz, __VA_ARGS__));                                                              \
    } while (0)

template <class N> struct ZnakNiza;
template <> struct ZnakNiza<RNizA> { using T = char; };
template <> struct ZnakNiza<RNizU> { using T = unsigned short; };

using ObaNiza = testing::Types<RNizA, RNizU>;

constexpr unsigned int NI = 0xFFFFFFFF;

#endif
