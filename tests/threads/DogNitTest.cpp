// Message threads: the start-up handshake, stop requests, failed posts, a pipeline.
#include "Pomoc.h"
#include <windows.h>

// Records the codes it handles and sums their values; ends the loop with rezultat on code 0.
struct Zapisovalnik : RDogNit {
    std::vector<unsigned int> kode;
    unsigned long long vsota = 0;
    unsigned int zagon = 0, rezultat = 0;
    void *parameter = nullptr, *podatki = nullptr, *zakljucek = nullptr;
    unsigned int ObZagonu(void *p) override { return parameter = p, zagon; }
    void ObZakljucku(void *p) override { zakljucek = p; }
    unsigned int RokovalnikOznak(unsigned int koda, unsigned int vrednost, void *p) override {
        kode.push_back(koda);
        vsota += vrednost;
        podatki = p ? p : podatki;
        return koda == 0 ? rezultat : 0;
    }
};

TEST(RDogNit, RequestRightAfterOdpriStopAndEndedThread) {
    for (int krog = 0; krog < 20; ++krog) { // the handshake race, many times over
        Zapisovalnik n;
        n.rezultat = 8;
        int p = 0;
        EXPECT_EQ(n.Sporoci(1, 0, nullptr), Zrno::NAP_NITID) << "no thread yet";
        // Suspended or running, the queue exists when Odpri returns.
        ASSERT_EQ(n.Odpri(0, &p, krog % 2 ? NIT_ZAMRZNJENA : NIT_TECE, 0), 0);
        EXPECT_EQ(n.Sporoci(5, 1, &p) + n.Sporoci(0, 2, nullptr), 0);
        EXPECT_EQ((Izidi{krog % 2 && n.parameter, krog % 2 ? n.Odmrzni() : 0}), Izidi(2, 0))
            << "ObZagonu waits for Odmrzni";
        // The exit code is the stop handler's result; posting to a thread that has ended fails.
        ASSERT_EQ((Izidi{n.Zakleni(ROK), int(Koda(n)), n.Sporoci(1, 0, nullptr)}),
                  (Izidi{0, 8, Zrno::NAP_NITID}));
        EXPECT_EQ(n.kode, (std::vector<unsigned int>{5, 0}));
        EXPECT_EQ(std::vector<void *>({n.podatki, n.parameter, n.zakljucek}), std::vector<void *>(3, &p));
    }
    Zapisovalnik n;
    n.zagon = 7;
    // No start record, so no handshake; ObZagonu's non-zero result skips the loop.
    ASSERT_EQ((Izidi{n.Odkleni(), n.Zakleni(ROK), int(Koda(n)), int(n.kode.size())}), (Izidi{0, 0, 7, 0}));

    Zapisovalnik tu;
    tu.rezultat = 6;
    MSG m;
    PeekMessageA(&m, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    tu.Uporabi(RNit::VrniTrenutnoNit(), RNit::VrniKodoTrenutneNiti(), 0);
    // WM_QUIT is not a stop: it is handled as a system code.
    EXPECT_EQ((Izidi{tu.Sporoci(4, 0, nullptr), PostThreadMessageA(GetCurrentThreadId(), WM_QUIT, 0, 0),
                     tu.Sporoci(0, 0, nullptr), int(tu.Pozeni(nullptr))}),
              (Izidi{0, 1, 0, 6}));
    EXPECT_EQ(tu.kode, (std::vector<unsigned int>{4, WM_QUIT - 0x1400u, 0}));
}

// A stage that checks that its items come in order and passes each on.
struct Stopnja : RStopnjaCevovoda {
    using RStopnjaCevovoda::RStopnjaCevovoda;
    unsigned int prejetih = 0, napak = 0;
    unsigned int RokovalnikOznak(unsigned int koda, unsigned int vrednost, void *) override {
        napak += koda == 1 && vrednost != prejetih++;
        napak += m_naslednja && m_naslednja->Sporoci(koda, vrednost, nullptr) != 0;
        return 0;
    }
};

// Items pass three stages into a collector, each stage checking their order; the stop request travels
// down the pipeline behind them.
TEST(RStopnjaCevovoda, ThreeStagesInOrder) {
    constexpr unsigned int n = 1000;
    Zapisovalnik zbiralnik;
    Stopnja tretja(&zbiralnik), druga(&tretja), prva(nullptr);
    prva.UporabiNaslednjo(&druga);
    ASSERT_EQ(zbiralnik.Odpri(0, nullptr, NIT_TECE, 0), 0);
    for (Stopnja *s : {&tretja, &druga, &prva})
        ASSERT_EQ(s->Odpri(0, nullptr, NIT_TECE, 0), 0);
    for (unsigned int i = 0; i < n; ++i) // far below the system's 10000 messages a queue holds
        ASSERT_EQ(prva.Sporoci(1, i, nullptr), 0);
    ASSERT_EQ(prva.Sporoci(0, 0, nullptr), 0);
    for (Stopnja *s : {&prva, &druga, &tretja})
        ASSERT_EQ((Izidi{s->Zakleni(ROK * 6), int(s->prejetih), int(s->napak)}), (Izidi{0, int(n), 0}));
    ASSERT_EQ(zbiralnik.Zakleni(ROK * 6), 0);
    EXPECT_EQ(zbiralnik.kode.size(), n + 1);
    EXPECT_EQ(zbiralnik.vsota, n * (n - 1) / 2) << "each item exactly once";
}
