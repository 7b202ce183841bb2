// Runs every registered benchmark (or those whose name or id contains one of the arguments) and prints
// one line each.
#include "harness.h"
#include <windows.h>
#include <algorithm>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace zrno_bench {

namespace {

Meritev *g_prva;
Meritev **g_zadnja = &g_prva;
// Runs per side: 7, or ZRNO_BENCH_RUNS (5 to 99) for a loaded machine.
int Ponovitve() {
    char const *p = getenv("ZRNO_BENCH_RUNS");
    int n = p ? atoi(p) : 7;
    return n < 5 ? 5 : n > 99 ? 99 : n;
}

double Sekunde(Funkcija f) {
    LARGE_INTEGER frekvenca, a, b;
    QueryPerformanceFrequency(&frekvenca);
    QueryPerformanceCounter(&a);
    f();
    QueryPerformanceCounter(&b);
    return double(b.QuadPart - a.QuadPart) / double(frekvenca.QuadPart);
}

bool Izbrana(const Meritev &m, int argc, char **argv) {
    for (int i = 1; i < argc; ++i)
        if (strstr(m.ime, argv[i]) || strstr(m.oznaka, argv[i]))
            return true;
    return argc < 2;
}

} // namespace

int Registriraj(Meritev *m) {
    *g_zadnja = m; // in registration order, which within a file is declaration order
    g_zadnja = &m->naslednja;
    return 0;
}

const void *volatile g_ponor; // external, so the compiler must assume someone reads it

void Porabi(const void *p) { g_ponor = p; }

} // namespace zrno_bench

int main(int argc, char **argv) {
    using namespace zrno_bench;
    const int k = Ponovitve();
    printf("%-52s %10s %10s  %-16s %7s  %-11s %s\n", "benchmark (median of runs)", "Zrno ms", "peer ms",
           "peer", "ratio", "spread", "best");
    for (Meritev *m = g_prva; m; m = m->naslednja) {
        if (!Izbrana(*m, argc, argv))
            continue;
        if (m->priprava)
            m->priprava();
        double nasi[99], tuji[99], razmerja[99];
        // Interleaved, so a change in machine load hits both sides alike.
        for (int i = 0; i < k; ++i) {
            nasi[i] = Sekunde(m->nasa);
            tuji[i] = Sekunde(m->tuja);
            razmerja[i] = nasi[i] > 0 ? tuji[i] / nasi[i] : 0.0;
        }
        std::nth_element(nasi, nasi + k / 2, nasi + k);
        std::nth_element(tuji, tuji + k / 2, tuji + k);
        const double n = nasi[k / 2] * 1e3, t = tuji[k / 2] * 1e3;
        const auto meje = std::minmax_element(razmerja, razmerja + k);
        // The fastest run of each side: what the load disturbed least.
        const double najn = *std::min_element(nasi, nasi + k), najt = *std::min_element(tuji, tuji + k);
        printf("%-52s %10.3f %10.3f  %-16s %6.2fx  %4.2f-%-6.2f %5.2fx\n", m->ime, n, t, m->tuji,
               n > 0 ? t / n : 0.0, *meje.first, *meje.second, najn > 0 ? najt / najn : 0.0);
        fflush(stdout);
    }
    return 0;
}
