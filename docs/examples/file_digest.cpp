// The digest of a file: CRC-32 and SHA-256 at once, two digest filters stacked over a disk file,
// checked against the standards' values for "123456789".
#include <stdio.h>
#include <string.h>
#include <zrno.h>

int main() {
    RFizDatoteka izhod("digest.txt", DAT_PISANJE | DAT_USTVARI);
    izhod.Zapisi("123456789", 9);
    izhod.Zapri();

    //! [digest]
    RFizDatoteka datoteka("digest.txt", DAT_BRANJE | DAT_DELI_BRANJE);
    if (datoteka.JeKonec())
        return 1;
    RCRC32 crc;
    RSHA256 sha;
    ROdtisnikToka odtisSha(sha, &datoteka);
    ROdtisnikToka odtisCrc(crc, &odtisSha); // every byte read passes both digests
    char medpomnilnik[4096];
    while (odtisCrc.Preberi(medpomnilnik, sizeof medpomnilnik) != 0) {
    }
    const bool konec = odtisCrc.VrniStanje() == Zrno::NAP_KONECPODATKOV;
    odtisCrc.Odpusti(); // each Odpusti finishes its digest
    odtisSha.Odpusti();
    //! [digest]
    datoteka.Zapri();
    Zrno::ZbrisiDatoteko("digest.txt");

    static const unsigned char pricakovano[32] = {
        0x15, 0xe2, 0xb0, 0xd3, 0xc3, 0x38, 0x91, 0xeb, 0xb0, 0xf1, 0xef, 0x60, 0x9e, 0xc4, 0x19, 0x42,
        0x0c, 0x20, 0xe3, 0x20, 0xce, 0x94, 0xc6, 0x5f, 0xbc, 0x8c, 0x33, 0x12, 0x44, 0x8e, 0xb2, 0x25};
    printf("CRC-32 %08lx, SHA-256 %s\n", crc.Vrni(),
           memcmp(sha.Vrni().Bajti, pricakovano, 32) == 0 ? "agrees" : "differs");
    return konec && crc.Vrni() == 0xCBF43926 && memcmp(sha.Vrni().Bajti, pricakovano, 32) == 0 ? 0 : 2;
}
