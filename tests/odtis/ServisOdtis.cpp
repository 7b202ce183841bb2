#include "ServisOdtis.h"
#include <fstream>

namespace odtis_test {

namespace {

constexpr DWORD k_meja = 20000; // ms: no step of these tests may take longer

SERVICE_STATUS Pocakaj(RServis &servis, DWORD stanje) {
    SERVICE_STATUS s = {};
    for (DWORD zacetek = GetTickCount(); GetTickCount() - zacetek < k_meja; Sleep(10))
        if (servis.VrniStatus(&s) < 0 || s.dwCurrentState == stanje)
            break;
    return s;
}

} // namespace

std::string ImenikPrograma() {
    char pot[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, pot, MAX_PATH);
    std::string s(pot, n);
    return s.substr(0, s.find_last_of('\\') + 1);
}

void ServisOdtis::SetUp() {
    ASSERT_EQ(oskrbnik.Odpri(nullptr, nullptr, SC_MANAGER_ALL_ACCESS), 0);
    Odstrani(); // left by an aborted run
    DeleteFileA(dnevnik.c_str());
}

void ServisOdtis::TearDown() {
    Odstrani();
    oskrbnik.Zapri();
}

void ServisOdtis::Zazeni(const std::vector<std::pair<const char *, std::string>> &spremembe) {
    const std::string program = "\"" + ImenikPrograma() + "odtis.exe\"";
    ASSERT_EQ(servis.Ustvari(oskrbnik, k_ime, k_ime, program.c_str(), SERVICE_ALL_ACCESS,
                             SERVICE_WIN32_OWN_PROCESS, ZAGON_NA_ZAHTEVO, NAPAKA_OBICAJNA, nullptr, nullptr,
                             nullptr, nullptr, nullptr),
              0);
    RRegister kljuc;
    ASSERT_EQ(
        kljuc.Ustvari(HKEY_LOCAL_MACHINE,
                      (std::string("SYSTEM\\CurrentControlSet\\Services\\") + k_ime + "\\Parameters").c_str(),
                      KEY_ALL_ACCESS),
        0);
    std::vector<std::pair<const char *, std::string>> vrednosti = {{"Port", std::to_string(k_vrata)},
                                                                   {"LogFile", dnevnik},
                                                                   {"Language", "en"},
                                                                   {"MaxRequest", "8388608"},
                                                                   {"Threads", "32"}};
    vrednosti.insert(vrednosti.end(), spremembe.begin(), spremembe.end());
    for (const auto &[ime, vrednost] : vrednosti) {
        const bool stevilo =
            !vrednost.empty() && vrednost.find_first_not_of("0123456789") == std::string::npos;
        EXPECT_EQ(stevilo ? kljuc.Zapisi(ime, std::stoul(vrednost)) : kljuc.Zapisi(ime, vrednost.c_str()), 0)
            << ime;
    }
    kljuc.Zapri();
    ASSERT_EQ(servis.Pozeni(0, nullptr), 0);
    const SERVICE_STATUS s = Pocakaj(servis, SERVICE_RUNNING);
    ASSERT_EQ(s.dwCurrentState, DWORD{SERVICE_RUNNING})
        << "exit code " << s.dwWin32ExitCode << ", service's " << std::hex << s.dwServiceSpecificExitCode;
}

SERVICE_STATUS ServisOdtis::Ustavi() {
    SERVICE_STATUS s = {};
    EXPECT_EQ(servis.Sporoci(SERVICE_CONTROL_STOP, &s), 0);
    DWORD tocka = s.dwCheckPoint, namig = s.dwWaitHint, kdaj = GetTickCount();
    for (const DWORD zacetek = kdaj; s.dwCurrentState != SERVICE_STOPPED && GetTickCount() - zacetek < k_meja;
         Sleep(10)) {
        if (servis.VrniStatus(&s) < 0)
            break;
        const DWORD zdaj = GetTickCount();
        if (s.dwCheckPoint != tocka || s.dwCurrentState == SERVICE_STOPPED) {
            EXPECT_LE(zdaj - kdaj, namig + 1000)
                << "check point " << s.dwCheckPoint << " came after the wait hint";
            tocka = s.dwCheckPoint;
            namig = s.dwWaitHint;
            kdaj = zdaj;
        }
    }
    EXPECT_EQ(s.dwCurrentState, DWORD{SERVICE_STOPPED});
    EXPECT_EQ(s.dwWin32ExitCode, 0u);
    return s;
}

std::vector<std::string> ServisOdtis::Vrstice() const {
    std::ifstream f(dnevnik, std::ios::binary);
    std::string vse((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    std::vector<std::string> vrstice;
    for (size_t p = 0; p < vse.size();) {
        const size_t lf = vse.find('\n', p);
        vrstice.push_back(lf == std::string::npos ? vse.substr(p) + "<no LF>" : vse.substr(p, lf - p));
        p = lf == std::string::npos ? vse.size() : lf + 1;
    }
    return vrstice;
}

void ServisOdtis::Odstrani() {
    RServis star;
    if (star.Odpri(oskrbnik, k_ime, SERVICE_ALL_ACCESS) == 0) {
        SERVICE_STATUS s;
        if (star.VrniStatus(&s) == 0 && s.dwCurrentState != SERVICE_STOPPED) {
            star.Sporoci(SERVICE_CONTROL_STOP, &s);
            Pocakaj(star, SERVICE_STOPPED);
        }
        star.Zbrisi();
        star.Zapri();
    }
    servis.Zapri();
    // Wine removes a service marked for deletion once its process has ended.
    for (DWORD zacetek = GetTickCount(); GetTickCount() - zacetek < k_meja; Sleep(20)) {
        RServis ostanek;
        if (ostanek.Odpri(oskrbnik, k_ime, SERVICE_QUERY_STATUS) < 0)
            break;
        ostanek.Zapri();
    }
}

} // namespace odtis_test
