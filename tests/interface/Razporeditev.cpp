// Layout of the exported records and fixed class fields, checked at compile time (32-bit cannot run here).
// mingw-w64 GCC, Itanium ABI, 64-bit integers 8-aligned on both targets: a vptr-only base shares the vptr,
// virtual bases follow the own fields depth-first, a field may use a base's tail padding (RVticnica).
#include <zrno.h>

#include <stddef.h>

namespace {
constexpr bool P8 = sizeof(void *) == 8;
template <size_t x64, size_t x86, class... T>
constexpr bool Velikosti = ((sizeof(T) == (P8 ? x64 : x86)) && ...);
} // namespace

// Sizes of classes alike; a class's size, then its fields as O(name, x86_64, i686) or E(name, both).
// clang-format off
#define VELIKOST(a, b, ...) static_assert(Velikosti<a, b, __VA_ARGS__>, "sizeof " #__VA_ARGS__)
#define RAZPOREDITEV(tip, a, b, ...) static_assert([] { using T = tip; return sizeof(T) == (P8 ? a : b) __VA_ARGS__; }(), #tip)
#define O(polje, a, b) && offsetof(T, polje) == (P8 ? a : b)
#define E(polje, a) O(polje, a, a)
// clang-format on

RAZPOREDITEV(T_NAJDENADATOTEKA, 328, 320,
             E(Atributi, 0) E(Velikost, 8) E(CasUstvarjanja, 16) E(CasDostopa, 24) E(CasSpremembe, 32)
                 E(KratkoIme, 40) E(Pot, 54) O(Ime, 320, 316));

RAZPOREDITEV(T_SGML_ENTITETA, 16, 8, E(ime, 0) O(koda, 8, 4));

RAZPOREDITEV(T_BINBLOK, 16, 8, E(Velikost, 0) O(Podatki, 8, 4));

VELIKOST(16, 16, T_ODTIS_MD2);
VELIKOST(20, 20, T_ODTIS_SHA);

RAZPOREDITEV(T_DATUM, 12, 12,
             E(Milisekunde, 0) E(Sekunda, 2) E(Minuta, 3) E(Ura, 4) E(Dan, 5) E(Mesec, 6) E(Leto, 8));

RAZPOREDITEV(T_KNJIZNICAVIROV, 32, 20,
             E(KodaJezika, 0) E(Jezik, 4) E(Modul, 8) O(Opis, 16, 12) O(Datoteka, 24, 16));

RAZPOREDITEV(RRegisterServisov::T_SERVIS, 24, 12, E(Ime, 0) O(Funkcija, 8, 4) O(Nit, 16, 8));

// The system's SERVICE_STATUS, seven 32-bit fields on both targets.
RAZPOREDITEV(T_ZAPISSTATUSA, 28, 28,
             E(TipServisa, 0) E(TrenutnoStanje, 4) E(SprejeteKontrole, 8) E(IzhodnaKoda, 12)
                 E(KodaServisa, 16) E(KontrolnaTocka, 20) E(CakalniNamig, 24));

// Classes: offsets only of fields that derived classes or inline header code reach; the rest may move.
struct PreverjanjeRazporeditve {
    VELIKOST(8, 4, RElement, RIzpElement, ROdtisnik, RKazalnikNapredka); // a vptr
    RAZPOREDITEV(RSisElement, 16, 8, O(m_rocica, 8, 4));

    RAZPOREDITEV(RIskalnikDatotek, 608, 596, O(m_cakajoci, 280, 272)); // WIN32_FIND_DATAA, 320 bytes

    // Strings: the layers above the storage add nothing but a shared vptr.
    RAZPOREDITEV(RNizP<char>, 24, 16, O(m_niz, 8, 4) O(m_dolzina, 16, 8) O(m_kapaciteta, 20, 12));
    VELIKOST(32, 20, RNizA, RNizU);

    RAZPOREDITEV(RTokPodatkov, 16, 8, O(m_stanje, 8, 4));

    RAZPOREDITEV(RPomDatoteka, 48, 32, O(m_podatki, 8, 4) O(m_polozaj, 20, 12) O(m_dolzina, 24, 16));

    VELIKOST(40, 20, RSisTokPodatkov);
    VELIKOST(48, 24, RFizDatoteka);

    RAZPOREDITEV(RMedpomnilnik, 72, 48,
                 O(m_datoteka, 8, 4) O(m_medpomnilnik, 16, 8) O(m_drzano, 24, 12) O(m_velikost, 28, 16)
                     O(m_spremenjen, 32, 20) O(m_odmikBloka, 40, 24) O(m_polozaj, 48, 32));
    RAZPOREDITEV(RMedFizDatoteka, 128, 80, O(m_datotekaFiz, 8, 4));

    RAZPOREDITEV(RPretvornikToka, 32, 16, O(m_cilj, 8, 4));

