// Getting started: the library's version, a start of your own, a block of the private heap and a
// result code. Build it as examples/consumer is built; it returns 0 when every step gave what it should.
#include <stdio.h>
#include <string.h>
#include <zrno.h>

int main() {
    //! [version]
    unsigned int packed, major, minor;
    char *text; // a constant inside the library: never free or change it
    Zrno::VrniVerzijo(&packed, &major, &minor, nullptr, nullptr, &text);
    printf("Zrno %s (0x%08x) on system class 0x%x\n", text, packed, Zrno::VrniVerzijoOS());
    //! [version]
    if (packed != 0x01120000 || major != 1 || minor != 18 || strcmp(text, "1.18") != 0)
        return 1;

    //! [start]
    // Loading the DLL started the library; a start of your own only counts up, and its Zakljuci
    // undoes just that one.
    if (Zrno::Vzpostavi() < 0)
        return 2;
    const int konec = Zrno::Zakljuci();
    //! [start]
    if (konec != Zrno::OK)
        return 3;

    //! [memory]
    char *blok = static_cast<char *>(Zrno::RezervirajPomnilnik(nullptr, 100));
    if (!blok)
        return 4;
    memset(blok, 'z', 100);
    // Growing: on refusal the result is null and the old block stays valid and unchanged.
    char *vecji = static_cast<char *>(Zrno::RezervirajPomnilnik(blok, 100000));
    if (vecji)
        blok = vecji;
    const bool ohranjen = blok[99] == 'z';
    Zrno::SprostiPomnilnik(blok);
    //! [memory]
    if (!vecji || !ohranjen)
        return 5;

    //! [result]
    RFizDatoteka datoteka;
    const int r = datoteka.Odpri("no such file.txt", DAT_BRANJE);
    if (r < 0) // test failures by the sign; the codes say which
        printf("open: 0x%08x%s\n", static_cast<unsigned int>(r),
               r == Zrno::NAP_NIDATOTEKE ? " (file not found)" : "");
    //! [result]
    return r == Zrno::NAP_NIDATOTEKE ? 0 : 6;
}
