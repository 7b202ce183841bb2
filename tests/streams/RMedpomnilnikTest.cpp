// The caching buffer: failed write-back, detaching, closing; its transfers are RDatotekaTest's file model's.
#include "TestniTok.h"

namespace {

/// A memory file that can refuse writes and counts its flushes.
struct SledenaDatoteka : RPomDatoteka {
    unsigned int Zapisi(void const *medpomnilnik, unsigned int stevilo) override {
        if (odpovej)
            return NastaviStanje(Zrno::NAP_DISKPOLN), 0u;
        return RPomDatoteka::Zapisi(medpomnilnik, stevilo);
    }
    int Izplakni() override { return ++izplakni, RPomDatoteka::Izplakni(); }

    int izplakni = 0;
    bool odpovej = false;
};

/// A cache that can forget its block, which then starts nowhere, and show where it stands.
struct Vidni : RMedpomnilnik {
    using RMedpomnilnik::RMedpomnilnik;
    Par Pozabi() { return RazveljaviMedpomnilnik(), Par(m_odmikBloka, m_drzano); }
};

// A failed write-back keeps the block (what it loses the fault scenarios see) and the file unflushed.
TEST(RMedpomnilnik, WriteBackFailureClosingDetachingAndReopening) {
    std::string izvirnik = Zaporedje(2000);
    SledenaDatoteka sled;
    sled.Zapisi(izvirnik.data(), 2000), sled.PrestaviZac(0);
    Vidni pred(&sled, 512);
    pred.PrestaviZac(10), pred.Zapisi("chg", 3);
    sled.odpovej = true;
    EXPECT_IZID(pred, Izplakni(), Zrno::NAP_DISKPOLN, Zrno::NAP_DISKPOLN);
    pred.PrestaviZac(1500); // needs another block: the write-back comes first and fails again
    char kos[4] = {};
    EXPECT_IZID(pred, Preberi(kos, 4), 0u, Zrno::NAP_DISKPOLN);
    pred.PrestaviZac(10); // a transfer inside the held block goes on regardless
    EXPECT_IZID(pred, Preberi(kos, 3), 3u, 0);
    EXPECT_STREQ("chg", kos);
    EXPECT_EQ(0, sled.izplakni);
    sled.odpovej = false;
    EXPECT_EQ(0, pred.Izplakni()); // writes back, then flushes the file
    EXPECT_EQ(izvirnik.replace(10, 3, "chg"), Vsebina(sled));
    EXPECT_EQ(1, sled.izplakni);
    pred.PrestaviKon(-2);
    EXPECT_IZID(pred, Preberi(kos, 4), 2u, Zrno::NAP_KONECPODATKOV); // the end comes with the last bytes
    EXPECT_EQ(Par(0, 0), pred.Pozabi());

    ZacasniImenik datoteke;
    const std::string ime = datoteke.Nova("cache_close.bin", Zaporedje(600));
    RFizDatoteka f(ime.c_str(), DAT_BRANJE | DAT_PISANJE);
    RMedpomnilnik c(&f, 512);
    c.PrestaviZac(550);
    c.Zapisi("end", 3);
    EXPECT_EQ(&f, c.Odpusti()); // writes back and leaves the file's pointer at the cache's position
    EXPECT_EQ(553u, f.VrniOdmik());
    EXPECT_EQ(0, c.Uporabi(&f, 64)); // takes the file's position
    c.Zapisi("!", 1);
    EXPECT_IZID(c, Zapri(), 0, 0); // writes back, detaches and closes the file
    EXPECT_FALSE(f.JeVeljaven());
    EXPECT_EQ(nullptr, c.VrniDatoteko());
    EXPECT_EQ(Zaporedje(600).replace(550, 4, "end!"), PreberiDatoteko(ime));

    RMedFizDatoteka m(ime.c_str(), DAT_PISANJE, 512); // read access is added: blocks still load
    ASSERT_EQ(0, m.VrniStanje());
    char b[4];
    m.PrestaviZac(498);
    EXPECT_EQ(2u, m.Preberi(b, 2));
    EXPECT_EQ(4u, m.Zapisi("wxyz", 4));
    EXPECT_EQ(0, m.Zapri());
    EXPECT_FALSE(m.JeVeljaven());
    std::string vsebina = Zaporedje(600).replace(550, 4, "end!").replace(500, 4, "wxyz");
    EXPECT_EQ(vsebina, PreberiDatoteko(ime));

    // Open again: the position stays 0 even when the file's own pointer went to the end.
    EXPECT_EQ(0, m.Odpri(ime.c_str(), DAT_PISANJE | DAT_DELI_BRANJE | DAT_NA_KONEC));
    EXPECT_EQ(0u, m.VrniOdmik());
    m.PrestaviKon(0);
    m.Zapisi("tail", 4);
    void *h = m.Odpusti(); // writes back; the handle is neither closed nor flushed
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    EXPECT_EQ(vsebina + "tail", PreberiDatoteko(ime));
    EXPECT_EQ(604u, RMedFizDatoteka(h, 16).VrniOdmik()); // adopted, it starts at the handle's own pointer
    RMedFizDatoteka manjka(datoteke.Pot("missing.bin").c_str(), DAT_BRANJE, 512); // the file's code
    EXPECT_EQ(Zrno::NAP_NIDATOTEKE, manjka.VrniStanje());
}

} // namespace
