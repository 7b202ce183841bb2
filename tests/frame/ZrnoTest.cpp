// Start-up, error mapping, private locale, start-up texts; the test build ZrnoZagon.dll refuses to load
// and hands its failure texts back through the environment instead of showing them.
#include <gtest/gtest.h>
#include <locale.h>
#include <map>
#include <string.h>
#include <string>
#include <vector>
#include <windows.h>
#include <zrno/frame.h>
#include <zrno/strings.h>

namespace {

using Izidi = std::vector<int>;

bool VticniceDelujejo() {
    SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
    return s != INVALID_SOCKET && closesocket(s) == 0;
}

const std::pair<T_KODAJEZIKA2, char const *> JEZIKI[] = {
    {KJ2_ANGLESKI, "Error initializing WinSocket (code 0x80000001)."},
    {KJ2_ITALIJANSKI, "Errore nell'inizializzazione del WinSocket (codice 0x80000001)."},
    {KJ2_SLOVENSKI, "Napaka pri inicializaciji WinSocket (koda 0x80000001)."},
};

std::string Okolje(char const *ime) {
    char b[512];
    DWORD n = GetEnvironmentVariableA(ime, b, sizeof b);
    return n && n < sizeof b ? std::string(b, n) : "<none>";
}

// Swaps Zrno.dll's imports of the system function ime and of nadomestek: a second call swaps them back.
template <class F> void Zamenjaj(const char *ime, F *nadomestek) {
    auto *b = reinterpret_cast<BYTE *>(GetModuleHandleA("Zrno.dll"));
    auto &iat = reinterpret_cast<IMAGE_NT_HEADERS *>(b + reinterpret_cast<IMAGE_DOS_HEADER *>(b)->e_lfanew)
                    ->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IAT];
    auto **p = reinterpret_cast<void **>(b + iat.VirtualAddress);
    void *prava = reinterpret_cast<void *>(GetProcAddress(GetModuleHandleA("kernel32"), ime)),
         *nova = reinterpret_cast<void *>(nadomestek);
    DWORD z;
    VirtualProtect(p, iat.Size, PAGE_READWRITE, &z);
    for (auto **q = p; q < p + iat.Size / sizeof *p; ++q)
        *q = *q == prava ? nova : *q == nova ? prava : *q;
    VirtualProtect(p, iat.Size, z, &z);
}

OSVERSIONINFOA g_sistem; // what the stand-in reports
std::string g_jedro;     // the path the kernel module was loaded from
BOOL WINAPI Verzija(OSVERSIONINFOA *v) {
    return v->dwOSVersionInfoSize == sizeof *v && memcpy(v, &g_sistem, sizeof *v);
}
HMODULE WINAPI Nalozi(const char *pot, HANDLE f, DWORD z) {
    return LoadLibraryExA((g_jedro = pot).c_str(), f, z);
}

} // namespace

// The loader holds one start: the test takes it to 0 (sockets stop, a further Zakljuci answers 1) and back.
TEST(Zrno, StartsCountClassifyAndLoadTheKernel) {
    EXPECT_EQ((Izidi{VticniceDelujejo(), Zrno::Vzpostavi(), Zrno::Zakljuci(), VticniceDelujejo(),
                     Zrno::Zakljuci(), VticniceDelujejo(), Zrno::Zakljuci()}),
              (Izidi{1, 0, 0, 1, 0, 0, 1}));
    // Platform, major and minor version, the class.
    const DWORD tabela[][4] = {{0, 3, 95, 0x10100}, {1, 4, 0, 0x20100},  {1, 4, 9, 0x20100},
                               {1, 4, 10, 0x20200}, {1, 4, 89, 0x20200}, {1, 4, 90, 0x20300},
                               {2, 3, 51, 0x30100}, {2, 4, 0, 0x30200},  {2, 5, 0, 0x30300},
                               {2, 6, 1, 0x30400},  {2, 5, 2, 0x30500},  {2, 10, 0, 0x30300},
                               {3, 5, 1, 0x30500}};
    Zamenjaj("GetVersionExA", &Verzija);
    for (const auto &r : tabela) {
        g_sistem = {sizeof g_sistem, r[1], r[2], 0, r[0], {}};
        EXPECT_EQ((Izidi{Zrno::Vzpostavi(), int(Zrno::VrniVerzijoOS()), Zrno::Zakljuci()}),
                  (Izidi{0, int(r[3]), 0}))
            << r[0] << ' ' << r[1] << '.' << r[2];
    }
    Zamenjaj("GetVersionExA", &Verzija);
    Zamenjaj("LoadLibraryExA", &Nalozi);
    char sistem[MAX_PATH];
    EXPECT_EQ((Izidi{Zrno::Vzpostavi(), VticniceDelujejo()}), (Izidi{0, 1}));
    EXPECT_EQ(g_jedro, std::string(sistem, GetSystemDirectoryA(sistem, MAX_PATH)) + "\\KERNEL32.DLL");
    Zamenjaj("LoadLibraryExA", &Nalozi);
}

