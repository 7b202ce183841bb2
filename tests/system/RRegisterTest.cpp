// RRegister against the real registry of the test prefix: a key of the test's own under
// HKEY_CURRENT_USER, written with the raw system calls where the stored bytes matter, removed afterwards.
#include "Zaklenjen.h"
#include <functional>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <windows.h>
#include <zrno/streams.h>
#include <zrno/strings.h>
#include <zrno/system.h>
#include <zrno/threads.h>

namespace {

using namespace Zrno;

const std::string KLJUC = "Software\\ZrnoTest\\RRegister";

class RegisterTest : public ::testing::Test {
  protected:
    RRegister kljuc;

    void SetUp() override {
        RRegister koren(HKEY_CURRENT_USER);
        koren.BrisiPodkljuc(KLJUC.c_str()); // a key left by an aborted run
        ASSERT_EQ(kljuc.Ustvari(HKEY_CURRENT_USER, KLJUC.c_str(), KEY_ALL_ACCESS), 0);
    }
    void TearDown() override {
        kljuc.Zapri();
        RRegister koren(HKEY_CURRENT_USER);
        EXPECT_EQ(koren.BrisiPodkljuc(KLJUC.c_str()), 0);
    }

    void Surovo(char const *ime, DWORD tip, std::string const &bajti) {
        ASSERT_EQ(RegSetValueExA(kljuc, ime, 0, tip, reinterpret_cast<BYTE const *>(bajti.data()),
                                 static_cast<DWORD>(bajti.size())),
                  ERROR_SUCCESS);
    }
    std::string Bajti(char const *ime, DWORD *tip = nullptr) {
        char b[256];
        DWORD n = sizeof b;
        if (RegQueryValueExA(kljuc, ime, nullptr, tip, reinterpret_cast<BYTE *>(b), &n) != ERROR_SUCCESS)
            return "<missing>";
        return std::string(b, n);
    }
};

std::string S(char const *s, size_t n) { return std::string(s, n); }

struct Vrednost {
    DWORD tip;
    char const *b;
    unsigned int n;
    std::string bajti() const { return std::string(b, n); }
};

} // namespace

TEST_F(RegisterTest, ReadsNumbersFromEveryType) {
    SetEnvironmentVariableA("ZRNO_STEVILO", "  12");
    struct {
        Vrednost v;
        unsigned long stevilo;
        int rezultat;
    } const primeri[] = {
        {{REG_DWORD, "\x78\x56\x34\x12", 4}, 0x12345678, 0},
        {{REG_DWORD_BIG_ENDIAN, "\x78\x56\x34\x12", 4}, 0x78563412, 0},
        {{REG_SZ, " -42x", 6}, static_cast<unsigned long>(-42), 4},
        {{REG_SZ, "\t\n+17 3", 8}, 17, 4},
        {{REG_SZ, "abc", 4}, 0, 4},
        {{REG_SZ, "-", 2}, 0, 4},
        {{REG_SZ, "4294967297", 11}, 1, 4}, // wraps, no overflow check
        {{REG_EXPAND_SZ, "%ZRNO_STEVILO%5", 16}, 125, 4},
        {{REG_MULTI_SZ, "5\0006\0", 5}, 5, 4},
        {{REG_BINARY, "\x01\x02\x03\x04", 4}, 99, NAP_TIPVREDNOSTI},
        {{REG_DWORD, "\x01\x02", 2}, 99, NAP_BRANJE}, // a short number is not a number
    };
    for (auto const &p : primeri) {
        SCOPED_TRACE(p.v.tip);
        SCOPED_TRACE(p.v.bajti());
        Surovo("v", p.v.tip, p.v.bajti());
        unsigned long stevilo = 99;
        EXPECT_EQ(kljuc.Preberi("v", stevilo), p.rezultat);
        EXPECT_EQ(stevilo, p.stevilo);
    }
    unsigned long stevilo = 99;
    EXPECT_EQ(kljuc.Preberi("manjka", stevilo), NAP_NIDATOTEKE);
    EXPECT_EQ(stevilo, 99ul);
}

