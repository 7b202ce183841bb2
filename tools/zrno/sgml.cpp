// zrno sgml encode|decode: the library's SGML codec between standard input and standard output.
//   encode [--mode N] [--codepage N]   code-page text in, ASCII with entity references out
//   decode [--codepage N]              text with entity references in, code-page text out
// The code page defaults to 1250, the library's own; the mode of encode defaults to 0.
#include "ukaz.h"
#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <string>
#include <zrno/strings.h>

namespace {

const char k_navodila[] =
    "usage: zrno sgml encode [--mode N] [--codepage N]\n"
    "       zrno sgml decode [--codepage N]\n"
    "Encodes code-page text from standard input into ASCII with SGML entity references,\n"
    "or decodes them, on standard output. The code page defaults to 1250.\n";

int Uporaba(const char *sporocilo, const char *kaj) {
    return zrno_orodje::NapacnaUporaba(k_navodila, "sgml: %s%s", sporocilo, kaj);
}

bool Stevilo(const char *besedilo, unsigned int &vrednost) {
    unsigned long long v;
    if (!besedilo || !zrno_orodje::Stevilo(besedilo, 0xFFFFFFFF, &v))
        return false;
    vrednost = static_cast<unsigned int>(v);
    return true;
}

bool PreberiVse(std::string &vsebina) {
    char blok[65536];
    size_t n;
    while ((n = fread(blok, 1, sizeof blok, stdin)) > 0)
        vsebina.append(blok, n);
    return !ferror(stdin);
}

int Izvedi(int argc, char **argv) {
    if (argc < 1)
        return Uporaba("missing direction", "");
    if (zrno_orodje::JePomoc(argv[0]))
        return zrno_orodje::Pomoc(k_navodila);
    bool kodiraj = !strcmp(argv[0], "encode");
    if (!kodiraj && strcmp(argv[0], "decode"))
        return Uporaba("unknown direction: ", argv[0]);
    unsigned int nacin = 0, kodnastran = 1250;
    for (int i = 1; i < argc; ++i) {
        unsigned int *cilj = nullptr;
        if (kodiraj && !strcmp(argv[i], "--mode"))
            cilj = &nacin;
        else if (!strcmp(argv[i], "--codepage"))
            cilj = &kodnastran;
        else
            return Uporaba("unknown option: ", argv[i]);
        if (i + 1 >= argc)
            return Uporaba("missing value after ", argv[i]);
        if (!Stevilo(argv[++i], *cilj))
            return Uporaba("not an unsigned number: ", argv[i]);
    }

    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    std::string vhod;
    if (!PreberiVse(vhod)) {
        fprintf(stderr, "zrno sgml: cannot read standard input\n");
        return 1;
    }
    // The codec stops at a zero byte, so each run between zero bytes is converted on its own and the
    // zero bytes pass through unchanged.
    size_t zacetek = 0;
    while (zacetek <= vhod.size()) {
        size_t konec = vhod.find('\0', zacetek);
        if (konec == std::string::npos)
            konec = vhod.size();
        unsigned int n = static_cast<unsigned int>(konec - zacetek);
        RNizA izhod;
        if (kodiraj)
            izhod = RNizA::VrniSGML(vhod.data() + zacetek, n, nacin, static_cast<T_KODNASTRAN>(kodnastran));
        else
            izhod.NastaviSGML(vhod.data() + zacetek, n, static_cast<T_KODNASTRAN>(kodnastran));
        // Encoding never shortens its input; an empty result from a non-empty run means no memory.
        if (kodiraj && n && izhod.JePrazen()) {
            fprintf(stderr, "zrno sgml: out of memory\n");
            return 1;
        }
        fwrite(static_cast<const char *>(izhod), 1, izhod.VrniDolzino(), stdout);
        if (konec < vhod.size())
            fputc(0, stdout);
        zacetek = konec + 1;
    }
    if (fflush(stdout) != 0) {
        fprintf(stderr, "zrno sgml: cannot write standard output\n");
        return 1;
    }
    return 0;
}

} // namespace

ZRNO_UKAZ(sgml, "encode or decode SGML entity references between standard input and output", Izvedi)
