// zrno digest [--crc32|--md5|--sha1|--sha256] FILE...: one "<hex>  <name>" line per file, read through the
// digesting converter; "-" or no file reads standard input.
#include "ukaz.h"
#include "vhod.h"
#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#include <zrno/digests.h>

namespace {

const char k_navodila[] =
    "usage: zrno digest [--crc32|--md5|--sha1|--sha256] [FILE...]\n"
    "Prints the digest of each FILE (MD5 unless chosen otherwise) as \"<hex>  <name>\".\n"
    "With no FILE, or when FILE is -, reads standard input. A name with characters outside\n"
    "the ANSI code page is shown with ? in their place and marked \"(the name is not in\n"
    "code page N)\".\n";

void IzpisiHex(unsigned char const *b, unsigned int n) {
    for (unsigned int i = 0; i < n; ++i)
        printf("%02x", b[i]);
}

void Izpisi(const RCRC32 &crc) { printf("%08lx", crc.Vrni()); }
void Izpisi(const RMD5 &md5) { IzpisiHex(md5.Vrni().Bajti, sizeof(T_ODTIS_MD2)); }
void Izpisi(const RSHA1 &sha) { IzpisiHex(sha.Vrni().Bajti, sizeof(T_ODTIS_SHA)); }
void Izpisi(const RSHA256 &sha) { IzpisiHex(sha.Vrni().Bajti, sizeof(T_ODTIS_SHA256)); }

int Napaka(const char *ime, int stanje) {
    return zrno_orodje::Napaka("zrno digest: %s: %s (0x%08x)\n", zrno_orodje::Ime(ime).c_str(),
                               zrno_orodje::OpisNapake(stanje), static_cast<unsigned int>(stanje));
}

// Reads the whole input through the digesting converter and prints the line; 1 with a message when
// the input cannot be opened or read.
template <class D> int Odtisni(const char *ime) {
    static unsigned char b[256 * 1024];
    zrno_orodje::Vhod vhod(ime);
    if (vhod.JeKonec())
        return Napaka(ime, vhod.VrniStanje());
    D odtis;
    ROdtisnikToka filter(odtis);
    filter.Uporabi(&vhod);
    do
        filter.Preberi(b, sizeof b);
    while (!filter.JeKonec());
    int stanje = filter.VrniStanje();
    filter.Odpusti();
    if (stanje != Zrno::NAP_KONECPODATKOV)
        return Napaka(ime, stanje);
    Izpisi(odtis);
    printf("  %s\n", zrno_orodje::Ime(ime).c_str());
    return 0;
}

int Izvedi(int argc, char **argv) {
    int (*odtisni)(const char *) = Odtisni<RMD5>;
    int i = 0;
    for (; i < argc && argv[i][0] == '-' && argv[i][1]; ++i) {
        if (!strcmp(argv[i], "--")) {
            ++i;
            break;
        }
        if (!strcmp(argv[i], "--crc32"))
            odtisni = Odtisni<RCRC32>;
        else if (!strcmp(argv[i], "--md5"))
            odtisni = Odtisni<RMD5>;
        else if (!strcmp(argv[i], "--sha1"))
            odtisni = Odtisni<RSHA1>;
        else if (!strcmp(argv[i], "--sha256"))
            odtisni = Odtisni<RSHA256>;
        else
            return zrno_orodje::NapacnaUporaba(k_navodila, "digest: unknown option '%s'", argv[i]);
    }
    _setmode(_fileno(stdout), _O_BINARY); // lines end in LF alone, as the digest tools print them
    int koncna = 0;
    if (i == argc)
        koncna = odtisni("-");
    for (; i < argc; ++i)
        koncna |= odtisni(argv[i]);
    return koncna;
}

} // namespace

ZRNO_UKAZ(digest, "print CRC-32, MD5, SHA-1 or SHA-256 digests of files", k_navodila, Izvedi)
