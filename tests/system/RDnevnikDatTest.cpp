// RDnevnikDat: the line format (the stamp read back and compared with the time around the call),
// failing streams, copies, and many threads writing through one log.
#include <algorithm>
#include <gtest/gtest.h>
#include <stdio.h>
#include <string>
#include <thread>
#include <vector>
#include <windows.h>
#include <zrno/streams.h>
#include <zrno/system.h>
#include <zrno/util.h>

namespace {

using namespace Zrno;

std::string Vsebina(const RPomDatoteka &f) {
    return std::string(static_cast<const char *>(f.VrniPodatke()), static_cast<size_t>(f.VrniDolzino()));
}

// Splits "yyyy/mm/dd\thh:mm:ss\t" off a line (every field zero-padded); returns the stamp as an RDatum
// value in whole seconds and the rest, or -1 when the line does not start so.
__int64 Zig(const std::string &vrstica, std::string *ostanek) {
    int leto, mesec, dan, ura, minuta, sekunda, n = 0;
    if (vrstica.size() < 20 || vrstica.find_first_not_of("0123456789/:\t") < 20 ||
        sscanf(vrstica.c_str(), "%4d/%2d/%2d\t%2d:%2d:%2d\t%n", &leto, &mesec, &dan, &ura, &minuta, &sekunda, &n) !=
            6 ||
        n != 20)
        return -1;
    *ostanek = vrstica.substr(20);
    return RDatum(static_cast<unsigned char>(dan), static_cast<unsigned char>(mesec), leto,
                  static_cast<unsigned char>(ura), static_cast<unsigned char>(minuta),
                  static_cast<unsigned char>(sekunda));
}

__int64 Sekunda(__int64 cas) { return cas - cas % 1000; }

// Accepts sprejme bytes of the next write, then everything again; counts the flushes.
class ObcasnoPolnTok : public RTokPodatkov {
  public:
    std::string zapisano;
    unsigned int sprejme = ~0u, izplakni = 0;

    unsigned int Preberi(void *, unsigned int) override { return NastaviStanje(NAP_BRANJE), 0u; }
    unsigned int Zapisi(void const *podatki, unsigned int stevilo) override {
        const unsigned int n = std::min(stevilo, sprejme);
        zapisano.append(static_cast<const char *>(podatki), n);
        sprejme = ~0u;
        NastaviStanje(n < stevilo ? NAP_DISKPOLN : 0);
        return n;
    }
    int Zapri() override { return NastaviStanje(0); }
    int Izplakni() override { return ++izplakni, NastaviStanje(0); }
};

} // namespace

TEST(RDnevnikDatTest, WritesOneStampedLinePerMessage) {
    struct {
        const char *vir;
        int prioriteta;
        const char *oblika;
        int argument;
        const char *pricakovano;
    } primeri[] = {
        {"App", 5, "x=%d", 7, "5\tApp: x=7\n"},
        {"Vir z imenom", 0, "%03d%%", 42, "0\tVir z imenom: 042%\n"},
        {nullptr, 3, "no source %d", 1, "3\t(null): no source 1\n"}, // the runtime's text for a null %s
        {"App", -1, "", 0, "4294967295\tApp: \n"},                    // the priority is printed unsigned
    };
    for (const auto &p : primeri) {
        SCOPED_TRACE(p.pricakovano);
        RDnevnikDat dnevnik(9, p.vir);
        RPomDatoteka datoteka;
        EXPECT_EQ(dnevnik.Uporabi(&datoteka), nullptr);
        const __int64 pred = Sekunda(RDatum::VrniTrenutniCas());
        EXPECT_EQ(dnevnik.Zapisi(static_cast<T_DNEVNIKPRIORITETA>(p.prioriteta), p.oblika, p.argument), 0);
        const __int64 po = Sekunda(RDatum::VrniTrenutniCas());
        EXPECT_EQ(dnevnik.Uporabi(nullptr), &datoteka);
        std::string ostanek;
        const __int64 zig = Zig(Vsebina(datoteka), &ostanek);
        EXPECT_GE(zig, pred);
        EXPECT_LE(zig, po);
        EXPECT_EQ(ostanek, p.pricakovano);
    }
}

TEST(RDnevnikDatTest, TakesTheFormatFromAMessageResource) {
    // The library's own string table: 2 is the start-up failure message, in three languages.
    HMODULE modul = GetModuleHandleA("Zrno.dll");
    const struct {
        T_KODAJEZIKA2 jezik;
        unsigned int sporocilo;
        const char *pricakovano;
    } primeri[] = {
        {KJ2_ANGLESKI, 2, "5\tApp: Error initializing WinSocket (code 0x001234).\n"},
        {KJ2_SLOVENSKI, 2, "5\tApp: Napaka pri inicializaciji WinSocket (koda 0x001234).\n"},
        {KJ2_ANGLESKI, 999, "5\tApp: \n"}, // a missing message logs an empty text
    };
    for (const auto &p : primeri) {
        RDnevnikDat dnevnik(0, "App", modul, p.jezik, KN_CP1250);
        RPomDatoteka datoteka;
        dnevnik.Uporabi(&datoteka);
        EXPECT_EQ(dnevnik.Zapisi(DNEVNIK_OBVESTILO, p.sporocilo, 0x1234), 0);
        dnevnik.Uporabi(nullptr);
        std::string ostanek;
        EXPECT_GT(Zig(Vsebina(datoteka), &ostanek), 0);
        EXPECT_EQ(ostanek, p.pricakovano);
    }
}

