// RNizA and RNizU: code pages, cross-type operators, BSTR output, newlines, assignment through the base.
#include "strings/Pomoc.h"
#include <windows.h>

// Every byte and every UTF-16 unit against the system's converters, in the library's code page and two
// others; UTF-8 takes more than one byte per unit.
TEST(Pretvorba, AgreesWithTheSystemConverters) {
    std::string bajti;
    for (int b = 1; b < 256; ++b)
        bajti += static_cast<char>(b);
    std::wstring enote;
    for (unsigned int c = 1; c < 0x10000; ++c)
        enote += static_cast<wchar_t>(c);
    for (T_KODNASTRAN kn : {KN_CP1250, KN_CP1252, KN_UTF8}) {
        std::wstring siroko(bajti.size() * 2, L'\0');
        siroko.resize(MultiByteToWideChar(kn, 0, bajti.data(), 255, &siroko[0], 510));
        RNizU u;
        EXPECT_EQ(u.NastaviA(bajti.c_str(), NI, kn), siroko.size()) << kn;
        EXPECT_EQ(std::wstring(reinterpret_cast<wchar_t const *>(static_cast<unsigned short const *>(u))), siroko);
        std::string ozko(enote.size() * 3, '\0');
        ozko.resize(WideCharToMultiByte(kn, 0, enote.data(), 0xFFFF, &ozko[0], 0x30000, nullptr, nullptr));
        RNizA a;
        EXPECT_EQ(a.NastaviU(U(enote.c_str()), NI, kn), ozko.size()) << kn;
        EXPECT_EQ(std::string(a, a.VrniDolzino()), ozko) << kn;
    }
    RNizA a("ab");
    EXPECT_NIZ(a, PrilepiU(U(L"\x010D"), NI, KN_CP1252), 3u, "abc");
    RNizU u(a);
    EXPECT_EQ(u.PrilepiA("\xE8\x9A", 1), 4u);
    EXPECT_EQ(u.PrilepiA('\x9A', 2), 6u);
    EXPECT_EQ(u.Primerjaj(U(L"abc\x010D\x0161\x0161")), 0);
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
