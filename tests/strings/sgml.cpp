// SGML references in and out of RNizA and RNizU: known answers, every mode, round trips, hostile input.
#include <windows.h>
#include "Siroko.h"
#include <gtest/gtest.h>
#include <string.h>
#include <string>
#include <zrno/strings.h>

namespace {

constexpr unsigned int k_vse = 0xFFFFFFFF;
const T_KODNASTRAN k_cp1250 = T_KODNASTRAN(1250);

std::string Besedilo(const RNizA &s) { return std::string(static_cast<const char *>(s), s.VrniDolzino()); }
std::u16string Besedilo(const RNizU &s) {
    auto p = reinterpret_cast<const char16_t *>(static_cast<const unsigned short *>(s));
    return std::u16string(p, s.VrniDolzino());
}

std::string DekodirajA(const char *vhod, unsigned int najvec = k_vse, T_KODNASTRAN cp = k_cp1250) {
    RNizA s;
    unsigned int n = s.NastaviSGML(vhod, najvec, cp);
    EXPECT_EQ(n, s.VrniDolzino());
    return Besedilo(s);
}

std::u16string DekodirajU(const char *vhod, unsigned int najvec = k_vse) {
    RNizU s;
    unsigned int n = s.NastaviSGML(vhod, najvec);
    EXPECT_EQ(n, s.VrniDolzino());
    return Besedilo(s);
}

struct Dekodiranje {
    const char *vhod;
    std::string izhod;
    unsigned int najvec = k_vse;
    unsigned int cp = 1250;
};

// clang-format off
const Dekodiranje k_dekodiranja[] = {
    {"", ""}, {"\xE8\x9A\x9E", "\xE8\x9A\x9E"}, {"a & b", "a & b"}, {"a&amp;b&lt;p&gt;", "a&b<p>"},
    {"&ccaron;&nbsp;&euro;&hellip;&quot;", "\xE8\xA0\x80\x85\""}, {"&#65;&#x41;&#X41;", "AAA"},
    {"&#65x;", "A;"},                                // the x is dropped, the semicolon stays
    {"&#  65;&#+66;&#x0041;&#0000000066;", "ABAB"},  // strtoul takes leading blanks, a sign, leading zeros
    {"&foo;|&;|&#0;|&A;|&\xE8;|&#;&#x;", "\xA4|\xA4|\xA4|\xA4|\xA4|\xA4\xA4"},  // not a reference
    {"&AMP;&Amp;&amp;", "\xA4\xA4&"},
    {"&#65536;&#x10041;", "\xA4\x41"},               // cut to 16 bits
    {"&#99999999999999999999;&#x4E2D;", "??"},       // saturates at U+FFFF; neither is in code page 1250
    {"&amp;&amp", "&&amp"}, {"& x &amp;", "\xA4"},    // the name runs to the first semicolon
    {"&#z;", "\xA4;"},          // no digits: resume after the place where they would start
    // The maximum length cuts a reference; a zero byte ends the input.
    {"&#65;", "&#6", 3}, {"&#65;", "&#65", 4}, {"&#65;", "A", 5}, {"&amp;x", "&amp", 4}, {"&amp;", "", 0},
    {"a&amp;\0b&lt;", "a&"}, {"a&\0;", "a&"},
    // The code page of the references: best fit where it lacks a character; a character that needs two
    // bytes does not fit one, and a code page that does not exist converts nothing: a zero byte instead.
    {"&egrave;", "\xE8", k_vse, 1252}, {"&ccaron;", "c", k_vse, 1252},
    {"a&#x4E2D;b", std::string("a\0b", 3), k_vse, 932}, {"&ccaron;", std::string("\0", 1), k_vse, 65001},
    {"a&amp;", std::string("a\0", 2), k_vse, 12345},
};
// clang-format on

TEST(RNizSGML, DecodesIntoCodePage) {
    for (const Dekodiranje &d : k_dekodiranja)
        EXPECT_EQ(d.izhod, DekodirajA(d.vhod, d.najvec, T_KODNASTRAN(d.cp))) << d.vhod << " " << d.cp;
    // What code page 1250 lacks takes its default character or a best fit, as the system decides.
    char pricakovano = 0;
    wchar_t apos = 0x2BC;
    ASSERT_EQ(1, WideCharToMultiByte(1250, 0, &apos, 1, &pricakovano, 1, nullptr, nullptr));
    EXPECT_EQ(std::string(1, pricakovano), DekodirajA("&apos;"));
}

TEST(RNizSGML, DecodesIntoUtf16) {
    EXPECT_EQ(u"a&b<>", DekodirajU("a&amp;b&lt;&gt;"));
    EXPECT_EQ(u"\u010D\u03B1\u03B1\u00A8\u02BC\uE003",
              DekodirajU("&ccaron;&alpha;&b.alpha;&Dot;&apos;&schwadgrave;"));
    EXPECT_EQ(u"AAA\u00A4\u00A4\uF600\uFFFF", DekodirajU("&#65;&#x41;&#X41;&#0;&nope;&#x1F600;&#-1;"));
    EXPECT_EQ(u"&am", DekodirajU("&amp;", 3));
    // Ordinary bytes come from the system's ANSI code page, whatever it is, one by one.
    std::u16string pricakovano;
    for (char b : {'x', '\xE8', '\xA9'}) {
        wchar_t w = 0;
        ASSERT_EQ(1, MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, &b, 1, &w, 1));
        pricakovano += static_cast<char16_t>(w);
    }
    EXPECT_EQ(pricakovano, DekodirajU("x\xE8\xA9"));
}

