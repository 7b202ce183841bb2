// odtis_bench: the sample service's work (Streznik, run in this process, its log included) under load,
// against the same protocol served by a plain Winsock program with one thread per client. Each
// scenario runs five times on each side, interleaved; the median run by throughput is printed.
#include "Obremenitev.h"
#include "Streznik.h"
#include "Surov.h"
#include <algorithm>
#include <stdio.h>
#include <string.h>

namespace {

constexpr unsigned int k_ponovitve = 5;

struct Scenarij {
    const char *ime;
    unsigned int odjemalcev, zahtev, velikost;
};

void Izpisi(const char *kdo, const Rezultat &r) {
    printf("  %-34s %9.0f %9.1f %9.2f %9.2f %7u\n", kdo, r.Zahtev / r.Sekunde, r.Bajtov / r.Sekunde / 1e6,
           r.P50, r.P99, r.Neuspelih);
}

Rezultat Mediana(Rezultat (&r)[k_ponovitve]) {
    std::sort(r, r + k_ponovitve, [](const Rezultat &a, const Rezultat &b) {
        return a.Zahtev / a.Sekunde < b.Zahtev / b.Sekunde;
    });
    return r[k_ponovitve / 2];
}

} // namespace

int main(int argc, char **argv) {
    char pot[MAX_PATH + 16];
    GetTempPathA(MAX_PATH, pot);
    Nastavitve nastavitve;
    nastavitve.Vrata = 0;
    nastavitve.Jezik = "en";
    strcat(pot, "odtis_bench.log");
    nastavitve.Dnevnik = pot;
    DeleteFileA(pot);
    Streznik streznik;
    int r = streznik.Zazeni("ZrnoOdtisBench", nastavitve);
    const unsigned int surova = ZazeniSurovega(nastavitve.Omejitev);
    if (r < 0 || !surova) {
        fprintf(stderr, "odtis_bench: cannot start the servers (0x%08x)\n", static_cast<unsigned int>(r));
        return 1;
    }
    const Scenarij scenariji[] = {{"32 clients x 1000 requests of 4 KiB", 32, 1000, 4096},
                                  {"16 clients x 20 requests of 4 MiB", 16, 20, 4u << 20}};
    bool neuspeh = false;
    for (const Scenarij &s : scenariji) {
        if (argc > 1 && !strstr(s.ime, argv[1]))
            continue;
        Rezultat nasi[k_ponovitve], tuji[k_ponovitve];
        for (unsigned int i = 0; i < k_ponovitve; ++i) {
            nasi[i] = Obremeni(streznik.VrniVrata(), s.odjemalcev, s.zahtev, s.velikost);
            tuji[i] = Obremeni(surova, s.odjemalcev, s.zahtev, s.velikost);
            neuspeh = neuspeh || nasi[i].Neuspelih || tuji[i].Neuspelih;
        }
        const Rezultat n = Mediana(nasi), t = Mediana(tuji);
        printf("%-36s %9s %9s %9s %9s %7s\n", s.ime, "req/s", "MB/s", "p50 ms", "p99 ms", "failed");
        Izpisi("Zrno sample service (odtis)", n);
        Izpisi("plain Winsock, thread per client", t);
        printf("  %-34s %8.2fx\n\n", "throughput ratio", (n.Zahtev / n.Sekunde) / (t.Zahtev / t.Sekunde));
        fflush(stdout);
    }
    streznik.Ustavi(nullptr);
    UstaviSurovega();
    return neuspeh ? 1 : 0;
}
