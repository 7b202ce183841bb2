// Long outputs against the runtime measuring and formatting once into a buffer of the right size:
// a 4 MiB formatted string, formatted writes near the start of a 64 MiB memory file, and a date format
// that strftime keeps refusing.
#include <windows.h>
#include "harness.h"
#include <locale.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <xlocinfo.h>
#include <zrno/streams.h>
#include <zrno/util.h>

namespace {

constexpr int k_sirina = 4 << 20;

void OblikujNas() {
    RNizA n;
    n.Oblikuj("%*d", k_sirina, 1);
    zrno_bench::Porabi(static_cast<const char *>(n));
}

void OblikujMsvcrt() {
    int n = _scprintf("%*d", k_sirina, 1);
    char *p = static_cast<char *>(malloc(static_cast<size_t>(n) + 1));
    _snprintf(p, static_cast<size_t>(n) + 1, "%*d", k_sirina, 1);
    zrno_bench::Porabi(p);
    free(p);
}

constexpr unsigned int k_datoteka = 64u << 20;
RPomDatoteka *g_datoteka;
char *g_blok;

void PripraviDatoteko() {
    if (g_datoteka)
        return; // both memory-file benchmarks write the same file
    g_datoteka = new RPomDatoteka(k_datoteka);
    g_datoteka->PrestaviZac(k_datoteka);
    g_datoteka->PostaviKonec();
    g_blok = static_cast<char *>(calloc(k_datoteka, 1));
}

void ZapisiNas() {
    for (int i = 0; i < 100; ++i) {
        g_datoteka->PrestaviZac(static_cast<unsigned int>(i) * 8);
        g_datoteka->ZapisiObl("%08d", i);
    }
}

// The same writes through the stream base, which must be as fast: one implementation serves both.
void ZapisiNasTok() {
    RTokPodatkov &tok = *g_datoteka;
    for (int i = 0; i < 100; ++i) {
        g_datoteka->PrestaviZac(static_cast<unsigned int>(i) * 8);
        tok.ZapisiObl("%08d", i);
    }
}

void ZapisiMsvcrt() {
    char t[9];
    for (int i = 0; i < 100; ++i) {
        _snprintf(t, sizeof t, "%08d", i);
        memcpy(g_blok + i * 8, t, 8);
    }
    zrno_bench::Porabi(g_blok);
}

char g_oblika[2 * 40000 + 1];

void PripraviObliko() {
    for (int i = 0; i < 40000; ++i)
        memcpy(g_oblika + 2 * i, "%Y", 2);
}

// Every %Y is four characters: 160 000 in all, which fit 256 per format character easily.
void DatumNas() {
    RNizA n;
    RDatum::VrniNiz(RDatum(1, 1, 2000), n, g_oblika);
    zrno_bench::Porabi(static_cast<const char *>(n));
}

void DatumMsvcrt() {
    static char izhod[4 * 40000 + 1];
    tm t = {};
    t.tm_year = 100;
    t.tm_mday = 1;
    strftime(izhod, sizeof izhod, g_oblika, &t);
    zrno_bench::Porabi(izhod);
}

// The call the date makes: msvcrt's _Strftime with the time names of a code page 1250 locale, as the
// library's own, in the room known.
void DatumStrftime1250() {
    static _locale_t l = _create_locale(LC_ALL, ".1250");
    static char izhod[4 * 40000 + 1];
    tm t = {};
    t.tm_year = 100;
    t.tm_mday = 1;
    _Strftime(izhod, sizeof izhod, g_oblika, &t, l && l->locinfo ? l->locinfo->lc_time_curr : nullptr);
    zrno_bench::Porabi(izhod);
}

} // namespace

ZRNO_BENCH(oblikuj4m, "RNizA::Oblikuj 4 MiB output", "_scprintf+_snprintf", OblikujNas, OblikujMsvcrt)
ZRNO_BENCH_PRIPRAVA(pomobl, "RPomDatoteka::ZapisiObl 100 x 8 B, 64 MiB file", "_snprintf+memcpy", ZapisiNas,
                    ZapisiMsvcrt, PripraviDatoteko)
ZRNO_BENCH_PRIPRAVA(pomobl_tok, "RTokPodatkov & ZapisiObl 100 x 8 B, 64 MiB memory file", "_snprintf+memcpy",
                    ZapisiNasTok, ZapisiMsvcrt, PripraviDatoteko)
ZRNO_BENCH_PRIPRAVA(datum40k, "RDatum::VrniNiz 40 000 x %Y", "strftime, room known", DatumNas, DatumMsvcrt,
                    PripraviObliko)
ZRNO_BENCH_PRIPRAVA(datum40k_l, "RDatum::VrniNiz 40 000 x %Y", "_Strftime 1250", DatumNas, DatumStrftime1250,
                    PripraviObliko)
