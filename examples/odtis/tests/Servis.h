// The sample service installed in the tests' own prefix as ZrnoOdtisTest, with settings of the test's
// choosing and a port of the system's choice; a client of its protocol whose answers are checked
// against RMD5 on this side; the log read back line by line.
#ifndef ODTIS_TESTS_SERVIS_H
#define ODTIS_TESTS_SERVIS_H

#include "Proces.h"
#include <random>
#include <regex>
#include <sstream>
#include <vector>
#include <zrno/digests.h>
#include <zrno/streams.h>
#include <zrno/system.h>

namespace odtis_test {

constexpr char k_ime[] = "ZrnoOdtisTest";
constexpr DWORD k_meja = 20000; // ms: no step of these tests may take longer

class Odjemalec {
  public:
    explicit Odjemalec(unsigned int vrata) {
        // A failure shows at the first send.
        if (vticnica.Odpri(RVticnica::DOMENA_INET, RVticnica::VRSTA_TOK, 0) >= 0 &&
            vticnica.Povezi("127.0.0.1", vrata) >= 0)
            vticnica.NastaviParameter(RVticnica::PARAM_RCVTIMEO, &k_meja, sizeof k_meja);
    }
    ~Odjemalec() { vticnica.Zapri(); }
    bool Poslji(const void *podatki, size_t n) {
        return vticnica.Zapisi(podatki, static_cast<unsigned int>(n)) == n;
    }
    bool Poslji(const std::string &s) { return Poslji(s.data(), s.size()); }
    bool Zahtevaj(const std::string &podatki) {
        return Poslji("MD5 " + std::to_string(podatki.size()) + "\n") && Poslji(podatki);
    }
    /// The next line without its LF; "<closed>" and what came before when the connection ended first.
    std::string Vrstica() {
        std::string s;
        for (char znak; s.size() < 4096 && vticnica.Preberi(&znak, 1) == 1; s += znak)
            if (znak == '\n')
                return s;
        return "<closed>" + s;
    }
    RVticnica vticnica;
};

inline std::string Podatki(size_t n, unsigned int seme) {
    std::string s(n, 0);
    std::mt19937 g(seme);
    for (char &b : s)
        b = static_cast<char>(g());
    return s;
}

/// The data's MD5 in hex, or the service's answer to them: "OK " and the Base64 of the MD5 and the
/// length as 64 bits, low byte first.
inline std::string Md5(const std::string &podatki, bool odgovor = false) {
    RMD5 md5;
    md5.Izracunaj(podatki.data(), static_cast<unsigned int>(podatki.size()));
    md5.Zakljuci();
    unsigned char zapis[24];
    const unsigned long long dolzina = podatki.size();
    memcpy(zapis, md5.Vrni().Bajti, 16);
    memcpy(zapis + 16, &dolzina, 8);
    char besedilo[64];
    std::string hex;
    for (unsigned int i = 0; i < 16; ++i)
        hex += {"0123456789abcdef"[zapis[i] >> 4], "0123456789abcdef"[zapis[i] & 15]};
    return odgovor ? "OK " + std::string(besedilo, RBase64().Kodiraj(zapis, 24, besedilo, true)) : hex;
}

/// Empty when the answer is right; else what came instead.
inline std::string PreveriOdgovor(const std::string &odgovor, const std::string &podatki) {
    return odgovor == Md5(podatki, true) ? "" : odgovor + " instead of " + Md5(podatki, true);
}

/// Setting name and value: digits are stored as REG_DWORD, anything else as REG_SZ.
using Nastavitve = std::vector<std::pair<const char *, std::string>>;

class ServisOdtis : public testing::Test {
  protected:
    ROskrbnikServisov oskrbnik;
    RServis servis;
    const std::string dnevnik = PoletiTesta("odtis_test.log");
    unsigned int vrata = 0;

    void SetUp() override {
        ASSERT_EQ(oskrbnik.Odpri(nullptr, nullptr, SC_MANAGER_ALL_ACCESS), 0);
        Odstrani(); // left by an aborted run
        DeleteFileA(dnevnik.c_str());
    }
    void TearDown() override { Odstrani(); }

    /// The test settings (port 0, the log above, English, 8 MiB, 32 threads) changed by spremembe.
    void Nastavi(const Nastavitve &spremembe) {
        RRegister kljuc;
        const std::string pot = std::string("SYSTEM\\CurrentControlSet\\Services\\") + k_ime + "\\Parameters";
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, pot.c_str());
        ASSERT_EQ(kljuc.Ustvari(HKEY_LOCAL_MACHINE, pot.c_str(), KEY_ALL_ACCESS), 0);
        Nastavitve vrednosti = {{"LogFile", dnevnik}, {"Port", "0"}, {"Language", "en"}};
        vrednosti.insert(vrednosti.end(), {{"MaxRequest", "8388608"}, {"Threads", "32"}});
        vrednosti.insert(vrednosti.end(), spremembe.begin(), spremembe.end());
        for (const auto &[ime, v] : vrednosti)
            EXPECT_EQ(!v.empty() && v.find_first_not_of("0123456789") == std::string::npos
                          ? kljuc.Zapisi(ime, std::stoul(v))
                          : kljuc.Zapisi(ime, v.c_str()),
                      0)
                << ime;
    }

