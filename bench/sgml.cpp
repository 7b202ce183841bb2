// SGML codec throughput on 1 MiB of mixed text (Slovene prose in code page 1250 with markup characters
// and entity references). No other library is measured here: the peer is a plain memcpy of the same
// bytes, so the ratio says how many times slower than a byte copy the codec runs; MB/s of ours is
// 1.048576 / (Zrno ms / 1000).
#include "harness.h"
#include <string.h>
#include <string>
#include <zrno/strings.h>

namespace {

constexpr unsigned int k_velikost = 1u << 20;

std::string g_besedilo; // code-page 1250 text to encode
std::string g_sgml;     // SGML text to decode, cut to the same size
std::string g_kopija;

void Pripravi() {
    if (!g_besedilo.empty())
        return;
    // Words with the letters c, s, z caron and markup characters, repeated with a running number so the
    // text is not one short period.
    static const char *const k_besede[] = {"Zrno ",
                                           "\xe8rka ",
                                           "\x9aola ",
                                           "\x9e"
                                           "aba ",
                                           "in ",
                                           "<b>",
                                           "ali ",
                                           "R&D ",
                                           "\"citat\" ",
                                           "dan, ",
                                           "\xc8"
                                           "as ",
                                           "\n"};
    unsigned int i = 0;
    while (g_besedilo.size() < k_velikost)
        g_besedilo += k_besede[(i++ * 7) % (sizeof k_besede / sizeof k_besede[0])];
    g_besedilo.resize(k_velikost);
    RNizA sgml = RNizA::VrniSGML(g_besedilo.data(), k_velikost, 2, T_KODNASTRAN(1250));
    g_sgml.assign(static_cast<const char *>(sgml), k_velikost);
    // Do not end in the middle of a reference.
    size_t amp = g_sgml.rfind('&'), podpicje = g_sgml.rfind(';');
    if (amp != std::string::npos && (podpicje == std::string::npos || podpicje < amp))
        g_sgml.resize(amp);
    g_kopija.resize(k_velikost);
}

void Kodiraj() {
    RNizA r = RNizA::VrniSGML(g_besedilo.data(), k_velikost, 0, T_KODNASTRAN(1250));
    zrno_bench::Porabi(static_cast<const char *>(r));
}

void DekodirajA() {
    RNizA r;
    r.NastaviSGML(g_sgml.data(), static_cast<unsigned int>(g_sgml.size()), T_KODNASTRAN(1250));
    zrno_bench::Porabi(static_cast<const char *>(r));
}

void DekodirajU() {
    RNizU r;
    r.NastaviSGML(g_sgml.data(), static_cast<unsigned int>(g_sgml.size()));
    zrno_bench::Porabi(static_cast<const unsigned short *>(r));
}

void Kopiraj() {
    memcpy(&g_kopija[0], g_besedilo.data(), k_velikost);
    zrno_bench::Porabi(g_kopija.data());
}

} // namespace

ZRNO_BENCH_PRIPRAVA(sgml_kodiraj, "RNizA::VrniSGML mode 0, 1 MiB cp1250", "memcpy 1 MiB", Kodiraj, Kopiraj,
                    Pripravi)
ZRNO_BENCH_PRIPRAVA(sgml_dekodirajA, "RNizA::NastaviSGML 1 MiB to cp1250", "memcpy 1 MiB", DekodirajA,
                    Kopiraj, Pripravi)
ZRNO_BENCH_PRIPRAVA(sgml_dekodirajU, "RNizU::NastaviSGML 1 MiB to UTF-16", "memcpy 1 MiB", DekodirajU,
                    Kopiraj, Pripravi)
