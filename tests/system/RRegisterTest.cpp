// RRegister against the prefix's real registry: a key of its own under HKEY_CURRENT_USER, removed afterwards.
#include "Zaklenjen.h"
#include <atomic>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <thread>
#include <tuple>
#include <vector>
#include <windows.h>
#include <zrno/streams.h>
#include <zrno/strings.h>
#include <zrno/system.h>

namespace {

using namespace Zrno;
using namespace std::string_literals;

const std::string KLJUC = "Software\\ZrnoTest\\RRegister";

class RegisterTest : public ::testing::Test {
  protected:
    RRegister kljuc;

    void SetUp() override {
        RRegister(HKEY_CURRENT_USER).BrisiPodkljuc(KLJUC.c_str()); // a key left by an aborted run
        ASSERT_EQ(kljuc.Ustvari(HKEY_CURRENT_USER, KLJUC.c_str(), KEY_ALL_ACCESS), 0);
    }
    void TearDown() override {
        kljuc.Zapri();
        EXPECT_EQ(RRegister(HKEY_CURRENT_USER).BrisiPodkljuc(KLJUC.c_str()), 0);
    }
    void Surovo(char const *ime, DWORD tip, std::string const &bajti) {
        ASSERT_EQ(RegSetValueExA(kljuc, ime, 0, tip, reinterpret_cast<BYTE const *>(bajti.data()),
                                 static_cast<DWORD>(bajti.size())),
                  ERROR_SUCCESS);
    }
};

std::string Vsebina(RDinTabela<char> const &t) { return std::string(t.VrniPodatke(), t.VrniStevilo()); }

} // namespace

// Every stored form read as a number, a text and a list; a failed read leaves the target as it was. A
// list from anything but REG_MULTI_SZ is the value read as text, made a one-text list (4). The long
// values outgrow the first buffer of the expansion and of the list. REG_NONE: no value at all.
TEST_F(RegisterTest, ReadsEveryTypeAsNumberTextAndList) {
    const std::string dolga(5000, 'x');
    std::string velik;
    for (int i = 0; i < 100; ++i)
        velik += "element" + std::to_string(i) + '\0';
    SetEnvironmentVariableA("ZRNO_STEVILO", "  12");
    SetEnvironmentVariableA("ZRNO_DOLGA", dolga.c_str());
    const int TIP = NAP_TIPVREDNOSTI;
    // Stored type and bytes; read as a number and its result, as text and its result.
    const std::tuple<DWORD, std::string, unsigned long, int, std::string, int> primeri[] = {
        {REG_DWORD, "\x78\x56\x34\x12"s, 0x12345678, 0, "305419896", 4},
        {REG_DWORD, "\xFF\xFF\xFF\xFF"s, 0xFFFFFFFF, 0, "4294967295", 4},
        {REG_DWORD_BIG_ENDIAN, "\x78\x56\x34\x12"s, 0x78563412, 0, "prej", TIP},
        {REG_DWORD, "\x01\x02"s, 99, NAP_BRANJE, "prej", NAP_BRANJE}, // a short number is not a number
        {REG_BINARY, "\x01\x02\x03\x04"s, 99, TIP, "prej", TIP},
        {REG_SZ, " -42x\0"s, static_cast<unsigned long>(-42), 4, " -42x", 0},
        {REG_SZ, "\t\n+17 3\0"s, 17, 4, "\t\n+17 3", 0},
        {REG_SZ, "4294967297\0"s, 1, 4, "4294967297", 0}, // wraps, no overflow check
        {REG_SZ, "abc"s, 0, 4, "abc", 0},                 // stored without its zero
        {REG_EXPAND_SZ, "%ZRNO_STEVILO%5\0"s, 125, 4, "  125", 0},
        {REG_EXPAND_SZ, "[%ZRNO_DOLGA%%ZRNO_DOLGA%]\0"s, 0, 4, "[" + dolga + dolga + "]", 0},
        {REG_MULTI_SZ, "5\0006\0\0"s, 5, 4, "5", 4},
        {REG_MULTI_SZ, velik + '\0', 0, 4, "element0", 4},
        {REG_NONE, "", 99, NAP_NIDATOTEKE, "prej", NAP_NIDATOTEKE},
    };
    for (auto const &[tip, bajti, kotStevilo, rs, kotBesedilo, rb] : primeri) {
        SCOPED_TRACE(testing::Message() << tip << " " << testing::PrintToString(bajti.substr(0, 20)));
        tip == REG_NONE ? void(RegDeleteValueA(kljuc, "v")) : Surovo("v", tip, bajti);
        unsigned long stevilo = 99;
        EXPECT_EQ(kljuc.Preberi("v", stevilo), rs);
        EXPECT_EQ(stevilo, kotStevilo);
        RNizA besedilo("prej");
        EXPECT_EQ(kljuc.Preberi("v", besedilo), rb);
        EXPECT_EQ(std::string(besedilo), kotBesedilo);
        EXPECT_EQ(besedilo.VrniDolzino(), kotBesedilo.size());
        RDinTabela<char> seznam;
        seznam.Nastavi("prej", 4);
        const bool seznamJe = tip == REG_MULTI_SZ;
        EXPECT_EQ(kljuc.Preberi("v", seznam), seznamJe ? 0 : rb < 0 ? rb : 4);
        EXPECT_EQ(Vsebina(seznam), seznamJe ? bajti : rb < 0 ? "prej" : kotBesedilo + "\0\0"s);
        EXPECT_GE(seznam.VrniKapaciteto(), seznam.VrniStevilo());
    }
    SetEnvironmentVariableA("ZRNO_DOLGA", nullptr);
}

