// The consumer of the installed package: the library's version, and an MD5 through a digesting filter
// over a memory file, checked against RFC 1321's digest of "abc".
#include <stdio.h>
#include <string.h>
#include <zrno.h>

int main() {
    char *verzija;
    Zrno::VrniVerzijo(nullptr, nullptr, nullptr, nullptr, nullptr, &verzija);

    RPomDatoteka datoteka;
    datoteka.Zapisi("abc", 3);
    datoteka.PrestaviZac(0);
    RMD5 md5;
    ROdtisnikToka odtis(md5, &datoteka);
    char medpomnilnik[8];
    while (odtis.Preberi(medpomnilnik, sizeof medpomnilnik) && !odtis.JeKonec()) {
    }
    odtis.Odpusti();

    static const unsigned char abc[16] = {0x90, 0x01, 0x50, 0x98, 0x3c, 0xd2, 0x4f, 0xb0,
                                          0xd6, 0x96, 0x3f, 0x7d, 0x28, 0xe1, 0x7f, 0x72};
    const bool prav = memcmp(md5.Vrni().Bajti, abc, 16) == 0;
    printf("Zrno %s from the installed package: MD5(\"abc\") %s\n", verzija, prav ? "agrees" : "differs");
    return prav ? 0 : 1;
}