TEST(RNizSGML, AppendKeepsText) {
    RNizA a("ab");
    RNizU u(U(u"ab"));
    EXPECT_EQ(3u, a.PrilepiSGML("&lt;", k_vse, k_cp1250));
    EXPECT_EQ(4u, u.PrilepiSGML("&alpha;&", k_vse));
    EXPECT_EQ("ab<", Besedilo(a));
    EXPECT_EQ(u"ab\u03B1&", Besedilo(u));
}

// A string may decode its own text: in place, or appended behind itself while the buffer moves.
TEST(RNizSGML, DecodesItsOwnText) {
    RNizA a("x&lt;&amp;y");
    EXPECT_EQ(4u, a.NastaviSGML(a, k_vse, k_cp1250));
    EXPECT_EQ("x<&y", Besedilo(a));
    std::string reference;
    while (reference.size() < 200)
        reference += "&amp;";
    RNizA b(reference.c_str());
    b += reference.c_str();          // 400 characters: room for 400 more means a new buffer
    RNizA zapora(reference.c_str()); // taken next on the heap, so b cannot grow where it is
    EXPECT_EQ(480u, b.PrilepiSGML(b, k_vse, k_cp1250));
    EXPECT_EQ(reference + reference + std::string(80, '&'), Besedilo(b));
}

struct Kodiranje {
    const char16_t *vhod;
    unsigned int nacin;
    const char *izhod;
};

// clang-format off
const Kodiranje k_kodiranja[] = {
    {u"\u03B1\u0151&", 0, "&agr;&odblac;&amp;"}, {u"a<b>'\"\\!", 0, "a<b>'\"\\!"},
    {u"\u4E2D\u0080\u0FFF\uFFFF", 0, "&#x4e2d;&#x80;&#xfff;&#xffff;"}, {u"!aZ09", 1, "&excl;aZ09"},
    {u"\xD83D\xDE00", 0, "&#xd83d;&#xde00;"}, {u"'&<\u00E8\u0080", 1, "'&amp;&lt;&egrave;&#x80;"},
    {u"'\"<>\\&", 2, "&#x27;&quot;&lt;&gt;\\&amp;"}, {u"'\"<>\\&", 4, "&#x27;&quot;<>&bsol;&amp;"},
    {u"'\"<>\\&", 6, "&#x27;&quot;&lt;&gt;&bsol;&amp;"}, {u"'<\\", 3, "&#x27;&lt;\\"},
    {u"'<\\\u00A8", 0xFFFFFFFF, "&#x27;&lt;&bsol;&Dot;"}, {u"", 2, ""},
};
// clang-format on

TEST(RNizSGML, EncodesUtf16) {
    for (const Kodiranje &k : k_kodiranja) {
        EXPECT_EQ(std::string(k.izhod), Besedilo(RNizU::VrniSGML(U(k.vhod), k_vse, k.nacin))) << k.izhod;
        RNizU u(U(k.vhod));
        EXPECT_EQ(std::string(k.izhod), Besedilo(u.VrniSGML(k_vse, k.nacin))) << k.izhod;
    }
    EXPECT_EQ("&amp;&amp;", Besedilo(RNizU::VrniSGML(U(u"&&&"), 2, 0)));
}

