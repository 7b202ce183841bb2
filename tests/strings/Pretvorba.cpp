// RNizA and RNizU: code pages, cross-type operators, BSTR output, newlines, assignment through the base.
#include "strings/Pomoc.h"
#include <windows.h>

TEST(Pretvorba, CodePage1250BothWays) {
    unsigned short const cc[] = {0x10D, 0}, pricakovano[] = {0x10D, 0x161, 0x161, 0};
    RNizU u("\xE8");
    EXPECT_EQ(u.Primerjaj(cc), 0);
    RNizA a(cc);
    EXPECT_TRUE(Vsebuje(a, "\xE8"));
    a = U(L"x\x4E2Dy"); // characters code page 1250 lacks become its default character, one byte per unit
    EXPECT_TRUE(Vsebuje(a, "x?y"));
    EXPECT_EQ(a.NastaviU(U(L"abcde"), 3), 3u);
    EXPECT_NIZ(a, PrilepiU(cc, NI, KN_CP1252), 4u, "abcc"); // best fit in 1252
    EXPECT_NIZ(u, NastaviA(""), 0u, "");
    EXPECT_EQ(u.PrilepiA("\xE8\x9A", 1), 1u);
    EXPECT_EQ(u.PrilepiA('\x9A', 2), 3u);
    EXPECT_EQ(u.Primerjaj(pricakovano), 0);
}

TEST(Pretvorba, StringSourcesAndSingleCharacters) {
    RNizU u(U(L"abcdef"));
    RNizA a(u, 4);
    a += u;
    EXPECT_TRUE(Vsebuje(a, "abcdabcdef"));
    a.NastaviU(static_cast<unsigned short>(0x10D), 3);
    EXPECT_TRUE(Vsebuje(a, "\xE8\xE8\xE8"));
    a = static_cast<unsigned short>('z');
    a += static_cast<unsigned short>('y');
    EXPECT_TRUE(Vsebuje(RNizA(static_cast<unsigned short>(0x4E2D), 2), "??"));
    RNizU w(a, 1);
    w += a;
    w += '!';
    EXPECT_TRUE(Vsebuje(w, "zzy!"));
    EXPECT_TRUE(Vsebuje(RNizU('c', 2), "cc"));
    RNizU nicla(U(L"a_b")); // a string source converts all of its length, embedded zeros included
    nicla.NastaviZnak(1, 0);
    EXPECT_TRUE(Vsebuje(RNizA(nicla), "a\0b", 3));
}

TEST(Pretvorba, Utf8GetsTheRealLength) {
    RNizA a;
    unsigned short const cc[] = {'a', 0x10D, 0};
    EXPECT_NIZ(a, NastaviU(cc, NI, KN_UTF8), 3u, "a\xC4\x8D");
    RNizU u;
    EXPECT_EQ(u.NastaviA(a, NI, KN_UTF8), 2u);
    EXPECT_EQ(u.Primerjaj(cc), 0);
}

TEST(Pretvorba, Bstr) {
    // The units by the stored length, terminator included; the string is freed.
    auto enote = [](unsigned short *b) {
        std::vector<unsigned short> v;
        if (b)
            v.assign(b, b + SysStringLen(reinterpret_cast<BSTR>(b)) + 1);
        SysFreeString(reinterpret_cast<BSTR>(b));
        return v;
    };
    using E = std::vector<unsigned short>;
    RNizA a("abc"), e("\xE8x"), prazen;
    RNizU u(U(L"wide"));
    EXPECT_EQ(enote(a.VrniBSTR(2)), (E{'a', 'b', 0}));
    EXPECT_EQ(enote(e.VrniBSTR()), (E{0x10D, 'x', 0}));
    EXPECT_EQ(enote(prazen.VrniBSTR()), E{0});
    EXPECT_EQ(enote(u.VrniBSTR(3)), (E{'w', 'i', 'd', 0}));
}

TEST(Pretvorba, Newlines) {
    struct {
        char const *niz;
        unsigned int (RNizA::*pretvori)();
        char const *rezultat;
        unsigned int stevilo;
    } const primeri[] = {
        {"a\nb", &RNizA::PretvoriNLvCRLF, "a\r\nb", 1},
        {"a\r\nb", &RNizA::PretvoriNLvCRLF, "a\r\r\nb", 1},
        {"a\r\n\r\nb", &RNizA::PretvoriCRLFvNL, "a\n\nb", 2},
        {"a\n\r\n\rb", &RNizA::PretvoriLFCRvNL, "a\n\nb", 2},
        {"\n\n", &RNizA::PretvoriNLvLFCR, "\n\r\n\r", 2},
        {"ab", &RNizA::PretvoriNLvCRLF, "ab", 0},
    };
    for (auto const &p : primeri) {
        RNizA n(p.niz);
        EXPECT_EQ((n.*p.pretvori)(), p.stevilo) << p.niz;
        EXPECT_TRUE(Vsebuje(n, p.rezultat));
    }
}

TEST(Pretvorba, CopiesAndAssignmentThroughTheBase) {
    RNizA a("abcdef"), b(a);
    b += "g";
    a = b;
    EXPECT_TRUE(Vsebuje(a, "abcdefg"));
    RNizP<char> &osnova = a;
    osnova = "x";
    EXPECT_TRUE(Vsebuje(a, "x"));
}
