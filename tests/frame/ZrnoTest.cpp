// Start-up counting, the socket layer behind it, the whole error mapping, the private locale (a refused
// heap growth keeps the block: the fault scenarios fail every allocation, tests/faults); the start-up
// failure message in the module's three languages, and a refused load of the test build of the library
// (ZrnoZagon.dll), which hands the texts back through the environment instead of showing them.
#include <algorithm>
#include <gtest/gtest.h>
#include <locale.h>
#include <string.h>
#include <string>
#include <windows.h>
#include <zrno/frame.h>
#include <zrno/strings.h>

namespace {

bool VticniceDelujejo() {
    SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
    return s != INVALID_SOCKET && closesocket(s) == 0;
}

const struct {
    T_KODAJEZIKA2 jezik;
    char const *sporocilo;
} JEZIKI[] = {
    {KJ2_ANGLESKI, "Error initializing WinSocket (code 0x80000001)."},
    {KJ2_ITALIJANSKI, "Errore nell'inizializzazione del WinSocket (codice 0x80000001)."},
    {KJ2_SLOVENSKI, "Napaka pri inicializaciji WinSocket (koda 0x80000001)."},
};

std::string Okolje(char const *ime) {
    char b[512];
    DWORD n = GetEnvironmentVariableA(ime, b, sizeof b);
    return n && n < sizeof b ? std::string(b, n) : "<none>";
}

} // namespace

// The loader's start holds one count for the whole process; the test takes it down to 0 and back.
TEST(Zrno, StartStopCountingAndErrorMapping) {
    T_VERZIJAOS os = Zrno::VrniVerzijoOS();
    EXPECT_EQ(os & 0xFFFF0000u, 0x30000u) << "an NT system";
    ASSERT_TRUE(VticniceDelujejo());
    EXPECT_EQ(Zrno::Vzpostavi(), 0);
    EXPECT_EQ(Zrno::Zakljuci(), 0);
    EXPECT_TRUE(VticniceDelujejo()) << "one start is still outstanding";
    EXPECT_EQ(Zrno::Zakljuci(), 0);
    EXPECT_FALSE(VticniceDelujejo()) << "the last Zakljuci stops the socket layer";
    EXPECT_EQ(Zrno::Zakljuci(), 1) << "nothing to stop";
    EXPECT_EQ(Zrno::Vzpostavi(), 0);
    EXPECT_TRUE(VticniceDelujejo());

    // Every system code the library knows ignores the default; 0 stays success; the codes beside them
    // (0xFFFFFFFF beside 0 among them) give the default.
    // clang-format off
    const unsigned int preslikava[][2] = {
        {1, 0x80000043}, {2, 0x80000045}, {3, 0x80000046}, {4, 0x80000047}, {5, 0x80000042}, {6, 0x80000038},
        {8, 0x80000006}, {19, 0x80000048}, {21, 0x80000049}, {22, 0x80000043}, {23, 0x80000044},
        {27, 0x8000004B}, {29, 0x80000005}, {30, 0x80000004}, {32, 0x8000004A}, {33, 0x8000004C},
        {39, 0x8000004D}, {50, 0x80000043}, {52, 0x8000003C}, {87, 0x80000003}, {123, 0x80000039},
        {183, 0x8000003C}, {259, 0x8000001A}, {1055, 0x8000004C}, {1056, 0x80000055}, {1057, 0x8000003D},
        {1059, 0x8000003B}, {1060, 0x8000003A}, {1065, 0x80000037}, {1069, 0x80000056}, {1072, 0x80000053},
        {1073, 0x8000003C}, {1444, 0x80000059}, {1814, 0x8000005A}, {10061, 0x80000063}, {12002, 0x80000023},
        {12007, 0x80000014}, {0x8009000C, 0x8000005C}, {0x8009000E, 0x80000006}, {0x8009000F, 0x8000003C},
        {0x80090016, 0x8000005E}, {0x80090019, 0x8000005D}, {0x8009001A, 0x8000005E}, {0, 0}};
    // clang-format on
    for (const auto &rad : preslikava)
        for (unsigned int s : {rad[0] - 1, rad[0], rad[0] + 1}) {
            auto v = std::find_if(std::begin(preslikava), std::end(preslikava),
                                  [s](auto &p) { return p[0] == s; });
            EXPECT_EQ(unsigned(PretvoriNapako(s, -5)), v == std::end(preslikava) ? unsigned(-5) : (*v)[1])
                << s;
        }
}

