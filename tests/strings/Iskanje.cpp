// Searches and comparisons; random texts against a plain scan exercise the 16-byte SSE2 blocks, empty and
// overlong patterns, windows and starts past the end.
#include "strings/Pomoc.h"
#include <algorithm>
#include <random>

template <class N> class Iskanje : public testing::Test {};
TYPED_TEST_SUITE(Iskanje, ObaNiza);

TYPED_TEST(Iskanje, AgreesWithAReferenceScanAndComparisons) {
    using T = typename ZnakNiza<TypeParam>::T;
    std::mt19937 g(7);
    auto nakljucen = [&g](size_t n, std::string s = "") {
        while (s.size() < n)
            s += static_cast<char>((g() % 4 == 0 ? 'A' : 'a') + g() % 3);
        return s;
    };
    for (int krog = 0; krog < 600; ++krog) {
        std::string s = nakljucen(g() % 300 + 1), vzorec = nakljucen(krog % 50 ? g() % 6 + 1 : g() % 20);
        if (krog % 5 == 0)
            s[g() % s.size()] = 0;
        // Written through the buffer, so embedded zeros stay part of the text.
        TypeParam n;
        std::copy(s.begin(), s.end(), n.Odpusti(static_cast<unsigned int>(s.size()), false));
        n.Skrajsaj(static_cast<unsigned int>(s.size()));
        unsigned int zacetek = g() % (s.size() + 2), stevilo = g() % 2 ? NI : g() % 100;
        std::string ms = s, mv = vzorec;
        std::transform(s.begin(), s.end(), ms.begin(), tolower);
        std::transform(mv.begin(), mv.end(), mv.begin(), tolower);
        size_t konec = std::min<size_t>(s.size(), stevilo == NI ? NI : zacetek + stevilo);
        unsigned int pricakovano[4] = {NI, NI, NI, NI}; // forwards, backwards, both ignoring case
        for (unsigned int p = zacetek; p < konec && s[p]; ++p)
            for (int i : {0, 2})
                if ((i ? ms : s).compare(p, vzorec.size(), i ? mv : vzorec) == 0) {
                    pricakovano[i] = pricakovano[i] == NI ? p : pricakovano[i];
                    pricakovano[i + 1] = p;
                }
        Tekst<T> kaj(vzorec.c_str());
        ASSERT_EQ(n.Najdi(kaj, zacetek, stevilo), pricakovano[0]) << krog;
        ASSERT_EQ(n.NajdiNazaj(kaj, zacetek, stevilo), pricakovano[1]) << krog;
        ASSERT_EQ(n.NajdiI(kaj, zacetek, stevilo), pricakovano[2]) << krog;
        ASSERT_EQ(n.NajdiNazajI(kaj, zacetek, stevilo), pricakovano[3]) << krog;
        if (vzorec.size() == 1) { // the character forms
            ASSERT_EQ(n.Najdi(T(vzorec[0]), zacetek, stevilo), pricakovano[0]) << krog;
            ASSERT_EQ(n.NajdiNazaj(T(vzorec[0]), zacetek, stevilo), pricakovano[1]) << krog;
            ASSERT_EQ(n.NajdiI(T(vzorec[0]), zacetek, stevilo), pricakovano[2]) << krog;
            ASSERT_EQ(n.NajdiNazajI(T(vzorec[0]), zacetek, stevilo), pricakovano[3]) << krog;
        }
    }
    EXPECT_EQ(TypeParam(Tekst<T>("ab")).Najdi(T(0)), NI);
    TypeParam abc(Tekst<T>("abc"));
    EXPECT_EQ(abc.Najdi(Tekst<T>(""), 1) + 10 * abc.NajdiNazaj(Tekst<T>(""), 1), 21u) << "empty: 1, then 2";
    struct {
        char const *a, *b;
        unsigned int zacetek, stevilo;
        int rezultat; // k + 1 past a difference at k, or its complement ~k when this string is smaller
    } const primeri[] = {{"abc", "abd", 0, NI, -3}, {"abd", "abc", 0, NI, 3}, {"ab", "abc", 0, NI, -3},
                         {"abc", "ab", 0, NI, 3},   {"abc", "xyz", 0, 0, 0},  {"abc", "abx", 0, 2, 0},
                         {"abc", "bc", 1, NI, 0},   {"abc", "", 5, NI, 0}};
    for (auto const &p : primeri)
        EXPECT_EQ(TypeParam(Tekst<T>(p.a)).Primerjaj(Tekst<T>(p.b), p.zacetek, p.stevilo), p.rezultat) << p.b;
    EXPECT_EQ(abc.PrimerjajI(Tekst<T>("ABC")), 0);
    EXPECT_EQ(abc.PrimerjajLI(Tekst<T>("ABD")), -3);
}

TEST(Iskanje, NarrowOrdersSignedWideUnsignedAndFoldsTheExtraPairs) {
    RNizA a("a"), c("\xC8");
    EXPECT_EQ(a.Primerjaj("a\xE8"), 2); // the terminator orders above 0xE8
    EXPECT_EQ(c.PrimerjajI("\xE8"), 0); // code page 1250: C-caron folds to c-caron
    EXPECT_EQ(c.NajdiI('\xE8'), 0u);
    EXPECT_EQ(RNizU(U(L"a")).Primerjaj(U(L"a\x00E8")), -2);
    EXPECT_EQ(RNizU(U(L"\x00E8")).Primerjaj(U(L"z")), 1);
    unsigned short const par1[] = {0x01D1, 0xE005, 0}, par2[] = {0x01D2, 0xE004, 0};
    RNizU p(par1);
    EXPECT_EQ(p.PrimerjajI(par2), 0);
    EXPECT_EQ(p.NajdiI(static_cast<unsigned short>(0xE004)), 1u);
}
