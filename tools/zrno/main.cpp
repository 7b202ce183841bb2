// zrno.exe: the library's functions from the command line, one subcommand per job.
#include "imena.h"
#include "ukaz.h"
#include <errno.h>
#include <stdarg.h>
#include <stdio.h>
#include <string.h>
#include <string>
#include <windows.h>
#include <zrno/frame.h>

namespace zrno_orodje {

namespace {
const Ukaz *g_ukazi;
}

int Registriraj(Ukaz *ukaz) {
    // Keep the list sorted so the usage text does not depend on the link order.
    const Ukaz **p = &g_ukazi;
    while (*p && strcmp((*p)->ime, ukaz->ime) < 0)
        p = const_cast<const Ukaz **>(&(*p)->naslednji);
    ukaz->naslednji = *p;
    *p = ukaz;
    return 0;
}

bool Stevilo(const char *besedilo, unsigned long long najvec, unsigned long long *vrednost) {
    const bool hex = besedilo[0] == '0' && (besedilo[1] == 'x' || besedilo[1] == 'X');
    const char *p = hex ? besedilo + 2 : besedilo;
    const unsigned int osnova = hex ? 16 : 10;
    if (!*p || (!hex && p[0] == '0' && p[1])) // 010 would be octal to the C runtime: refused, not guessed
        return false;
    unsigned long long v = 0;
    for (; *p; ++p) {
        const char z = static_cast<char>(*p | 0x20);
        const unsigned int c = *p >= '0' && *p <= '9'        ? *p - '0'
                               : hex && z >= 'a' && z <= 'f' ? z - 'a' + 10
                                                             : 99;
        if (c >= osnova || c > najvec || v > (najvec - c) / osnova)
            return false;
        v = v * osnova + c;
    }
    *vrednost = v;
    return true;
}

bool JePomoc(const char *argument) { return !strcmp(argument, "--help") || !strcmp(argument, "-h"); }

namespace {
bool g_sporoceno; // a message has gone to standard error
}

int Napaka(const char *sporocilo, ...) {
    va_list a;
    va_start(a, sporocilo);
    vfprintf(stderr, sporocilo, a);
    va_end(a);
    g_sporoceno = true;
    return 1;
}

int NapacnaUporaba(const char *navodila, const char *sporocilo, ...) {
    va_list a;
    va_start(a, sporocilo);
    fputs("zrno ", stderr);
    vfprintf(stderr, sporocilo, a);
    va_end(a);
    fputc('\n', stderr);
    fputs(navodila, stderr);
    g_sporoceno = true;
    return 2;
}

} // namespace zrno_orodje

static int Navodila(FILE *izhod) {
    fprintf(izhod, "usage: zrno COMMAND [ARGUMENTS]\n"
                   "-h or --help anywhere after COMMAND (before a --) shows its usage.\n\ncommands:\n");
    for (const zrno_orodje::Ukaz *u = zrno_orodje::g_ukazi; u; u = u->naslednji)
        fprintf(izhod, "  %-10s %s\n", u->ime, u->opis);
    zrno_orodje::g_sporoceno = izhod == stderr;
    return 2;
}

static int Izvedi(int argc, char **argv) {
    if (argc < 2)
        return Navodila(stderr);
    if (!strcmp(argv[1], "help") || zrno_orodje::JePomoc(argv[1])) {
        Navodila(stdout);
        return 0;
    }
    for (const zrno_orodje::Ukaz *u = zrno_orodje::g_ukazi; u; u = u->naslednji)
        if (!strcmp(u->ime, argv[1])) {
            for (int i = 2; i < argc && strcmp(argv[i], "--"); ++i)
                if (zrno_orodje::JePomoc(argv[i]))
                    return fputs(u->navodila, stdout), 0;
            // Commands that take file names take them in UTF-16; any other argument must have come
            // through the ANSI code page whole, or the command would act on a look-alike.
            static const char *const k_siroki = " find digest cat base64 ask log ";
            const std::string ime = " " + std::string(u->ime) + " ";
            for (int i = 2; i < argc && !strstr(k_siroki, ime.c_str()); ++i)
                if (!zrno_orodje::VKodniStrani(argv[i]))
                    return zrno_orodje::Napaka("zrno %s: '%s' has characters outside code page %u\n", u->ime,
                                               zrno_orodje::Ime(argv[i]).c_str(), GetACP());
            return u->izvedi(argc - 2, argv + 2);
        }
    fprintf(stderr, "zrno: unknown command '%s'\n", argv[1]);
    return Navodila(stderr);
}

int main(int argc, char **argv) {
    zrno_orodje::ZapomniArgumente(argc, argv);
    int r = Izvedi(argc, argv);
    // The C runtime keeps what printf could not write to itself: a failed write shows only in the
    // stream's error flag (fflush returns 0 once the buffer is gone) or in the close.
    const bool zapisano = fflush(stdout) == 0 && !ferror(stdout);
    if (fclose(stdout) != 0 || !zapisano)
        r = zrno_orodje::Napaka("zrno %s: writing standard output failed (%s)\n", argc > 1 ? argv[1] : "",
                                strerror(errno));
    if (r != 0 && !zrno_orodje::g_sporoceno)
        zrno_orodje::Napaka("zrno %s: failed (exit code %d)\n", argc > 1 ? argv[1] : "", r);
    return r;
}
