// Settings from the registry and a log in a file, as a service keeps them: a key under
// HKEY_CURRENT_USER\Software\ZrnoPrimer (deleted at the end) and RDnevnikDat over a cached disk file.
#include <stdio.h>
#include <string.h>
#include <windows.h>
#include <zrno.h>

int main() {
    //! [registry]
    RRegister kljuc;
    if (kljuc.Ustvari(HKEY_CURRENT_USER, "Software\\ZrnoPrimer", KEY_ALL_ACCESS) < 0)
        return 1;
    kljuc.Zapisi("Port", 7878ul);
    kljuc.Zapisi("LogFile", "primer.log");
    unsigned long vrata = 0, niti = 64; // a missing value keeps its default
    RNizA pot;
    const int r1 = kljuc.Preberi("Port", vrata);
    const int r2 = kljuc.Preberi("LogFile", pot);
    const int r3 = kljuc.Preberi("Threads", niti); // NAP_NIDATOTEKE: no such value
    kljuc.Zapri();                                 // nothing closes a key implicitly
    //! [registry]

    //! [log]
    RMedFizDatoteka datoteka(pot, DAT_PISANJE | DAT_USTVARI | DAT_OHRANI | DAT_DELI_BRANJE, 4096);
    datoteka.PrestaviKon(0); // append
    RDnevnikDat dnevnik(0, "ZrnoPrimer");
    dnevnik.Uporabi(&datoteka);
    const int r4 = dnevnik.Zapisi(DNEVNIK_OBVESTILO, "started on port %lu, %lu threads", vrata, niti);
    dnevnik.Uporabi(nullptr); // detach before the stream goes
    datoteka.Zapri();
    //! [log]

    RFizDatoteka vhod(pot, DAT_BRANJE);
    RNizA vrstica;
    vhod.PreberiVrstico(vrstica); // "yyyy/mm/dd<TAB>hh:mm:ss<TAB>5<TAB>ZrnoPrimer: started ..."
    vhod.Zapri();
    Zrno::ZbrisiDatoteko(pot);
    RRegister software;
    software.Odpri(HKEY_CURRENT_USER, "Software", KEY_ALL_ACCESS);
    const int r5 = software.BrisiPodkljuc("ZrnoPrimer");
    software.Zapri();

    printf("%s\n", static_cast<char const *>(vrstica));
    static const char konec[] = "\t5\tZrnoPrimer: started on port 7878, 64 threads";
    const bool prav = vrstica.VrniDolzino() == 19 + strlen(konec) && vrstica.Najdi(konec) == 19;
    return r1 == 0 && r2 == 0 && r3 == Zrno::NAP_NIDATOTEKE && r4 == 0 && r5 == 0 && prav ? 0 : 2;
}
