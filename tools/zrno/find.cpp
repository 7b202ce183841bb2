// zrno find PATTERN: the entries matching a search pattern (such as C:\dir\*.txt), with size and UTC
// write time.
#include "ukaz.h"
#include <stdio.h>
#include <zrno/frame.h>
#include <zrno/util.h>

namespace {

constexpr unsigned int k_imenik = 0x10; // FILE_ATTRIBUTE_DIRECTORY

const char k_navodila[] =
    "usage: zrno find PATTERN\n"
    "Lists the entries matching a search pattern such as C:\\dir\\*.txt, with size and\n"
    "UTC write time.\n";

int Izvedi(int argc, char **argv) {
    if (argc == 1 && zrno_orodje::JePomoc(argv[0]))
        return zrno_orodje::Pomoc(k_navodila);
    if (argc != 1)
        return zrno_orodje::NapacnaUporaba(k_navodila, "find: takes one search pattern");
    if (argv[0][0] == '-' && argv[0][1] == '-')
        return zrno_orodje::NapacnaUporaba(k_navodila, "find: unknown option %s", argv[0]);
    RIskalnikDatotek iskalnik;
    int r = iskalnik.Odpri(argv[0]);
    if (r < 0) {
        fprintf(stderr, "zrno find: %s '%s' (code 0x%08x)\n",
                r == Zrno::NAP_NIDATOTEKE ? "nothing matches" : "cannot search", argv[0],
                static_cast<unsigned int>(r));
        return 1;
    }
    unsigned int stevilo = 0;
    T_NAJDENADATOTEKA z;
    while (iskalnik.Poisci(&z) == 0) {
        T_DATUM d;
        RDatum::PretvoriJulVGre(z.CasSpremembe, &d);
        char velikost[24];
        if (z.Atributi & k_imenik)
            snprintf(velikost, sizeof velikost, "<DIR>");
        else
            snprintf(velikost, sizeof velikost, "%llu", z.Velikost);
        printf("%04ld-%02u-%02u %02u:%02u:%02u  %14s  %s\n", d.Leto, d.Mesec, d.Dan, d.Ura, d.Minuta,
               d.Sekunda, velikost, z.Pot);
        ++stevilo;
    }
    iskalnik.Zapri();
    printf("%u entr%s (write times in UTC)\n", stevilo, stevilo == 1 ? "y" : "ies");
    return 0;
}

} // namespace

ZRNO_UKAZ(find, "list the files matching a search pattern, with size and write time", Izvedi)
