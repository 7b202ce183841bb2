// SGML references in and out of RNizA and RNizU: known answers, every mode, round trips, hostile input.
#include "strings/Pomoc.h"
#include <string.h>
#include <windows.h>

namespace {

std::string B(const RNizA &s) { return std::string(s, s.VrniDolzino()); }
std::u16string B(const RNizU &s) {
    return std::u16string((const char16_t *)(const unsigned short *)s, s.VrniDolzino());
}
template <class N, class... K> auto Dekodiraj(const char *vhod, unsigned int najvec, K... kn) {
    N s;
    const unsigned int n = s.NastaviSGML(vhod, najvec, kn...);
    EXPECT_EQ(n, s.VrniDolzino());
    return B(s);
}
std::string DekodirajA(const char *vhod, unsigned int najvec = NI, unsigned int cp = 1250) {
    return Dekodiraj<RNizA>(vhod, najvec, T_KODNASTRAN(cp));
}

// clang-format off
const struct { const char *vhod; std::string izhod; unsigned int najvec = NI, cp = 1250; } k_dekodiranja[] = {
    {"", ""}, {"\xE8\x9A\x9E", "\xE8\x9A\x9E"}, {"a & b", "a & b"}, {"a&amp;b&lt;p&gt;", "a&b<p>"},
    {"&ccaron;&nbsp;&euro;&hellip;&quot;", "\xE8\xA0\x80\x85\""}, {"&#65;&#x41;&#X41;", "AAA"},
    {"&#65x;", "A;"},                                // the x is dropped, the semicolon stays
    {"&#  65;&#+66;&#x0041;&#0000000066;", "ABAB"},  // strtoul takes leading blanks, a sign, leading zeros
    {"&foo;|&;|&#0;|&A;|&\xE8;|&#;&#x;", "\xA4|\xA4|\xA4|\xA4|\xA4|\xA4\xA4"},  // not a reference
    {"&AMP;&Amp;&amp;", "\xA4\xA4&"}, {"&#65536;&#x10041;", "\xA4\x41"},       // cut to 16 bits
    {"&#99999999999999999999;&#x4E2D;", "??"},       // saturates at U+FFFF; neither is in code page 1250
    {"&amp;&amp", "&&amp"}, {"& x &amp;", "\xA4"},    // the name runs to the first semicolon
    {"&#z;", "\xA4;"},          // no digits: resume after the place where they would start
    {"&#65;", "&#6", 3}, {"&#65;", "&#65", 4}, {"&#65;", "A", 5}, {"&amp;x", "&amp", 4}, {"&amp;", "", 0},
    {"a&amp;\0b&lt;", "a&"}, {"a&\0;", "a&"},
    // Best fit where the code page lacks a character; two bytes do not fit one; no code page: a zero.
    {"&egrave;", "\xE8", NI, 1252}, {"&ccaron;", "c", NI, 1252}, {"a&#x4E2D;b", std::string("a\0b", 3), NI, 932},
    {"&ccaron;", std::string("\0", 1), NI, 65001}, {"a&amp;", std::string("a\0", 2), NI, 12345},
};
const struct { const char16_t *vhod; unsigned int nacin; const char *izhod; } k_kodiranja[] = {
    {u"\u03B1\u0151&", 0, "&agr;&odblac;&amp;"}, {u"a<b>'\"\\!", 0, "a<b>'\"\\!"},
    {u"\u4E2D\u0080\u0FFF\uFFFF", 0, "&#x4e2d;&#x80;&#xfff;&#xffff;"}, {u"!aZ09", 1, "&excl;aZ09"},
    {u"\xD83D\xDE00", 0, "&#xd83d;&#xde00;"}, {u"'&<\u00E8\u0080", 1, "'&amp;&lt;&egrave;&#x80;"},
    {u"'\"<>\\&", 2, "&#x27;&quot;&lt;&gt;\\&amp;"}, {u"'\"<>\\&", 4, "&#x27;&quot;<>&bsol;&amp;"},
    {u"'\"<>\\&", 6, "&#x27;&quot;&lt;&gt;&bsol;&amp;"}, {u"'<\\", 3, "&#x27;&lt;\\"},
    {u"'<\\\u00A8", 0xFFFFFFFF, "&#x27;&lt;&bsol;&Dot;"}, {u"", 2, ""},
};
// clang-format on

TEST(RNizSGML, KnownAnswersAndItsOwnText) {
    for (const auto &d : k_dekodiranja)
        EXPECT_EQ(d.izhod, DekodirajA(d.vhod, d.najvec, d.cp)) << d.vhod << " " << d.cp;
    for (const auto &k : k_kodiranja)
        EXPECT_EQ(k.izhod, B(RNizU(U(k.vhod)).VrniSGML(NI, k.nacin))) << k.izhod;
    // Aliases and numbers in UTF-16 (the round trips meet only the names the encoder writes).
    EXPECT_EQ(u"\u03B1\u03B1\u02BC\uE003AAA\u00A4\u00A4\uF600\uFFFF&am",
              Dekodiraj<RNizU>(
                  "&alpha;&b.alpha;&apos;&schwadgrave;&#65;&#x41;&#X41;&#0;&nope;&#x1F600;&#-1;&amp;", 79));
    // Ordinary bytes come from the system's ANSI code page, whatever it is.
    wchar_t w[3];
    ASSERT_EQ(3, MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, "x\xE8\xA9", 3, w, 3));
    EXPECT_EQ(std::u16string(w, w + 3), Dekodiraj<RNizU>("x\xE8\xA9", NI));
    EXPECT_EQ("&ccaron;&scaron;&amp;<x", B(RNizA::VrniSGML("\xE8\x9A&<x", NI, 0, KN_CP1250)));
    EXPECT_EQ("&egrave;", B(RNizA("\xE8&x").VrniSGML(1, 0, T_KODNASTRAN(1252))));
    // From 65000 on MB_PRECOMPOSED is refused: a lone lead byte is U+FFFD; an unconvertible byte is 0.
    EXPECT_EQ("a&#xfffd;", B(RNizA::VrniSGML("a\xC3", NI, 0, T_KODNASTRAN(65001))));
    EXPECT_EQ("a&#x0;&amp;", B(RNizA::VrniSGML("a\xE8&", NI, 0, T_KODNASTRAN(12345))));
    // A string may decode its own text: in place, or appended behind itself while the buffer moves.
    RNizA a("x&lt;&amp;y");
    RNizU u(U(u"ab"));
    EXPECT_EQ(4u, a.NastaviSGML(a, NI, KN_CP1250));
    EXPECT_EQ(4u, u.PrilepiSGML("&alpha;&", NI));
    EXPECT_EQ(5u, a.PrilepiSGML("&lt;", NI, KN_CP1250));
    EXPECT_EQ("x<&y<", B(a));
    EXPECT_EQ(u"ab\u03B1&", B(u));
    std::string reference;
    while (reference.size() < 200)
        reference += "&amp;";
    RNizA b((reference + reference).c_str()); // 400 characters: room for 400 more means a new buffer
    RNizA zapora(reference.c_str());          // taken next on the heap, so b cannot grow where it is
    EXPECT_EQ(480u, b.PrilepiSGML(b, NI, KN_CP1250));
    EXPECT_EQ(reference + reference + std::string(80, '&'), B(b));
}

