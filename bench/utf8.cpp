// UTF-8 and UTF-16 both ways over 64 MiB of mixed-script text: RNizU::NastaviA and RNizA::NastaviU
// with code page 65001 against MultiByteToWideChar and WideCharToMultiByte called directly, sized by
// their own length query as an exact conversion must be; and, for scale, one call into a buffer the
// caller has already made large enough.
#include "harness.h"
#include <string>
#include <vector>
#include <windows.h>
#include <zrno/strings.h>

namespace {

constexpr size_t k_velikost = 64u << 20;
std::string g_utf8;
std::wstring g_utf16;
RNizA *g_ozko;
RNizU *g_siroko;
std::vector<char> g_bajti;
std::vector<wchar_t> g_enote;

// Words of Latin, Central European, Cyrillic, Greek, Arabic, Hindi, Chinese and Japanese text and a few
// emoji (surrogate pairs), in a pseudo-random order, until the UTF-8 form holds 64 MiB.
void Priprava() {
    if (g_ozko)
        return;
    static const wchar_t *const k_besede[] = {L"quick ",
                                              L"brown ",
                                              L"\x10D\x65\x161\x6E\x6A\x61 ",
                                              L"\x43F\x440\x438\x432\x435\x442 ",
                                              L"\x3B3\x3B5\x3B9\x3AC ",
                                              L"\x645\x631\x62D\x628\x627 ",
                                              L"\x928\x92E\x938\x94D\x924\x947 ",
                                              L"\x4E2D\x6587\x5B57 ",
                                              L"\x65E5\x672C\x8A9E\x3067\x3059 ",
                                              L"\xD83D\xDE00\xD83C\xDF0D ",
                                              L"fox\n"};
    unsigned int x = 2463534242u;
    while (g_utf16.size() * 2 < k_velikost) {
        x ^= x << 13, x ^= x >> 17, x ^= x << 5;
        g_utf16 += k_besede[x % (sizeof k_besede / sizeof *k_besede)];
    }
    int n =
        WideCharToMultiByte(CP_UTF8, 0, g_utf16.data(), int(g_utf16.size()), nullptr, 0, nullptr, nullptr);
    g_utf8.resize(size_t(n));
    WideCharToMultiByte(CP_UTF8, 0, g_utf16.data(), int(g_utf16.size()), &g_utf8[0], n, nullptr, nullptr);
    g_utf8.resize(k_velikost < g_utf8.size() ? k_velikost : g_utf8.size());
    while ((g_utf8.back() & 0xC0) == 0x80) // no sequence cut at the end
        g_utf8.pop_back();
    g_utf8.pop_back();
    g_ozko = new RNizA(g_utf8.c_str());
    g_siroko = new RNizU(reinterpret_cast<unsigned short const *>(g_utf16.c_str()));
    g_bajti.resize(g_utf16.size() * 3);
    g_enote.resize(g_utf8.size());
}

void VUtf16Nas() {
    static RNizU u;
    u.NastaviA(*g_ozko, 0xFFFFFFFF, KN_UTF8);
    zrno_bench::Porabi(static_cast<unsigned short const *>(u));
}
void VUtf16Sistem() {
    static std::vector<wchar_t> w;
    int n = MultiByteToWideChar(CP_UTF8, 0, g_utf8.data(), int(g_utf8.size()), nullptr, 0);
    w.resize(size_t(n) + 1);
    w[size_t(MultiByteToWideChar(CP_UTF8, 0, g_utf8.data(), int(g_utf8.size()), w.data(), n))] = 0;
    zrno_bench::Porabi(w.data());
}
void VUtf16EnKlic() {
    MultiByteToWideChar(CP_UTF8, 0, g_utf8.data(), int(g_utf8.size()), g_enote.data(), int(g_enote.size()));
    zrno_bench::Porabi(g_enote.data());
}

void VUtf8Nas() {
    static RNizA a;
    a.NastaviU(*g_siroko, 0xFFFFFFFF, KN_UTF8);
    zrno_bench::Porabi(static_cast<char const *>(a));
}
void VUtf8Sistem() {
    static std::vector<char> b;
    int n =
        WideCharToMultiByte(CP_UTF8, 0, g_utf16.data(), int(g_utf16.size()), nullptr, 0, nullptr, nullptr);
    b.resize(size_t(n) + 1);
    b[size_t(WideCharToMultiByte(CP_UTF8, 0, g_utf16.data(), int(g_utf16.size()), b.data(), n, nullptr,
                                 nullptr))] = 0;
    zrno_bench::Porabi(b.data());
}
void VUtf8EnKlic() {
    WideCharToMultiByte(CP_UTF8, 0, g_utf16.data(), int(g_utf16.size()), g_bajti.data(), int(g_bajti.size()),
                        nullptr, nullptr);
    zrno_bench::Porabi(g_bajti.data());
}

} // namespace

ZRNO_BENCH_PRIPRAVA(utf8v16, "UTF-8 64 MiB to UTF-16: RNizU::NastaviA", "MultiByteToWideChar", VUtf16Nas,
                    VUtf16Sistem, Priprava)
ZRNO_BENCH_PRIPRAVA(utf16v8, "UTF-16 to UTF-8 64 MiB: RNizA::NastaviU", "WideCharToMultiByte", VUtf8Nas,
                    VUtf8Sistem, Priprava)
ZRNO_BENCH_PRIPRAVA(utf8v16en, "UTF-8 64 MiB to UTF-16, peer unsized", "MultiByteToWide.. 1", VUtf16Nas,
                    VUtf16EnKlic, Priprava)
ZRNO_BENCH_PRIPRAVA(utf16v8en, "UTF-16 to UTF-8 64 MiB, peer unsized", "WideCharToMulti.. 1", VUtf8Nas,
                    VUtf8EnKlic, Priprava)
