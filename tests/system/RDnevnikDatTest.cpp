// RDnevnikDat: the line format (the stamp read back and compared with the time around the call),
// failing streams, copies, and many threads writing through one log.
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <stdio.h>
#include <string>
#include <thread>
#include <utility>
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
    SYSTEMTIME t = {};
    int n = 0;
    if (vrstica.size() < 20 || vrstica.find_first_not_of("0123456789/:\t") < 20 ||
        sscanf(vrstica.c_str(), "%4hu/%2hu/%2hu\t%2hu:%2hu:%2hu\t%n", &t.wYear, &t.wMonth, &t.wDay, &t.wHour,
               &t.wMinute, &t.wSecond, &n) != 6 ||
        n != 20)
        return -1;
    *ostanek = vrstica.substr(20);
    return RDatum(&t);
}

__int64 Sekunda(__int64 cas) { return cas - cas % 1000; }

// Accepts sprejme bytes of the next write, then everything again; counts the flushes.
class ObcasnoPolnTok : public RTokPodatkov {
  public:
    std::string zapisano;
    unsigned int sprejme = ~0u, izplakni = 0;

    unsigned int Preberi(void *, unsigned int) override { return NastaviStanje(NAP_BRANJE), 0u; }
    unsigned int Zapisi(void const *podatki, unsigned int stevilo) override {
        const unsigned int n = std::min(stevilo, std::exchange(sprejme, ~0u));
        zapisano.append(static_cast<const char *>(podatki), n);
        return NastaviStanje(n < stevilo ? NAP_DISKPOLN : 0), n;
    }
    int Zapri() override { return NastaviStanje(0); }
    int Izplakni() override { return ++izplakni, NastaviStanje(0); }
};

} // namespace

// Formats, and messages of the library's own string table: 2 is the start-up failure message.
TEST(RDnevnikDatTest, WritesOneStampedLinePerMessage) {
    HMODULE modul = GetModuleHandleA("Zrno.dll");
    using P = T_DNEVNIKPRIORITETA;
    struct {
        RDnevnikDat dnevnik;
        std::function<int(RDnevnikDat &)> zapisi;
        const char *pricakovano;
    } primeri[] = {
        {{9, "App"}, [](RDnevnikDat &d) { return d.Zapisi(P(5), "x=%d", 7); }, "5\tApp: x=7\n"},
        {{9, "Vir z imenom"},
         [](RDnevnikDat &d) { return d.Zapisi(P(0), "%03d%%", 42); },
         "0\tVir z imenom: 042%\n"},
        // The runtime's text for a null %s; the priority printed unsigned.
        {{9, nullptr},
         [](RDnevnikDat &d) { return d.Zapisi(P(3), "no source %d", 1); },
         "3\t(null): no source 1\n"},
        {{9, "App"}, [](RDnevnikDat &d) { return d.Zapisi(P(-1), ""); }, "4294967295\tApp: \n"},
        {{0, "App", modul, KJ2_ANGLESKI, KN_CP1250},
         [](RDnevnikDat &d) { return d.Zapisi(P(5), 2u, 0x1234); },
         "5\tApp: Error initializing WinSocket (code 0x001234).\n"},
        {{0, "App", modul, KJ2_SLOVENSKI, KN_CP1250},
         [](RDnevnikDat &d) { return d.Zapisi(P(5), 2u, 0x1234); },
         "5\tApp: Napaka pri inicializaciji WinSocket (koda 0x001234).\n"},
        {{0, "App", modul, KJ2_ANGLESKI, KN_CP1250},
         [](RDnevnikDat &d) { return d.Zapisi(P(5), 999u, 1); },
         "5\tApp: \n"}, // a missing message logs an empty text
    };
    for (auto &p : primeri) {
        SCOPED_TRACE(p.pricakovano);
        RPomDatoteka datoteka;
        EXPECT_EQ(p.dnevnik.Uporabi(&datoteka), nullptr);
        const __int64 pred = Sekunda(RDatum::VrniTrenutniCas());
        EXPECT_EQ(p.zapisi(p.dnevnik), 0);
        const __int64 po = Sekunda(RDatum::VrniTrenutniCas());
        EXPECT_EQ(p.dnevnik.Uporabi(nullptr), &datoteka);
        std::string ostanek;
        const __int64 zig = Zig(Vsebina(datoteka), &ostanek);
        EXPECT_GE(zig, pred);
        EXPECT_LE(zig, po);
        EXPECT_EQ(ostanek, p.pricakovano);
    }
}

TEST(RDnevnikDatTest, ReportsAShortWriteAndKeepsTheNextLineWhole) {
    RDnevnikDat dnevnik(0, "App");
    ObcasnoPolnTok tok;
    EXPECT_EQ(dnevnik.Zapisi(DNEVNIK_OBVESTILO, "x"), NAP_PARAMETER) << "no stream yet";
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

// Eight threads log vrstic lines each through one log over the stream; every line must come out whole
// and in its thread's order, none lost.
template <class Tok> void PisiIzOsmihNiti(Tok &tok, int vrstic) {
    RDnevnikDat dnevnik(0, "Niti");
    dnevnik.Uporabi(&tok);
    std::vector<int> napake(8), naslednja(8);
    std::vector<std::thread> niti;
    for (int t = 0; t < 8; ++t)
        niti.emplace_back([&, t] {
            for (int i = 0; i < vrstic; ++i)
                napake[t] +=
                    dnevnik.Zapisi(DNEVNIK_INFORMACIJA, "thread %d line %d of %s", t, i, "text") != 0;
        });
    for (std::thread &n : niti)
        n.join();
    dnevnik.Uporabi(nullptr);
    EXPECT_EQ(napake, std::vector<int>(8));
    tok.PrestaviZac(0);
    std::string vsebina(static_cast<size_t>(tok.VrniDolzino()), '\0'), ostanek;
    tok.Preberi(&vsebina[0], static_cast<unsigned int>(vsebina.size()));
    int stevilo = 0, slabih = 0;
    for (size_t zacetek = 0, konec; (konec = vsebina.find('\n', zacetek)) != std::string::npos;
         zacetek = konec + 1, ++stevilo) {
        int t = -1, i = -1, n = 0;
        slabih += Zig(vsebina.substr(zacetek, konec - zacetek), &ostanek) < 0 ||
                  sscanf(ostanek.c_str(), "6\tNiti: thread %d line %d of text%n", &t, &i, &n) != 2 ||
                  n != static_cast<int>(ostanek.size()) || t < 0 || t >= 8 || i != naslednja[t]++;
    }
    EXPECT_EQ(stevilo, 8 * vrstic);
    EXPECT_EQ(slabih, 0);
    EXPECT_EQ(vsebina.back(), '\n');
}

} // namespace

TEST(RDnevnikDatTest, LinesOfManyThreadsNeverMix) {
    RPomDatoteka pomnilnik;
    PisiIzOsmihNiti(pomnilnik, 1000);
    // Each line is flushed to the disk (FlushFileBuffers, an fsync under Wine): fewer lines here.
    char pot[MAX_PATH];
    GetTempFileNameA(".", "dnv", 0, pot);
    {
        RMedFizDatoteka datoteka(pot, DAT_PISANJE | DAT_USTVARI | DAT_BREZ_DEDOVANJA, 4096);
        ASSERT_EQ(datoteka.VrniStanje(), 0);
        PisiIzOsmihNiti(datoteka, 25);
        datoteka.Zapri();
    }
    DeleteFileA(pot);
}