    RAZPOREDITEV(RIzravnalnik, 88, 52,
                 O(m_branje, 8, 4) O(m_velBranja, 16, 8) O(m_polnBranja, 20, 12) O(m_indeksBranja, 24, 16)
                     O(m_pisanje, 32, 20) O(m_velPisanja, 40, 24) O(m_polnPisanja, 44, 28)
                         O(m_oddanoPisanja, 48, 32));
    RAZPOREDITEV(RIzrSisTokPodatkov, 136, 76, O(m_tok, 8, 4));

    RAZPOREDITEV(RBase64, 24, 20,
                 O(m_kodPrenos, 8, 4) O(m_kodStevilo, 12, 8) O(m_dekPrenos, 16, 12) O(m_dekStevilo, 20, 16));
    RAZPOREDITEV(RBase64Tok, 88, 60,
                 O(m_skupina, 8, 4) O(m_indeksSkupine, 12, 8) O(m_ostanekSkupine, 16, 12)
                     O(m_skupinVrstice, 20, 16) O(m_skupinNaVrstici, 24, 20));

    RAZPOREDITEV(RFifoTokPodatkov, 80, 48, O(m_dolzina, 12, 8));

    RAZPOREDITEV(RKanal, 88, 44, O(Pisanje, 8, 4) O(Branje, 48, 24));
    RAZPOREDITEV(RVticnica, 16, 12, O(m_vticnica, 12, 8));

    RAZPOREDITEV(RCRC32, 16, 8, O(m_register, 8, 4));
    RAZPOREDITEV(RBlokovniOdtisnik, 80, 76, O(m_bitov, 8, 4) O(m_blok, 16, 12));
    RAZPOREDITEV(RMD5, 112, 108, O(m_h, 80, 76) O(m_rezultat, 96, 92));
    RAZPOREDITEV(RSHA1, 120, 116, O(m_h, 80, 76) O(m_rezultat, 100, 96));
    RAZPOREDITEV(ROdtisnikToka, 40, 20, O(m_odtisnik, 16, 8));

    VELIKOST(16, 8, RSinhronizator, RDogodek, RSemafor, RNevarenOdsek, RCasomer, ROskrbnikServisov, RServis);
    VELIKOST(24, 12, RCakalnik, RDogNit, RDatoteka);
    RAZPOREDITEV(RMultiCakalnik, 40, 20, O(m_stevilo, 32, 16));
    RAZPOREDITEV(RNit, 24, 12, O(m_koda, 16, 8));
    RAZPOREDITEV(RStopnjaCevovoda, 32, 16, O(m_naslednja, 24, 12));
    RAZPOREDITEV(RCasovnaPast, 48, 24, O(m_casomer, 24, 12) O(m_konec, 40, 20));

    RAZPOREDITEV(RDinTabela<char>, 24, 16, O(m_podatki, 8, 4) O(m_stevilo, 16, 8) O(m_kapaciteta, 20, 12));
    RAZPOREDITEV(RDnevnik, 24, 12, O(m_kategorija, 8, 4) O(m_vir, 16, 8));
    RAZPOREDITEV(RDnevnikDat, 64, 36,
                 O(m_tok, 24, 12) O(m_odsek, 32, 16) O(m_modul, 48, 24) O(m_jezik, 56, 28)
                     O(m_kodnaStran, 60, 32));
    RAZPOREDITEV(RServisImpl, 72, 52,
                 O(m_statusRocica, 24, 12) O(m_status, 32, 16) O(m_stevilo, 60, 44) O(m_argumenti, 64, 48));
    RAZPOREDITEV(RRegisterServisov, 56, 32, O(m_servisi, 8, 4));

    // Containers: a node pointer or two after the heap part of RZbirka.
    RAZPOREDITEV(RZbirka<T_BINBLOK>, 32, 20,
                 O(m_kopica, 8, 4) O(m_prosti, 16, 8) O(m_velikostBloka, 24, 12) O(m_stevilo, 28, 16));
    RAZPOREDITEV(RSklad<T_BINBLOK>, 40, 24, O(m_prvi, 32, 20));
    RAZPOREDITEV(RSeznam<T_BINBLOK>, 48, 28, O(m_zadnji, 40, 24));
    VELIKOST(48, 28, RBazaVirov);

    RAZPOREDITEV(RDatum, 16, 16, E(m_vrednost, 8));
    RAZPOREDITEV(RCasKazalnikNapredka, 32, 24,
                 O(m_interval, 8, 4) O(m_zadnjiCas, 12, 8) O(m_spodnja, 16, 12) O(m_zgornja, 20, 16)
                     O(m_zadnjiPolozaj, 24, 20));
    RAZPOREDITEV(RGlobalniKazalnikNapredka, 40, 32,
                 O(m_cilj, 8, 4) O(m_lokalnaSpodnja, 16, 8) O(m_lokalnaZgornja, 20, 12)
                     O(m_globalnaSpodnja, 24, 16) O(m_globalnaZgornja, 28, 20) O(m_odsekSpodnja, 32, 24)
                         O(m_odsekZgornja, 36, 28));
};
