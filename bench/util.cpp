// Utilities against their nearest peers: the calendar split of RDatum against the system's
// FileTimeToSystemTime, and the pooled list against std::list with the runtime's heap.
#include <windows.h>
#include "harness.h"
#include <list>
#include <zrno/util.h>

namespace {

constexpr int k_dni = 200000;
constexpr long long k_korak = Zrno::MS_NA_DAN + 12345; // a new day and time of day each step

void DatumNas() {
    SYSTEMTIME st;
    long long v = RDatum(1, 1, 1900), vsota = 0;
    for (int i = 0; i < k_dni; ++i, v += k_korak) {
        RDatum::PretvoriJulVGre(v, &st);
        vsota += st.wDay + st.wMilliseconds;
    }
    zrno_bench::Porabi(&vsota);
}

void DatumSistem() {
    SYSTEMTIME st;
    long long v = RDatum(1, 1, 1900), vsota = 0;
    for (int i = 0; i < k_dni; ++i, v += k_korak) {
        unsigned long long t = static_cast<unsigned long long>(v - Zrno::DATUM_1601) * 10000;
        FILETIME f = {static_cast<DWORD>(t), static_cast<DWORD>(t >> 32)};
        FileTimeToSystemTime(&f, &st);
        vsota += st.wDay + st.wMilliseconds;
    }
    zrno_bench::Porabi(&vsota);
}

struct Zapis {
    int a, b;
};
constexpr int k_elementi = 100000;

// A queue workload: fill, then remove from the front and append again, then empty.
void SeznamNas() {
    RSeznam<Zapis> s;
    for (int i = 0; i < k_elementi; ++i)
        s.Dodaj(Zapis{i, i});
    for (int i = 0; i < k_elementi; ++i) {
        Zapis z = s.VrniPrviElement();
        s.Brisi();
        s.Dodaj(z);
    }
    zrno_bench::Porabi(s.VrniZadnjega());
}

void SeznamStd() {
    std::list<Zapis> s;
    for (int i = 0; i < k_elementi; ++i)
        s.push_back(Zapis{i, i});
    for (int i = 0; i < k_elementi; ++i) {
        Zapis z = s.front();
        s.pop_front();
        s.push_back(z);
    }
    zrno_bench::Porabi(&s.back());
}

} // namespace

ZRNO_BENCH(datum, "RDatum::PretvoriJulVGre to SYSTEMTIME, 200k values", "FileTimeToSystemTime", DatumNas,
           DatumSistem)
ZRNO_BENCH(seznam, "RSeznam: 100k appends, 100k rotations, destroy", "std::list", SeznamNas, SeznamStd)