TEST_F(RegisterTest, ReadsTextsFromEveryType) {
    SetEnvironmentVariableA("ZRNO_BESEDA", "svet");
    struct {
        Vrednost v;
        char const *besedilo;
        int rezultat;
    } const primeri[] = {
        {{REG_SZ, "abc", 4}, "abc", 0},
        {{REG_SZ, "abc", 3}, "abc", 0}, // stored without its zero
        {{REG_SZ, "", 0}, "", 0},
        {{REG_SZ, "a\0b", 4}, "a", 0},
        {{REG_MULTI_SZ, "a\0b\0", 5}, "a", 4},
        {{REG_DWORD, "\x07\x00\x00\x00", 4}, "7", 4},
        {{REG_DWORD, "\xFF\xFF\xFF\xFF", 4}, "4294967295", 4},
        {{REG_EXPAND_SZ, "<%ZRNO_BESEDA%>", 16}, "<svet>", 0},
        {{REG_EXPAND_SZ, "%ZRNO_NI_TAKE%", 15}, "%ZRNO_NI_TAKE%", 0},
        {{REG_BINARY, "xy", 2}, "prej", NAP_TIPVREDNOSTI},
        {{REG_DWORD_BIG_ENDIAN, "\x07\x00\x00\x00", 4}, "prej", NAP_TIPVREDNOSTI},
    };
    for (auto const &p : primeri) {
        SCOPED_TRACE(p.besedilo);
        Surovo("v", p.v.tip, p.v.bajti());
        RNizA besedilo("prej");
        EXPECT_EQ(kljuc.Preberi("v", besedilo), p.rezultat);
        EXPECT_STREQ(besedilo, p.besedilo);
        EXPECT_EQ(besedilo.VrniDolzino(), strlen(p.besedilo));
    }
    RNizA besedilo("prej");
    EXPECT_EQ(kljuc.Preberi("manjka", besedilo), NAP_NIDATOTEKE);
    EXPECT_STREQ(besedilo, "prej");
}

TEST_F(RegisterTest, ExpandsPastTheFirstBuffer) {
    std::string dolga(5000, 'x');
    dolga[4999] = 'y';
    ASSERT_TRUE(SetEnvironmentVariableA("ZRNO_DOLGA", dolga.c_str()));
    Surovo("v", REG_EXPAND_SZ, S("[%ZRNO_DOLGA%%ZRNO_DOLGA%]", 27));
    RNizA besedilo;
    EXPECT_EQ(kljuc.Preberi("v", besedilo), 0);
    EXPECT_EQ(std::string(besedilo), "[" + dolga + dolga + "]");
    SetEnvironmentVariableA("ZRNO_DOLGA", nullptr);
}

TEST_F(RegisterTest, ReadsLists) {
    struct {
        Vrednost v;
        char const *seznam;
        unsigned int dolzina;
        int rezultat;
    } const primeri[] = {
        {{REG_MULTI_SZ, "a\0b\0", 5}, "a\0b\0", 5, 0},
        {{REG_MULTI_SZ, "", 1}, "", 1, 0},
        {{REG_SZ, "a", 2}, "a\0", 3, 4},
        {{REG_DWORD, "\x07\x00\x00\x00", 4}, "7\0", 3, 4},
        {{REG_BINARY, "a", 1}, "prej", 4, NAP_TIPVREDNOSTI},
    };
    for (auto const &p : primeri) {
        SCOPED_TRACE(p.rezultat);
        Surovo("v", p.v.tip, p.v.bajti());
        RDinTabela<char> seznam;
        seznam.Nastavi("prej", 4);
        EXPECT_EQ(kljuc.Preberi("v", seznam), p.rezultat);
        EXPECT_EQ(std::string(seznam.VrniPodatke(), seznam.VrniStevilo()), S(p.seznam, p.dolzina));
        EXPECT_GE(seznam.VrniKapaciteto(), seznam.VrniStevilo());
    }
    // A list larger than the table's first block.
    std::string velik;
    for (int i = 0; i < 100; ++i)
        velik += "element" + std::to_string(i) + '\0';
    velik += '\0';
    Surovo("v", REG_MULTI_SZ, velik);
    RDinTabela<char> seznam;
    EXPECT_EQ(kljuc.Preberi("v", seznam), 0);
    EXPECT_EQ(std::string(seznam.VrniPodatke(), seznam.VrniStevilo()), velik);
}

