// A small benchmark harness: each benchmark pairs our function with a peer doing the same job, both are
// timed with QueryPerformanceCounter over several repetitions, and the medians are compared.
//
//   static void Nasa() { ... }   static void Tuja() { ... }
//   ZRNO_BENCH(rast, "RezervirajPomnilnik grow 128 B steps to 1 MiB", "realloc", Nasa, Tuja)
//
// An optional preparation runs once before the first repetition (ZRNO_BENCH_PRIPRAVA). The ratio
// printed is the peer's median time over ours: above 1 we are faster. The two sides run interleaved,
// 7 times each (ZRNO_BENCH_RUNS sets 5 to 99); the spread is the lowest and highest ratio of one run of
// ours against the peer's run beside it, and best the ratio of the fastest runs, which a loaded machine
// disturbs least. The arguments pick benchmarks: each is a piece of a benchmark's name or its id (rast
// above).
#ifndef ZRNO_BENCH_HARNESS_H
#define ZRNO_BENCH_HARNESS_H

namespace zrno_bench {

using Funkcija = void (*)();

struct Meritev {
    const char *oznaka;
    const char *ime;
    const char *tuji;
    Funkcija nasa;
    Funkcija tuja;
    Funkcija priprava;
    Meritev *naslednja;
};

int Registriraj(Meritev *m);

/// Keeps the optimiser from discarding a result.
void Porabi(const void *p);

} // namespace zrno_bench

#define ZRNO_BENCH_PRIPRAVA(id, ime, tuji, nasa, tuja, priprava)                                             \
    static zrno_bench::Meritev zrno_bench_##id = {#id, ime, tuji, nasa, tuja, priprava, nullptr};            \
    [[maybe_unused]] static const int zrno_bench_reg_##id = zrno_bench::Registriraj(&zrno_bench_##id);
#define ZRNO_BENCH(id, ime, tuji, nasa, tuja) ZRNO_BENCH_PRIPRAVA(id, ime, tuji, nasa, tuja, nullptr)

#endif