TEST(Zrno, ErrorMapping) {
    // Known codes and 0 ignore the default; their neighbours (0xFFFFFFFF beside 0) give it.
    // clang-format off
    const std::map<unsigned int, unsigned int> preslikava = {
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
        for (unsigned int s : {rad.first - 1, rad.first, rad.first + 1})
            EXPECT_EQ(unsigned(PretvoriNapako(s, -5)), preslikava.count(s) ? preslikava.at(s) : unsigned(-5))
                << s;
}

TEST(Zrno, LocaleIsPrivate) {
    const char *const nic = nullptr; // a null name only asks
    EXPECT_NE(strstr(Zrno::NastaviLocale(LC_ALL, nic), ".1250"), nullptr);
    // DEL is ASCII: the wide name goes on as its narrow twin, which the runtime takes (code page 1252).
    const unsigned short c[] = {'C', 0}, siroko[] = {'.', '1', '2', '5', '2', 0x7F, 0};
    const unsigned short *w = Zrno::NastaviLocale(LC_ALL, siroko);
    EXPECT_NE(wcsstr(reinterpret_cast<const wchar_t *>(w ? w : c + 1), L".1252"), nullptr);
    ASSERT_STREQ(reinterpret_cast<const wchar_t *>(Zrno::NastaviLocale(LC_NUMERIC, c)), L"C");
    EXPECT_NE(strstr(Zrno::NastaviLocale(LC_ALL, nic), "LC_NUMERIC=C;"), nullptr) << "categories differ";
    // Refused (unknown, too long, bad category, non-ASCII wide name) changes nothing.
    const std::basic_string<unsigned short> tuje = {'.', '1', '2', '5', '2', 0x80}, dolgo(300, 'C');
    const std::string predolgo(600, 'C');
    EXPECT_EQ((std::vector<const void *>{
                  Zrno::NastaviLocale(LC_NUMERIC, "no-such-locale"),
                  Zrno::NastaviLocale(LC_NUMERIC, predolgo.c_str()), Zrno::NastaviLocale(LC_ALL - 1, nic),
                  Zrno::NastaviLocale(LC_MAX + 1, nic), Zrno::NastaviLocale(LC_ALL, tuje.c_str()),
                  Zrno::NastaviLocale(LC_ALL, dolgo.c_str())}),
              std::vector<const void *>(6, nullptr));
    w = Zrno::NastaviLocale(LC_ALL, static_cast<unsigned short const *>(nullptr));
    EXPECT_NE(wcsstr(reinterpret_cast<const wchar_t *>(w ? w : c + 1), L".1252;LC_NUMERIC=C;"), nullptr);
    // A further start puts code page 1250 back, and the application never saw any of it.
    EXPECT_EQ((Izidi{Zrno::Vzpostavi(), Zrno::Zakljuci()}), Izidi(2, 0));
    EXPECT_NE(strstr(Zrno::NastaviLocale(LC_CTYPE, nic), ".1250"), nullptr);
    EXPECT_STREQ(setlocale(LC_ALL, nullptr), "C");
}

TEST(Zagon, TextsInEachLanguageAndAFailedStart) {
    HINSTANCE zrno = GetModuleHandleA("Zrno.dll");
    for (auto const &[jezik, sporocilo] : JEZIKI) {
        EXPECT_STREQ(RNizA(zrno, 1, jezik), "Zrno");
        EXPECT_STREQ(RNizA::OblikujVUS(zrno, 2, jezik, KN_CP1250, 0x80000001u), sporocilo);
    }
    EXPECT_STREQ(RNizA(zrno, 0xFFFFFFFF, KJ2_ANGLESKI), "") << "beyond the 16-bit resource numbers";

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
    // The message in the user's language, as the module's table gives it for the neutral language.
    EXPECT_STREQ(Okolje("ZRNO_ZAGON_SPOROCILO").c_str(),
                 RNizA::OblikujVUS(zrno, 2, KJ2_PRIVZETI, KN_CP1250, 0x80000001u));
}
