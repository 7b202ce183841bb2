// zrno find PATTERN: the entries matching a search pattern (such as C:\dir\*.txt), with size and UTC
// write time. The search runs in UTF-16 and each path is printed whole: a name the output's code page
// cannot show is marked, not replaced by a look-alike, and a path is never cut.
#include "imena.h"
#include "ukaz.h"
#include <stdio.h>
#include <windows.h>
#include <zrno/frame.h>
#include <zrno/util.h>

namespace {

const char k_navodila[] =
    "usage: zrno find [--] PATTERN\n"
    "Lists the entries matching a search pattern such as C:\\dir\\*.txt, with size and\n"
    "UTC write time. A name with characters outside the ANSI code page is shown with ? in\n"
    "their place and marked \"(the name is not in code page N)\".\n";

int Izvedi(int argc, char **argv) {
    const int i = argc > 0 && !strcmp(argv[0], "--");
    if (argc - i != 1)
        return zrno_orodje::NapacnaUporaba(k_navodila, "find: takes one search pattern");
    if (!i && argv[0][0] == '-' && argv[0][1] == '-')
        return zrno_orodje::NapacnaUporaba(k_navodila, "find: unknown option %s", argv[0]);
    const std::wstring vzorec = zrno_orodje::Siroko(argv[i]);
    WIN32_FIND_DATAW z;
    HANDLE h = FindFirstFileW(vzorec.c_str(), &z);
    if (h == INVALID_HANDLE_VALUE) {
        const int r = ::PretvoriNapako(GetLastError(), Zrno::NAP_NINAJDENO);
        return zrno_orodje::Napaka("zrno find: %s '%s' (code 0x%08x)\n",
                                   r == Zrno::NAP_NIDATOTEKE ? "nothing matches" : "cannot search",
                                   zrno_orodje::Ime(argv[i]).c_str(), static_cast<unsigned int>(r));
    }
    // The directory part of the pattern, up to its last backslash, goes before each name.
    const std::wstring imenik = vzorec.substr(0, vzorec.rfind(L'\\') + 1);
    unsigned int stevilo = 0;
    do {
        RDatum cas;
        T_DATUM d;
        RDatum::PretvoriJulVGre(cas.NastaviDatum(&z.ftLastWriteTime), &d);
        char velikost[24] = "<DIR>";
        if (!(z.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            snprintf(velikost, sizeof velikost, "%llu",
                     static_cast<unsigned long long>(z.nFileSizeHigh) << 32 | z.nFileSizeLow);
        printf("%04ld-%02u-%02u %02u:%02u:%02u  %14s  %s\n", d.Leto, d.Mesec, d.Dan, d.Ura, d.Minuta,
               d.Sekunda, velikost, zrno_orodje::Ime(imenik + z.cFileName).c_str());
        ++stevilo;
    } while (FindNextFileW(h, &z));
    const DWORD e = GetLastError();
    FindClose(h);
    if (e != ERROR_NO_MORE_FILES)
        return zrno_orodje::Napaka("zrno find: the search stopped after %u entries (system error %lu)\n",
                                   stevilo, e);
    printf("%u entr%s (write times in UTC)\n", stevilo, stevilo == 1 ? "y" : "ies");
    return 0;
}

} // namespace

ZRNO_UKAZ(find, "list the files matching a search pattern, with size and write time", k_navodila, Izvedi)