TEST(RNizSGML, EncodesCodePage) {
    EXPECT_EQ("&ccaron;&scaron;&amp;<x", Besedilo(RNizA::VrniSGML("\xE8\x9A&<x", k_vse, 0, k_cp1250)));
    EXPECT_EQ("&egrave;", Besedilo(RNizA::VrniSGML("\xE8", k_vse, 0, T_KODNASTRAN(1252))));
    EXPECT_EQ("&ccaron;&excl;'", Besedilo(RNizA::VrniSGML("\xE8!'", k_vse, 1, k_cp1250)));
    RNizA a("\xE8&x");
    EXPECT_EQ("&ccaron;&amp;", Besedilo(a.VrniSGML(2, 0, k_cp1250)));
    // Code pages from 65000 on refuse MB_PRECOMPOSED: a lone lead byte becomes U+FFFD, not a failure.
    EXPECT_EQ("a&#xfffd;", Besedilo(RNizA::VrniSGML("a\xC3", k_vse, 0, T_KODNASTRAN(65001))));
    // A byte that does not convert at all is looked up as the character 0.
    EXPECT_EQ("a&#x0;&amp;", Besedilo(RNizA::VrniSGML("a\xE8&", k_vse, 0, T_KODNASTRAN(12345))));
}

// Every named character and every byte of code page 1250 come back through every mode; the text
// between is plain ASCII.
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
        RNizU nazaj;
        nazaj.NastaviSGML(RNizU::VrniSGML(U(vse.c_str()), k_vse, nacin), k_vse);
        EXPECT_EQ(vse, Besedilo(nazaj)) << nacin;
        RNizA sgml = RNizA::VrniSGML(bajti.c_str(), k_vse, nacin, k_cp1250);
        EXPECT_EQ(std::string(sgml).find_first_not_of(std::string(bajti, 0, 127)), std::string::npos) << nacin;
        EXPECT_EQ(bajti, DekodirajA(sgml)) << nacin;
    }
}

// Input that ends exactly where an inaccessible page begins: any read beyond it faults. 64 KiB, the
// allocation granularity, is a whole number of pages and holds the longest input.
struct Ograja {
    char *blok =
        static_cast<char *>(VirtualAlloc(nullptr, 0x20000, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    DWORD staro = 0;
    Ograja() { VirtualProtect(blok + 0x10000, 0x10000, PAGE_NOACCESS, &staro); }
    ~Ograja() { VirtualFree(blok, 0, MEM_RELEASE); }
    const char *Postavi(const std::string &s) {
        return static_cast<char *>(memcpy(blok + 0x10000 - s.size(), s.data(), s.size()));
    }
};

TEST(RNizSGML, HostileInputStaysInside) {
    Ograja ograja;
    // clang-format off
    const std::string vhodi[] = {"&", "&#", "&#x", "&#65", "&am", "&amp", "&#99999999999999999999999;",
        std::string(3000, '&'), "&" + std::string(3000, 'a') + ";", std::string(2000, '&') + ";"};
    // clang-format on
    for (const std::string &v : vhodi) {
        const char *p = ograja.Postavi(v);
        RNizA a;
        RNizU u;
        unsigned int n = static_cast<unsigned int>(v.size());
        EXPECT_LE(a.NastaviSGML(p, n, k_cp1250), n);
        EXPECT_LE(u.NastaviSGML(p, n), n);
        for (unsigned int nacin : {0u, 1u, 6u})
            EXPECT_GE(RNizA::VrniSGML(p, n, nacin, k_cp1250).VrniDolzino(), n);
    }
    EXPECT_EQ(std::string(3000, '&'), DekodirajA(ograja.Postavi(std::string(3000, '&')), 3000));
    EXPECT_EQ("\xA4", DekodirajA(ograja.Postavi(std::string(2000, '&') + ";"), 2001));
}

// Many ampersands without a semicolon are a linear scan, not one search of the rest per ampersand.
TEST(RNizSGML, ManyAmpersandsQuickly) {
    std::string vhod(4u << 20, '&');
    EXPECT_EQ(vhod, DekodirajA(vhod.c_str()));
}

} // namespace
