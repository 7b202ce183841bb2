// zrno.exe: the library's functions from the command line, one subcommand per job.
#include "ukaz.h"
#include <stdarg.h>
#include <stdio.h>
#include <string.h>
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

int Pomoc(const char *navodila) {
    fputs(navodila, stdout);
    return 0;
}

int NapacnaUporaba(const char *navodila, const char *sporocilo, ...) {
    va_list a;
    va_start(a, sporocilo);
    fputs("zrno ", stderr);
    vfprintf(stderr, sporocilo, a);
    va_end(a);
    fputc('\n', stderr);
    fputs(navodila, stderr);
    return 2;
}

} // namespace zrno_orodje

static int Navodila(FILE *izhod) {
    fprintf(izhod, "usage: zrno COMMAND [ARGUMENTS]\n\ncommands:\n");
    for (const zrno_orodje::Ukaz *u = zrno_orodje::g_ukazi; u; u = u->naslednji)
        fprintf(izhod, "  %-10s %s\n", u->ime, u->opis);
    return 2;
}

int main(int argc, char **argv) {
    if (argc < 2)
        return Navodila(stderr);
    if (!strcmp(argv[1], "help") || zrno_orodje::JePomoc(argv[1])) {
        Navodila(stdout);
        return 0;
    }
    for (const zrno_orodje::Ukaz *u = zrno_orodje::g_ukazi; u; u = u->naslednji)
        if (!strcmp(u->ime, argv[1]))
            return u->izvedi(argc - 2, argv + 2);
    fprintf(stderr, "zrno: unknown command '%s'\n", argv[1]);
    return Navodila(stderr);
}
