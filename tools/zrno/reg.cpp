// zrno reg query|set|delete KEY [NAME] [VALUE]: reads, writes and deletes registry keys and values
// through RRegister. KEY starts with a root (HKCU, HKLM, HKCR, HKU, HKCC or the full HKEY_ name).
#include "ukaz.h"
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <string>
#include <windows.h>
#include <zrno/streams.h>
#include <zrno/strings.h>
#include <zrno/system.h>

namespace {

const char NAVODILA[] =
    "usage: zrno reg query KEY [NAME]\n"
    "       zrno reg set [-t TYPE] KEY NAME VALUE\n"
    "       zrno reg delete KEY [NAME]\n"
    "\n"
    "KEY begins with a root: HKCU, HKLM, HKCR, HKU, HKCC (or HKEY_CURRENT_USER and so on), such as\n"
    "HKCU\\Software\\Zrno. An empty NAME is the key's default value. query without NAME lists the\n"
    "values and subkeys; delete without NAME deletes the key with everything below it.\n"
    "TYPE of set: REG_SZ (default), REG_DWORD (decimal or 0x hex), REG_MULTI_SZ (texts separated by\n"
    "\\0), REG_BINARY (hex digits). set creates the key when it is missing.\n"
    "Exit codes: 0 done, 1 failed (no such key or value, access denied, ...), 2 bad usage.\n";

int NapacnaRaba(char const *zakaj) {
    fprintf(stderr, "zrno reg: %s\n\n%s", zakaj, NAVODILA);
    return 2;
}

int Neuspeh(char const *kaj, char const *ime, int koda) {
    char const *opis = koda == Zrno::NAP_NIDATOTEKE || koda == Zrno::NAP_NIPOTI ? "does not exist"
                       : koda == Zrno::NAP_DOSTOP                               ? "access denied"
                                                                                : "failed";
    fprintf(stderr, "zrno reg: %s %s: %s (code 0x%08x)\n", kaj, ime, opis, static_cast<unsigned int>(koda));
    return 1;
}

struct Kljuc {
    HKEY koren;
    std::string pot; // below the root, without a leading backslash
};

bool Razcleni(char const *besedilo, Kljuc &k) {
    static const struct {
        char const *kratko, *dolgo;
        HKEY koren;
    } koreni[] = {
        {"HKCU", "HKEY_CURRENT_USER", HKEY_CURRENT_USER},
        {"HKLM", "HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
        {"HKCR", "HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
        {"HKU", "HKEY_USERS", HKEY_USERS},
        {"HKCC", "HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG},
    };
    std::string s = besedilo;
    size_t meja = s.find('\\');
    std::string koren = s.substr(0, meja);
    k.pot = meja == std::string::npos ? "" : s.substr(meja + 1);
    while (!k.pot.empty() && k.pot.back() == '\\')
        k.pot.pop_back();
    for (auto const &r : koreni)
        if (!_stricmp(koren.c_str(), r.kratko) || !_stricmp(koren.c_str(), r.dolgo)) {
            k.koren = r.koren;
            return true;
        }
    return false;
}

char const *ImeTipa(unsigned long tip) {
    static char const *const imena[] = {"REG_NONE",   "REG_SZ",      "REG_EXPAND_SZ",
                                        "REG_BINARY", "REG_DWORD",   "REG_DWORD_BIG_ENDIAN",
                                        "REG_LINK",   "REG_MULTI_SZ"};
    return tip < sizeof imena / sizeof *imena ? imena[tip] : "REG_UNKNOWN";
}

/// One value as NAME TYPE DATA, from its raw bytes.
void IzpisiVrednost(char const *ime, T_REGTIP tip, RPomDatoteka const &podatki) {
    auto const *b = static_cast<unsigned char const *>(podatki.VrniPodatke());
    unsigned int n = static_cast<unsigned int>(podatki.VrniDolzino());
    printf("    %-24s %-14s ", *ime ? ime : "(Default)", ImeTipa(tip));
    switch (tip) {
    case REGT_NIZ:
    case REGT_RAZNIZ:
        printf("%.*s", static_cast<int>(strnlen(reinterpret_cast<char const *>(b), n)), b);
        break;
    case REGT_SEZNAM:
        for (unsigned int i = 0; i < n && b[i];) {
            char const *t = reinterpret_cast<char const *>(b + i);
            unsigned int d = static_cast<unsigned int>(strnlen(t, n - i));
            printf("%s%.*s", i ? "\\0" : "", static_cast<int>(d), t);
            i += d + 1;
        }
        break;
    case REGT_DWORD:
    case REGT_DWORD_BE:
        if (n == 4) {
            unsigned long v = tip == REGT_DWORD ? b[0] | b[1] << 8 | b[2] << 16 | (unsigned long)b[3] << 24
                                                : b[3] | b[2] << 8 | b[1] << 16 | (unsigned long)b[0] << 24;
            printf("0x%08lx (%lu)", v, v);
            break;
        }
        [[fallthrough]];
    default:
        for (unsigned int i = 0; i < n; ++i)
            printf("%02x", b[i]);
    }
    printf("\n");
}

int Poizvedi(Kljuc const &k, char const *besedilo, char const *ime) {
    RRegister kljuc;
    int r = kljuc.Odpri(k.koren, k.pot.c_str(), KEY_READ);
    if (r < 0)
        return Neuspeh("key", besedilo, r);
    RPomDatoteka podatki;
    T_REGTIP tip;
    if (ime) {
        r = kljuc.Preberi(ime, &tip, podatki);
        kljuc.Zapri();
        if (r < 0)
            return Neuspeh("value", *ime ? ime : "(Default)", r);
        printf("%s\n", besedilo);
        IzpisiVrednost(ime, tip, podatki);
        return 0;
    }
    printf("%s\n", besedilo);
    // Value names are listed by the system; RRegister reads each.
    char vrednost[16384];
    for (DWORD i = 0;; ++i) {
        DWORD n = sizeof vrednost;
        if (RegEnumValueA(kljuc, i, vrednost, &n, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        podatki.Zapri();
        if (kljuc.Preberi(vrednost, &tip, podatki) >= 0)
            IzpisiVrednost(vrednost, tip, podatki);
    }
    RNizA pod;
    for (unsigned int i = 0; kljuc.VrniPodkljuc(i, pod) == 0; ++i)
        printf("%s\\%s\n", besedilo, static_cast<char const *>(pod));
    kljuc.Zapri();
    return 0;
}

bool Hex(char const *s, std::string &bajti) {
    for (; s[0] && s[1]; s += 2) {
        char dve[3] = {s[0], s[1], 0}, *konec;
        unsigned long v = strtoul(dve, &konec, 16);
        if (*konec)
            return false;
        bajti += static_cast<char>(v);
    }
    return !*s;
}

int Nastavi(Kljuc const &k, char const *besedilo, char const *ime, char const *vrednost, char const *tip) {
    std::string bajti;
    unsigned long stevilo = 0;
    if (!_stricmp(tip, "REG_DWORD")) {
        char *konec;
        stevilo = strtoul(vrednost, &konec, 0);
        if (!*vrednost || *konec)
            return NapacnaRaba("REG_DWORD wants a number");
    } else if (!_stricmp(tip, "REG_MULTI_SZ")) {
        bajti = vrednost;
        for (size_t i; (i = bajti.find("\\0")) != std::string::npos;)
            bajti.replace(i, 2, 1, '\0');
        bajti += std::string("\0\0", 2);
    } else if (!_stricmp(tip, "REG_BINARY")) {
        if (!Hex(vrednost, bajti))
            return NapacnaRaba("REG_BINARY wants pairs of hex digits");
    } else if (_stricmp(tip, "REG_SZ")) {
        return NapacnaRaba("unknown type");
    }
    RRegister kljuc;
    int r = kljuc.Ustvari(k.koren, k.pot.c_str(), KEY_SET_VALUE);
    if (r < 0)
        return Neuspeh("key", besedilo, r);
    if (!_stricmp(tip, "REG_DWORD"))
        r = kljuc.Zapisi(ime, stevilo);
    else if (!_stricmp(tip, "REG_MULTI_SZ"))
        r = kljuc.ZapisiSeznam(ime, bajti.c_str());
    else if (!_stricmp(tip, "REG_BINARY"))
        r = kljuc.Zapisi(ime, bajti.data(), static_cast<unsigned int>(bajti.size()));
    else
        r = kljuc.Zapisi(ime, vrednost);
    kljuc.Zapri();
    return r < 0 ? Neuspeh("writing value", *ime ? ime : "(Default)", r) : 0;
}

int Zbrisi(Kljuc const &k, char const *besedilo, char const *ime) {
    RRegister kljuc;
    if (ime) {
        int r = kljuc.Odpri(k.koren, k.pot.c_str(), KEY_SET_VALUE);
        if (r < 0)
            return Neuspeh("key", besedilo, r);
        r = kljuc.BrisiVrednost(ime);
        kljuc.Zapri();
        return r < 0 ? Neuspeh("value", *ime ? ime : "(Default)", r) : 0;
    }
    size_t meja = k.pot.rfind('\\');
    std::string stars = meja == std::string::npos ? "" : k.pot.substr(0, meja);
    int r = kljuc.Odpri(k.koren, stars.c_str(), KEY_READ);
    if (r >= 0) {
        r = kljuc.BrisiPodkljuc(k.pot.c_str() + (meja == std::string::npos ? 0 : meja + 1));
        kljuc.Zapri();
    }
    return r < 0 ? Neuspeh("key", besedilo, r) : 0;
}

int Izvedi(int argc, char **argv) {
    if (argc >= 1 && (!strcmp(argv[0], "--help") || !strcmp(argv[0], "-h"))) {
        fputs(NAVODILA, stdout);
        return 0;
    }
    char const *tip = "REG_SZ";
    char *argumenti[4];
    int n = 0;
    for (int i = 0; i < argc; ++i) {
        if (!strcmp(argv[i], "-t") && i + 1 < argc)
            tip = argv[++i];
        else if (n < 4)
            argumenti[n++] = argv[i];
        else
            return NapacnaRaba("too many arguments");
    }
    if (n < 2)
        return NapacnaRaba("an action and a key are needed");
    char const *dejanje = argumenti[0], *besedilo = argumenti[1];
    char const *ime = n > 2 ? argumenti[2] : nullptr;
    Kljuc k;
    if (!Razcleni(besedilo, k))
        return NapacnaRaba("the key must begin with a root such as HKCU or HKLM");
    if (!strcmp(dejanje, "query") && n <= 3)
        return Poizvedi(k, besedilo, ime);
    if (!strcmp(dejanje, "set") && n == 4)
        return Nastavi(k, besedilo, ime, argumenti[3], tip);
    if (!strcmp(dejanje, "delete") && n <= 3) {
        if (!ime && k.pot.empty())
            return NapacnaRaba("a root key cannot be deleted");
        return Zbrisi(k, besedilo, ime);
    }
    return NapacnaRaba("unknown action or wrong number of arguments");
}

} // namespace

ZRNO_UKAZ(reg, "query, set and delete registry keys and values", Izvedi)
