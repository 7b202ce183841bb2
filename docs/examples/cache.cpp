// A stream chain of two links: a one-block cache over a disk file. Small writes and line reads cost a
// memory copy; the disk sees whole blocks.
#include <stdio.h>
#include <string.h>
#include <zrno.h>

int main() {
    //! [write]
    RMedFizDatoteka datoteka("cache.txt", DAT_PISANJE | DAT_USTVARI, 4096); // one 4 KiB block
    if (datoteka.JeKonec()) // a constructor leaves its outcome in the state
        return 1;
    unsigned long long zapisano = 0;
    for (unsigned int i = 1; i <= 1000; ++i)
        zapisano += datoteka.ZapisiObl("line %u\n", i);
    if (datoteka.Izplakni() < 0) // the changed block goes to the disk
        return 2;
    //! [write]

    //! [read]
    datoteka.PrestaviZac(0);
    RNizA vrstica, zadnja;
    unsigned int vrstic = 0;
    do {
        datoteka.PreberiVrstico(vrstica); // LF ends a line; the last one may come with the end
        if (!vrstica.JePrazen()) {
            ++vrstic;
            zadnja = vrstica;
        }
    } while (!datoteka.JeKonec());
    const bool konec = datoteka.VrniStanje() == Zrno::NAP_KONECPODATKOV; // the end, not a failure
    datoteka.Zapri(); // writes back, closes the file; the buffer stays for another Odpri
    //! [read]

    RFizDatoteka disk("cache.txt", DAT_BRANJE);
    const unsigned long long dolzina = disk.VrniDolzino();
    disk.Zapri();
    Zrno::ZbrisiDatoteko("cache.txt");
    printf("%u lines, the last \"%s\", %llu bytes on disk\n", vrstic, static_cast<char const *>(zadnja),
           dolzina);
    return konec && vrstic == 1000 && strcmp(zadnja, "line 1000") == 0 && dolzina == zapisano ? 0 : 3;
}
