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
// A class's size, then each field as (name, x86_64, i686); up to eight fields.
#define RAZPOREDITEV(tip, x64, x86, ...)                                                                     \
    VELIKOST(tip, x64, x86);                                                                                 \
    ODMIKI_(__VA_ARGS__, 8, _, _, 7, _, _, 6, _, _, 5, _, _, 4, _, _, 3, _, _, 2, _, _, 1, _, _)             \
    (tip, __VA_ARGS__)
#define ODMIKI_(a1, b1, c1, a2, b2, c2, a3, b3, c3, a4, b4, c4, a5, b5, c5, a6, b6, c6, a7, b7, c7, a8, b8,  \
                c8, n, ...)                                                                                  \
    ODMIK##n
#define ODMIK1(tip, polje, x64, x86)                                                                         \
    static_assert(offsetof(tip, polje) == (P8 ? x64 : x86), "offsetof " #tip "::" #polje);
#define ODMIK2(t, p, a, b, ...) ODMIK1(t, p, a, b) ODMIK1(t, __VA_ARGS__)
#define ODMIK3(t, p, a, b, ...) ODMIK1(t, p, a, b) ODMIK2(t, __VA_ARGS__)
#define ODMIK4(t, p, a, b, ...) ODMIK1(t, p, a, b) ODMIK3(t, __VA_ARGS__)
#define ODMIK5(t, p, a, b, ...) ODMIK1(t, p, a, b) ODMIK4(t, __VA_ARGS__)
#define ODMIK6(t, p, a, b, ...) ODMIK1(t, p, a, b) ODMIK5(t, __VA_ARGS__)
#define ODMIK7(t, p, a, b, ...) ODMIK1(t, p, a, b) ODMIK6(t, __VA_ARGS__)
#define ODMIK8(t, p, a, b, ...) ODMIK1(t, p, a, b) ODMIK7(t, __VA_ARGS__)

// ---- Exported records ----
RAZPOREDITEV(T_NAJDENADATOTEKA, 328, 320, Atributi, 0, 0, Velikost, 8, 8, CasUstvarjanja, 16, 16, CasDostopa,
             24, 24, CasSpremembe, 32, 32, KratkoIme, 40, 40, Pot, 54, 54, Ime, 320, 316);

RAZPOREDITEV(T_SGML_ENTITETA, 16, 8, ime, 0, 0, koda, 8, 4);

RAZPOREDITEV(T_BINBLOK, 16, 8, Velikost, 0, 0, Podatki, 8, 4);

VELIKOST(T_ODTIS_MD2, 16, 16);
VELIKOST(T_ODTIS_SHA, 20, 20);

RAZPOREDITEV(T_DATUM, 12, 12, Milisekunde, 0, 0, Sekunda, 2, 2, Minuta, 3, 3, Ura, 4, 4, Dan, 5, 5, Mesec, 6,
             6, Leto, 8, 8);

RAZPOREDITEV(T_KNJIZNICAVIROV, 32, 20, KodaJezika, 0, 0, Jezik, 4, 4, Modul, 8, 8, Opis, 16, 12, Datoteka, 24,
             16);

RAZPOREDITEV(RRegisterServisov::T_SERVIS, 24, 12, Ime, 0, 0, Funkcija, 8, 4, Nit, 16, 8);

// The system's SERVICE_STATUS, seven 32-bit fields on both targets.
RAZPOREDITEV(T_ZAPISSTATUSA, 28, 28, TipServisa, 0, 0, TrenutnoStanje, 4, 4, SprejeteKontrole, 8, 8,
             IzhodnaKoda, 12, 12, KodaServisa, 16, 16, KontrolnaTocka, 20, 20, CakalniNamig, 24, 24);

// ---- Classes ----
// Their sizes, and the offsets of the fields that derived classes or inline code of the public headers
// reach; private fields that only the DLL touches may move.
struct PreverjanjeRazporeditve {
    // Roots.
    VELIKOST(RElement, 8, 4);
    VELIKOST(RIzpElement, 8, 4);
    RAZPOREDITEV(RSisElement, 16, 8, m_rocica, 8, 4);

    RAZPOREDITEV(RIskalnikDatotek, 608, 596, m_cakajoci, 280, 272); // WIN32_FIND_DATAA, 320 bytes

    // Strings: the layers above the storage add nothing but a shared vptr.
    using NizP = RNizP<char>;
    using NizPU = RNizP<unsigned short>;
    RAZPOREDITEV(NizP, 24, 16, m_niz, 8, 4, m_dolzina, 16, 8, m_kapaciteta, 20, 12);
    VELIKOST(NizPU, 24, 16);
    VELIKOST(RNizA, 32, 20);
    VELIKOST(RNizU, 32, 20);

    // Streams.
    RAZPOREDITEV(RTokPodatkov, 16, 8, m_stanje, 8, 4);
    VELIKOST(RDatoteka, 24, 12);

    RAZPOREDITEV(RPomDatoteka, 48, 32, m_podatki, 8, 4, m_polozaj, 20, 12, m_dolzina, 24, 16);

    VELIKOST(RSisTokPodatkov, 40, 20);
    VELIKOST(RFizDatoteka, 48, 24);

    RAZPOREDITEV(RMedpomnilnik, 72, 48, m_datoteka, 8, 4, m_medpomnilnik, 16, 8, m_drzano, 24, 12, m_velikost,
                 28, 16, m_spremenjen, 32, 20, m_odmikBloka, 40, 24, m_polozaj, 48, 32);
    RAZPOREDITEV(RMedFizDatoteka, 128, 80, m_datotekaFiz, 8, 4);

    RAZPOREDITEV(RPretvornikToka, 32, 16, m_cilj, 8, 4);

    RAZPOREDITEV(RIzravnalnik, 88, 52, m_branje, 8, 4, m_velBranja, 16, 8, m_polnBranja, 20, 12,
                 m_indeksBranja, 24, 16, m_pisanje, 32, 20, m_velPisanja, 40, 24, m_polnPisanja, 44, 28,
                 m_oddanoPisanja, 48, 32);
    RAZPOREDITEV(RIzrSisTokPodatkov, 136, 76, m_tok, 8, 4);

    RAZPOREDITEV(RBase64, 24, 20, m_kodPrenos, 8, 4, m_kodStevilo, 12, 8, m_dekPrenos, 16, 12, m_dekStevilo,
                 20, 16);
    RAZPOREDITEV(RBase64Tok, 88, 60, m_skupina, 8, 4, m_indeksSkupine, 12, 8, m_ostanekSkupine, 16, 12,
                 m_skupinVrstice, 20, 16, m_skupinNaVrstici, 24, 20);

    RAZPOREDITEV(RFifoTokPodatkov, 80, 48, m_dolzina, 12, 8);

    RAZPOREDITEV(RKanal, 88, 44, Pisanje, 8, 4, Branje, 48, 24);
    RAZPOREDITEV(RVticnica, 16, 12, m_vticnica, 12, 8);

    // Digests.
    VELIKOST(ROdtisnik, 8, 4);
    RAZPOREDITEV(RCRC32, 16, 8, m_register, 8, 4);
    RAZPOREDITEV(RBlokovniOdtisnik, 80, 76, m_bitov, 8, 4, m_blok, 16, 12);
    RAZPOREDITEV(RMD5, 112, 108, m_h, 80, 76, m_rezultat, 96, 92);
    RAZPOREDITEV(RSHA1, 120, 116, m_h, 80, 76, m_rezultat, 100, 96);
    RAZPOREDITEV(ROdtisnikToka, 40, 20, m_odtisnik, 16, 8);

    // Threads.
    VELIKOST(RSinhronizator, 16, 8);
    VELIKOST(RDogodek, 16, 8);
    VELIKOST(RSemafor, 16, 8);
    VELIKOST(RNevarenOdsek, 16, 8);
    VELIKOST(RCasomer, 16, 8);
    VELIKOST(RCakalnik, 24, 12);
    RAZPOREDITEV(RMultiCakalnik, 40, 20, m_stevilo, 32, 16);
    RAZPOREDITEV(RNit, 24, 12, m_koda, 16, 8);
    VELIKOST(RDogNit, 24, 12);
    RAZPOREDITEV(RStopnjaCevovoda, 32, 16, m_naslednja, 24, 12);
    RAZPOREDITEV(RCasovnaPast, 48, 24, m_casomer, 24, 12, m_konec, 40, 20);

    // Registry, logs, services.
    using TabelaZnakov = RDinTabela<char>;
    RAZPOREDITEV(TabelaZnakov, 24, 16, m_podatki, 8, 4, m_stevilo, 16, 8, m_kapaciteta, 20, 12);
    RAZPOREDITEV(RDnevnik, 24, 12, m_kategorija, 8, 4, m_vir, 16, 8);
    RAZPOREDITEV(RDnevnikDat, 64, 36, m_tok, 24, 12, m_odsek, 32, 16, m_modul, 48, 24, m_jezik, 56, 28,
                 m_kodnaStran, 60, 32);
    VELIKOST(ROskrbnikServisov, 16, 8);
    VELIKOST(RServis, 16, 8);
    RAZPOREDITEV(RServisImpl, 72, 52, m_statusRocica, 24, 12, m_status, 32, 16, m_stevilo, 60, 44,
                 m_argumenti, 64, 48);
    RAZPOREDITEV(RRegisterServisov, 56, 32, m_servisi, 8, 4);

    // Containers: a node pointer or two after the heap part of RZbirka.
    using Zbirka = RZbirka<T_BINBLOK>;
    using Sklad = RSklad<T_BINBLOK>;
    using Seznam = RSeznam<T_BINBLOK>;
    RAZPOREDITEV(Zbirka, 32, 20, m_kopica, 8, 4, m_prosti, 16, 8, m_velikostBloka, 24, 12, m_stevilo, 28, 16);
    RAZPOREDITEV(Sklad, 40, 24, m_prvi, 32, 20);
    RAZPOREDITEV(Seznam, 48, 28, m_zadnji, 40, 24);
    VELIKOST(RBazaVirov, 48, 28);

    // Dates and progress.
    RAZPOREDITEV(RDatum, 16, 16, m_vrednost, 8, 8);
    VELIKOST(RKazalnikNapredka, 8, 4);
    RAZPOREDITEV(RCasKazalnikNapredka, 32, 24, m_interval, 8, 4, m_zadnjiCas, 12, 8, m_spodnja, 16, 12,
                 m_zgornja, 20, 16, m_zadnjiPolozaj, 24, 20);
    RAZPOREDITEV(RGlobalniKazalnikNapredka, 40, 32, m_cilj, 8, 4, m_lokalnaSpodnja, 16, 8, m_lokalnaZgornja,
                 20, 12, m_globalnaSpodnja, 24, 16, m_globalnaZgornja, 28, 20, m_odsekSpodnja, 32, 24,
                 m_odsekZgornja, 36, 28);
};
