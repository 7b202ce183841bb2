// Converters: forwarding, read-ahead and write-behind buffering, pushes, flush and close down a chain.
#include "TestniTok.h"
#include "ZacasniImenik.h"

namespace {

TEST(RPretvornikToka, ForwardsEverythingAndLetsGo) {
    TestniTok cilj("abc");
    RPretvornikToka p(&cilj);
    char b[4] = {};
    EXPECT_IZID(p, Preberi(b, 4), 3u, 0);
    EXPECT_IZID(p, Preberi(b, 4), 0u, Zrno::NAP_KONECPODATKOV);
    cilj.sprejmeNaPisanje = 1;
    EXPECT_IZID(p, Zapisi("xy", 2), 1u, Zrno::NAP_PISANJE);
    EXPECT_EQ(0, p.Izplakni());
    EXPECT_IZID(p, Odpusti(), &cilj, 0);
    EXPECT_IZID(p, Zapri(), 1, 1);  // no target
    EXPECT_EQ(0u, p.Preberi(b, 1)); // no target: nothing moves
    cilj.PreberiBajt();
    EXPECT_EQ(Zrno::NAP_KONECPODATKOV, p.Uporabi(&cilj)); // takes over the target's state
    EXPECT_EQ(0, p.Zapri());
    EXPECT_EQ("IZ", cilj.dogodki); // flushed once, closed by Zapri only: Odpusti does not close
}

TEST(RIzravnalnik, ReadAheadCountsTargetReads) {
    const std::string s = Zaporedje(1000);
    TestniTok cilj(s);
    RIzravnalnik izr(&cilj, 256, 256);
    char b[300];
    for (int i = 0; i < 25; ++i)
        EXPECT_EQ(10u, izr.Preberi(b, 10));
    EXPECT_IZID(izr, Preberi(b, 300), 300u, 0); // 6 from the buffer, 294 straight from the target
    EXPECT_EQ((Velikosti{256, 294}), cilj.zahteve);
    EXPECT_EQ(s.substr(250, 300), std::string(b, 300));
}

TEST(RIzravnalnik, EndOfDataOnlyWithAnEmptyRead) {
    for (bool konecZZadnjimi : {false, true}) {
        TestniTok cilj("12345");
        cilj.konecZZadnjimi = konecZZadnjimi;
        RIzravnalnik izr(&cilj);
        char b[10];
        EXPECT_IZID(izr, Preberi(b, 10), 5u, 0);
        EXPECT_IZID(izr, Preberi(b, 10), 0u, Zrno::NAP_KONECPODATKOV);
    }
}

TEST(RIzravnalnik, ReadsFromASourceThatTricklesOrFails) {
    TestniTok cilj(Zaporedje(100));
    cilj.najvecNaBranje = 7;
    cilj.napakaPri = 50;
    RIzravnalnik izr(&cilj, 16, 0);
    char b[100];
    EXPECT_IZID(izr, PreberiTab(b, 1, 100), 50u, Zrno::NAP_BRANJE);
    EXPECT_EQ(Zaporedje(50), std::string(b, 50));
}

TEST(RIzravnalnik, SmallWritesAreCoalescedLargeOnesBypass) {
    TestniTok cilj;
    RIzravnalnik izr(&cilj, 256, 256);
    std::string s = Zaporedje(1000);
    for (int i = 0; i < 3; ++i) // the third fills the buffer: 256 go out, 44 stay pending
        izr.Zapisi(s.data(), 100);
    EXPECT_EQ(0u, izr.Zapisi(nullptr, 0)); // a push
    EXPECT_EQ((Velikosti{256, 44, 0}), cilj.velikostiPisanj);
    for (int i = 0; i < 1000; ++i) // three full buffers, 232 pending until the flush
        izr.ZapisiBajt(static_cast<unsigned char>(s[i]));
    EXPECT_EQ(0, izr.Izplakni());
    EXPECT_EQ(7u, cilj.velikostiPisanj.size());
    EXPECT_EQ(s.substr(0, 100) + s.substr(0, 100) + s.substr(0, 100) + s, cilj.zapisano);
    // 10 pending, 246 fill the buffer, the buffer goes out, the remaining 754 go straight through.
    cilj.velikostiPisanj.clear();
    izr.Zapisi(s.data(), 10);
    EXPECT_EQ(1000u, izr.Zapisi(s.data(), 1000));
    EXPECT_EQ((Velikosti{256, 754}), cilj.velikostiPisanj);
    EXPECT_EQ(s.substr(0, 10) + s, cilj.zapisano.substr(1300));
}

TEST(RIzravnalnik, ShortWriteKeepsTheRestPending) {
    TestniTok cilj;
    cilj.sprejmeNaPisanje = 100;
    RIzravnalnik izr(&cilj, 0, 256);
    std::string s = Zaporedje(300);
    EXPECT_IZID(izr, Zapisi(s.data(), 300), 256u, Zrno::NAP_PISANJE); // bytes taken in count as written
    cilj.sprejmeNaPisanje = ~0u;
    EXPECT_EQ(0, izr.Izplakni());
    EXPECT_EQ(s.substr(0, 256), cilj.zapisano);
}

TEST(RIzravnalnik, ZeroSizesPassStraightThrough) {
    TestniTok cilj("xyz");
    RIzravnalnik izr(&cilj, 0, 0);
    char b[2];
    EXPECT_EQ(2u, izr.Preberi(b, 2));
    EXPECT_EQ(Velikosti{2}, cilj.zahteve);
    izr.Zapisi("a", 1);
    EXPECT_EQ(Velikosti{1}, cilj.velikostiPisanj);
}

TEST(RIzravnalnik, DestructionDropsPendingDataOdpustiWritesIt) {
    TestniTok cilj;
    RIzravnalnik(&cilj).Zapisi("lost", 4);
    RIzravnalnik izr(&cilj);
    izr.Zapisi("kept", 4);
    izr.Odpusti(); // release without close or flush
    EXPECT_EQ("kept", cilj.zapisano);
    EXPECT_EQ("", cilj.dogodki);
}

TEST(RIzravnalnik, CopiesShareBuffersAndFreeThemOnce) {
    TestniTok cilj(Zaporedje(600));
    auto *a = new RIzravnalnik(&cilj, 256, 256);
    char b[4];
    a->Preberi(b, 4);
    {
        RIzravnalnik kopija(*a), dodeljen;
        dodeljen = kopija;
        EXPECT_EQ(4u, dodeljen.Preberi(b, 4));
        EXPECT_EQ(Zaporedje(8).substr(4), std::string(b, 4));
    }
    EXPECT_EQ(4u, a->Preberi(b, 4)); // the buffer is still alive
    delete a;
}

TEST(RIzravnalnik, FlushAndCloseTravelDownAChain) {
    TestniTok dno;
    RIzravnalnik spodnji(&dno, 64, 64), zgornji(&spodnji, 16, 16);
    zgornji.Zapisi("abc", 3);
    zgornji.Zapisi(nullptr, 0); // the push reaches the bottom
    EXPECT_EQ("abc", dno.zapisano);
    zgornji.Zapisi("def", 3);
    EXPECT_EQ(0, zgornji.Izplakni());
    EXPECT_EQ("I", dno.dogodki);
    zgornji.Zapisi("ghi", 3);
    EXPECT_EQ(0, zgornji.Zapri()); // writes out, closes the lower converter, which closes the bottom
    EXPECT_EQ("abcdefghi", dno.zapisano);
    EXPECT_EQ("IZ", dno.dogodki);
    EXPECT_EQ(1, spodnji.Zapri());
}

TEST(RIzravnalnik, TwoBufferingFiltersOverADiskFile) {
    ZacasniImenik datoteke;
    std::string ime = datoteke.Pot("chain.bin"), vsebina = Zaporedje(100002), prebrano;
    {
        RFizDatoteka f(ime.c_str(), DAT_PISANJE | DAT_USTVARI);
        RIzravnalnik spodnji(&f, 0, 4096), zgornji(&spodnji, 0, 100);
        for (size_t i = 0; i < vsebina.size(); i += 7)
            zgornji.Zapisi(vsebina.data() + i, 7);
        EXPECT_EQ(0, zgornji.Zapri()); // closes the disk file too
        EXPECT_FALSE(f.JeVeljaven());
    }
    RFizDatoteka f(ime.c_str(), DAT_BRANJE);
    RIzravnalnik spodnji(&f, 4096, 0), zgornji(&spodnji, 100, 0);
    char b[13];
    while (unsigned int n = zgornji.Preberi(b, sizeof b))
        prebrano.append(b, n);
    EXPECT_EQ(vsebina, prebrano);
}

TEST(RIzrSisTokPodatkov, BufferedHandleStream) {
    ZacasniImenik datoteke;
    std::string ime = datoteke.Pot("h.bin");
    HANDLE h = CreateFileA(ime.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, CREATE_ALWAYS, 0, nullptr);
    {
        RIzrSisTokPodatkov tok(h);
        tok.ZapisiObl("%d lines\n", 3);
        EXPECT_EQ("", PreberiDatoteko(ime)); // still buffered
    } // the destructor writes out and releases the handle without closing it
    EXPECT_EQ("3 lines\n", PreberiDatoteko(ime));
    SetFilePointer(h, 0, nullptr, FILE_BEGIN);
    RIzrSisTokPodatkov tok(h, 4, 4);
    char b[8] = {};
    tok.PreberiTab(b, 1, 7);
    EXPECT_STREQ("3 lines", b);
    tok.Zapisi("!", 1);
    EXPECT_EQ(h, tok.OdpustiRocico()); // writes out, hands the handle back open
    EXPECT_EQ(0, tok.UporabiRocico(h));
    RIzrSisTokPodatkov kopija(tok);
    EXPECT_EQ(&kopija.VrniSisTok(), kopija.VrniCilj());
    EXPECT_EQ(0, tok.Zapri()); // closes the handle
    EXPECT_FALSE(CloseHandle(h));
    EXPECT_EQ("3 lines!", PreberiDatoteko(ime).substr(0, 8));
}

} // namespace