TEST_F(RegisterTest, WritesEveryFormAndReadsItRaw) {
    const std::tuple<int, char const *, T_REGTIP, std::string> primeri[] = {
        {kljuc.Zapisi("niz", "abc"), "niz", REGT_NIZ, "abc\0"s},
        {kljuc.Zapisi(nullptr, "privzeta"), "", REGT_NIZ, "privzeta\0"s}, // null: the default value
        {kljuc.Zapisi("stevilo", 0x01020304ul), "stevilo", REGT_DWORD, "\x04\x03\x02\x01"s},
        {kljuc.Zapisi("bin", "\x00\xFF\x10", 3u), "bin", REGT_BINARNO, "\x00\xFF\x10"s},
        {kljuc.ZapisiSeznam("seznam", "a\0bc\0"), "seznam", REGT_SEZNAM, "a\0bc\0\0"s},
        {kljuc.ZapisiSeznam("prazen", ""), "prazen", REGT_SEZNAM, "\0"s},
    };
    for (auto const &[rezultat, ime, vrsta, bajti] : primeri) {
        SCOPED_TRACE(ime);
        EXPECT_EQ(rezultat, 0);
        char b[16];
        T_REGTIP tip = REGT_NIC, tipToka = REGT_NIC;
        unsigned int n = 0, velikost = static_cast<unsigned int>(bajti.size());
        EXPECT_EQ(kljuc.Preberi(ime, b, velikost - 1, &tip, &n), NAP_BRANJE) << "a buffer one byte short";
        EXPECT_EQ(kljuc.Preberi(ime, b, velikost, &tip, &n), 0);
        RPomDatoteka tok;
        EXPECT_EQ(kljuc.Preberi(ime, &tipToka, tok), 0);
        const std::string izToka(static_cast<char const *>(tok.VrniPodatke()), tok.VrniDolzino());
        EXPECT_EQ(std::make_tuple(std::string(b, n), izToka, tip, tipToka, kljuc.VrniTip(ime)),
                  std::make_tuple(bajti, bajti, vrsta, vrsta, vrsta));
        EXPECT_EQ(kljuc.VrniDolzino(ime), velikost);
    }
}

