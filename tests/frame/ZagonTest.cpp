// The start-up failure message: the module's own caption and message in its three languages, and a
// refused load of the test build of the library (ZrnoZagon.dll), which hands the texts back through
// the environment instead of showing them.
#include <gtest/gtest.h>
#include <string>
#include <windows.h>
#include <zrno/strings.h>

namespace {

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
