// The benchmark's load: clients that each keep one connection and send their requests one after
// another, timing each from the first byte sent to the answer's LF, and checking every answer.
#ifndef ODTIS_BENCH_OBREMENITEV_H
#define ODTIS_BENCH_OBREMENITEV_H

struct Rezultat {
    double Sekunde = 0;      ///< from the common start to the last answer
    double Bajtov = 0;       ///< request data sent, without the request lines
    unsigned int Zahtev = 0; ///< answered correctly
    unsigned int Neuspelih = 0;
    double P50 = 0, P99 = 0; ///< latency in ms
};

Rezultat Obremeni(unsigned int vrata, unsigned int odjemalcev, unsigned int zahtev, unsigned int velikost);

#endif
