// Runs every registered benchmark (or those whose name contains argv[1]) and prints one line each.
#include "harness.h"
#include <windows.h>
#include <algorithm>
#include <stdio.h>
#include <string.h>

namespace zrno_bench {

namespace {

Meritev *g_prva;
Meritev **g_zadnja = &g_prva;
constexpr int k_ponovitve = 7;

double Sekunde(Funkcija f) {
    LARGE_INTEGER frekvenca, a, b;
    QueryPerformanceFrequency(&frekvenca);
    QueryPerformanceCounter(&a);
    f();
    QueryPerformanceCounter(&b);
    return double(b.QuadPart - a.QuadPart) / double(frekvenca.QuadPart);
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
    printf("%-52s %12s %12s  %-16s %7s\n", "benchmark (median of 7)", "Zrno ms", "peer ms", "peer", "ratio");
    for (Meritev *m = g_prva; m; m = m->naslednja) {
        if (argc > 1 && !strstr(m->ime, argv[1]))
            continue;
        if (m->priprava)
            m->priprava();
        double nasi[k_ponovitve], tuji[k_ponovitve];
        // Interleaved, so a change in machine load hits both sides alike.
        for (int i = 0; i < k_ponovitve; ++i) {
            nasi[i] = Sekunde(m->nasa);
            tuji[i] = Sekunde(m->tuja);
        }
        std::nth_element(nasi, nasi + k_ponovitve / 2, nasi + k_ponovitve);
        std::nth_element(tuji, tuji + k_ponovitve / 2, tuji + k_ponovitve);
        double n = nasi[k_ponovitve / 2] * 1e3, t = tuji[k_ponovitve / 2] * 1e3;
        printf("%-52s %12.3f %12.3f  %-16s %6.2fx\n", m->ime, n, t, m->tuji, n > 0 ? t / n : 0.0);
        fflush(stdout);
    }
    return 0;
}
