// The memory file: growth in 4096-byte steps, exact reservations, foreign storage that cannot grow,
// seeking, typed access, SAFEARRAY views, loading a disk file and formatted writes.
#include "TestniTok.h"
#include <gtest/gtest.h>
#include <thread>

namespace {

TEST(RPomDatoteka, GrowsIn4096ByteSteps) {
    RPomDatoteka f;
    EXPECT_EQ(1u, f.Zapisi("a", 1));
    EXPECT_EQ(1u, f.VrniDolzino());
    // Reservation 4096: an exact-free request for 4096 changes nothing and keeps the block.
    const void *blok = f.VrniPodatke();
    EXPECT_EQ(0, f.RezervirajDolzino(4096, false));
    EXPECT_EQ(blok, f.VrniPodatke());
    std::string s(4096, 'b');
    EXPECT_EQ(4096u, f.Zapisi(s.data(), 4096));
    EXPECT_EQ(4097u, f.VrniDolzino());
    EXPECT_EQ(0, f.VrniStanje());
    // Reserved 8192 now: a shrinking exact reservation to 100 cuts the length.
    EXPECT_EQ(0, f.RezervirajDolzino(100, true));
    EXPECT_EQ(100u, f.VrniDolzino());
    EXPECT_EQ(0, memcmp("ab", f.VrniPodatke(), 2));
}

TEST(RPomDatoteka, ReservationRules) {
    RPomDatoteka f(8192);
    ASSERT_NE(nullptr, f.VrniPodatke());
    std::string s(200, 'r');
    f.Zapisi(s.data(), 200);
    EXPECT_EQ(0, f.RezervirajDolzino(5000, false)); // below the reservation: nothing to do
    EXPECT_EQ(200u, f.VrniDolzino());
    EXPECT_EQ(0, f.RezervirajDolzino(0, true)); // exact 0 frees the storage
    EXPECT_EQ(nullptr, f.VrniPodatke());
    EXPECT_EQ(0u, f.VrniDolzino());
    f.PrestaviZac(0);
    EXPECT_EQ(3u, f.Zapisi("abc", 3)); // and it can be written again
    void *p = f.Odpusti();                // the block is now the caller's
    EXPECT_EQ(nullptr, f.VrniPodatke());
    EXPECT_EQ(0, memcmp("abc", p, 3));
    Zrno::SprostiPomnilnik(p);
}

TEST(RPomDatoteka, ForeignStorageCannotGrow) {
    unsigned char blok[17];
    memset(blok, 0xEE, sizeof blok);
    RPomDatoteka f;
    EXPECT_EQ(0, f.Uporabi(blok, 16, false));
    std::string s(16, 's');
    EXPECT_EQ(16u, f.Zapisi(s.data(), 16));
    EXPECT_EQ(0u, f.Zapisi("x", 1));
    EXPECT_EQ(Zrno::NAP_TUJMEDPOMNILNIK, f.VrniStanje());
    EXPECT_EQ(16u, f.VrniDolzino());
    EXPECT_EQ(Zrno::NAP_TUJMEDPOMNILNIK, f.RezervirajDolzino(8, true));
    f.PrestaviZac(20);
    EXPECT_EQ(Zrno::NAP_TUJMEDPOMNILNIK, f.PostaviKonec());
    EXPECT_EQ(0, f.Zapri());
    EXPECT_EQ(0, memcmp(s.data(), blok, 16)); // detached, not freed
    EXPECT_EQ(0xEE, blok[16]);
    EXPECT_EQ(nullptr, f.VrniPodatke());
}

TEST(RPomDatoteka, ReadsAndSeeks) {
    RPomDatoteka f;
    f.Zapisi("0123456789", 10);
    EXPECT_EQ(3u, f.PrestaviZac(3));
    char b[8] = {};
    EXPECT_EQ(4u, f.Preberi(b, 4));
    EXPECT_STREQ("3456", b);
    EXPECT_EQ(5u, f.PrestaviTren(-2));
    EXPECT_EQ(8u, f.Prestavi(-2, ODMIK_KON));
    EXPECT_EQ(2u, f.Preberi(b, 8));
    EXPECT_EQ(0, f.VrniStanje());
    EXPECT_EQ(0u, f.Preberi(b, 8));
    EXPECT_EQ(Zrno::NAP_KONECPODATKOV, f.VrniStanje());
    EXPECT_EQ(0u, f.Preberi(b, 0));
    EXPECT_EQ(0, f.VrniStanje());
    EXPECT_EQ(~0ULL, f.Prestavi(0, static_cast<T_DATNACINODMIKA>(3)));
    EXPECT_EQ(10u, f.VrniOdmik());
    f.PrestaviZac(0x100000004ULL); // only the low 32 bits count
    EXPECT_EQ(4u, f.VrniOdmik());
    EXPECT_EQ(Zrno::NAP_ZAKLEPANJE, f.ZakleniObmocje(0, 1)); // no locking in memory
    EXPECT_TRUE(f.JeKonec());
    EXPECT_EQ(Zrno::NAP_ODKLEPANJE, f.OdkleniObmocje(0, 1));
}

TEST(RPomDatoteka, WritesBeyondTheEndAndTruncates) {
    RPomDatoteka f;
    f.PrestaviZac(10);
    EXPECT_EQ(2u, f.Zapisi("xy", 2));
    EXPECT_EQ(12u, f.VrniDolzino());
    f.PrestaviZac(20);
    EXPECT_EQ(0u, f.Zapisi(nullptr, 0)); // an empty write still extends the length
    EXPECT_EQ(20u, f.VrniDolzino());
    f.PrestaviZac(5);
    EXPECT_EQ(0, f.PostaviKonec());
    EXPECT_EQ(5u, f.VrniDolzino());
}

TEST(RPomDatoteka, TypedAccessIsLittleEndianAndUnaligned) {
    RPomDatoteka f(64);
    f.Nastavi(4, static_cast<unsigned int>(0x11223344));
    unsigned int u = 0;
    f.Vrni(4, u);
    EXPECT_EQ(0x11223344u, u);
    const unsigned char *p = static_cast<const unsigned char *>(f.VrniPodatke());
    EXPECT_EQ(0x44, p[4]);
    EXPECT_EQ(0x11, p[7]);
    f.Nastavi(9, 3.25);
    double d = 0;
    f.Vrni(9, d);
    EXPECT_EQ(3.25, d);
    f.Nastavi(30, static_cast<short>(-3));
    unsigned short us = 0;
    f.Vrni(30, us);
    EXPECT_EQ(0xFFFDu, us);
    EXPECT_EQ(0u, f.VrniDolzino()); // no effect on the length or position
    EXPECT_EQ(0u, f.VrniOdmik());
}

TEST(RPomDatoteka, CopiesShareStorageAndFreeItOnce) {
    auto *a = new RPomDatoteka;
    a->Zapisi("shared", 6);
    {
        RPomDatoteka b(*a);
        EXPECT_EQ(a->VrniPodatke(), b.VrniPodatke());
        RPomDatoteka c;
        c = b;
        EXPECT_EQ(a->VrniPodatke(), c.VrniPodatke());
    }
    EXPECT_EQ(0, memcmp("shared", a->VrniPodatke(), 6)); // still alive after the copies went
    RPomDatoteka d(*a);
    delete a;
    EXPECT_EQ(0, memcmp("shared", d.VrniPodatke(), 6));
    // A copy that grows moves to storage of its own.
    RPomDatoteka e(d);
    std::string s(10000, 'g');
    e.PrestaviKon(0);
    e.Zapisi(s.data(), 10000);
    EXPECT_NE(d.VrniPodatke(), e.VrniPodatke());
    EXPECT_EQ(0, memcmp("shared", d.VrniPodatke(), 6));
    EXPECT_EQ(0, memcmp("shared", e.VrniPodatke(), 6));
}

TEST(RPomDatoteka, CopiesOnRacingThreadsKeepTheCountRight) {
    // Copies of one owning file made and dropped on four threads at once: a lost update in the
    // shared-owner bookkeeping would free the block early or never.
    RPomDatoteka izvirnik;
    izvirnik.Zapisi("race", 4);
    std::vector<std::thread> niti;
    for (int n = 0; n < 4; ++n)
        niti.emplace_back([&izvirnik] {
            for (int i = 0; i < 5000; ++i) {
                RPomDatoteka kopija(izvirnik);
                RPomDatoteka druga;
                druga = kopija;
            }
        });
    for (auto &t : niti)
        t.join();
    RPomDatoteka zadnja(izvirnik);
    izvirnik.Zapri(); // not the last owner: the block stays
    EXPECT_EQ(0, memcmp("race", zadnja.VrniPodatke(), 4));
    void *blok = const_cast<void *>(zadnja.VrniPodatke());
    EXPECT_EQ(blok, zadnja.Odpusti()); // the last owner hands it over
    Zrno::SprostiPomnilnik(blok);
}

TEST(RPomDatoteka, SafeArrayRoundTrip) {
    RPomDatoteka f;
    f.Zapisi("round trip", 10);
    SAFEARRAY *polje = f.VrniSAFEARRAY();
    ASSERT_NE(nullptr, polje);
    EXPECT_EQ(10u, f.VrniOdmik());
    LONG zg = 0;
    SafeArrayGetUBound(polje, 1, &zg);
    EXPECT_EQ(9, zg);

    RPomDatoteka pogled;
    EXPECT_EQ(0, pogled.Uporabi(polje));
    EXPECT_EQ(10u, pogled.VrniDolzino());
    EXPECT_EQ(0, memcmp("round trip", pogled.VrniPodatke(), 10));
    EXPECT_EQ(0u, pogled.Zapisi(std::string(11, 'x').data(), 11)); // fixed size
    EXPECT_EQ(Zrno::NAP_TUJMEDPOMNILNIK, pogled.VrniStanje());
    pogled.PrestaviZac(0);
    pogled.Zapisi("R", 1);
    EXPECT_EQ(DISP_E_ARRAYISLOCKED, SafeArrayDestroy(polje)) << "locked while viewed";
    pogled.Odpusti(polje);
    EXPECT_EQ(nullptr, pogled.VrniPodatke());

    TestniTok cilj;
    EXPECT_EQ(10u, cilj.ZapisiSAFEARRAY(polje));
    EXPECT_EQ("Round trip", cilj.zapisano);
    EXPECT_EQ(S_OK, SafeArrayDestroy(polje));

    EXPECT_EQ(Zrno::NAP_PARAMETER, pogled.Uporabi(static_cast<SAFEARRAY *>(nullptr)));
    EXPECT_EQ(nullptr, pogled.VrniPodatke());
}

TEST(RPomDatoteka, ZapisiTokReadsStraightIntoStorage) {
    TestniTok vir(std::string(10000, 'v'));
    vir.najvecNaBranje = 3000;
    RPomDatoteka f;
    EXPECT_EQ(10000u, f.ZapisiTok(vir, ~0ULL));
    EXPECT_EQ(10000u, f.VrniDolzino());
    EXPECT_EQ(10000u, f.VrniOdmik());
    EXPECT_EQ(0, f.VrniStanje());
    EXPECT_EQ(0u, f.ZapisiTok(vir, 0));
}

TEST(RPomDatoteka, ZapisiTokIntoForeignStorageStopsAtItsEnd) {
    char blok[5000];
    RPomDatoteka f(blok, sizeof blok, false);
    TestniTok vir(std::string(9000, 'v'));
    EXPECT_EQ(4096u, f.ZapisiTok(vir, ~0ULL));
    EXPECT_EQ(Zrno::NAP_TUJMEDPOMNILNIK, f.VrniStanje());
}

TEST(RPomDatoteka, NaloziLoadsAWholeFile) {
    ZacasniImenik imenik;
    std::string vsebina;
    for (int i = 0; i < 10000; ++i)
        vsebina += static_cast<char>(i * 7);
    NapisiDatoteko(imenik.Pot("n.bin"), vsebina);
    RPomDatoteka f(imenik.Pot("n.bin").c_str(), 0);
    EXPECT_EQ(0, f.VrniStanje());
    EXPECT_EQ(10000u, f.VrniDolzino());
    EXPECT_EQ(0u, f.VrniOdmik());
    EXPECT_EQ(0, memcmp(vsebina.data(), f.VrniPodatke(), 10000));

    EXPECT_EQ(Zrno::NAP_NIDATOTEKE, f.Nalozi(imenik.Pot("missing").c_str(), 0));
    char majhen[100];
    RPomDatoteka tuja(majhen, sizeof majhen, false);
    EXPECT_EQ(Zrno::NAP_TUJMEDPOMNILNIK, tuja.Nalozi(imenik.Pot("n.bin").c_str(), 0));
}

TEST(RPomDatoteka, FormattedWritesGoStraightIntoStorage) {
    RPomDatoteka f;
    EXPECT_EQ(5u, f.ZapisiObl("%d-%s", 12, "ab"));
    EXPECT_EQ(5u, f.VrniDolzino());
    const unsigned short oblika[] = {'%', 'S', 0};
    EXPECT_EQ(2u, f.ZapisiObl(oblika, "cd"));
    EXPECT_EQ(9u, f.VrniDolzino());
    EXPECT_EQ(0, memcmp("12-abc\0d\0", f.VrniPodatke(), 9));
    // An output that needs more than one growth step.
    std::string dolg(10000, 'L');
    EXPECT_EQ(10000u, f.ZapisiObl("%s", dolg.c_str()));
    EXPECT_EQ(10009u, f.VrniDolzino());
    EXPECT_EQ(0, memcmp(dolg.data(), static_cast<const char *>(f.VrniPodatke()) + 9, 10000));
    // Foreign storage that cannot grow: nothing is written.
    char blok[4];
    RPomDatoteka tuja(blok, sizeof blok, false);
    tuja.PrestaviKon(0);
    EXPECT_EQ(0u, tuja.ZapisiObl("%s", "toolong"));
    EXPECT_EQ(Zrno::NAP_TUJMEDPOMNILNIK, tuja.VrniStanje());
}

// Run only with the address space capped, so that the large requests are really refused.
TEST(RPomDatotekaExhausted, DISABLED_RefusedGrowthLosesNothing) {
    RPomDatoteka f;
    f.Zapisi("keep", 4);
    const void *blok = f.VrniPodatke();
    EXPECT_EQ(Zrno::NAP_POMNILNIK, f.RezervirajDolzino(0xF0000000u, false));
    f.PrestaviZac(0xF0000000u);
    EXPECT_EQ(0u, f.Zapisi("x", 1));
    EXPECT_EQ(Zrno::NAP_POMNILNIK, f.VrniStanje());
    EXPECT_EQ(4u, f.VrniDolzino());
    EXPECT_EQ(blok, f.VrniPodatke());
    EXPECT_EQ(0, memcmp("keep", f.VrniPodatke(), 4));
    EXPECT_EQ(0u, f.ZapisiObl("%s", "y"));
    EXPECT_EQ(Zrno::NAP_POMNILNIK, f.VrniStanje());
    RPomDatoteka prazna(0xF0000000u);
    EXPECT_EQ(Zrno::NAP_POMNILNIK, prazna.VrniStanje());
    EXPECT_EQ(nullptr, prazna.VrniPodatke());
}

TEST(RIzravnalnikExhausted, DISABLED_MissingBuffersPassStraightThrough) {
    TestniTok cilj("abc");
    RIzravnalnik brez(&cilj, 0xF0000000u, 16);
    EXPECT_EQ(Zrno::NAP_POMNILNIK, brez.VrniStanje());
    brez.Zapisi("a", 1); // neither buffer exists: straight through
    EXPECT_EQ(1u, cilj.pisanja);
    RIzravnalnik samo_branje(&cilj, 16, 0xF0000000u);
    EXPECT_EQ(Zrno::NAP_POMNILNIK, samo_branje.VrniStanje());
    samo_branje.Zapisi("b", 1);
    EXPECT_EQ(2u, cilj.pisanja);
    char b[2];
    EXPECT_EQ(2u, samo_branje.Preberi(b, 2));
    EXPECT_EQ((std::vector<unsigned int>{16}), cilj.zahteve); // the read buffer works
}

} // namespace
