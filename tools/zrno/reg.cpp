// zrno reg query|set|delete KEY [NAME] [VALUE]: reads, writes and deletes registry keys and values
// through RRegister. KEY starts with a root (HKCU, HKLM, HKCR, HKU, HKCC or the full HKEY_ name).
#include "imena.h"
#include "ukaz.h"
#include <ctype.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <string>
#include <windows.h>
#include <zrno/streams.h>
#include <zrno/strings.h>
#include <zrno/system.h>

namespace {

const char k_besedilo[] = "   (the text is not in the ANSI code page)";

const char NAVODILA[] =
    "usage: zrno reg query KEY [NAME]\n"
    "       zrno reg set [-t TYPE] [--] KEY NAME VALUE\n"
    "       zrno reg delete KEY [NAME]\n"
    "\n"
    "KEY begins with a root: HKCU, HKLM, HKCR, HKU, HKCC (or HKEY_CURRENT_USER and so on), such as\n"
    "HKCU\\Software\\Zrno. An empty NAME is the key's default value. query without NAME lists the\n"
    "values and subkeys; delete without NAME deletes the key with everything below it.\n"
    "TYPE of set: REG_SZ (default), REG_DWORD (decimal without leading zeros, or 0x hex), REG_MULTI_SZ\n"
    "(non-empty texts separated by \\0), REG_BINARY (pairs of hex digits). set creates the key when it is\n"
    "missing; a VALUE that does not parse exactly is refused (exit 1) and nothing is written.\n"
    "Exit codes: 0 done, 1 failed (no such key or value, access denied, ...), 2 bad usage.\n";

int NapacnaRaba(char const *zakaj) { return zrno_orodje::NapacnaUporaba(NAVODILA, "reg: %s\n", zakaj); }

int Neuspeh(char const *kaj, char const *ime, int koda) {
    char const *opis = koda == Zrno::NAP_NIDATOTEKE || koda == Zrno::NAP_NIPOTI ? "does not exist"
                       : koda == Zrno::NAP_DOSTOP                               ? "access denied"
                       : koda == Zrno::NAP_IME ? "invalid name (a key name has at most 255 characters)"
                                               : "failed";
    return zrno_orodje::Napaka("zrno reg: %s %s: %s (code 0x%08x)\n", kaj, ime, opis,
                               static_cast<unsigned int>(koda));
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
    static char const *const imena[] = {"REG_NONE",
                                        "REG_SZ",
                                        "REG_EXPAND_SZ",
                                        "REG_BINARY",
                                        "REG_DWORD",
                                        "REG_DWORD_BIG_ENDIAN",
                                        "REG_LINK",
                                        "REG_MULTI_SZ",
                                        "REG_RESOURCE_LIST",
                                        "REG_FULL_RESOURCE_DESCRIPTOR",
                                        "REG_RESOURCE_REQUIREMENTS_LIST",
                                        "REG_QWORD"};
    return tip < sizeof imena / sizeof *imena ? imena[tip] : "REG_UNKNOWN";
}

/// One value as NAME TYPE DATA, from its raw bytes (texts in the code page); opomba follows the data.
void IzpisiVrednost(char const *ime, unsigned long tip, unsigned char const *b, unsigned int n,
                    char const *opomba = "") {
    printf("    %-24s %-14s ", *ime ? ime : "(Default)", ImeTipa(tip));
    unsigned long long v = 0;
    for (unsigned int i = n < 8 ? n : 8; i-- > 0;)
        v = v << 8 | b[i];
    switch (tip) {
    case REG_SZ:
    case REG_EXPAND_SZ:
        printf("%.*s", static_cast<int>(strnlen(reinterpret_cast<char const *>(b), n)), b);
        break;
    case REG_MULTI_SZ:
        for (unsigned int i = 0; i < n && b[i];) {
            char const *t = reinterpret_cast<char const *>(b + i);
            unsigned int d = static_cast<unsigned int>(strnlen(t, n - i));
            printf("%s%.*s", i ? "\\0" : "", static_cast<int>(d), t);
            i += d + 1;
        }
        break;
    case REG_DWORD_BIG_ENDIAN:
        v = n == 4 ? (v & 0xFF) << 24 | (v & 0xFF00) << 8 | (v >> 8 & 0xFF00) | v >> 24 : v;
        [[fallthrough]];
    case REG_DWORD:
    case REG_QWORD:
        if (n == (tip == REG_QWORD ? 8u : 4u)) {
            printf(n == 8 ? "0x%016llx (%llu)" : "0x%08llx (%llu)", v, v);
            break;
        }
        [[fallthrough]];
    default:
        for (unsigned int i = 0; i < n; ++i)
            printf("%02x", b[i]);
    }
    printf("%s\n", opomba);
}

// Wine's ANSI registry calls convert a path in one buffer of the thread and refuse one over 260
// characters (ERROR_MORE_DATA) that the UTF-16 calls take, so a path is opened one key at a time.
// Each name is at most 255 characters: that limit is the registry's own.
int OdpriPot(Kljuc const &k, std::string const &pot, unsigned int dostop, bool ustvari, RRegister &kljuc) {
    void *stars = k.koren;
    for (size_t zacetek = 0, meja = 0; meja != std::string::npos; zacetek = meja + 1) {
        meja = pot.find('\\', zacetek);
        const std::string ime = pot.substr(zacetek, meja == std::string::npos ? meja : meja - zacetek);
        const unsigned int d = meja == std::string::npos ? dostop : ustvari ? KEY_CREATE_SUB_KEY : KEY_READ;
        RRegister pod;
        int r = ime.size() > 255 ? Zrno::NAP_IME
                : ustvari        ? pod.Ustvari(stars, ime.c_str(), d)
                                 : pod.Odpri(stars, ime.c_str(), d);
        if (stars != k.koren)
            RegCloseKey(static_cast<HKEY>(stars));
        if (r < 0)
            return r;
        stars = pod.VrniRocico();
    }
    kljuc.Uporabi(stars);
    return 0;
}

int Poizvedi(Kljuc const &k, char const *besedilo, char const *ime) {
    RRegister kljuc;
    int r = OdpriPot(k, k.pot, KEY_READ, false, kljuc);
    if (r < 0)
        return Neuspeh("key", besedilo, r);
    if (ime) {
        RPomDatoteka podatki;
        T_REGTIP tip;
        r = kljuc.Preberi(ime, &tip, podatki);
        kljuc.Zapri();
        if (r < 0)
            return Neuspeh("value", *ime ? ime : "(Default)", r);
        printf("%s\n", besedilo);
        IzpisiVrednost(ime, tip, static_cast<unsigned char const *>(podatki.VrniPodatke()),
                       static_cast<unsigned int>(podatki.VrniDolzino()));
        return 0;
    }
    printf("%s\n", besedilo);
    // Listed in UTF-16: the ANSI call gives a name outside the code page with '?' in it, under which
    // no value can then be read. Such a name is shown that way, and said to be.
    DWORD najImena = 0, najPodatkov = 0;
    RegQueryInfoKeyW(kljuc, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &najImena,
                     &najPodatkov, nullptr, nullptr);
    std::wstring imeW(najImena + 257, L'\0'); // subkey names too: at most 255 characters
    std::string podatki(najPodatkov + 2, '\0');
    LONG e = ERROR_SUCCESS;
    for (DWORD i = 0; e == ERROR_SUCCESS; ++i) {
        DWORD n = najImena + 1, velikost = najPodatkov, tip;
        e = RegEnumValueW(kljuc, i, &imeW[0], &n, nullptr, &tip, reinterpret_cast<BYTE *>(&podatki[0]),
                          &velikost);
        if (e != ERROR_SUCCESS)
            break;
        bool izgubljenoIme = false, izgubljeno = false;
        const std::string ansi = zrno_orodje::VKodnoStran(imeW.c_str(), n, &izgubljenoIme);
        std::string vsebina = podatki.substr(0, velikost);
        if (tip == REG_SZ || tip == REG_EXPAND_SZ || tip == REG_MULTI_SZ)
            vsebina = zrno_orodje::VKodnoStran(reinterpret_cast<wchar_t const *>(podatki.data()),
                                               velikost / 2, &izgubljeno);
        IzpisiVrednost(ansi.c_str(), tip, reinterpret_cast<unsigned char const *>(vsebina.data()),
                       static_cast<unsigned int>(vsebina.size()),
                       izgubljenoIme ? zrno_orodje::Opomba()
                       : izgubljeno  ? k_besedilo
                                     : "");
    }
    // Subkeys in UTF-16 too, each name marked where the code page lacks a character of it.
    for (DWORD i = 0, n = 256;
         RegEnumKeyExW(kljuc, i, &imeW[0], &(n = 256), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
         ++i)
        printf("%s\\%s\n", besedilo, zrno_orodje::Ime(std::wstring(imeW.c_str(), n)).c_str());
    kljuc.Zapri();
    if (e != ERROR_NO_MORE_ITEMS) {
        return zrno_orodje::Napaka("zrno reg: listing the values of %s failed (system error %ld)\n", besedilo,
                                   e);
    }
    return 0;
}

// Pairs of hex digits and nothing else (strtoul would take a sign or a space as well).
bool Hex(char const *s, std::string &bajti) {
    for (; isxdigit(static_cast<unsigned char>(s[0])) && isxdigit(static_cast<unsigned char>(s[1])); s += 2) {
        char const dve[3] = {s[0], s[1], 0};
        bajti += static_cast<char>(strtoul(dve, nullptr, 16));
    }
    return !*s;
}

/// A value that does not parse exactly: nothing is written.
int NapacnaVrednost(char const *vrednost, char const *zakaj) {
    return zrno_orodje::Napaka("zrno reg: '%s' %s; nothing written\n", vrednost, zakaj);
}

int Nastavi(Kljuc const &k, char const *besedilo, char const *ime, char const *vrednost, char const *tip) {
    std::string bajti;
    unsigned long long stevilo = 0;
    if (!_stricmp(tip, "REG_DWORD")) {
        if (!zrno_orodje::Stevilo(vrednost, 0xFFFFFFFF, &stevilo))
            return NapacnaVrednost(vrednost,
                                   "is not a REG_DWORD: decimal 0 to 4294967295 or 0x and hex digits");
    } else if (!_stricmp(tip, "REG_MULTI_SZ")) {
        // Texts separated by \0; an empty one would end the list early when read back.
        bajti = vrednost;
        for (size_t i; (i = bajti.find("\\0")) != std::string::npos;)
            bajti.replace(i, 2, 1, '\0');
        if (bajti.empty() || bajti.front() == 0 || bajti.back() == 0 ||
            bajti.find(std::string(2, 0)) != std::string::npos)
            return NapacnaVrednost(vrednost, "holds an empty text, which REG_MULTI_SZ cannot");
        bajti += std::string("\0\0", 2);
    } else if (!_stricmp(tip, "REG_BINARY")) {
        if (!Hex(vrednost, bajti))
            return NapacnaVrednost(vrednost, "is not REG_BINARY: pairs of hex digits");
    } else if (_stricmp(tip, "REG_SZ")) {
        return NapacnaRaba("unknown type");
    }
    RRegister kljuc;
    int r = OdpriPot(k, k.pot, KEY_SET_VALUE, true, kljuc);
    if (r < 0)
        return Neuspeh("key", besedilo, r);
    if (!_stricmp(tip, "REG_DWORD"))
        r = kljuc.Zapisi(ime, static_cast<unsigned long>(stevilo));
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
        int r = OdpriPot(k, k.pot, KEY_SET_VALUE, false, kljuc);
        if (r < 0)
            return Neuspeh("key", besedilo, r);
        r = kljuc.BrisiVrednost(ime);
        kljuc.Zapri();
        return r < 0 ? Neuspeh("value", *ime ? ime : "(Default)", r) : 0;
    }
    size_t meja = k.pot.rfind('\\');
    std::string stars = meja == std::string::npos ? "" : k.pot.substr(0, meja);
    int r = OdpriPot(k, stars, KEY_READ, false, kljuc);
    if (r >= 0) {
        r = kljuc.BrisiPodkljuc(k.pot.c_str() + (meja == std::string::npos ? 0 : meja + 1));
        kljuc.Zapri();
    }
    return r < 0 ? Neuspeh("key", besedilo, r) : 0;
}

int Izvedi(int argc, char **argv) {
    char const *tip = "REG_SZ";
    char *argumenti[4];
    int n = 0;
    bool moznosti = true; // "--" ends them, so that NAME or VALUE may begin with -
    for (int i = 0; i < argc; ++i) {
        if (moznosti && !strcmp(argv[i], "--"))
            moznosti = false;
        else if (moznosti && !strcmp(argv[i], "-t") && i + 1 < argc)
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

ZRNO_UKAZ(reg, "query, set and delete registry keys and values", NAVODILA, Izvedi)