// Every named character and every byte of code page 1250 come back through every mode.
TEST(RNizSGML, RoundTrips) {
    std::u16string vse;
    for (unsigned int c = 1; c < 0x10000; ++c)
        if (unicode_sgml[c])
            vse += static_cast<char16_t>(c);
    ASSERT_EQ(852u, vse.size());
    std::string bajti;
    for (int b = 1; b < 256; ++b)
        bajti += static_cast<char>(b);
    for (unsigned int nacin : {0u, 1u, 2u, 4u, 6u}) {
        EXPECT_EQ(vse, Dekodiraj<RNizU>(RNizU::VrniSGML(U(vse.c_str()), NI, nacin), NI)) << nacin;
        RNizA sgml = RNizA::VrniSGML(bajti.c_str(), NI, nacin, KN_CP1250);
        EXPECT_EQ(std::string(sgml).find_first_not_of(std::string(bajti, 0, 127)), std::string::npos)
            << nacin;
        EXPECT_EQ(bajti, DekodirajA(sgml)) << nacin;
    }
}

// Input that ends exactly where an inaccessible page begins: any read beyond it faults.
TEST(RNizSGML, HostileInputStaysInside) {
    char *blok = static_cast<char *>(VirtualAlloc(nullptr, 0x20000, MEM_COMMIT | MEM_RESERVE, PAGE_NOACCESS));
    DWORD staro = 0;
    ASSERT_TRUE(VirtualProtect(blok, 0x10000, PAGE_READWRITE, &staro));
    // clang-format off
    const std::string vhodi[] = {"&", "&#", "&#x", "&#65", "&am", "&amp", "&#99999999999999999999999;",
        std::string(3000, '&'), "&" + std::string(3000, 'a') + ";", std::string(2000, '&') + ";"};
    // clang-format on
    for (const std::string &v : vhodi) {
        const char *p = static_cast<char *>(memcpy(blok + 0x10000 - v.size(), v.data(), v.size()));
        unsigned int n = static_cast<unsigned int>(v.size());
        EXPECT_LE(Dekodiraj<RNizU>(p, n).size(), n);
        for (unsigned int nacin : {0u, 1u, 6u})
            EXPECT_GE(RNizA::VrniSGML(p, n, nacin, KN_CP1250).VrniDolzino(), n);
        const std::string a = DekodirajA(p, n);
        EXPECT_LE(a.size(), n);
        EXPECT_EQ(n == 3000 ? v : a, a) << "ampersands alone stay";
    }
    EXPECT_EQ("\xA4", DekodirajA(blok + 0x10000 - 2001, 2001));
    const std::string mnogo(4u << 20, '&'); // a linear scan, not one search of the rest per ampersand
    EXPECT_EQ(mnogo, DekodirajA(mnogo.c_str()));
    VirtualFree(blok, 0, MEM_RELEASE);
}

} // namespace