TEST_F(RegisterTest, WritesEveryForm) {
    struct {
        int rezultat;
        char const *ime;
        DWORD tip;
        char const *bajti;
        unsigned int n;
    } const primeri[] = {
        {kljuc.Zapisi("niz", "abc"), "niz", REG_SZ, "abc", 4},
        {kljuc.Zapisi(nullptr, "privzeta"), "", REG_SZ, "privzeta", 9}, // null: the default value
        {kljuc.Zapisi("stevilo", 0x01020304ul), "stevilo", REG_DWORD, "\x04\x03\x02\x01", 4},
        {kljuc.Zapisi("bin", "\x00\xFF\x10", 3u), "bin", REG_BINARY, "\x00\xFF\x10", 3},
        {kljuc.ZapisiSeznam("seznam", "a\0bc\0"), "seznam", REG_MULTI_SZ, "a\0bc\0", 6},
        {kljuc.ZapisiSeznam("prazen", ""), "prazen", REG_MULTI_SZ, "", 1},
    };
    for (auto const &p : primeri) {
        DWORD tip = 0;
        EXPECT_EQ(p.rezultat, 0) << p.ime;
        EXPECT_EQ(Bajti(p.ime, &tip), S(p.bajti, p.n)) << p.ime;
        EXPECT_EQ(tip, p.tip) << p.ime;
    }
    EXPECT_EQ(kljuc.VrniTip("seznam"), REGT_SEZNAM);
    EXPECT_EQ(kljuc.VrniDolzino("seznam"), 6u);
    EXPECT_EQ(kljuc.VrniTip("manjka"), REGT_NIC);
    EXPECT_EQ(kljuc.VrniDolzino("manjka"), 0u);
    EXPECT_EQ(kljuc.Izplakni(), 0);
}

TEST_F(RegisterTest, RawReadAndStream) {
    Surovo("bin", REG_BINARY, S("\x01\x02\x03\x04\x05", 5));
    unsigned char b[8] = {};
    T_REGTIP tip = REGT_NIC;
    unsigned int n = 0;
    EXPECT_EQ(kljuc.Preberi("bin", b, 4, &tip, &n), NAP_BRANJE) << "a buffer one byte short";
    EXPECT_EQ(n, 0u);
    EXPECT_EQ(kljuc.Preberi("bin", b, 5, &tip, &n), 0);
    EXPECT_EQ(n, 5u);
    EXPECT_EQ(tip, REGT_BINARNO);
    EXPECT_EQ(b[4], 5);
    EXPECT_EQ(kljuc.Preberi("manjka", b, 5, nullptr, nullptr), NAP_NIDATOTEKE);

    RPomDatoteka tok;
    tip = REGT_NIC;
    EXPECT_EQ(kljuc.Preberi("bin", &tip, tok), 0);
    EXPECT_EQ(tip, REGT_BINARNO);
    ASSERT_EQ(tok.VrniDolzino(), 5u);
    EXPECT_EQ(std::string(static_cast<char const *>(tok.VrniPodatke()), 5), S("\x01\x02\x03\x04\x05", 5));
    EXPECT_EQ(kljuc.Preberi("manjka", &tip, tok), NAP_NIDATOTEKE);
}

TEST_F(RegisterTest, DeletesValuesAndSubtrees) {
    Surovo("v", REG_SZ, S("x", 2));
    EXPECT_EQ(kljuc.BrisiVrednost("v"), 0);
    EXPECT_EQ(kljuc.BrisiVrednost("v"), NAP_NIDATOTEKE);

    // Three levels; names of 1, 17 and 200 characters at each, a value in every key. Wine refuses a
    // path longer than about 255 characters in one call (ERROR_MORE_DATA), so each level is created
    // under the one before.
    std::string const imena[] = {"a", std::string(17, 'b'), std::string(200, 'c')};
    RRegister drevo;
    ASSERT_EQ(drevo.Ustvari(kljuc, "drevo", KEY_ALL_ACCESS), 0);
    std::function<void(RRegister &, int)> Napolni = [&](RRegister &stars, int globina) {
        for (auto const &ime : imena) {
            RRegister pod;
            ASSERT_EQ(pod.Ustvari(stars, ime.c_str(), KEY_ALL_ACCESS), 0);
            EXPECT_EQ(pod.Zapisi("v", 1ul), 0);
            if (globina < 2)
                Napolni(pod, globina + 1);
            pod.Zapri();
        }
    };
    Napolni(drevo, 0);
    drevo.Zapri();
    EXPECT_EQ(kljuc.BrisiPodkljuc("drevo"), 0);
    EXPECT_EQ(kljuc.BrisiPodkljuc("drevo"), NAP_NIDATOTEKE); // gone

    // A child that nobody may open stays, and the walk ends with a failure instead of retrying it.
    ASSERT_EQ(UstvariZaklenjenKljuc(kljuc, "drevo\\a\\zaklenjen"), ERROR_SUCCESS);
    EXPECT_LT(kljuc.BrisiPodkljuc("drevo"), 0);
    EXPECT_EQ(RegDeleteKeyA(kljuc, "drevo\\a\\zaklenjen"), ERROR_SUCCESS);
}