TEST(RDnevnikDatTest, ReportsAShortWriteAndKeepsTheNextLineWhole) {
    RDnevnikDat dnevnik(0, "App");
    ObcasnoPolnTok tok;
    dnevnik.Uporabi(&tok);
    tok.sprejme = 10;
    EXPECT_EQ(dnevnik.Zapisi(DNEVNIK_NAPAKA, "first %s", "line"), NAP_DISKPOLN);
    EXPECT_EQ(tok.izplakni, 0u); // a failed line is not flushed
    EXPECT_EQ(tok.zapisano.size(), 10u);
    tok.zapisano.clear();
    EXPECT_EQ(dnevnik.Zapisi(DNEVNIK_NAPAKA, "second %s", "line"), 0);
    EXPECT_EQ(tok.izplakni, 1u);
    std::string ostanek;
    EXPECT_GT(Zig(tok.zapisano, &ostanek), 0);
    EXPECT_EQ(ostanek, "3\tApp: second line\n");
    dnevnik.Uporabi(nullptr);
}

TEST(RDnevnikDatTest, WritesNothingWithoutAStream) {
    RDnevnikDat dnevnik(0, "App");
    EXPECT_EQ(dnevnik.Zapisi(DNEVNIK_OBVESTILO, "x"), NAP_PARAMETER);
}

TEST(RDnevnikDatTest, CopiesKeepTheirOwnNameAndShareTheStream) {
    RPomDatoteka datoteka;
    auto *izvor = new RDnevnikDat(0, "Izvor");
    izvor->Uporabi(&datoteka);
    RDnevnikDat kopija(*izvor);
    RDnevnikDat prirejena(0, "Drugo");
    prirejena = *izvor;
    delete izvor; // frees its name and closes its mutex handle, not the copies'
    EXPECT_STREQ(kopija.VrniVir(), "Izvor");
    EXPECT_EQ(kopija.Zapisi(DNEVNIK_OBVESTILO, "a"), 0);
    EXPECT_EQ(prirejena.Zapisi(DNEVNIK_OBVESTILO, "b"), 0);
    const std::string vsebina = Vsebina(datoteka);
    EXPECT_NE(vsebina.find("\tIzvor: a\n"), std::string::npos);
    EXPECT_NE(vsebina.find("\tIzvor: b\n"), std::string::npos);
    kopija.Uporabi(nullptr);
    prirejena.Uporabi(nullptr);
}

namespace {

// Eight threads log vrstic lines each through one log over the stream; returns the stream's bytes.
template <class Tok> std::string PisiIzOsmihNiti(Tok &tok, int vrstic) {
    RDnevnikDat dnevnik(0, "Niti");
    dnevnik.Uporabi(&tok);
    std::vector<int> napake(8);
    std::vector<std::thread> niti;
    for (int t = 0; t < 8; ++t)
        niti.emplace_back([&, t] {
            for (int i = 0; i < vrstic; ++i)
                napake[t] += dnevnik.Zapisi(DNEVNIK_INFORMACIJA, "thread %d line %d of %s", t, i, "text") != 0;
        });
    for (std::thread &n : niti)
        n.join();
    dnevnik.Uporabi(nullptr);
    EXPECT_EQ(napake, std::vector<int>(8));
    tok.PrestaviZac(0);
    std::string vsebina(static_cast<size_t>(tok.VrniDolzino()), '\0');
    tok.Preberi(&vsebina[0], static_cast<unsigned int>(vsebina.size()));
    return vsebina;
}

// Every line whole and in its thread's order, none lost.
void PreveriVrstice(const std::string &vsebina, int vrstic) {
    std::vector<int> naslednja(8);
    int stevilo = 0, slabih = 0;
    for (size_t zacetek = 0, konec; (konec = vsebina.find('\n', zacetek)) != std::string::npos;
         zacetek = konec + 1, ++stevilo) {
        std::string ostanek;
        int t = -1, i = -1, n = 0;
        if (Zig(vsebina.substr(zacetek, konec - zacetek), &ostanek) < 0 ||
            sscanf(ostanek.c_str(), "6\tNiti: thread %d line %d of text%n", &t, &i, &n) != 2 ||
            n != static_cast<int>(ostanek.size()) || t < 0 || t >= 8 || i != naslednja[t]++)
            ++slabih;
    }
    EXPECT_EQ(stevilo, 8 * vrstic);
    EXPECT_EQ(slabih, 0);
    EXPECT_EQ(vsebina.back(), '\n');
}

} // namespace

TEST(RDnevnikDatTest, LinesOfManyThreadsNeverMix) {
    RPomDatoteka pomnilnik;
    PreveriVrstice(PisiIzOsmihNiti(pomnilnik, 10000), 10000);
}

TEST(RDnevnikDatTest, LinesOfManyThreadsReachACachedDiskFileWhole) {
    // Each line is flushed to the disk (FlushFileBuffers, an fsync under Wine): fewer lines here.
    char pot[MAX_PATH];
    GetTempFileNameA(".", "dnv", 0, pot);
    RMedFizDatoteka datoteka(pot, DAT_PISANJE | DAT_USTVARI | DAT_BREZ_DEDOVANJA, 4096);
    ASSERT_EQ(datoteka.VrniStanje(), 0);
    PreveriVrstice(PisiIzOsmihNiti(datoteka, 200), 200);
    datoteka.Zapri();
    DeleteFileA(pot);
}
