// Strings: Najdi of a 16-character pattern in 1 MiB of text against msvcrt's strstr and wcsstr, growing a
// string one character at a time against std::string::push_back, and Oblikuj of a short line against
// _snprintf into a fixed buffer.
#include "harness.h"
#include <locale.h>
#include <stdarg.h>
#include <stdio.h>
#include <string.h>
#include <string>
#include <wchar.h>
#include <zrno/strings.h>

namespace {

constexpr unsigned int k_mib = 1u << 20;
char const k_vzorec[] = "quick brown foxy"; // 16 characters
wchar_t const k_sirokVzorec[] = L"quick brown foxy";

RNizA *g_ozko;
RNizU *g_siroko;
unsigned short g_sirokVzorec[17];

// Text of lower-case words with frequent near misses of the pattern ("quick brown fox "), and the
// pattern itself only at the end, so both searches walk the whole mebibyte.
void Priprava() {
    if (g_ozko)
        return;
    g_ozko = new RNizA(k_mib);
    unsigned int x = 12345;
    while (g_ozko->VrniDolzino() < k_mib - 64) {
        x = x * 1103515245u + 12345u;
        if ((x >> 16) % 50 == 0) {
            *g_ozko += "quick brown fox ";
            continue;
        }
        *g_ozko += static_cast<char>((x >> 16) % 27 == 26 ? ' ' : 'a' + (x >> 16) % 27);
    }
    *g_ozko += k_vzorec;
    g_siroko = new RNizU(*g_ozko);
    for (int i = 0; i < 17; ++i)
        g_sirokVzorec[i] = static_cast<unsigned short>(k_sirokVzorec[i]);
}

unsigned int volatile g_rezultat;

void NajdiNas() { g_rezultat = g_ozko->Najdi(k_vzorec); }
void NajdiStrstr() {
    char const *p = strstr(static_cast<char const *>(*g_ozko), k_vzorec);
    g_rezultat = static_cast<unsigned int>(p - static_cast<char const *>(*g_ozko));
}
void NajdiUNas() { g_rezultat = g_siroko->Najdi(g_sirokVzorec); }
void NajdiWcsstr() {
    wchar_t const *s = reinterpret_cast<wchar_t const *>(static_cast<unsigned short const *>(*g_siroko));
    g_rezultat = static_cast<unsigned int>(wcsstr(s, k_sirokVzorec) - s);
}

void PrilepiNas() {
    RNizA n;
    for (unsigned int i = 0; i < k_mib; ++i)
        n.Prilepi(static_cast<char>('a' + (i & 15)), 1);
    zrno_bench::Porabi(static_cast<char const *>(n));
}
void PushBack() {
    std::string s;
    for (unsigned int i = 0; i < k_mib; ++i)
        s.push_back(static_cast<char>('a' + (i & 15)));
    zrno_bench::Porabi(s.c_str());
}

constexpr int k_vrstic = 20000;

void OblikujNas() {
    RNizA n;
    for (int i = 0; i < k_vrstic; ++i)
        n.Oblikuj("%s %5d: %08x %c", "line", i, i * 2654435761u, 'x');
    zrno_bench::Porabi(static_cast<char const *>(n));
}
void Snprintf() {
    char b[128];
    for (int i = 0; i < k_vrstic; ++i)
        _snprintf(b, sizeof b, "%s %5d: %08x %c", "line", i, i * 2654435761u, 'x');
    zrno_bench::Porabi(b);
}

// The call the string makes: the runtime's bounded formatter with a locale of code page 1250, as the
// library's own, instead of the thread's.
_locale_t g_locale;

int SnprintfL(char *b, size_t n, char const *oblika, ...) {
    va_list a;
    va_start(a, oblika);
    int r = _vsnprintf_l(b, n, oblika, g_locale, a);
    va_end(a);
    return r;
}
void SnprintfLocale() {
    if (!g_locale)
        g_locale = _create_locale(LC_ALL, ".1250");
    char b[128];
    for (int i = 0; i < k_vrstic; ++i)
        SnprintfL(b, sizeof b, "%s %5d: %08x %c", "line", i, i * 2654435761u, 'x');
    zrno_bench::Porabi(b);
}

} // namespace

ZRNO_BENCH_PRIPRAVA(najdi, "RNizA::Najdi 16 chars in 1 MiB", "strstr", NajdiNas, NajdiStrstr, Priprava)
ZRNO_BENCH_PRIPRAVA(najdiu, "RNizU::Najdi 16 units in 1 Mi units", "wcsstr", NajdiUNas, NajdiWcsstr, Priprava)
ZRNO_BENCH(prilepi, "RNizA::Prilepi 1 MiB one char at a time", "string::push_back", PrilepiNas, PushBack)
ZRNO_BENCH(oblikuj, "RNizA::Oblikuj short line x20000", "_snprintf", OblikujNas, Snprintf)
ZRNO_BENCH(oblikuj_l, "RNizA::Oblikuj short line x20000", "_vsnprintf_l 1250", OblikujNas, SnprintfLocale)
