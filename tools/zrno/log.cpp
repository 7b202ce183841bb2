// zrno log [-p PRIORITY] [-s SOURCE] FILE TEXT...: appends one line to a log file through the
// library's file log, stamped with the UTC time.
#include "imena.h"
#include "ukaz.h"
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <windows.h>
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
    "  --           ends the options, so that FILE may begin with -\n"
    "Control characters in SOURCE or TEXT are written as \\r, \\n, \\t or \\xHH, so that a\n"
    "message is always one line.\n";

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
    // The source and the text go into the log in the ANSI code page: one that lost a character on its
    // way there is refused rather than written as a look-alike. The file is named in UTF-16.
    for (int j = i; j <= argc; ++j)
        if (!zrno_orodje::VKodniStrani(j < argc ? argv[j] : vir))
            return zrno_orodje::Napaka("zrno log: '%s' has characters outside code page %u\n",
                                       zrno_orodje::Ime(j < argc ? argv[j] : vir).c_str(), GetACP());
    RNizA besedilo;
    for (; i < argc; ++i) {
        if (!besedilo.JePrazen())
            besedilo += ' ';
        besedilo += argv[i];
    }
    HANDLE h = CreateFileW(zrno_orodje::Siroko(ime).c_str(), GENERIC_WRITE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS, 0, nullptr);
    LARGE_INTEGER nic = {};
    int r = h == INVALID_HANDLE_VALUE || !SetFilePointerEx(h, nic, nullptr, FILE_END)
                ? ::PretvoriNapako(GetLastError(), Zrno::NAP_ODPIRANJE)
                : 0;
    RFizDatoteka datoteka(h);
    if (r < 0) {
        datoteka.Zapri();
        return zrno_orodje::Napaka("zrno log: cannot open '%s'%s (code 0x%08x)\n",
                                   zrno_orodje::Ime(ime).c_str(),
                                   r == Zrno::NAP_NIPOTI   ? ": no such directory"
                                   : r == Zrno::NAP_DOSTOP ? ": access denied"
                                                           : "",
                                   static_cast<unsigned int>(r));
    }
    RDnevnikDat dnevnik(0, vir);
    dnevnik.Uporabi(&datoteka);
    r = dnevnik.Zapisi(static_cast<T_DNEVNIKPRIORITETA>(prioriteta), "%s",
                       static_cast<const char *>(besedilo));
    dnevnik.Uporabi(nullptr);
    datoteka.Zapri();
    if (r < 0)
        return zrno_orodje::Napaka("zrno log: cannot write to '%s' (code 0x%08x)\n",
                                   zrno_orodje::Ime(ime).c_str(), static_cast<unsigned int>(r));
    return 0;
}

} // namespace

ZRNO_UKAZ(log, "append a UTC-stamped line to a log file", NAVODILA, Izvedi)
