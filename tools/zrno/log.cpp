// zrno log [-p PRIORITY] [-s SOURCE] FILE TEXT...: appends one line to a log file through the
// library's file log, stamped with the UTC time.
#include "ukaz.h"
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <zrno/streams.h>
#include <zrno/strings.h>
#include <zrno/system.h>

namespace {

const char NAVODILA[] =
    "usage: zrno log [-p PRIORITY] [-s SOURCE] [--] FILE TEXT...\n"
    "  appends the line \"yyyy/mm/dd<TAB>hh:mm:ss<TAB>PRIORITY<TAB>SOURCE: TEXT\" (UTC) to\n"
    "  FILE, creating it when it does not exist; the words of TEXT are joined by spaces\n"
    "  -p PRIORITY  a number (smaller is more severe) or one of emergency alert critical\n"
    "               error warning notice info debug (0 to 7); default notice (5)\n"
    "  -s SOURCE    the source name in the line; default zrno\n"
    "  --           ends the options, so that FILE may begin with -\n";

bool Prioriteta(const char *besedilo, int *prioriteta) {
    static const char *const imena[] = {"emergency", "alert",  "critical", "error",
                                        "warning",   "notice", "info",     "debug"};
    for (int i = 0; i < 8; ++i)
        if (!strcmp(besedilo, imena[i]))
            return *prioriteta = i, true;
    unsigned long long n;
    if (!zrno_orodje::Stevilo(besedilo, 7, &n))
        return false;
    *prioriteta = static_cast<int>(n);
    return true;
}

int Izvedi(int argc, char **argv) {
    if (argc == 1 && zrno_orodje::JePomoc(argv[0]))
        return zrno_orodje::Pomoc(NAVODILA);
    int prioriteta = DNEVNIK_OBVESTILO;
    const char *vir = "zrno";
    int i = 0;
    // Options come first, each with its value; a file name that begins with '-' follows "--".
    for (; i < argc && argv[i][0] == '-' && strcmp(argv[i], "--"); i += 2) {
        if (strcmp(argv[i], "-s") && strcmp(argv[i], "-p"))
            return zrno_orodje::NapacnaUporaba(NAVODILA, "log: unknown option '%s'", argv[i]);
        if (i + 1 == argc)
            return zrno_orodje::NapacnaUporaba(NAVODILA, "log: %s wants a value", argv[i]);
        if (argv[i][1] == 's')
            vir = argv[i + 1];
        else if (!Prioriteta(argv[i + 1], &prioriteta))
            return zrno_orodje::NapacnaUporaba(NAVODILA, "log: '%s' is not a priority 0 to 7 or its name",
                                               argv[i + 1]);
    }
    i += i < argc && !strcmp(argv[i], "--");
    if (argc - i < 2)
        return zrno_orodje::NapacnaUporaba(NAVODILA, "log: a file and a text are wanted");
    const char *ime = argv[i++];
    RNizA besedilo;
    for (; i < argc; ++i) {
        if (!besedilo.JePrazen())
            besedilo += ' ';
        besedilo += argv[i];
    }
    RFizDatoteka datoteka;
    int r = datoteka.Odpri(ime, DAT_PISANJE | DAT_USTVARI | DAT_OHRANI | DAT_NA_KONEC | DAT_DELI_BRANJE |
                                    DAT_DELI_PISANJE | DAT_BREZ_DEDOVANJA);
    if (r < 0) {
        fprintf(stderr, "zrno log: cannot open '%s'%s (code 0x%08x)\n", ime,
                r == Zrno::NAP_NIPOTI   ? ": no such directory"
                : r == Zrno::NAP_DOSTOP ? ": access denied"
                                        : "",
                static_cast<unsigned int>(r));
        return 1;
    }
    RDnevnikDat dnevnik(0, vir);
    dnevnik.Uporabi(&datoteka);
    r = dnevnik.Zapisi(static_cast<T_DNEVNIKPRIORITETA>(prioriteta), "%s",
                       static_cast<const char *>(besedilo));
    dnevnik.Uporabi(nullptr);
    datoteka.Zapri();
    if (r < 0) {
        fprintf(stderr, "zrno log: cannot write to '%s' (code 0x%08x)\n", ime, static_cast<unsigned int>(r));
        return 1;
    }
    return 0;
}

} // namespace

ZRNO_UKAZ(log, "append a UTC-stamped line to a log file", Izvedi)
