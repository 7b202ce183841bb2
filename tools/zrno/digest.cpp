// zrno digest [--crc32|--md5|--sha1] FILE...: one "<hex>  <name>" line per file, read through the
// digesting converter; "-" or no file reads standard input.
#include "ukaz.h"
#include "vhod.h"
#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#include <zrno/digests.h>

namespace {

const char k_navodila[] = "usage: zrno digest [--crc32|--md5|--sha1] [FILE...]\n"
                          "Prints the digest of each FILE (MD5 unless chosen otherwise) as \"<hex>  <name>\".\n"
                          "With no FILE, or when FILE is -, reads standard input.\n";

enum class Vrsta { Crc32, Md5, Sha1 };

void IzpisiHex(unsigned char const *b, unsigned int n) {
    for (unsigned int i = 0; i < n; ++i)
        printf("%02x", b[i]);
}

// Reads the whole input through the converter; false with a message when the read fails.
bool Preberi(ROdtisnik &odtisnik, RTokPodatkov &vhod, const char *ime) {
    static unsigned char b[256 * 1024];
    ROdtisnikToka filter(odtisnik);
    filter.Uporabi(&vhod);
    do
        filter.Preberi(b, sizeof b);
    while (!filter.JeKonec());
    int stanje = filter.VrniStanje();
    filter.Odpusti();
    if (stanje == Zrno::NAP_KONECPODATKOV)
        return true;
    fprintf(stderr, "zrno digest: %s: %s (0x%08x)\n", ime, zrno_orodje::OpisNapake(stanje),
            static_cast<unsigned int>(stanje));
    return false;
}

bool Odtisni(Vrsta vrsta, const char *ime) {
    zrno_orodje::Vhod vhod(ime);
    if (vhod.JeKonec()) {
        fprintf(stderr, "zrno digest: %s: %s (0x%08x)\n", ime, zrno_orodje::OpisNapake(vhod.VrniStanje()),
                static_cast<unsigned int>(vhod.VrniStanje()));
        return false;
    }
    switch (vrsta) {
    case Vrsta::Crc32: {
        RCRC32 crc;
        if (!Preberi(crc, vhod, ime))
            return false;
        printf("%08lx", crc.Vrni());
        break;
    }
    case Vrsta::Md5: {
        RMD5 md5;
        if (!Preberi(md5, vhod, ime))
            return false;
        IzpisiHex(md5.Vrni().Bajti, sizeof(T_ODTIS_MD2));
        break;
    }
    case Vrsta::Sha1: {
        RSHA1 sha;
        if (!Preberi(sha, vhod, ime))
            return false;
        IzpisiHex(sha.Vrni().Bajti, sizeof(T_ODTIS_SHA));
        break;
    }
    }
    printf("  %s\n", ime);
    return true;
}

int Izvedi(int argc, char **argv) {
    Vrsta vrsta = Vrsta::Md5;
    int i = 0;
    for (; i < argc && argv[i][0] == '-' && argv[i][1]; ++i) {
        if (!strcmp(argv[i], "--help")) {
            fputs(k_navodila, stdout);
            return 0;
        }
        if (!strcmp(argv[i], "--")) {
            ++i;
            break;
        }
        if (!strcmp(argv[i], "--crc32"))
            vrsta = Vrsta::Crc32;
        else if (!strcmp(argv[i], "--md5"))
            vrsta = Vrsta::Md5;
        else if (!strcmp(argv[i], "--sha1"))
            vrsta = Vrsta::Sha1;
        else {
            fprintf(stderr, "zrno digest: unknown option '%s'\n%s", argv[i], k_navodila);
            return 2;
        }
    }
    _setmode(_fileno(stdout), _O_BINARY); // lines end in LF alone, as the digest tools print them
    int koncna = 0;
    if (i == argc)
        koncna = !Odtisni(vrsta, "-");
    for (; i < argc; ++i)
        if (!Odtisni(vrsta, argv[i]))
            koncna = 1;
    fflush(stdout);
    return koncna;
}

} // namespace

ZRNO_UKAZ(digest, "print CRC-32, MD5 or SHA-1 digests of files", Izvedi)
