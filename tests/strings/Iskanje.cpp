// Search windows and comparison results; random texts against a plain scan exercise the 16-byte SSE2 blocks.
#include "strings/Pomoc.h"
#include <random>

template <class N> class Iskanje : public testing::Test {};
TYPED_TEST_SUITE(Iskanje, ObaNiza);

TYPED_TEST(Iskanje, Windows) {
    using T = typename ZnakNiza<TypeParam>::T;
    TypeParam n(Tekst<T>("hello world"));
    struct {
        char const *kaj;
        unsigned int zacetek, stevilo, naprej, nazaj;
    } const primeri[] = { // what the reference scan below cannot meet: empty and overlong patterns
        {"", 3, NI, 3, 10}, {"", 3, 4, 3, 6}, {"hello world!", 0, NI, NI, NI}, {"lo", 11, NI, NI, NI},
    };
    for (auto const &p : primeri) {
        Tekst<T> kaj(p.kaj);
        EXPECT_EQ(n.Najdi(kaj, p.zacetek, p.stevilo), p.naprej) << p.kaj << " " << p.zacetek;
        EXPECT_EQ(n.NajdiNazaj(kaj, p.zacetek, p.stevilo), p.nazaj) << p.kaj << " " << p.zacetek;
        EXPECT_EQ(n.NajdiI(kaj, p.zacetek, p.stevilo), p.naprej) << p.kaj;
        EXPECT_EQ(n.NajdiNazajI(kaj, p.zacetek, p.stevilo), p.nazaj) << p.kaj;
    }
    EXPECT_EQ(n.Najdi(T('o')), 4u);
    EXPECT_EQ(n.NajdiNazaj(T('o')), 7u);
    EXPECT_EQ(n.Najdi(T(0)), NI);
    EXPECT_EQ(n.NajdiI(T('W')), 6u);
    EXPECT_EQ(n.NajdiNazajI(T('L')), 9u);
    // Candidates end at an embedded zero; a match never spans it.
    n.NastaviZnak(5, 0);
    EXPECT_EQ(n.Najdi(Tekst<T>("wor")), NI);
    EXPECT_EQ(n.Najdi(Tekst<T>("wor"), 6), 6u);
    EXPECT_EQ(n.NajdiNazaj(Tekst<T>("")), 4u);
    EXPECT_EQ(n.Najdi(T('d')), NI);
}

TYPED_TEST(Iskanje, AgreesWithAReferenceScan) {
    using T = typename ZnakNiza<TypeParam>::T;
    std::mt19937 g(7);
    auto nakljucen = [&g](size_t n, bool velike) {
        std::string s(n, 'a');
        for (char &c : s)
            c = static_cast<char>((velike && g() % 4 == 0 ? 'A' : 'a') + g() % 3);
        return s;
    };
    for (int krog = 0; krog < 400; ++krog) {
        std::string s = nakljucen(g() % 300 + 1, true), vzorec = nakljucen(g() % 6 + 1, false), male = s;
        if (krog % 5 == 0)
            s[g() % s.size()] = 0;
        for (size_t i = 0; i < s.size(); ++i)
            male[i] = static_cast<char>(tolower(s[i]));
        // Written through the buffer, so embedded zeros stay part of the text.
        TypeParam n;
        std::copy(s.begin(), s.end(), n.Odpusti(static_cast<unsigned int>(s.size()), false));
        n.Skrajsaj(static_cast<unsigned int>(s.size()));
        unsigned int zacetek = g() % s.size(), stevilo = g() % 2 ? NI : g() % 100;
        size_t konec = std::min<size_t>(s.size(), stevilo == NI ? NI : zacetek + stevilo);
        unsigned int pricakovano[4] = {NI, NI, NI, NI}; // forwards, backwards, both ignoring case
        for (unsigned int p = zacetek; p < konec && s[p]; ++p)
            for (int i : {0, 2})
                if ((i ? male : s).compare(p, vzorec.size(), vzorec) == 0) {
                    pricakovano[i] = pricakovano[i] == NI ? p : pricakovano[i];
                    pricakovano[i + 1] = p;
                }
        Tekst<T> kaj(vzorec.c_str());
        ASSERT_EQ(n.Najdi(kaj, zacetek, stevilo), pricakovano[0]) << krog;
        ASSERT_EQ(n.NajdiNazaj(kaj, zacetek, stevilo), pricakovano[1]) << krog;
        ASSERT_EQ(n.NajdiI(kaj, zacetek, stevilo), pricakovano[2]) << krog;
        ASSERT_EQ(n.NajdiNazajI(kaj, zacetek, stevilo), pricakovano[3]) << krog;
    }
}

TYPED_TEST(Iskanje, ComparisonEncoding) {
    using T = typename ZnakNiza<TypeParam>::T;
    TypeParam abc(Tekst<T>("abc")), abd(Tekst<T>("abd")), ab(Tekst<T>("ab"));
    EXPECT_EQ(abc.Primerjaj(Tekst<T>("abd")), -3); // ~2: the complement of the first differing index
    EXPECT_EQ(abd.Primerjaj(Tekst<T>("abc")), 3);
    EXPECT_EQ(ab.Primerjaj(Tekst<T>("abc")), -3);
    EXPECT_EQ(abc.Primerjaj(Tekst<T>("ab")), 3);
    EXPECT_EQ(abc.Primerjaj(Tekst<T>("xyz"), 0, 0), 0);
    EXPECT_EQ(abc.Primerjaj(Tekst<T>("abx"), 0, 2), 0);
    EXPECT_EQ(abc.Primerjaj(Tekst<T>("bc"), 1), 0);
    EXPECT_EQ(abc.PrimerjajI(Tekst<T>("ABC")), 0);
    EXPECT_EQ(abc.PrimerjajLI(Tekst<T>("ABD")), -3);
}

TEST(IskanjeA, NarrowOrdersAsSignedBytes) {
    RNizA a("a");
    EXPECT_EQ(a.Primerjaj("a\xE8"), 2); // the terminator orders above 0xE8
    RNizA c("\xC8");
    EXPECT_EQ(c.Primerjaj("A"), -1);
    EXPECT_EQ(c.PrimerjajI("\xE8"), 0); // code page 1250: C-caron folds to c-caron
    EXPECT_EQ(c.NajdiI('\xE8'), 0u);
}

TEST(IskanjeU, WideOrdersUnsignedAndFoldsTheExtraPairs) {
    RNizU a(U(L"a"));
    EXPECT_EQ(a.Primerjaj(U(L"a\x00E8")), -2);
    EXPECT_EQ(RNizU(U(L"\x00E8")).Primerjaj(U(L"z")), 1);
    unsigned short const par1[] = {0x01D1, 0xE005, 0}, par2[] = {0x01D2, 0xE004, 0};
    RNizU p(par1);
    EXPECT_EQ(p.PrimerjajI(par2), 0);
    EXPECT_EQ(p.Primerjaj(par2), -1);
    EXPECT_EQ(p.NajdiI(par2), 0u);
    EXPECT_EQ(p.NajdiI(static_cast<unsigned short>(0xE004)), 1u);
}
