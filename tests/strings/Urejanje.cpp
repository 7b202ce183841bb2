// Editing, trimming, parts, reversal and case conversion on both character types.
#include "strings/Pomoc.h"

template <class N> class Urejanje : public testing::Test {};
TYPED_TEST_SUITE(Urejanje, ObaNiza);

TYPED_TEST(Urejanje, ReplaceTexts) {
    using T = typename ZnakNiza<TypeParam>::T;
    struct {
        char const *niz, *vzorec, *zamenjava, *rezultat;
        unsigned int stevilo;
    } const primeri[] = {
        {"aaa", "aa", "XYZ", "aXYZ", 1}, // longer: rightmost non-overlapping occurrence
        {"aaa", "aa", "X", "Xa", 1},     // shorter: leftmost
        {"aaaa", "aa", "XYZ", "XYZXYZ", 2},
        {"abcabc", "bc", "", "aa", 2},
        {"abcabc", "b", "BBB", "aBBBcaBBBc", 2},
        {"abc", "x", "yy", "abc", 0},
        {"abc", "", "y", "abc", 0},
        {"", "a", "b", "", 0},
        {"xyx", "xyx", "q", "q", 1},
    };
    for (auto const &p : primeri) {
        SCOPED_TRACE(std::string(p.niz) + "/" + p.vzorec);
        TypeParam n(Tekst<T>(p.niz));
        EXPECT_NIZ(n, Zamenjaj(Tekst<T>(p.vzorec), Tekst<T>(p.zamenjava)), p.stevilo, p.rezultat);
    }
    TypeParam n(Tekst<T>("aBcAbC"));
    EXPECT_NIZ(n, ZamenjajI(Tekst<T>("abc"), Tekst<T>("-")), 2u, "--");
    // A longer replacement that crosses the 128-character capacity.
    TypeParam d(T('a'), 100);
    EXPECT_NIZ(d, Zamenjaj(Tekst<T>("a"), Tekst<T>("bb")), 100u, std::string(200, 'b').c_str());
    TypeParam s(Tekst<T>("abab")); // the pattern comes from the string itself
    EXPECT_NIZ(s, Zamenjaj(static_cast<T const *>(s) + 2, Tekst<T>("xyz")), 2u, "xyzxyz");
}

TYPED_TEST(Urejanje, CharactersInsertDelete) {
    using T = typename ZnakNiza<TypeParam>::T;
    TypeParam n(Tekst<T>("banana"));
    EXPECT_NIZ(n, Zamenjaj(T('a'), T('o')), 3u, "bonono");
    EXPECT_EQ(n.ZamenjajI(T('B'), T('x')), 1u);
    EXPECT_NIZ(n, Odstrani(T('o')), 3u, "xnn");
    EXPECT_NIZ(n, OdstraniI(T('N')), 2u, "x");

    TypeParam v(Tekst<T>("abc"));
    EXPECT_NIZ(v, Vstavi(0, Tekst<T>("xy")), 5u, "xyabc");
    v = Tekst<T>("abc");
    EXPECT_NIZ(v, Vstavi(3, Tekst<T>("xy")), 5u, "abcxy");
    EXPECT_NIZ(v, Vstavi(1, T('-'), 2), 7u, "a--bcxy");
    EXPECT_EQ(v.Vstavi(2, Tekst<T>("123"), 1), 8u);
    EXPECT_NIZ(v, Vstavi(0, static_cast<T const *>(v) + 5, 2), 10u, "cxa-1-bcxy"); // from itself

    // Long texts cross the capacity; one from the string itself moves with the grown buffer.
    TypeParam dolg(T('x'), 100);
    EXPECT_EQ(dolg.Vstavi(50, static_cast<T const *>(dolg)), 200u);
    EXPECT_EQ(dolg.Vstavi(1, Tekst<T>(std::string(100, 'y').c_str())), 300u);
    EXPECT_EQ(dolg.VrniKapaciteto(), 384u);
    EXPECT_EQ(dolg.NajdiNazaj(T('y')), 100u);

    TypeParam z(Tekst<T>("abcdef"));
    EXPECT_NIZ(z, Zbrisi(1, 2), 4u, "adef");
    EXPECT_NIZ(z, Zbrisi(2, NI), 2u, "ad");
    EXPECT_EQ(z.Zbrisi(0, 0), 2u);
}

TYPED_TEST(Urejanje, TrimPartsAndCase) {
    using T = typename ZnakNiza<TypeParam>::T;
    TypeParam n(Tekst<T>("..ab c.."));
    EXPECT_NIZ(n, Poravnaj(Tekst<T>(" .")), 4u, "ab c");
    n = Tekst<T>("xxaxx");
    EXPECT_NIZ(n, PoravnajLevo(T('x')), 3u, "axx");
    EXPECT_EQ(n.PoravnajDesno(T('x')), 1u);
    EXPECT_EQ(n.Poravnaj(Tekst<T>("")), 1u);
    n = Tekst<T>(" \t ab \r\n");
    EXPECT_NIZ(n, Poravnaj(), 2u, "ab");
    n = Tekst<T>("  a ");
    EXPECT_EQ(n.PoravnajDesno(), 3u);
    EXPECT_EQ(n.PoravnajLevo(), 1u);

    TypeParam d(Tekst<T>("abcdef"));
    EXPECT_TRUE(Vsebuje(d.Desno(2), "ef"));
    EXPECT_TRUE(Vsebuje(d.Sredina(1, 3), "bcd"));
    EXPECT_TRUE(Vsebuje(d.Desno(9), "abcdef"));
    EXPECT_TRUE(Vsebuje(d.Sredina(9, 2), ""));
    EXPECT_TRUE(Vsebuje(d.RNizP<T>::Levo(2), "ab"));

    d.Prezrcali();
    EXPECT_TRUE(Vsebuje(d, "fedcba"));
    TypeParam prazen;
    prazen.Prezrcali();
    EXPECT_TRUE(Vsebuje(prazen, ""));
    n = Tekst<T>("Hello, World 9"); // case through the library locale
    n.VVelike();
    EXPECT_TRUE(Vsebuje(n, "HELLO, WORLD 9"));
    n.VMale();
    EXPECT_TRUE(Vsebuje(n, "hello, world 9"));
}

TEST(UrejanjeA, CodePage1250CaseWhileTheApplicationStaysInC) {
    RNizA n("\xE8\x9A"); // c-caron, s-caron
    n.VVelike();
    EXPECT_TRUE(Vsebuje(n, "\xC8\x8A"));
    n.VMale();
    EXPECT_TRUE(Vsebuje(n, "\xE8\x9A"));
    n = "\xA0x\xA0"; // no-break space is white space in 1250
    EXPECT_EQ(n.Poravnaj(), 1u);
    EXPECT_STREQ(setlocale(LC_ALL, nullptr), "C");
    EXPECT_EQ(toupper(0xE8), 0xE8);
}

TEST(UrejanjeU, WideCaseAndTheExtraPairs) {
    unsigned short const mala[] = {0x10D, 0x1D2, 0xE004, 'a', 0}, velika[] = {0x10C, 0x1D1, 0xE005, 'A', 0};
    RNizU n(mala);
    n.VVelike();
    EXPECT_EQ(n.Primerjaj(velika), 0);
    n.VMale();
    EXPECT_EQ(n.Primerjaj(mala), 0);
}
