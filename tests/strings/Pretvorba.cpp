// RNizA and RNizU: code-page conversions, cross-type operators, BSTR output, newline conversions and
// the parts that return the concrete class.
#include "strings/Pomoc.h"
#include <windows.h>

TEST(Pretvorba, CodePage1250BothWays) {
    RNizU u("\xE8");
    ASSERT_EQ(u.VrniDolzino(), 1u);
    EXPECT_EQ(u.VrniZnak(0), 0x10D);
    unsigned short const cc[] = {0x10D, 0};
    RNizA a(cc);
    EXPECT_TRUE(Vsebuje(a, "\xE8"));
    // Characters code page 1250 lacks become its default character, one byte per unit.
    a = U(L"x\x4E2Dy");
    EXPECT_TRUE(Vsebuje(a, "x?y"));
    EXPECT_EQ(a.NastaviU(U(L"abcde"), 3), 3u);
    EXPECT_TRUE(Vsebuje(a, "abc"));
    EXPECT_EQ(a.PrilepiU(cc, NI, KN_CP1252), 4u); // best fit in 1252
    EXPECT_TRUE(Vsebuje(a, "abcc"));
    EXPECT_EQ(u.NastaviA(""), 0u);
    EXPECT_TRUE(Vsebuje(u, ""));
    EXPECT_EQ(u.PrilepiA("\xE8\x9A", 1), 1u);
    EXPECT_EQ(u.PrilepiA('\x9A', 2), 3u);
    unsigned short const pricakovano[] = {0x10D, 0x161, 0x161, 0};
    EXPECT_EQ(u.Primerjaj(pricakovano), 0);
    RNizU e("\xE8", NI);
    RNizA iz(e);
    EXPECT_TRUE(Vsebuje(iz, "\xE8"));
}

TEST(Pretvorba, StringSourcesAndSingleCharacters) {
    RNizU u(U(L"abcdef"));
    RNizA a(u, 4);
    EXPECT_TRUE(Vsebuje(a, "abcd"));
    a += u;
    EXPECT_TRUE(Vsebuje(a, "abcdabcdef"));
    a.NastaviU(static_cast<unsigned short>(0x10D), 3);
    EXPECT_TRUE(Vsebuje(a, "\xE8\xE8\xE8"));
    a = static_cast<unsigned short>('z');
    a += static_cast<unsigned short>('y');
    a += 'x';
    a += "w";
    EXPECT_TRUE(Vsebuje(a, "zyxw"));
    RNizA z(static_cast<unsigned short>(0x4E2D), 2);
    EXPECT_TRUE(Vsebuje(z, "??"));
    RNizU w(a, 2);
    w += a;
    w += '!';
    w += U(L"?");
    EXPECT_EQ(w.Primerjaj(U(L"zyzyxw!?")), 0);
    w = 'q';
    EXPECT_EQ(w.Primerjaj(U(L"q")), 0);
    RNizU c('c', 2);
    EXPECT_EQ(c.Primerjaj(U(L"cc")), 0);
    // A string source converts all of its length, embedded zeros included.
    RNizU nicla(U(L"a_b"));
    nicla.NastaviZnak(1, 0);
    RNizA a3(nicla);
    EXPECT_TRUE(Vsebuje(a3, "a\0b", 3));
}

TEST(Pretvorba, Utf8GetsTheRealLength) {
    RNizA a;
    unsigned short const cc[] = {'a', 0x10D, 0};
    EXPECT_EQ(a.NastaviU(cc, NI, KN_UTF8), 3u);
    EXPECT_TRUE(Vsebuje(a, "a\xC4\x8D"));
    RNizU u;
    EXPECT_EQ(u.NastaviA(a, NI, KN_UTF8), 2u);
    EXPECT_EQ(u.Primerjaj(cc), 0);
}

TEST(Pretvorba, Bstr) {
    RNizA a("abc");
    unsigned short *b = a.VrniBSTR(2);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(SysStringLen(reinterpret_cast<BSTR>(b)), 2u);
    EXPECT_EQ(b[0], 'a');
    EXPECT_EQ(b[2], 0);
    SysFreeString(reinterpret_cast<BSTR>(b));
    a = "\xE8x";
    b = a.VrniBSTR();
    EXPECT_EQ(SysStringLen(reinterpret_cast<BSTR>(b)), 2u);
    EXPECT_EQ(b[0], 0x10D);
    SysFreeString(reinterpret_cast<BSTR>(b));
    RNizA prazen;
    b = prazen.VrniBSTR();
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(SysStringLen(reinterpret_cast<BSTR>(b)), 0u);
    SysFreeString(reinterpret_cast<BSTR>(b));

    RNizU u(U(L"wide"));
    b = u.VrniBSTR(3);
    EXPECT_EQ(SysStringLen(reinterpret_cast<BSTR>(b)), 3u);
    EXPECT_EQ(b[2], 'd');
    SysFreeString(reinterpret_cast<BSTR>(b));
    b = u.VrniBSTR();
    EXPECT_EQ(SysStringLen(reinterpret_cast<BSTR>(b)), 4u);
    SysFreeString(reinterpret_cast<BSTR>(b));
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

TEST(Pretvorba, PartsAndCopiesAreConcrete) {
    RNizA a("abcdef");
    RNizA e = a.Desno(2);
    EXPECT_TRUE(Vsebuje(e, "ef"));
    EXPECT_TRUE(Vsebuje(a.Levo(2), "ab"));
    EXPECT_TRUE(Vsebuje(a.Sredina(2, 2), "cd"));
    RNizA b(a);
    b += "g";
    a = b;
    EXPECT_TRUE(Vsebuje(a, "abcdefg"));
    RNizU u(U(L"uvw"));
    RNizU v = u.Sredina(1, 5);
    EXPECT_EQ(v.Primerjaj(U(L"vw")), 0);
    RNizU k(u);
    k = v;
    EXPECT_EQ(k.Primerjaj(u.Desno(2)), 0);
    RNizP<char> &osnova = a;
    osnova = "x";
    EXPECT_TRUE(Vsebuje(a, "x"));
}
