// The benchmark's peer: the sample service's protocol served by a plain Winsock program, written
// directly on the system calls (Winsock 2, CryptoAPI's MD5, crypt32's Base64) with one thread per
// client and no log.
#ifndef ODTIS_BENCH_SUROV_H
#define ODTIS_BENCH_SUROV_H

/// Listens on 127.0.0.1 (a port of the system's choice); 0 when it cannot.
unsigned int ZazeniSurovega(unsigned int omejitev);
/// Closes the listening socket and waits (bounded) until every client thread has ended.
void UstaviSurovega();

#endif