    /// Installs the service with these settings and starts it; the state it comes to, running or stopped.
    SERVICE_STATUS Pozeni(const Nastavitve &spremembe) {
        const std::string program = "\"" + PoletiTesta("odtis.exe") + "\"";
        EXPECT_EQ(servis.Ustvari(oskrbnik, k_ime, k_ime, program.c_str(), SERVICE_ALL_ACCESS,
                                 SERVICE_WIN32_OWN_PROCESS, ZAGON_NA_ZAHTEVO, NAPAKA_OBICAJNA, nullptr,
                                 nullptr, nullptr, nullptr, nullptr),
                  0);
        Nastavi(spremembe);
        servis.Pozeni(0,
                      nullptr); // Wine's start fails when the service stops before running: the state tells
        return Pocakaj(servis, SERVICE_RUNNING);
    }

    /// Starts the service with these settings; the port chosen is read from the log.
    void Zazeni(const Nastavitve &spremembe = {}) {
        const SERVICE_STATUS s = Pozeni(spremembe);
        ASSERT_EQ(s.dwCurrentState, DWORD{SERVICE_RUNNING})
            << "exit code " << s.dwWin32ExitCode << ", service's " << std::hex << s.dwServiceSpecificExitCode;
        for (const auto &[ime, v] : spremembe)
            vrata = std::string(ime) == "Port" ? std::stoul(v) : vrata;
        if (vrata) // a log that cannot be read back comes with a port of its own
            return;
        std::smatch m;
        const std::string prva = Vrstice().at(0);
        ASSERT_TRUE(std::regex_search(prva, m, std::regex("started on port (\\d+):"))) << prva;
        vrata = std::stoul(m[1]);
    }

    /// Stops the service; every check point must come within the wait hint reported before it.
    void Ustavi() {
        SERVICE_STATUS s = {};
        EXPECT_EQ(servis.Sporoci(SERVICE_CONTROL_STOP, &s), 0);
        DWORD tocka = s.dwCheckPoint, namig = s.dwWaitHint, kdaj = GetTickCount();
        for (const DWORD zacetek = kdaj;
             s.dwCurrentState != SERVICE_STOPPED && GetTickCount() - zacetek < k_meja; Sleep(10)) {
            if (servis.VrniStatus(&s) < 0)
                break;
            if (s.dwCheckPoint != tocka || s.dwCurrentState == SERVICE_STOPPED) {
                EXPECT_LE(GetTickCount() - kdaj, namig + 1000)
                    << "check point " << s.dwCheckPoint << " after the wait hint";
                tocka = s.dwCheckPoint, namig = s.dwWaitHint, kdaj = GetTickCount();
            }
        }
        EXPECT_EQ(s.dwCurrentState, DWORD{SERVICE_STOPPED});
        EXPECT_EQ(s.dwWin32ExitCode, 0u);
    }

    /// The log's lines without the LF; a last line without one is marked "<no LF>".
    std::vector<std::string> Vrstice() const {
        std::istringstream vse(PreberiDatoteko(dnevnik));
        std::vector<std::string> vrstice;
        for (std::string v; std::getline(vse, v);)
            vrstice.push_back(vse.eof() ? v + "<no LF>" : v);
        return vrstice;
    }

    /// One request on a connection of its own; empty when its answer is right.
    std::string Vprasaj(const std::string &podatki) const {
        Odjemalec o(vrata);
        return o.Zahtevaj(podatki) ? PreveriOdgovor(o.Vrstica(), podatki) : "cannot send";
    }

    static SERVICE_STATUS Pocakaj(RServis &s, DWORD stanje) {
        SERVICE_STATUS st = {};
        for (DWORD zacetek = GetTickCount(); GetTickCount() - zacetek < k_meja; Sleep(10))
            if (s.VrniStatus(&st) < 0 || st.dwCurrentState == stanje || st.dwCurrentState == SERVICE_STOPPED)
                break;
        return st;
    }

    /// Stops and deletes the service; Wine removes it once its process has ended (waited for, bounded).
    void Odstrani() {
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
        for (DWORD zacetek = GetTickCount();
             GetTickCount() - zacetek < k_meja && star.Odpri(oskrbnik, k_ime, SERVICE_QUERY_STATUS) == 0;
             Sleep(20))
            star.Zapri();
    }
};

} // namespace odtis_test

#endif
