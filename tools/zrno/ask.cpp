// zrno ask [--sha256] [HOST:]PORT FILE...: sends each file to the sample service (examples/odtis) as
// one request and prints its answer and the MD5 (or SHA-256) decoded from it, in the form of
// `zrno digest --md5` (or --sha256).
#include "imena.h"
#include "ukaz.h"
#include "vhod.h"
#include <stdio.h>
#include <stdlib.h>
#include <zrno/streams.h>
#include <zrno/strings.h>

namespace {

const char k_navodila[] =
    "usage: zrno ask [--sha256] [--] [HOST:]PORT FILE...\n"
    "Sends each file as \"MD5 <length>\\n<bytes>\" (or SHA256) and prints the answer, then the\n"
    "digest and the length it carries. HOST defaults to 127.0.0.1.\n";

/// Reads the answer line (without its LF) from the socket; false when the connection ends first.
bool PreberiOdgovor(RVticnica &vticnica, RNizA &vrstica) {
    vrstica.Nastavi("");
    char znak;
    // The answer is short: one byte per receive is cheap and never reads past the line.
    while (vrstica.VrniDolzino() < 1024 && vticnica.Preberi(&znak, 1) == 1) {
        if (znak == '\n')
            return true;
        vrstica.Prilepi(&znak, 1);
    }
    return false;
}

/// The record of an OK answer: the n-byte digest and the length as 64 bits, low byte first.
bool Dekodiraj(char const *base64, unsigned char (&odtis)[32], unsigned int n, unsigned __int64 &dolzina) {
    unsigned char zapis[42];
    RBase64 kodek;
    bool konec;
    if (kodek.VrniDeKodDolzino(static_cast<unsigned int>(strlen(base64))) > sizeof zapis ||
        kodek.DeKodiraj(base64, zapis, konec) != n + 8)
        return false;
    memcpy(odtis, zapis, n);
    dolzina = 0;
    for (unsigned int i = 0; i < 8; ++i)
        dolzina |= static_cast<unsigned __int64>(zapis[n + i]) << (8 * i);
    return true;
}

int Vprasaj(char const *gostitelj, unsigned int vrata, char const *ime, bool sha256) {
    if (!strcmp(ime, "-")) // the length goes first: a file, not a pipe
        return zrno_orodje::Napaka("zrno ask: standard input has no length to send; name a file\n");
    int koda = 0;
    RFizDatoteka datoteka(zrno_orodje::OdpriZaBranje(ime, &koda));
    if (!datoteka.JeVeljaven()) {
        return zrno_orodje::Napaka("zrno ask: %s: %s (0x%08x)\n", zrno_orodje::Ime(ime).c_str(),
                                   zrno_orodje::OpisNapake(koda), static_cast<unsigned int>(koda));
    }
    const unsigned __int64 velikost = datoteka.VrniDolzino();
    RVticnica vticnica;
    int r = vticnica.Odpri(RVticnica::DOMENA_INET, RVticnica::VRSTA_TOK, 0);
    if (r >= 0)
        r = vticnica.Povezi(gostitelj, vrata);
    if (r < 0) {
        vticnica.Zapri();
        return zrno_orodje::Napaka("zrno ask: cannot connect to %s:%u (0x%08x)\n", gostitelj, vrata,
                                   static_cast<unsigned int>(r));
    }
    RNizA vrstica;
    vrstica.Oblikuj(sha256 ? "SHA256 %I64u\n" : "MD5 %I64u\n", velikost);
    // A refusal may come before the whole file has gone: the answer is read in any case.
    if (vticnica.Zapisi(static_cast<char const *>(vrstica), vrstica.VrniDolzino()) == vrstica.VrniDolzino())
        vticnica.ZapisiTok(datoteka, velikost);
    if (datoteka.JeKonec() && datoteka.VrniStanje() != Zrno::NAP_KONECPODATKOV) {
        vticnica.Zapri();
        return zrno_orodje::Napaka("zrno ask: %s: %s (0x%08x)\n", zrno_orodje::Ime(ime).c_str(),
                                   zrno_orodje::OpisNapake(datoteka.VrniStanje()),
                                   static_cast<unsigned int>(datoteka.VrniStanje()));
    }
    const bool odgovor = PreberiOdgovor(vticnica, vrstica);
    vticnica.Zapri();
    if (!odgovor)
        return zrno_orodje::Napaka("zrno ask: %s: the service closed the connection without an answer\n",
                                   zrno_orodje::Ime(ime).c_str());
    unsigned char odtis[32];
    const unsigned int n = sha256 ? 32 : 16;
    unsigned __int64 dolzina;
    if (strncmp(vrstica, "OK ", 3) != 0 ||
        !Dekodiraj(static_cast<char const *>(vrstica) + 3, odtis, n, dolzina)) {
        return zrno_orodje::Napaka("zrno ask: %s: %s\n", zrno_orodje::Ime(ime).c_str(),
                                   static_cast<char const *>(vrstica));
    }
    printf("%s: %s (%llu bytes)\n", zrno_orodje::Ime(ime).c_str(), static_cast<char const *>(vrstica),
           dolzina);
    for (unsigned int i = 0; i < n; ++i)
        printf("%02x", odtis[i]);
    printf("  %s\n", zrno_orodje::Ime(ime).c_str());
    if (dolzina != velikost)
        return zrno_orodje::Napaka("zrno ask: %s: the service digested %llu bytes of %llu\n",
                                   zrno_orodje::Ime(ime).c_str(), dolzina, velikost);
    return 0;
}

int Izvedi(int argc, char **argv) {
    const bool sha256 = argc && !strcmp(argv[0], "--sha256");
    argc -= sha256;
    argv += sha256;
    if (argc && !strcmp(argv[0], "--"))
        --argc, ++argv;
    if (argc < 2 || (argv[0][0] == '-' && argv[0][1] == '-'))
        return zrno_orodje::NapacnaUporaba(k_navodila, "ask: a port and at least one file are wanted");
    RNizA gostitelj("127.0.0.1");
    char const *vrata = argv[0];
    if (char const *dvopicje = strrchr(argv[0], ':')) {
        gostitelj.Nastavi(argv[0], static_cast<unsigned int>(dvopicje - argv[0]));
        vrata = dvopicje + 1;
    }
    unsigned long long stevilka = 0;
    if (!zrno_orodje::Stevilo(vrata, 65535, &stevilka) || stevilka == 0)
        return zrno_orodje::NapacnaUporaba(k_navodila, "ask: '%s' is not a port", argv[0]);
    int koncna = 0;
    for (int i = 1; i < argc; ++i)
        koncna |= Vprasaj(gostitelj, static_cast<unsigned int>(stevilka), argv[i], sha256);
    return koncna;
}

} // namespace

ZRNO_UKAZ(ask, "send files to the sample service and print the MD5 or SHA-256 it answers", k_navodila, Izvedi)
