// Growing one block in 128-byte steps up to 1 MiB: the private heap's reallocation against msvcrt's.
#include "harness.h"
#include <zrno/frame.h>
#include <stdlib.h>

namespace {

constexpr unsigned int k_korak = 128, k_meja = 1u << 20;

void Nasa() {
    void *p = nullptr;
    for (unsigned int n = k_korak; n <= k_meja; n += k_korak) {
        p = Zrno::RezervirajPomnilnik(p, n);
        static_cast<char *>(p)[n - 1] = 1;
    }
    zrno_bench::Porabi(p);
    Zrno::SprostiPomnilnik(p);
}

void Tuja() {
    void *p = nullptr;
    for (unsigned int n = k_korak; n <= k_meja; n += k_korak) {
        p = realloc(p, n);
        static_cast<char *>(p)[n - 1] = 1;
    }
    zrno_bench::Porabi(p);
    free(p);
}

} // namespace

ZRNO_BENCH(rast, "RezervirajPomnilnik: grow by 128 B to 1 MiB", "realloc", Nasa, Tuja)