TEST(Zrno, LocaleIsPrivate) {
    const char *const nic = nullptr; // a null name only asks
    const char *ime = Zrno::NastaviLocale(LC_ALL, nic);
    EXPECT_NE(strstr(ime ? ime : "", ".1250"), nullptr);
    ASSERT_STREQ(Zrno::NastaviLocale(LC_NUMERIC, "C"), "C");
    EXPECT_NE(strstr(Zrno::NastaviLocale(LC_ALL, nic), "LC_NUMERIC=C;"), nullptr) << "categories differ";
    EXPECT_EQ(Zrno::NastaviLocale(LC_ALL, "no-such-locale"), nullptr);
    EXPECT_STREQ(Zrno::NastaviLocale(LC_NUMERIC, nic), "C") << "a refused request changes nothing";
    const unsigned short siroko[] = {'.', '1', '2', '5', '2', 0};
    const unsigned short *w = Zrno::NastaviLocale(LC_ALL, siroko);
    EXPECT_NE(wcsstr(reinterpret_cast<const wchar_t *>(w ? w : siroko + 5), L".1252"), nullptr);
    // Refused: a category out of range, a wide name that is not ASCII or longer than any name can be.
    const std::basic_string<unsigned short> tuje = {'C', 0xE8}, dolgo(300, 'C');
    for (int k : {LC_ALL - 1, LC_MAX + 1})
        EXPECT_EQ(Zrno::NastaviLocale(k, nic), nullptr) << k;
    EXPECT_EQ(Zrno::NastaviLocale(LC_ALL, tuje.c_str()), nullptr);
    EXPECT_EQ(Zrno::NastaviLocale(LC_ALL, dolgo.c_str()), nullptr);
    w = Zrno::NastaviLocale(LC_ALL, static_cast<unsigned short const *>(nullptr)); // only asks: unchanged
    EXPECT_NE(wcsstr(reinterpret_cast<const wchar_t *>(w ? w : siroko + 5), L".1252"), nullptr);
    // A further start puts code page 1250 back, and the application never saw any of it.
    EXPECT_EQ(Zrno::Vzpostavi(), 0);
    EXPECT_EQ(Zrno::Zakljuci(), 0);
    EXPECT_NE(strstr(Zrno::NastaviLocale(LC_CTYPE, nic), ".1250"), nullptr);
    EXPECT_STREQ(setlocale(LC_ALL, nullptr), "C");
}

TEST(Zagon, TextsInEachLanguageAndAFailedStart) {
    HINSTANCE zrno = GetModuleHandleA("Zrno.dll");
    // The neutral language picks the user's LANGID when the table has it, otherwise English under Wine (so
    // for Italian of Switzerland); Windows may also take the primary language.
    const LANGID uporabnik = GetUserDefaultLangID();
    std::string angleski = JEZIKI[0].sporocilo, natancen = angleski, primarni = angleski;
    for (auto const &j : JEZIKI) {
        EXPECT_STREQ(RNizA(zrno, 1, j.jezik), "Zrno");
        EXPECT_STREQ(RNizA::OblikujVUS(zrno, 2, j.jezik, KN_CP1250, 0x80000001u), j.sporocilo);
        natancen = j.jezik == uporabnik ? j.sporocilo : natancen;
        primarni = PRIMARYLANGID(j.jezik) == PRIMARYLANGID(uporabnik) ? j.sporocilo : primarni;
    }

    ASSERT_TRUE(SetEnvironmentVariableA("ZRNO_ZAGON_ZAVRNI", "1"));
    SetEnvironmentVariableA("ZRNO_ZAGON_NASLOV", nullptr);
    SetEnvironmentVariableA("ZRNO_ZAGON_SPOROCILO", nullptr);
    HMODULE m = LoadLibraryA("ZrnoZagon.dll");
    DWORD napaka = GetLastError();
    SetEnvironmentVariableA("ZRNO_ZAGON_ZAVRNI", nullptr);
    WSADATA wsa; // the refused module's shut-down cleaned up a socket layer it never started: give it back
    WSAStartup(0x0101, &wsa);
    EXPECT_TRUE(m == nullptr && napaka == ERROR_DLL_INIT_FAILED) << napaka;
    EXPECT_EQ(Okolje("ZRNO_ZAGON_NASLOV"), "Zrno");
    const std::string sporocilo = Okolje("ZRNO_ZAGON_SPOROCILO");
    if (natancen != angleski)
        EXPECT_EQ(sporocilo, natancen);
    else
        EXPECT_TRUE(sporocilo == angleski || sporocilo == primarni) << sporocilo;
}
