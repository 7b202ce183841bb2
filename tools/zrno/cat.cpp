// zrno cat FILE...: copies files to standard output through a buffered stream, so that the library's
// disk file, buffering converter and stream copy are exercised end to end.
#include "ukaz.h"
#include "vhod.h"
#include <stdio.h>
#include <string.h>
#include <windows.h>
#include <zrno/streams.h>

namespace {

const char k_navodila[] = "usage: zrno cat [--] FILE...\n"
                          "Copies each FILE to standard output through a buffered stream.\n";

int Izvedi(int argc, char **argv) {
    int i = 0;
    if (argc > 0 && zrno_orodje::JePomoc(argv[0]))
        return zrno_orodje::Pomoc(k_navodila);
    if (argc > 0 && !strcmp(argv[0], "--"))
        i = 1;
    else if (argc > 0 && argv[0][0] == '-' && argv[0][1] == '-')
        return zrno_orodje::NapacnaUporaba(k_navodila, "cat: unknown option %s", argv[0]);
    if (i == argc)
        return zrno_orodje::NapacnaUporaba(k_navodila, "cat: no file given");
    // Standard output is written by the library, not by the C runtime, so nothing is translated.
    RIzrSisTokPodatkov izhod(GetStdHandle(STD_OUTPUT_HANDLE), 0, 64 * 1024);
    int koncna = 0;
    for (; i < argc; ++i) {
        RFizDatoteka datoteka(argv[i], DAT_BRANJE | DAT_DELI_BRANJE | DAT_BREZ_DEDOVANJA | DAT_ZAPOREDNO);
        if (datoteka.JeKonec()) {
            izhod.Zapisi(nullptr, 0); // what came before goes out before the message
            fprintf(stderr, "zrno cat: %s: %s (0x%08x)\n", argv[i], zrno_orodje::OpisNapake(datoteka.VrniStanje()),
                    static_cast<unsigned int>(datoteka.VrniStanje()));
            koncna = 1;
            continue;
        }
        izhod.ZapisiTok(datoteka, ~0ULL);
        if (izhod.JeKonec()) {
            fprintf(stderr, "zrno cat: %s: copy failed (0x%08x)\n", argv[i],
                    static_cast<unsigned int>(izhod.VrniStanje()));
            koncna = 1;
        }
    }
    // An empty write pushes the buffer out; Izplakni would also ask FlushFileBuffers, which a console
    // refuses.
    izhod.Zapisi(nullptr, 0);
    if (izhod.JeKonec()) {
        fprintf(stderr, "zrno cat: writing failed (0x%08x)\n", static_cast<unsigned int>(izhod.VrniStanje()));
        koncna = 1;
    }
    return koncna;
}

} // namespace

ZRNO_UKAZ(cat, "copy files to standard output through a buffered stream", Izvedi)
