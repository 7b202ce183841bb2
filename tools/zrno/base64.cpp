// zrno base64 [-d] [-w COLS] [FILE]: Base64 of a file or standard input on standard output, lines of
// COLS characters (76 unless given; 0 does not wrap) when encoding. Decoding takes strict RFC 4648 text
// with white space anywhere, and stops with a message at the first fault, after writing the bytes of
// the whole groups before it.
#include "base64strogo.h"
#include "ukaz.h"
#include "vhod.h"
#include <algorithm>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <zrno/streams.h>

namespace {

const char k_navodila[] =
    "usage: zrno base64 [-d] [-w COLS] [--] [FILE]\n"
    "Encodes FILE (standard input when none or -) as Base64 on standard output, in lines\n"
    "of COLS characters (default 76; 0 for one line), as coreutils' base64 writes them;\n"
    "-d decodes instead.\n";

constexpr unsigned int k_kos = 3 * 64 * 1024; // whole groups, so only the last read leaves a carry

int NapakaBranja(const char *ime, int stanje) {
    return zrno_orodje::Napaka("zrno base64: %s: %s (0x%08x)\n", zrno_orodje::Ime(ime).c_str(),
                               zrno_orodje::OpisNapake(stanje), static_cast<unsigned int>(stanje));
}

// Fills the buffer as far as the input allows; false at the end of the data or on a failure.
unsigned int Napolni(RTokPodatkov &vhod, unsigned char *b, unsigned int n) {
    unsigned int skupaj = 0;
    while (skupaj < n) {
        skupaj += vhod.Preberi(b + skupaj, n - skupaj);
        if (vhod.JeKonec())
            break;
    }
    return skupaj;
}

// The lines are cut here, not by the library's Base64 filter, which writes its last group without a
// line check: the output must be coreutils' byte for byte, every line at most COLS characters.
int Kodiraj(RTokPodatkov &vhod, RTokPodatkov &izhod, const char *ime, unsigned int stolpcev) {
    static unsigned char b[k_kos];
    static char besedilo[k_kos / 3 * 4 + 8];
    static char vrstice[k_kos / 3 * 8 + 8]; // a line break after each character at most
    RBase64 kodirnik;
    unsigned int stolpec = 0; // characters on the line begun
    for (;;) {
        unsigned int n = Napolni(vhod, b, k_kos);
        bool konec = vhod.JeKonec();
        if (konec && vhod.VrniStanje() != Zrno::NAP_KONECPODATKOV)
            return NapakaBranja(ime, vhod.VrniStanje());
        const unsigned int d = kodirnik.Kodiraj(b, n, besedilo, konec);
        unsigned int m = 0;
        for (unsigned int i = 0; i < d;) {
            const unsigned int kos = stolpcev ? std::min(d - i, stolpcev - stolpec) : d - i;
            memcpy(vrstice + m, besedilo + i, kos);
            m += kos, i += kos, stolpec += kos;
            if (stolpec == stolpcev)
                vrstice[m++] = '\n', stolpec = 0;
        }
        if (konec && stolpcev && stolpec)
            vrstice[m++] = '\n';
        izhod.Zapisi(vrstice, m);
        if (izhod.JeKonec())
            return zrno_orodje::Napaka("zrno base64: writing failed (0x%08x)\n",
                                       static_cast<unsigned int>(izhod.VrniStanje()));
        if (konec)
            return 0;
    }
}

int Dekodiraj(RTokPodatkov &vhod, RTokPodatkov &izhod, const char *ime) {
    static char besedilo[k_kos + 1];
    static unsigned char b[k_kos / 4 * 3 + 3];
    RBase64 dekodirnik;
    zrno_orodje::StrogiBase64 preverjalnik;
    unsigned long long odmik = 0;
    for (;;) {
        unsigned int n = Napolni(vhod, reinterpret_cast<unsigned char *>(besedilo), k_kos);
        bool konec = vhod.JeKonec();
        if (konec && vhod.VrniStanje() != Zrno::NAP_KONECPODATKOV)
            return NapakaBranja(ime, vhod.VrniStanje());
        // Only checked text reaches the decoder; a group that the check cut short stays in its carry
        // and never comes out.
        const size_t dobrih = preverjalnik.Preveri(besedilo, n);
        besedilo[dobrih] = 0;
        bool polnilo = false;
        izhod.Zapisi(b, dekodirnik.DeKodiraj(besedilo, b, polnilo));
        if (izhod.JeKonec())
            return zrno_orodje::Napaka("zrno base64: writing failed (0x%08x)\n",
                                       static_cast<unsigned int>(izhod.VrniStanje()));
        if (dobrih < n || (konec && !preverjalnik.Konec()))
            return zrno_orodje::Napaka("zrno base64: %s: %s at offset %llu\n", zrno_orodje::Ime(ime).c_str(),
                                       preverjalnik.Napaka(), odmik + dobrih);
        odmik += n;
        if (konec)
            return 0;
    }
}

int Izvedi(int argc, char **argv) {
    bool dekodiraj = false, moznosti = true;
    unsigned long long stolpcev = 76;
    const char *ime = nullptr;
    for (int i = 0; i < argc; ++i) {
        const char *a = argv[i];
        bool dobro = true;
        if (moznosti && !strcmp(a, "--"))
            moznosti = false;
        else if (moznosti && !strcmp(a, "-d"))
            dekodiraj = true;
        else if (moznosti && !strcmp(a, "-w"))
            dobro = i + 1 < argc && zrno_orodje::Stevilo(argv[++i], 0x7FFFFFFF, &stolpcev);
        else if ((!moznosti || a[0] != '-' || !a[1]) && !ime)
            ime = a;
        else
            dobro = false;
        if (!dobro)
            return zrno_orodje::NapacnaUporaba(k_navodila, "base64: bad argument '%s'", a);
    }
    if (!ime)
        ime = "-";
    zrno_orodje::Vhod vhod(ime);
    if (vhod.JeKonec())
        return NapakaBranja(ime, vhod.VrniStanje());
    RSisTokPodatkov izhod(GetStdHandle(STD_OUTPUT_HANDLE));
    int r = dekodiraj ? Dekodiraj(vhod, izhod, ime)
                      : Kodiraj(vhod, izhod, ime, static_cast<unsigned int>(stolpcev));
    izhod.Odpusti(); // standard output stays open
    return r;
}

} // namespace

ZRNO_UKAZ(base64, "encode or decode Base64", k_navodila, Izvedi)
