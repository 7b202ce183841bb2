// zrno base64 [-d] [-w COLS] [FILE]: Base64 of a file or standard input on standard output, lines of
// COLS characters (76 unless given; 0 does not wrap) when encoding. Decoding takes strict RFC 4648 text
// with white space anywhere, and stops with a message at the first fault, after writing the bytes of
// the whole groups before it.
#include "base64strogo.h"
#include "ukaz.h"
#include "vhod.h"
#include <stdio.h>
#include <stdlib.h>
#include <zrno/streams.h>

namespace {

const char k_navodila[] =
    "usage: zrno base64 [-d] [-w COLS] [FILE]\n"
    "Encodes FILE (standard input when none or -) as Base64 on standard output, in lines\n"
    "of COLS characters (a multiple of 4, default 76; 0 for one line); -d decodes\n"
    "instead.\n";

constexpr unsigned int k_kos = 3 * 64 * 1024; // whole groups, so only the last read leaves a carry

int NapakaBranja(const char *ime, int stanje) {
    fprintf(stderr, "zrno base64: %s: %s (0x%08x)\n", ime, zrno_orodje::OpisNapake(stanje),
            static_cast<unsigned int>(stanje));
    return 1;
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

int Kodiraj(RTokPodatkov &vhod, RTokPodatkov &izhod, const char *ime, unsigned int stolpcev) {
    static unsigned char b[k_kos];
    static char besedilo[k_kos / 3 * 4 + 8];
    RBase64 kodirnik;
    // Lines come from the library's Base64 filter, which separates them and hands its target one byte
    // at a time: each piece's lines gather in memory and leave in one write.
    RPomDatoteka vrstice(k_kos / 3 * 5 + 8);
    RBase64Tok filter(stolpcev / 4, &vrstice);
    if (vrstice.VrniStanje() < 0) { // the reservation holds a whole piece's lines: it never grows
        fprintf(stderr, "zrno base64: out of memory\n");
        return 1;
    }
    bool kaj = false;
    for (;;) {
        unsigned int n = Napolni(vhod, b, k_kos);
        bool konec = vhod.JeKonec();
        if (konec && vhod.VrniStanje() != Zrno::NAP_KONECPODATKOV)
            return NapakaBranja(ime, vhod.VrniStanje());
        if (!stolpcev) {
            izhod.Zapisi(besedilo, kodirnik.Kodiraj(b, n, besedilo, konec));
        } else {
            filter.Zapisi(b, n);
            kaj = kaj || n;
            if (konec) {
                filter.Odpusti(); // the padded last group
                if (kaj)
                    vrstice.Zapisi("\n", 1);
            }
            izhod.Zapisi(vrstice.VrniPodatke(), static_cast<unsigned int>(vrstice.VrniDolzino()));
            vrstice.PrestaviZac(0);
            vrstice.PostaviKonec();
        }
        if (izhod.JeKonec()) {
            fprintf(stderr, "zrno base64: writing failed (0x%08x)\n",
                    static_cast<unsigned int>(izhod.VrniStanje()));
            return 1;
        }
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
        if (izhod.JeKonec()) {
            fprintf(stderr, "zrno base64: writing failed (0x%08x)\n",
                    static_cast<unsigned int>(izhod.VrniStanje()));
            return 1;
        }
        if (dobrih < n || (konec && !preverjalnik.Konec())) {
            fprintf(stderr, "zrno base64: %s: %s at offset %llu\n", ime, preverjalnik.Napaka(),
                    odmik + dobrih);
            return 1;
        }
        odmik += n;
        if (konec)
            return 0;
    }
}

int Izvedi(int argc, char **argv) {
    bool dekodiraj = false;
    long stolpcev = 76;
    const char *ime = nullptr;
    for (int i = 0; i < argc; ++i) {
        const char *a = argv[i];
        if (!strcmp(a, "--help")) {
            fputs(k_navodila, stdout);
            return 0;
        }
        bool dobro = true;
        if (!strcmp(a, "-d")) {
            dekodiraj = true;
        } else if (!strcmp(a, "-w")) {
            unsigned long long n = 0;
            dobro =
                i + 1 < argc && zrno_orodje::Stevilo(argv[++i], 0x7FFFFFFF, &n) && n % 4 == 0; // whole groups
            stolpcev = static_cast<long>(n);
        } else if ((a[0] != '-' || !a[1]) && !ime) {
            ime = a;
        } else {
            dobro = false;
        }
        if (!dobro) {
            fprintf(stderr, "zrno base64: bad argument '%s'\n%s", a, k_navodila);
            return 2;
        }
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

ZRNO_UKAZ(base64, "encode or decode Base64", Izvedi)
