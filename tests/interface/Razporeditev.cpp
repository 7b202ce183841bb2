// The layout of the exported records and of the classes whose fields the interface fixes, checked at
// compile time for both targets: 32-bit programs cannot run here, so this is all the i686 build can
// prove. The expected values follow from the documented field lists under mingw-w64 GCC's rules (the
// Itanium C++ ABI with Microsoft's alignment of 64-bit integers, 8 on both targets):
// - a dynamic class starts with its vptr; a base that holds nothing but a vptr and virtual bases
//   (RElement, RIzpElement, RDatoteka, RSisTokPodatkov, the string layers above RNizP) becomes the
//   primary base of the first class that reaches it and shares its vptr: an RNizA is one vptr and one
//   storage part;
// - a class with virtual bases lays out its vptr and its own fields, then each virtual base in
//   depth-first order (only the non-virtual part of each, from its first field's alignment);
// - a field may start in the tail padding of a base (RVticnica's socket after the state).
// The pairs below read (x86_64, i686).
#include <zrno.h>

#include <stddef.h>

namespace {
constexpr bool P8 = sizeof(void *) == 8;
}

#define VELIKOST(tip, x64, x86) static_assert(sizeof(tip) == (P8 ? x64 : x86), "sizeof " #tip)
#define ODMIK(tip, polje, x64, x86)                                                                          \
    static_assert(offsetof(tip, polje) == (P8 ? x64 : x86), "offsetof " #tip "::" #polje)

// ---- Exported records ----
VELIKOST(T_NAJDENADATOTEKA, 328, 320);
ODMIK(T_NAJDENADATOTEKA, Atributi, 0, 0);
ODMIK(T_NAJDENADATOTEKA, Velikost, 8, 8);
ODMIK(T_NAJDENADATOTEKA, CasUstvarjanja, 16, 16);
ODMIK(T_NAJDENADATOTEKA, CasDostopa, 24, 24);
ODMIK(T_NAJDENADATOTEKA, CasSpremembe, 32, 32);
ODMIK(T_NAJDENADATOTEKA, KratkoIme, 40, 40);
ODMIK(T_NAJDENADATOTEKA, Pot, 54, 54);
ODMIK(T_NAJDENADATOTEKA, Ime, 320, 316);

VELIKOST(T_SGML_ENTITETA, 16, 8);
ODMIK(T_SGML_ENTITETA, ime, 0, 0);
ODMIK(T_SGML_ENTITETA, koda, 8, 4);

VELIKOST(T_BINBLOK, 16, 8);
ODMIK(T_BINBLOK, Velikost, 0, 0);
ODMIK(T_BINBLOK, Podatki, 8, 4);

VELIKOST(T_ODTIS_MD2, 16, 16);
VELIKOST(T_ODTIS_SHA, 20, 20);

VELIKOST(T_DATUM, 12, 12);
ODMIK(T_DATUM, Milisekunde, 0, 0);
ODMIK(T_DATUM, Sekunda, 2, 2);
ODMIK(T_DATUM, Minuta, 3, 3);
ODMIK(T_DATUM, Ura, 4, 4);
ODMIK(T_DATUM, Dan, 5, 5);
ODMIK(T_DATUM, Mesec, 6, 6);
ODMIK(T_DATUM, Leto, 8, 8);

VELIKOST(T_KNJIZNICAVIROV, 32, 20);
ODMIK(T_KNJIZNICAVIROV, KodaJezika, 0, 0);
ODMIK(T_KNJIZNICAVIROV, Jezik, 4, 4);
ODMIK(T_KNJIZNICAVIROV, Modul, 8, 8);
ODMIK(T_KNJIZNICAVIROV, Opis, 16, 12);
ODMIK(T_KNJIZNICAVIROV, Datoteka, 24, 16);

VELIKOST(RRegisterServisov::T_SERVIS, 24, 12);
ODMIK(RRegisterServisov::T_SERVIS, Ime, 0, 0);
ODMIK(RRegisterServisov::T_SERVIS, Funkcija, 8, 4);
ODMIK(RRegisterServisov::T_SERVIS, Nit, 16, 8);

// The system's SERVICE_STATUS, seven 32-bit fields on both targets.
VELIKOST(T_ZAPISSTATUSA, 28, 28);
ODMIK(T_ZAPISSTATUSA, TipServisa, 0, 0);
ODMIK(T_ZAPISSTATUSA, TrenutnoStanje, 4, 4);
ODMIK(T_ZAPISSTATUSA, SprejeteKontrole, 8, 8);
ODMIK(T_ZAPISSTATUSA, IzhodnaKoda, 12, 12);
ODMIK(T_ZAPISSTATUSA, KodaServisa, 16, 16);
ODMIK(T_ZAPISSTATUSA, KontrolnaTocka, 20, 20);
ODMIK(T_ZAPISSTATUSA, CakalniNamig, 24, 24);

// ---- Classes ----
// Their sizes, and the offsets of the fields that derived classes or inline code of the public headers
// reach; private fields that only the DLL touches may move.
struct PreverjanjeRazporeditve {
    // Roots.
    VELIKOST(RElement, 8, 4);
    VELIKOST(RIzpElement, 8, 4);
    VELIKOST(RSisElement, 16, 8);
    ODMIK(RSisElement, m_rocica, 8, 4);

    VELIKOST(RIskalnikDatotek, 608, 596);
    ODMIK(RIskalnikDatotek, m_cakajoci, 280, 272); // WIN32_FIND_DATAA, 320 bytes

    // Strings: the layers above the storage add nothing but a shared vptr.
    using NizP = RNizP<char>;
    using NizPU = RNizP<unsigned short>;
    VELIKOST(NizP, 24, 16);
    VELIKOST(NizPU, 24, 16);
    ODMIK(NizP, m_niz, 8, 4);
    ODMIK(NizP, m_dolzina, 16, 8);
    ODMIK(NizP, m_kapaciteta, 20, 12);
    VELIKOST(RNizA, 32, 20);
    VELIKOST(RNizU, 32, 20);

    // Streams.
    VELIKOST(RTokPodatkov, 16, 8);
    ODMIK(RTokPodatkov, m_stanje, 8, 4);
    VELIKOST(RDatoteka, 24, 12);

    VELIKOST(RPomDatoteka, 48, 32);
    ODMIK(RPomDatoteka, m_podatki, 8, 4);
    ODMIK(RPomDatoteka, m_polozaj, 20, 12);
    ODMIK(RPomDatoteka, m_dolzina, 24, 16);

    VELIKOST(RSisTokPodatkov, 40, 20);
    VELIKOST(RFizDatoteka, 48, 24);

    VELIKOST(RMedpomnilnik, 72, 48);
    ODMIK(RMedpomnilnik, m_datoteka, 8, 4);
    ODMIK(RMedpomnilnik, m_medpomnilnik, 16, 8);
    ODMIK(RMedpomnilnik, m_drzano, 24, 12);
    ODMIK(RMedpomnilnik, m_velikost, 28, 16);
    ODMIK(RMedpomnilnik, m_spremenjen, 32, 20);
    ODMIK(RMedpomnilnik, m_odmikBloka, 40, 24);
    ODMIK(RMedpomnilnik, m_polozaj, 48, 32);
    VELIKOST(RMedFizDatoteka, 128, 80);
    ODMIK(RMedFizDatoteka, m_datotekaFiz, 8, 4);

    VELIKOST(RPretvornikToka, 32, 16);
    ODMIK(RPretvornikToka, m_cilj, 8, 4);

    VELIKOST(RIzravnalnik, 88, 52);
    ODMIK(RIzravnalnik, m_branje, 8, 4);
    ODMIK(RIzravnalnik, m_velBranja, 16, 8);
    ODMIK(RIzravnalnik, m_polnBranja, 20, 12);
    ODMIK(RIzravnalnik, m_indeksBranja, 24, 16);
    ODMIK(RIzravnalnik, m_pisanje, 32, 20);
    ODMIK(RIzravnalnik, m_velPisanja, 40, 24);
    ODMIK(RIzravnalnik, m_polnPisanja, 44, 28);
    ODMIK(RIzravnalnik, m_oddanoPisanja, 48, 32);
    VELIKOST(RIzrSisTokPodatkov, 136, 76);
    ODMIK(RIzrSisTokPodatkov, m_tok, 8, 4);

    VELIKOST(RBase64, 24, 20);
    ODMIK(RBase64, m_kodPrenos, 8, 4);
    ODMIK(RBase64, m_kodStevilo, 12, 8);
    ODMIK(RBase64, m_dekPrenos, 16, 12);
    ODMIK(RBase64, m_dekStevilo, 20, 16);
    VELIKOST(RBase64Tok, 88, 60);
    ODMIK(RBase64Tok, m_skupina, 8, 4);
    ODMIK(RBase64Tok, m_indeksSkupine, 12, 8);
    ODMIK(RBase64Tok, m_ostanekSkupine, 16, 12);
    ODMIK(RBase64Tok, m_skupinVrstice, 20, 16);
    ODMIK(RBase64Tok, m_skupinNaVrstici, 24, 20);

    VELIKOST(RFifoTokPodatkov, 80, 48);
    ODMIK(RFifoTokPodatkov, m_dolzina, 12, 8);

    VELIKOST(RKanal, 88, 44);
    ODMIK(RKanal, Pisanje, 8, 4);
    ODMIK(RKanal, Branje, 48, 24);
    VELIKOST(RVticnica, 16, 12);
    ODMIK(RVticnica, m_vticnica, 12, 8);

    // Digests.
    VELIKOST(ROdtisnik, 8, 4);
    VELIKOST(RCRC32, 16, 8);
    ODMIK(RCRC32, m_register, 8, 4);
    VELIKOST(RBlokovniOdtisnik, 80, 76);
    ODMIK(RBlokovniOdtisnik, m_bitov, 8, 4);
    ODMIK(RBlokovniOdtisnik, m_blok, 16, 12);
    VELIKOST(RMD5, 112, 108);
    ODMIK(RMD5, m_h, 80, 76);
    ODMIK(RMD5, m_rezultat, 96, 92);
    VELIKOST(RSHA1, 120, 116);
    ODMIK(RSHA1, m_h, 80, 76);
    ODMIK(RSHA1, m_rezultat, 100, 96);
    VELIKOST(ROdtisnikToka, 40, 20);
    ODMIK(ROdtisnikToka, m_odtisnik, 16, 8);

    // Threads.
    VELIKOST(RSinhronizator, 16, 8);
    VELIKOST(RDogodek, 16, 8);
    VELIKOST(RSemafor, 16, 8);
    VELIKOST(RNevarenOdsek, 16, 8);
    VELIKOST(RCasomer, 16, 8);
    VELIKOST(RCakalnik, 24, 12);
    VELIKOST(RMultiCakalnik, 40, 20);
    ODMIK(RMultiCakalnik, m_stevilo, 32, 16);
    VELIKOST(RNit, 24, 12);
    ODMIK(RNit, m_koda, 16, 8);
    VELIKOST(RDogNit, 24, 12);
    VELIKOST(RStopnjaCevovoda, 32, 16);
    ODMIK(RStopnjaCevovoda, m_naslednja, 24, 12);
    VELIKOST(RCasovnaPast, 48, 24);
    ODMIK(RCasovnaPast, m_casomer, 24, 12);
    ODMIK(RCasovnaPast, m_konec, 40, 20);

    // Registry, logs, services.
    using TabelaZnakov = RDinTabela<char>;
    VELIKOST(TabelaZnakov, 24, 16);
    ODMIK(TabelaZnakov, m_podatki, 8, 4);
    ODMIK(TabelaZnakov, m_stevilo, 16, 8);
    ODMIK(TabelaZnakov, m_kapaciteta, 20, 12);
    VELIKOST(RDnevnik, 24, 12);
    ODMIK(RDnevnik, m_kategorija, 8, 4);
    ODMIK(RDnevnik, m_vir, 16, 8);
    VELIKOST(RDnevnikDat, 64, 36);
    ODMIK(RDnevnikDat, m_tok, 24, 12);
    ODMIK(RDnevnikDat, m_odsek, 32, 16);
    ODMIK(RDnevnikDat, m_modul, 48, 24);
    ODMIK(RDnevnikDat, m_jezik, 56, 28);
    ODMIK(RDnevnikDat, m_kodnaStran, 60, 32);
    VELIKOST(ROskrbnikServisov, 16, 8);
    VELIKOST(RServis, 16, 8);
    VELIKOST(RServisImpl, 72, 52);
    ODMIK(RServisImpl, m_statusRocica, 24, 12);
    ODMIK(RServisImpl, m_status, 32, 16);
    ODMIK(RServisImpl, m_stevilo, 60, 44);
    ODMIK(RServisImpl, m_argumenti, 64, 48);
    VELIKOST(RRegisterServisov, 56, 32);
    ODMIK(RRegisterServisov, m_servisi, 8, 4);

    // Containers: a node pointer or two after the heap part of RZbirka.
    using Zbirka = RZbirka<T_BINBLOK>;
    using Sklad = RSklad<T_BINBLOK>;
    using Seznam = RSeznam<T_BINBLOK>;
    VELIKOST(Zbirka, 32, 20);
    ODMIK(Zbirka, m_kopica, 8, 4);
    ODMIK(Zbirka, m_prosti, 16, 8);
    ODMIK(Zbirka, m_velikostBloka, 24, 12);
    ODMIK(Zbirka, m_stevilo, 28, 16);
    VELIKOST(Sklad, 40, 24);
    ODMIK(Sklad, m_prvi, 32, 20);
    VELIKOST(Seznam, 48, 28);
    ODMIK(Seznam, m_zadnji, 40, 24);
    VELIKOST(RBazaVirov, 48, 28);

    // Dates and progress.
    VELIKOST(RDatum, 16, 16);
    ODMIK(RDatum, m_vrednost, 8, 8);
    VELIKOST(RKazalnikNapredka, 8, 4);
    VELIKOST(RCasKazalnikNapredka, 32, 24);
    ODMIK(RCasKazalnikNapredka, m_interval, 8, 4);
    ODMIK(RCasKazalnikNapredka, m_zadnjiCas, 12, 8);
    ODMIK(RCasKazalnikNapredka, m_spodnja, 16, 12);
    ODMIK(RCasKazalnikNapredka, m_zgornja, 20, 16);
    ODMIK(RCasKazalnikNapredka, m_zadnjiPolozaj, 24, 20);
    VELIKOST(RGlobalniKazalnikNapredka, 40, 32);
    ODMIK(RGlobalniKazalnikNapredka, m_cilj, 8, 4);
    ODMIK(RGlobalniKazalnikNapredka, m_lokalnaSpodnja, 16, 8);
    ODMIK(RGlobalniKazalnikNapredka, m_lokalnaZgornja, 20, 12);
    ODMIK(RGlobalniKazalnikNapredka, m_globalnaSpodnja, 24, 16);
    ODMIK(RGlobalniKazalnikNapredka, m_globalnaZgornja, 28, 20);
    ODMIK(RGlobalniKazalnikNapredka, m_odsekSpodnja, 32, 24);
    ODMIK(RGlobalniKazalnikNapredka, m_odsekZgornja, 36, 28);
};