// A value rewritten, now long, now short, while it is read: the size asked first may be stale by the read,
// which then asks again. Every read gets one whole version.
TEST_F(RegisterTest, AValueRewrittenWhileReadIsReadWhole) {
    Surovo("v", REG_SZ, std::string(5000, 'a') + '\0');
    std::atomic<bool> konec{false};
    std::thread pisec([&] {
        for (unsigned int i = 0; !konec; ++i) {
            const std::string v(i % 2 ? 60000 : 5000, static_cast<char>('a' + i % 26));
            RegSetValueExA(kljuc, "v", 0, REG_SZ, reinterpret_cast<BYTE const *>(v.c_str()),
                           DWORD(v.size() + 1));
        }
    });
    int celih = 0;
    for (int i = 0; i < 400; ++i) {
        RNizA besedilo;
        const std::string s = kljuc.Preberi("v", besedilo) == 0 ? std::string(besedilo) : "";
        celih += (s.size() == 5000 || s.size() == 60000) && s.find_first_not_of(s[0]) == std::string::npos;
    }
    konec = true;
    pisec.join();
    EXPECT_EQ(celih, 400);
}

// Names of 1 and 200 characters on two levels, a value in every key; Wine refuses a path longer than
// about 255 characters in one call, so each level is created under the one before. A child that nobody
// may open stays, and the walk ends with a failure instead of retrying it.
TEST_F(RegisterTest, EnumeratesAndDeletesValuesAndSubtrees) {
    std::string const imena[] = {"a", std::string(200, 'c')};
    for (auto const &prvo : imena)
        for (auto const &drugo : imena) {
            RRegister pod, podpod;
            ASSERT_EQ(pod.Ustvari(kljuc, ("drevo\\" + prvo).c_str(), KEY_ALL_ACCESS), 0);
            ASSERT_EQ(podpod.Ustvari(pod, drugo.c_str(), KEY_ALL_ACCESS), 0);
            EXPECT_EQ(pod.Zapisi("v", 1ul) + podpod.Zapisi("v", 1ul), 0);
        }
    RRegister drevo;
    EXPECT_EQ(drevo.Odpri(kljuc, "drevo\\ni", KEY_READ), NAP_NIDATOTEKE);
    EXPECT_EQ(drevo.VrniRocico(), reinterpret_cast<void *>(-1)) << "a failed open keeps the object";
    ASSERT_EQ(drevo.Odpri(kljuc, "drevo", KEY_READ), 0);
    EXPECT_EQ(drevo.Zapisi("v", "y"), NAP_DOSTOP) << "opened read-only";
    std::set<std::string> najdeni;
    RNizA ime;
    for (unsigned int i = 0; i < 9 && drevo.VrniPodkljuc(i, ime) == 0; ++i)
        najdeni.insert(std::string(ime));
    EXPECT_TRUE(ime.JePrazen()) << "the failed step empties the name";
    EXPECT_EQ(najdeni, std::set<std::string>(std::begin(imena), std::end(imena)));
    drevo.Zapri();
    EXPECT_EQ(kljuc.BrisiPodkljuc("drevo"), 0);
    EXPECT_EQ(kljuc.BrisiPodkljuc("drevo"), NAP_NIDATOTEKE);
    ASSERT_EQ(UstvariZaklenjenKljuc(kljuc, "drevo\\a\\zaklenjen"), ERROR_SUCCESS);
    EXPECT_LT(kljuc.BrisiPodkljuc("drevo"), 0);
    EXPECT_EQ(RegDeleteKeyA(kljuc, "drevo\\a\\zaklenjen"), ERROR_SUCCESS);
}

