// zrno service install|start|stop|pause|continue|query|delete NAME [PATH] [ARGS...]: installs and
// controls a system service through the library's service manager wrappers.
#include "ukaz.h"
#include <stdio.h>
#include <string.h>
#include <windows.h>
#include <zrno/strings.h>
#include <zrno/system.h>

namespace {

constexpr int IZHOD_NISERVISA = 3;
constexpr int IZHOD_DOSTOP = 4;
constexpr DWORD CAKANJE_MS = 30000;

const char NAVODILA[] =
    "usage: zrno service COMMAND NAME [ARGUMENTS]\n"
    "  install NAME PATH [ARGS...]  install PATH (with ARGS on its command line) as service NAME,\n"
    "                               started on demand, in a process of its own\n"
    "  start NAME [ARGS...]         start the service with ARGS and wait until it runs\n"
    "  stop NAME                    ask the service to stop and wait until it has\n"
    "  pause NAME                   ask the service to pause and wait until it has\n"
    "  continue NAME                ask a paused service to continue and wait until it runs\n"
    "  query NAME                   show the service's state\n"
    "  delete NAME                  remove the service (once its last handle is closed)\n"
    "  --                           before ARGS: they may then hold -h or --help\n"
    "exit codes: 0 done, 1 failed, 2 bad usage, 3 no such service, 4 access denied\n"
    "(waits end after 30 seconds)\n";

const char *ImeStanja(DWORD stanje) {
    switch (stanje) {
    case SERVIS_USTAVLJEN: return "stopped";
    case SERVIS_ZAGANJANJE: return "starting";
    case SERVIS_USTAVLJANJE: return "stopping";
    case SERVIS_TECE: return "running";
    case SERVIS_NADALJEVANJE: return "continuing";
    case SERVIS_PREKINJANJE: return "pausing";
    case SERVIS_PREKINJEN: return "paused";
    default: return "in an unknown state";
    }
}

int Napaka(const char *kaj, const char *ime, int koda) {
    if (koda == Zrno::NAP_NISERVISA) {
        zrno_orodje::Napaka("zrno service: no service named '%s' is installed\n", ime);
        return IZHOD_NISERVISA;
    }
    if (koda == Zrno::NAP_DOSTOP) {
        zrno_orodje::Napaka("zrno service: %s '%s': access denied (run as an administrator)\n", kaj, ime);
        return IZHOD_DOSTOP;
    }
    const char *razlog = koda == Zrno::NAP_OBSTAJA      ? ": a service of that name already exists"
                         : koda == Zrno::NAP_SERVISTECE ? ": it is already running"
                         : koda == Zrno::NAP_ZABRISANJE ? ": it is marked for deletion"
                         : koda == Zrno::NAP_IME        ? ": invalid name"
                                                        : "";
    return zrno_orodje::Napaka("zrno service: cannot %s '%s'%s (code 0x%08x)\n", kaj, ime, razlog,
                               static_cast<unsigned int>(koda));
}

void Izpisi(const char *ime, const SERVICE_STATUS &s) {
    printf("%s: %s\n", ime, ImeStanja(s.dwCurrentState));
    if (s.dwWin32ExitCode == ERROR_SERVICE_SPECIFIC_ERROR)
        printf("  exit code 1066, the service's own code 0x%08lx\n", s.dwServiceSpecificExitCode);
    else if (s.dwWin32ExitCode != 0 && s.dwWin32ExitCode != ERROR_SERVICE_NEVER_STARTED)
        printf("  exit code %lu\n", s.dwWin32ExitCode);
    if (s.dwCurrentState != SERVIS_USTAVLJEN && s.dwCurrentState != SERVIS_TECE &&
        s.dwCurrentState != SERVIS_PREKINJEN)
        printf("  check point %lu, wait hint %lu ms\n", s.dwCheckPoint, s.dwWaitHint);
}

// Waits (bounded) while the service is in the pending state, or still in the state it was in when the
// control was sent: the control returns once the handler has posted the request, before the service's
// thread has reported the pending state. Reports the state it reaches.
int Pocakaj(RServis &servis, const char *ime, DWORD vmesno, DWORD cilj, DWORD prej) {
    SERVICE_STATUS s;
    const DWORD zacetek = GetTickCount();
    int r;
    while ((r = servis.VrniStatus(&s)) >= 0 && s.dwCurrentState != cilj &&
           (s.dwCurrentState == vmesno || s.dwCurrentState == prej) && GetTickCount() - zacetek < CAKANJE_MS)
        Sleep(50);
    if (r < 0)
        return Napaka("query", ime, r);
    Izpisi(ime, s);
    if (s.dwCurrentState == cilj)
        return 0;
    return zrno_orodje::Napaka("zrno service: '%s' did not become %s\n", ime, ImeStanja(cilj));
}

int Namesti(ROskrbnikServisov &oskrbnik, const char *ime, int argc, char **argv) {
    // The command line: the program's path in quotes, then the arguments, quoted where they hold spaces.
    RNizA ukaz;
    ukaz.Oblikuj("\"%s\"", argv[0]);
    for (int i = 1; i < argc; ++i)
        ukaz.PrilepiO(strchr(argv[i], ' ') ? " \"%s\"" : " %s", argv[i]);
    RServis servis;
    int r = servis.Ustvari(oskrbnik, ime, ime, ukaz, SERVICE_ALL_ACCESS, SERVICE_WIN32_OWN_PROCESS,
                           ZAGON_NA_ZAHTEVO, NAPAKA_OBICAJNA, nullptr, nullptr, nullptr, nullptr, nullptr);
    if (r < 0)
        return Napaka("install", ime, r);
    servis.Zapri();
    printf("%s: installed (%s)\n", ime, static_cast<const char *>(ukaz));
    return 0;
}

int Krmili(RServis &servis, const char *ukaz, const char *ime, int argc, char **argv) {
    SERVICE_STATUS s;
    int r;
    if (!strcmp(ukaz, "query")) {
        if ((r = servis.VrniStatus(&s)) < 0)
            return Napaka("query", ime, r);
        Izpisi(ime, s);
        return 0;
    }
    if (!strcmp(ukaz, "delete")) {
        if ((r = servis.Zbrisi()) < 0)
            return Napaka("delete", ime, r);
        printf("%s: deleted\n", ime);
        return 0;
    }
    if (!strcmp(ukaz, "start")) {
        if ((r = servis.Pozeni(static_cast<unsigned int>(argc), const_cast<const char **>(argv))) < 0) {
            const int izhod = Napaka("start", ime, r);
            // A service that stopped during its start-up says why in its exit codes.
            if (servis.VrniStatus(&s) >= 0 && s.dwWin32ExitCode != ERROR_SERVICE_NEVER_STARTED)
                Izpisi(ime, s);
            return izhod;
        }
        return Pocakaj(servis, ime, SERVIS_ZAGANJANJE, SERVIS_TECE, SERVIS_ZAGANJANJE);
    }
    static const struct {
        const char *ukaz;
        DWORD koda, vmesno, cilj;
    } kontrole[] = {{"stop", SERVICE_CONTROL_STOP, SERVIS_USTAVLJANJE, SERVIS_USTAVLJEN},
                    {"pause", SERVICE_CONTROL_PAUSE, SERVIS_PREKINJANJE, SERVIS_PREKINJEN},
                    {"continue", SERVICE_CONTROL_CONTINUE, SERVIS_NADALJEVANJE, SERVIS_TECE}};
    for (const auto &k : kontrole)
        if (!strcmp(ukaz, k.ukaz)) {
            if ((r = servis.Sporoci(k.koda, &s)) < 0)
                return Napaka(ukaz, ime, r);
            return Pocakaj(servis, ime, k.vmesno, k.cilj, s.dwCurrentState);
        }
    return zrno_orodje::NapacnaUporaba(NAVODILA, "service: unknown command '%s'", ukaz);
}

int Izvedi(int argc, char **argv) {
    // "--" before the program's or the service's arguments lets them hold -h.
    char *brez[64];
    int n = 0;
    if (argc > 64)
        return zrno_orodje::NapacnaUporaba(NAVODILA, "service: too many arguments");
    for (int i = 0; i < argc; ++i)
        if (i < 2 || strcmp(argv[i], "--") || n < i)
            brez[n++] = argv[i];
    argc = n;
    argv = brez;
    // The rights each command needs, so that a query works without an administrator's rights.
    static const struct {
        const char *ukaz;
        unsigned int dostop;
    } ukazi[] = {{"install", 0},
                 {"start", SERVICE_START | SERVICE_QUERY_STATUS},
                 {"stop", SERVICE_STOP | SERVICE_QUERY_STATUS},
                 {"pause", SERVICE_PAUSE_CONTINUE | SERVICE_QUERY_STATUS},
                 {"continue", SERVICE_PAUSE_CONTINUE | SERVICE_QUERY_STATUS},
                 {"query", SERVICE_QUERY_STATUS},
                 {"delete", DELETE}};
    bool znan = false;
    unsigned int dostop = 0;
    for (const auto &u : ukazi)
        if (argc >= 2 && !strcmp(argv[0], u.ukaz)) {
            znan = true;
            dostop = u.dostop;
        }
    const bool namesti = znan && !strcmp(argv[0], "install");
    const bool z_argumenti = znan && (namesti || !strcmp(argv[0], "start"));
    if (!znan || (namesti && argc < 3) || (!z_argumenti && argc != 2))
        return zrno_orodje::NapacnaUporaba(NAVODILA, "service: unknown command or wrong number of arguments");
    const char *ime = argv[1];
    ROskrbnikServisov oskrbnik;
    int r = oskrbnik.Odpri(nullptr, nullptr, namesti ? SC_MANAGER_CREATE_SERVICE : SC_MANAGER_CONNECT);
    if (r < 0)
        return Napaka("reach the service manager for", ime, r);
    if (namesti) {
        r = Namesti(oskrbnik, ime, argc - 2, argv + 2);
    } else {
        RServis servis;
        r = servis.Odpri(oskrbnik, ime, dostop);
        r = r < 0 ? Napaka("open", ime, r) : Krmili(servis, argv[0], ime, argc - 2, argv + 2);
        servis.Zapri();
    }
    oskrbnik.Zapri();
    return r;
}

} // namespace

ZRNO_UKAZ(service, "install, start, control, query or delete a system service", NAVODILA, Izvedi)
