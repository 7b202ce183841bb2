// Strings and code pages: RNizA holds code-page text, RNizU UTF-16; conversions use code page 1250
// unless told otherwise, and UTF-8 is code page 65001. Case and formatting use the library's locale.
#include <stdio.h>
#include <string.h>
#include <zrno.h>

int main() {
    //! [convert]
    RNizA mesto("\x8Akofja Loka"); // "Škofja Loka" in code page 1250 (0x8A is Š)
    RNizU siroko(mesto);           // UTF-16 through code page 1250
    if (siroko.VrniDolzino() != 11 || siroko[0] != 0x0160)
        return 1;
    //! [convert]

    //! [utf8]
    RNizA utf8;
    utf8.NastaviU(siroko, 0xFFFFFFFF, KN_UTF8); // 12 bytes: Š takes two, C5 A0
    RNizU nazaj;
    nazaj.NastaviA(utf8, 0xFFFFFFFF, KN_UTF8); // and back, exactly
    if (utf8.VrniDolzino() != 12 || memcmp(utf8, "\xC5\xA0kofja Loka", 12) != 0 ||
        nazaj.Primerjaj(siroko) != 0)
        return 2;
    //! [utf8]

    //! [locale]
    RNizA velike(mesto);
    velike.VVelike(); // code page 1250's upper case, whatever the program's setlocale says
    const unsigned int najdeno = mesto.NajdiI("LOKA"); // 7; 0xFFFFFFFF when not found
    RNizA vrstica;
    vrstica.Oblikuj("%s: %u bytes in UTF-8, found at %u", static_cast<char const *>(velike),
                    utf8.VrniDolzino(), najdeno);
    //! [locale]
    printf("%s\n", static_cast<char const *>(vrstica));
    return strcmp(velike, "\x8AKOFJA LOKA") == 0 && najdeno == 7 &&
                   strcmp(vrstica, "\x8AKOFJA LOKA: 12 bytes in UTF-8, found at 7") == 0
               ? 0
               : 3;
}