// Every operation on a root given by its 32-bit number answers as on the root's own constant (a value of
// the test's own under HKEY_CURRENT_USER, written and removed); without a key each is refused.
TEST_F(RegisterTest, EveryOperationOnARootByNumberAndWithoutAKey) {
    auto vse = [](RRegister &k, HANDLE dogodek) {
        const char *const v = "ZrnoTestKoren";
        unsigned long n = 0;
        RNizA t;
        RDinTabela<char> s;
        RPomDatoteka tok;
        char b[8];
        RRegister pod, nov;
        return std::vector<int>(
            {k.Zapisi(v, "x"), k.Zapisi(v, 5ul), k.Zapisi(v, "ab", 2u), k.ZapisiSeznam(v, "a\0"),
             k.Preberi(v, b, 8, nullptr, nullptr), k.Preberi(v, n), k.Preberi(v, t), k.Preberi(v, s),
             k.Preberi(v, nullptr, tok), int(k.VrniTip(v)), int(k.VrniDolzino(v)), k.BrisiVrednost(v),
             k.BrisiVrednost(v), k.Izplakni(), k.VrniPodkljuc(1000000, t),
             k.BrisiPodkljuc("ZrnoTestNiTakega"), k.SpremljajSpremembe(REG_NOTIFY_CHANGE_LAST_SET, dogodek),
             pod.Odpri(k, "Software", KEY_READ), nov.Ustvari(k, "Software", KEY_READ)});
    };
    HANDLE d = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    RRegister koren(HKEY_CURRENT_USER), stevilka(reinterpret_cast<void *>(0x80000001u)), brez;
    const std::vector<int> izKorena = vse(koren, d);
    EXPECT_EQ(izKorena, vse(stevilka, d));
    EXPECT_EQ(izKorena, std::vector<int>({0, 0, 0, 0, 0, 4, 4, 0, 0, REGT_SEZNAM, 3, 0, NAP_NIDATOTEKE, 0,
                                          NAP_NIVEC, NAP_NIDATOTEKE, 0, 0, 0}));
    std::vector<int> rocica(19, NAP_ROCICA);
    rocica[9] = rocica[10] = 0; // no type, no length
    EXPECT_EQ(vse(brez, d), rocica);
    EXPECT_EQ(brez.SpremljajSpremembe(REG_NOTIFY_CHANGE_LAST_SET), NAP_ROCICA);
    // A watch over the subtree sees a change below the key.
    ResetEvent(d);
    RRegister pod;
    ASSERT_EQ(pod.Ustvari(kljuc, "pod", KEY_ALL_ACCESS), 0);
    EXPECT_EQ(kljuc.SpremljajSpremembe(REG_NOTIFY_CHANGE_LAST_SET | REG_SPREMLJAJ_PODDREVO, d), 0);
    EXPECT_EQ(pod.Zapisi("v", 1ul), 0);
    EXPECT_EQ(WaitForSingleObject(d, 10000), WAIT_OBJECT_0);
    CloseHandle(d);
}

// Exact reservation cuts the count; growth keeps an element taken from the table's own storage.
TEST(RDinTabela, Reservation) {
    RDinTabela<char> t;
    ASSERT_EQ(t.Nastavi("0123456789abcdef", 16), 0);
    ASSERT_EQ(t.Rezerviraj(10, true), 0);
    EXPECT_EQ(t.Dodaj(t[0]), 0);
    t = *&t;
    EXPECT_EQ(t.Rezerviraj(1, false), 0) << "room enough already";
    EXPECT_EQ(Vsebina(t), "01234567890");
    EXPECT_EQ(t.Rezerviraj(0, true), 0);
    EXPECT_TRUE(t.VrniPodatke() == nullptr && t.VrniStevilo() == 0);
    EXPECT_EQ(t.Rezerviraj(0xFFFFFFFFu, false), NAP_POMNILNIK);
    EXPECT_EQ(RDinTabela<char const *>().Rezerviraj(0x40000000u, true), NAP_POMNILNIK) << "4 GiB and more";
}
