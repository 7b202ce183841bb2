// RDnevnikDat: the line format (stamp checked against the time around the call), failing streams, threads.
#include "TestniTok.h"
#include <atomic>
#include <sstream>
#include <stdio.h>
#include <string>
#include <thread>
#include <tuple>
#include <vector>
#include <windows.h>
#include <zrno/streams.h>
#include <zrno/system.h>
#include <zrno/util.h>

namespace {

using namespace Zrno;

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

// Reports a short write as a full disk: the log must pass the stream's own code on.
struct PolnTok : TestniTok {
    unsigned int Zapisi(void const *podatki, unsigned int stevilo) override {
        const unsigned int n = TestniTok::Zapisi(podatki, stevilo);
        return n < stevilo ? (NastaviStanje(NAP_DISKPOLN), n) : n;
    }
};

} // namespace

// Formats, and messages of the library's own string table (2 is the start-up failure message). A write
// the stream cuts short is reported and not flushed, and the next line is whole. A copy keeps its own
// name, stream and lock when the original's are replaced.
TEST(RDnevnikDatTest, WritesOneStampedLinePerMessage) {
    RDnevnikDat dnevnik(0, "App", GetModuleHandleA("Zrno.dll"), KJ2_SLOVENSKI, KN_CP1250);
    PolnTok tok;
    EXPECT_EQ(dnevnik.Zapisi(DNEVNIK_OBVESTILO, "x"), NAP_PARAMETER) << "no stream yet";
    EXPECT_EQ(dnevnik.Uporabi(&tok), nullptr);
    tok.sprejmeNaPisanje = 10;
    EXPECT_EQ(dnevnik.Zapisi(DNEVNIK_NAPAKA, "first %s", "line"), NAP_DISKPOLN);
    EXPECT_EQ(tok.zapisano.size() + tok.dogodki.size(), 10u);
    tok.sprejmeNaPisanje = ~0u;
    const std::tuple<int, const char *, const char *> primeri[] = {
        {5, "x=%x", "5\tApp: x=1234\n"},
        {-1, "", "4294967295\tApp: \n"},
        {5, "ok\r\n2000/01/01\t\x1b\x7f\\", "5\tApp: ok\\r\\n2000/01/01\\t\\x1b\\x7f\\\n"}, // one line
        {5, nullptr, "5\tApp: Napaka pri inicializaciji WinSocket (koda 0x001234).\n"}};
    for (auto [stevilka, oblika, pricakovano] : primeri) {
        SCOPED_TRACE(pricakovano);
        tok.zapisano.clear(), tok.dogodki.clear();
        const __int64 pred = RDatum::VrniTrenutniCas() / 1000 * 1000;
        const auto prioriteta = static_cast<T_DNEVNIKPRIORITETA>(stevilka);
        EXPECT_EQ(
            oblika ? dnevnik.Zapisi(prioriteta, oblika, 0x1234) : dnevnik.Zapisi(prioriteta, 2u, 0x1234), 0);
        const __int64 po = RDatum::VrniTrenutniCas();
        std::string ostanek;
        const __int64 zig = Zig(tok.zapisano, &ostanek);
        EXPECT_TRUE(zig >= pred && zig <= po) << pred << " " << zig << " " << po;
        EXPECT_EQ(ostanek, pricakovano);
        EXPECT_EQ(tok.dogodki, "I");
    }
    RDnevnikDat kopija(dnevnik);
    dnevnik = RDnevnikDat(0, "Izvor"), dnevnik.Uporabi(&tok), tok.zapisano.clear();
    kopija = *&kopija; // assigned to itself: keeps its name
    EXPECT_EQ(kopija.Zapisi(DNEVNIK_OBVESTILO, "a") + dnevnik.Zapisi(DNEVNIK_OBVESTILO, "b"), 0);
    EXPECT_EQ(tok.zapisano.substr(20, 9) + tok.zapisano.substr(49), "5\tApp: a\n5\tIzvor: b\n");
    EXPECT_EQ(kopija.Uporabi(nullptr), &tok);
}

// Eight threads log through one log into a file, each line flushed to the disk (an fsync under Wine,
// which gives a missing lock time to show); every line must come out whole and in its thread's order.
TEST(RDnevnikDatTest, LinesOfManyThreadsNeverMix) {
    const int VRSTIC = 25;
    ZacasniImenik imenik;
    const std::string pot = imenik.Pot("niti.log");
    {
        RMedFizDatoteka datoteka(pot.c_str(), DAT_PISANJE | DAT_USTVARI | DAT_BREZ_DEDOVANJA, 4096);
        ASSERT_EQ(datoteka.VrniStanje(), 0);
        RDnevnikDat dnevnik(0, "Niti");
        dnevnik.Uporabi(&datoteka);
        std::atomic<int> napake{0};
        std::vector<std::thread> niti;
        for (int t = 0; t < 8; ++t)
            niti.emplace_back([&, t] {
                for (int i = 0; i < VRSTIC; ++i)
                    napake +=
                        dnevnik.Zapisi(DNEVNIK_INFORMACIJA, "thread %d line %d of %s", t, i, "text") != 0;
            });
        for (std::thread &n : niti)
            n.join();
        EXPECT_EQ(napake, 0);
        dnevnik.Uporabi(nullptr);
    }
    std::istringstream vsebina(PreberiDatoteko(pot));
    std::string ostanek;
    std::vector<int> naslednja(8);
    int stevilo = 0, slabih = 0;
    for (std::string vrstica; std::getline(vsebina, vrstica); ++stevilo) {
        int t = -1, i = -1, n = 0;
        slabih += Zig(vrstica, &ostanek) < 0 ||
                  sscanf(ostanek.c_str(), "6\tNiti: thread %d line %d of text%n", &t, &i, &n) != 2 ||
                  n != static_cast<int>(ostanek.size()) || t < 0 || t >= 8 || i != naslednja[t]++;
    }
    EXPECT_EQ(stevilo, 8 * VRSTIC);
    EXPECT_EQ(slabih, 0);
    EXPECT_EQ(vsebina.str().back(), '\n');
}
