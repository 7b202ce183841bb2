// RNizA and RNizU: code pages, cross-type sources, BSTR output, newlines, assignment through the base.
#include "strings/Pomoc.h"
#include <windows.h>

// Every byte and every UTF-16 unit against the system's converters, in the library's code page and two
// others; UTF-8 takes more than one byte per unit.
TEST(Pretvorba, AgreesWithTheSystemConvertersAndOtherForms) {
    std::wstring enote;
    for (unsigned int c = 1; c < 0x10000; ++c)
        enote += wchar_t(c);
    const std::string bajti(enote.begin(), enote.begin() + 255);
    for (T_KODNASTRAN kn : {KN_CP1250, KN_CP1252, KN_UTF8}) {
        std::wstring siroko(510, L'\0');
        siroko.resize(MultiByteToWideChar(kn, 0, bajti.data(), 255, &siroko[0], 510));
        RNizU u;
        EXPECT_EQ(u.NastaviA(bajti.c_str(), NI, kn), siroko.size()) << kn;
        EXPECT_EQ(std::wstring(reinterpret_cast<wchar_t const *>(static_cast<unsigned short const *>(u))),
                  siroko);
        std::string ozko(0x30000, '\0');
        ozko.resize(WideCharToMultiByte(kn, 0, enote.data(), 0xFFFF, &ozko[0], 0x30000, nullptr, nullptr));
        RNizA a;
        EXPECT_EQ(a.NastaviU(U(enote.c_str()), NI, kn), ozko.size()) << kn;
        EXPECT_EQ(std::string(a, a.VrniDolzino()), ozko) << kn;
    }
    // The other forms: appends, string sources (all of their length), single characters, BSTRs.
    RNizA a("ab");
    EXPECT_NIZ(a, PrilepiU(U(L"\x010D"), NI, KN_CP1252), 3u, "abc");
    RNizU u("abc");
    EXPECT_EQ(u.PrilepiA("\xE8\x9A", 1), 4u);
    EXPECT_EQ(u.PrilepiA('\x9A', 2), 6u);
    EXPECT_EQ(u.Primerjaj(U(L"abc\x010D\x0161\x0161")), 0);
    u.NastaviZnak(1, 0);
    EXPECT_TRUE(Vsebuje(RNizA(u, 4), "a\0c\xE8", 4));
    EXPECT_NIZ(a, NastaviU(static_cast<unsigned short>(0x10D), 3), 3u, "\xE8\xE8\xE8");
    RNizU w(a, 1); // the default page both ways, by operators
    w += a;
    w += '!';
    EXPECT_EQ(w.Primerjaj(U(L"\x010D\x010D\x010D\x010D!")), 0);
    a += w;
    a += static_cast<unsigned short>(0x4E2D);
    EXPECT_TRUE(Vsebuje(a, "\xE8\xE8\xE8\xE8\xE8\xE8\xE8!?"));
    EXPECT_TRUE(Vsebuje(RNizA(static_cast<unsigned short>(0x4E2D), 2), "??"));
    // The units by the stored length, terminator included; the string is freed.
    auto bstr = [](unsigned short *b) {
        std::vector<unsigned short> v(b, b + SysStringLen(reinterpret_cast<BSTR>(b)) + 1);
        SysFreeString(reinterpret_cast<BSTR>(b));
        return v;
    };
    using E = std::vector<unsigned short>;
    EXPECT_EQ(bstr(RNizA().VrniBSTR()), E{0});
    EXPECT_EQ(bstr(RNizA("\xE8x").VrniBSTR()), (E{0x10D, 'x', 0}));
    EXPECT_EQ(bstr(RNizU(U(L"wide")).VrniBSTR(3)), (E{'w', 'i', 'd', 0}));
    using P = unsigned int (RNizA::*)();
    // clang-format off
    const struct { char const *niz; P pretvori; char const *rezultat; unsigned int stevilo; } primeri[] = {
        {"a\nb", &RNizA::PretvoriNLvCRLF, "a\r\nb", 1}, {"a\r\nb", &RNizA::PretvoriNLvCRLF, "a\r\r\nb", 1},
        {"a\r\n\r\nb", &RNizA::PretvoriCRLFvNL, "a\n\nb", 2}, {"a\n\r\n\rb", &RNizA::PretvoriLFCRvNL, "a\n\nb", 2},
        {"\n\n", &RNizA::PretvoriNLvLFCR, "\n\r\n\r", 2}, {"ab", &RNizA::PretvoriNLvCRLF, "ab", 0}};
    // clang-format on
    for (auto const &p : primeri) {
        RNizA n(p.niz);
        EXPECT_EQ((n.*p.pretvori)(), p.stevilo) << p.niz;
        EXPECT_TRUE(Vsebuje(n, p.rezultat));
    }
    RNizA b(a);
    static_cast<RNizP<char> &>(b) = "x";
    a = b;
    EXPECT_TRUE(Vsebuje(a, "x"));
}
