// zrno version: the library's version and how it classified the running system.
#include "ukaz.h"
#include <stdio.h>
#include <zrno/frame.h>

namespace {

const char *ImeSistema(T_VERZIJAOS v) {
    switch (v) {
    case OS_WIN32S: return "Win32s";
    case OS_WIN95: return "Windows 95";
    case OS_WIN98: return "Windows 98";
    case OS_WINME: return "Windows Me";
    case OS_NT3: return "Windows NT 3.x";
    case OS_NT4: return "Windows NT 4.0";
    case OS_WIN2000: return "Windows 2000";
    case OS_WINXP: return "Windows XP";
    case OS_WIN2003: return "Windows Server 2003";
    }
    return "unknown";
}

const char k_navodila[] = "usage: zrno version\n"
                          "Prints the library's version and how it classified the running system.\n";

int Izvedi(int argc, char **) {
    if (argc != 0)
        return zrno_orodje::NapacnaUporaba(k_navodila, "version: takes no arguments");
    unsigned int packed;
    char *text;
    Zrno::VrniVerzijo(&packed, nullptr, nullptr, nullptr, nullptr, &text);
    T_VERZIJAOS os = Zrno::VrniVerzijoOS();
    printf("Zrno %s (0x%08x)\n", text, packed);
    printf("system: %s (0x%05x, %s family)\n", ImeSistema(os), static_cast<unsigned int>(os),
           (os & 0xFFFF0000u) == 0x30000 ? "NT" : "other");
    return 0;
}

} // namespace

ZRNO_UKAZ(version, "print the library's version and the system classification", k_navodila, Izvedi)
