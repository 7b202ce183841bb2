// zrno cat FILE...: copies files to standard output through a buffered stream, so that the library's
// disk file, buffering converter and stream copy are exercised end to end.
#include "ukaz.h"
#include "vhod.h"
#include <stdio.h>
#include <string.h>
#include <windows.h>
#include <zrno/streams.h>

namespace {

const char k_navodila[] =
    "usage: zrno cat [--] FILE...\n"
    "Copies each FILE (- for standard input) to standard output through a buffered stream.\n";

int Izvedi(int argc, char **argv) {
    int i = 0;
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
        zrno_orodje::Vhod datoteka(argv[i]);
        if (datoteka.JeKonec()) {
            izhod.Zapisi(nullptr, 0); // what came before goes out before the message
            koncna = zrno_orodje::Napaka("zrno cat: %s: %s (0x%08x)\n", zrno_orodje::Ime(argv[i]).c_str(),
                                         zrno_orodje::OpisNapake(datoteka.VrniStanje()),
                                         static_cast<unsigned int>(datoteka.VrniStanje()));
            continue;
        }
        izhod.ZapisiTok(datoteka, ~0ULL);
        if (izhod.JeKonec()) {
            koncna =
                zrno_orodje::Napaka("zrno cat: %s: copy failed (0x%08x)\n", zrno_orodje::Ime(argv[i]).c_str(),
                                    static_cast<unsigned int>(izhod.VrniStanje()));
        }
    }
    // An empty write pushes the buffer out; Izplakni would also ask FlushFileBuffers, which a console
    // refuses.
    izhod.Zapisi(nullptr, 0);
    if (izhod.JeKonec()) {
        koncna = zrno_orodje::Napaka("zrno cat: writing failed (0x%08x)\n",
                                     static_cast<unsigned int>(izhod.VrniStanje()));
    }
    return koncna;
}

} // namespace

ZRNO_UKAZ(cat, "copy files to standard output through a buffered stream", k_navodila, Izvedi)