TEST_F(RegisterTest, EnumeratesAThousandSubkeys) {
    std::set<std::string> ustvarjeni;
    for (int i = 0; i < 1000; ++i) {
        std::string ime = "k" + std::to_string(i * 7919);
        RRegister pod;
        ASSERT_EQ(pod.Ustvari(kljuc, ime.c_str(), KEY_READ), 0);
        pod.Zapri();
        ustvarjeni.insert(ime);
    }
    std::set<std::string> najdeni;
    RNizA ime;
    unsigned int i = 0;
    for (; i < 2000 && kljuc.VrniPodkljuc(i, ime) == 0; ++i)
        najdeni.insert(std::string(ime));
    EXPECT_EQ(i, 1000u);
    EXPECT_EQ(najdeni, ustvarjeni);
    ime = "prej";
    EXPECT_EQ(kljuc.VrniPodkljuc(1000, ime), NAP_NIVEC);
    EXPECT_TRUE(ime.JePrazen());
}

TEST_F(RegisterTest, RefusedAccess) {
    Surovo("v", REG_SZ, S("x", 2));
    RRegister bralni;
    ASSERT_EQ(bralni.Odpri(HKEY_CURRENT_USER, KLJUC.c_str(), KEY_READ), 0);
    EXPECT_EQ(bralni.Zapisi("v", "y"), NAP_DOSTOP);
    EXPECT_EQ(bralni.Zapisi("n", 1ul), NAP_DOSTOP);
    EXPECT_EQ(bralni.BrisiVrednost("v"), NAP_DOSTOP);
    RNizA besedilo;
    EXPECT_EQ(bralni.Preberi("v", besedilo), 0) << "reading is allowed";
    EXPECT_STREQ(besedilo, "x");
    EXPECT_EQ(bralni.Zapri(), 0);

    RRegister samoPisanje;
    ASSERT_EQ(samoPisanje.Odpri(HKEY_CURRENT_USER, KLJUC.c_str(), KEY_SET_VALUE), 0);
    EXPECT_EQ(samoPisanje.Preberi("v", besedilo), NAP_DOSTOP);
    EXPECT_EQ(samoPisanje.VrniPodkljuc(0, besedilo), NAP_DOSTOP);
    samoPisanje.Zapri();
}

TEST_F(RegisterTest, OpensUnderRootsAndKeys) {
    RRegister pod;
    EXPECT_EQ(pod.Odpri(kljuc, "ni\\take", KEY_READ), NAP_NIDATOTEKE);
    EXPECT_EQ(pod.VrniRocico(), reinterpret_cast<void *>(-1)) << "a failed open keeps the object";
    ASSERT_EQ(pod.Ustvari(kljuc, "a\\b", KEY_ALL_ACCESS), 0);
    EXPECT_EQ(pod.Zapisi("v", "x"), 0);
    pod.Zapri();
    // The root by its 32-bit number, as a program built for either target would write it.
    RRegister koren;
    ASSERT_EQ(koren.Odpri(reinterpret_cast<void *>(0x80000001u), (KLJUC + "\\a\\b").c_str(), KEY_READ), 0);
    RNizA besedilo;
    EXPECT_EQ(koren.Preberi("v", besedilo), 0);
    EXPECT_STREQ(besedilo, "x");
    RRegister kopija(koren);
    EXPECT_EQ(static_cast<HKEY>(kopija), static_cast<HKEY>(koren)) << "a copy shares the handle";
    EXPECT_EQ(koren.Zapri(), 0);
}

TEST_F(RegisterTest, ClosedAndDefaultObjects) {
    RRegister privzeti;
    // Windows refuses to close the handle -1 (ERROR_INVALID_HANDLE); Wine takes every handle from
    // 0x80000000 up for a predefined root, whose close always succeeds. Either way the handle is gone.
    int r = privzeti.Zapri();
    EXPECT_TRUE(r == NAP_ROCICA || r == 0) << r;
    EXPECT_EQ(privzeti.VrniRocico(), nullptr);
    EXPECT_EQ(privzeti.Zapri(), 1);

    RRegister zaprt;
    ASSERT_EQ(zaprt.Odpri(kljuc, nullptr, KEY_ALL_ACCESS), 0);
    EXPECT_EQ(zaprt.Zapri(), 0);
    EXPECT_EQ(zaprt.Zapri(), 1);
    RNizA besedilo("prej");
    unsigned long stevilo = 5;
    EXPECT_LT(zaprt.Preberi("v", besedilo), 0);
    EXPECT_LT(zaprt.Preberi("v", stevilo), 0);
    EXPECT_LT(zaprt.Zapisi("v", "x"), 0);
    EXPECT_LT(zaprt.VrniPodkljuc(0, besedilo), 0);
    EXPECT_STREQ(besedilo, "");
    EXPECT_EQ(stevilo, 5ul);
}

namespace {

struct Opazovalec {
    RRegister kljuc;
    int rezultat = 1;
    static DWORD WINAPI Izvedi(void *p) {
        Opazovalec *o = static_cast<Opazovalec *>(p);
        o->rezultat = o->kljuc.SpremljajSpremembe(REG_NOTIFY_CHANGE_LAST_SET);
        return 0;
    }
};

DWORD WINAPI Pisi(void *p) {
    return static_cast<DWORD>(static_cast<RRegister *>(p)->Zapisi("sprememba", 1ul));
}

} // namespace

TEST_F(RegisterTest, WatchSignalsAnEventOnAChangeFromAnotherThread) {
    RDogodek dogodek(RDogodek::ROCNI);
    ASSERT_TRUE(dogodek.JeVeljaven());
    EXPECT_EQ(kljuc.SpremljajSpremembe(REG_NOTIFY_CHANGE_LAST_SET | REG_SPREMLJAJ_PODDREVO, dogodek), 0);
    EXPECT_EQ(dogodek.Zakleni(0), NAP_CASOVNIROK);
    RRegister pisec;
    ASSERT_EQ(pisec.Odpri(kljuc, nullptr, KEY_SET_VALUE), 0);
    HANDLE nit = CreateThread(nullptr, 0, Pisi, &pisec, 0, nullptr);
    ASSERT_TRUE(nit);
    EXPECT_EQ(dogodek.Zakleni(10000), 0);
    EXPECT_EQ(WaitForSingleObject(nit, 10000), static_cast<DWORD>(WAIT_OBJECT_0));
    CloseHandle(nit);
    pisec.Zapri();
}

TEST_F(RegisterTest, WatchWithoutAnEventReturnsOnAChange) {
    Opazovalec o;
    ASSERT_EQ(o.kljuc.Odpri(kljuc, nullptr, KEY_NOTIFY), 0);
    HANDLE nit = CreateThread(nullptr, 0, Opazovalec::Izvedi, &o, 0, nullptr);
    ASSERT_TRUE(nit);
    // The watcher may not be registered yet when a change is made, so changes repeat until it returns.
    DWORD cakanje = WAIT_TIMEOUT;
    for (unsigned long i = 0; i < 200 && cakanje == WAIT_TIMEOUT; ++i) {
        EXPECT_EQ(kljuc.Zapisi("sprememba", i), 0);
        cakanje = WaitForSingleObject(nit, 50);
    }
    ASSERT_EQ(cakanje, static_cast<DWORD>(WAIT_OBJECT_0)) << "the watch never returned";
    EXPECT_EQ(o.rezultat, 0);
    CloseHandle(nit);
    o.kljuc.Zapri();
}

TEST(RDinTabela, Reservation) {
    RDinTabela<char> t;
    EXPECT_EQ(t.VrniKapaciteto(), 0u);
    EXPECT_EQ(t.VrniPodatke(), nullptr);
    for (auto [zahteva, kapaciteta] : {std::pair{1u, 128u}, {100u, 128u}, {128u, 256u}}) {
        EXPECT_EQ(t.Rezerviraj(zahteva, false), 0);
        EXPECT_EQ(t.VrniKapaciteto(), kapaciteta) << zahteva;
    }
    ASSERT_EQ(t.Nastavi("0123456789abcdef", 16), 0);
    EXPECT_EQ(t.Rezerviraj(10, true), 0);
    EXPECT_EQ(t.VrniKapaciteto(), 10u);
    EXPECT_EQ(t.VrniStevilo(), 10u);
    EXPECT_EQ(t.Dodaj('x'), 0);
    EXPECT_EQ(std::string(t.VrniPodatke(), t.VrniStevilo()), "0123456789x");
    EXPECT_EQ(t.VrniKapaciteto(), 128u);
    RDinTabela<char> kopija(t);
    EXPECT_NE(kopija.VrniPodatke(), t.VrniPodatke());
    EXPECT_EQ(std::string(kopija.VrniPodatke(), kopija.VrniStevilo()), "0123456789x");
    EXPECT_EQ(t.Rezerviraj(0, true), 0);
    EXPECT_EQ(t.VrniPodatke(), nullptr);
    EXPECT_EQ(t.VrniStevilo(), 0u);
    EXPECT_EQ(t.Rezerviraj(0xFFFFFFFFu, false), NAP_POMNILNIK);

    RDinTabela<char const *> kazalci;
    char const *besedila[] = {"a", "b"};
    EXPECT_EQ(kazalci.Nastavi(besedila, 2), 0);
    EXPECT_EQ(kazalci.Dodaj(kazalci[0]), 0);
    EXPECT_STREQ(kazalci[2], "a");
}
