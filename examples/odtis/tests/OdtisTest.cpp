// The sample service under Wine's service manager, installed in the tests' own prefix with settings of
// the test's choosing and a port of the system's choice: the typical request end to end, its log, and the
// faults a service meets, each followed by a request that must still succeed. RMD5 checks the answers.
// Many clients, a stop in the middle of traffic, idle, trickling and cut clients, faulty requests with
// their refusals and log lines, wrong settings and log names are the fuzzer's (scripts/fuzz/odtis.py).
#include "Proces.h"
#include "Servis.h"
#include <algorithm>
#include <random>
#include <regex>
#include <sstream>
#include <zrno/digests.h>
#include <zrno/streams.h>
#include <zrno/system.h>

namespace {

constexpr char k_ime[] = "ZrnoOdtisTest", k_kljuc[] = "SYSTEM\\CurrentControlSet\\Services\\";
constexpr DWORD k_meja = 20000; // ms: no step of these tests may take longer

std::string Podatki(size_t n, unsigned int seme) {
    std::mt19937 g(seme);
    std::string s(n, 0);
    std::generate(s.begin(), s.end(), [&] { return static_cast<char>(g()); });
    return s;
}

/// The service's answer to the data: "OK " and the Base64 of their MD5 and their length as 64 bits, low
/// byte first; or the MD5 in hex, as the log shows it.
std::string Md5(const std::string &podatki, bool hex = false) {
    RMD5 md5;
    md5.Izracunaj(podatki.data(), static_cast<unsigned int>(podatki.size())), md5.Zakljuci();
    unsigned long long zapis[3] = {0, 0, podatki.size()};
    memcpy(zapis, md5.Vrni().Bajti, 16);
    char b[64];
    for (unsigned int i = 0; i < 16; ++i)
        snprintf(b + 2 * i, 3, "%02x", reinterpret_cast<unsigned char *>(zapis)[i]);
    return hex ? std::string(b, 32) : "OK " + std::string(b, RBase64().Kodiraj(zapis, 24, b, true));
}

struct Odjemalec {
    RVticnica v;
    explicit Odjemalec(unsigned int vrata) { // a failure shows at the first send
        v.Odpri(RVticnica::DOMENA_INET, RVticnica::VRSTA_TOK, 0), v.Povezi("127.0.0.1", vrata);
        v.NastaviParameter(RVticnica::PARAM_RCVTIMEO, &k_meja, sizeof k_meja);
    }
    ~Odjemalec() { v.Zapri(); }
    bool Poslji(const std::string &s) { return v.Zapisi(s.data(), unsigned(s.size())) == s.size(); }
    /// The next line without its LF; "<closed>" and what came before when the connection ended first.
    std::string Vrstica() {
        std::string s;
        for (char znak; s.size() < 4096 && v.Preberi(&znak, 1) == 1; s += znak)
            if (znak == '\n')
                return s;
        return "<closed>" + s;
    }
    /// One MD5 request; empty when its answer is right, else what came instead.
    std::string Vprasaj(const std::string &d) {
        const std::string odgovor =
            Poslji("MD5 " + std::to_string(d.size()) + "\n") && Poslji(d) ? Vrstica() : "cannot send";
        return odgovor == Md5(d) ? "" : odgovor + " instead of " + Md5(d);
    }
};

size_t Stej(const std::vector<std::string> &vrstice, const std::string &vzorec) {
    return std::count_if(vrstice.begin(), vrstice.end(),
                         [r = std::regex(vzorec)](const std::string &v) { return std::regex_search(v, r); });
}

/// Setting name and value: digits are stored as REG_DWORD, anything else as REG_SZ.
using Nastavitve = std::vector<std::pair<const char *, std::string>>;

class Odtis : public testing::Test {
  protected:
    ROskrbnikServisov oskrbnik;
    RServis servis;
    const std::string dnevnik = PoletiTesta("odtis_test.log");
    unsigned int vrata = 0; // a test that sets it names the port itself

    void SetUp() override {
        ASSERT_EQ(oskrbnik.Odpri(nullptr, nullptr, SC_MANAGER_ALL_ACCESS), 0);
        Odstrani(), DeleteFileA(dnevnik.c_str()); // left by an aborted run
    }
    void TearDown() override { Odstrani(); }

    /// The test settings (port 0, the log above, English, 8 MiB, 32 threads) changed by spremembe.
    void Nastavi(const Nastavitve &spremembe) {
        RRegister kljuc;
        const std::string pot = std::string(k_kljuc) + k_ime + "\\Parameters";
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, pot.c_str());
        ASSERT_EQ(kljuc.Ustvari(HKEY_LOCAL_MACHINE, pot.c_str(), KEY_ALL_ACCESS), 0);
        for (const Nastavitve &n : {Nastavitve{{"LogFile", dnevnik}, {"Port", "0"}, {"Language", "en"}},
                                    Nastavitve{{"MaxRequest", "8388608"}, {"Threads", "32"}}, spremembe})
            for (const auto &[ime, v] : n) {
                const bool stevilo = !v.empty() && v.find_first_not_of("0123456789") == std::string::npos;
                EXPECT_EQ(stevilo ? kljuc.Zapisi(ime, std::stoul(v)) : kljuc.Zapisi(ime, v.c_str()), 0)
                    << ime;
            }
    }

    /// Installs the service with these settings and starts it; the state it comes to, running or stopped.
    SERVICE_STATUS Pozeni(const Nastavitve &spremembe) {
        EXPECT_EQ(0, servis.Ustvari(oskrbnik, k_ime, k_ime, ("\"" + PoletiTesta("odtis.exe") + "\"").c_str(),
                                    SERVICE_ALL_ACCESS, SERVICE_WIN32_OWN_PROCESS, ZAGON_NA_ZAHTEVO,
                                    NAPAKA_OBICAJNA, nullptr, nullptr, nullptr, nullptr, nullptr));
        Nastavi(spremembe);
        servis.Pozeni(0, nullptr); // fails under Wine when the service stops before running: the state tells
        return PocakajStanje(servis, SERVICE_RUNNING, k_meja);
    }

    /// Starts the service with these settings; the port chosen is read from the log.
    void Zazeni(const Nastavitve &spremembe = {}) {
        const SERVICE_STATUS s = Pozeni(spremembe);
        ASSERT_EQ(s.dwCurrentState, DWORD{SERVICE_RUNNING})
            << "exit code " << s.dwWin32ExitCode << ", service's " << std::hex << s.dwServiceSpecificExitCode;
        std::smatch m;
        const std::string prva = vrata ? "" : Vrstice().at(0);
        ASSERT_TRUE(vrata || std::regex_search(prva, m, std::regex("started on port (\\d+):"))) << prva;
        vrata = vrata ? vrata : std::stoul(m[1]);
    }

    /// Stops the service; every check point must come within the wait hint reported before it.
    void Ustavi() {
        SERVICE_STATUS s = {};
        EXPECT_EQ(servis.Sporoci(SERVICE_CONTROL_STOP, &s), 0);
        DWORD tocka = s.dwCheckPoint, namig = s.dwWaitHint, kdaj = GetTickCount(), zacetek = kdaj;
        while (s.dwCurrentState != SERVICE_STOPPED && GetTickCount() - zacetek < k_meja &&
               servis.VrniStatus(&s) >= 0) {
            if (s.dwCheckPoint != tocka || s.dwCurrentState == SERVICE_STOPPED) {
                EXPECT_LE(GetTickCount() - kdaj, namig + 1000) << "check point " << s.dwCheckPoint << " late";
                tocka = s.dwCheckPoint, namig = s.dwWaitHint, kdaj = GetTickCount();
            }
            Sleep(10);
        }
        EXPECT_EQ(s.dwCurrentState, DWORD{SERVICE_STOPPED});
        EXPECT_EQ(s.dwWin32ExitCode, 0u);
    }

    /// The messages of the log's lines; one of another form or without its LF is marked.
    std::vector<std::string> Vrstice() const {
        static const std::regex oblika(R"(\d{4}/\d\d/\d\d\t\d\d:\d\d:\d\d\t\d\tZrnoOdtisTest: (.*))");
        std::istringstream vse(PreberiDatoteko(dnevnik));
        std::vector<std::string> vrstice;
        std::smatch m;
        for (std::string v; std::getline(vse, v);)
            vrstice.push_back((std::regex_match(v, m, oblika) ? m[1].str() : "<malformed> " + v) +
                              (vse.eof() ? "<no LF>" : ""));
        return vrstice;
    }

    void Odstrani() { servis.Zapri(), OdstraniServis(oskrbnik, k_ime, k_meja); }
};

// The buffer edges and 4 MiB on one connection, each answer checked, one whole log line per request.
TEST_F(Odtis, RequestsAndTheirLogUnderTheServiceManager) {
    ASSERT_NO_FATAL_FAILURE(Zazeni());
    const size_t velikosti[] = {0, 1, 63, 64, 65, 65535, 65536, 65537, 4u << 20};
    {
        Odjemalec o(vrata); // closed before the stop
        for (unsigned int i = 0; i < 9; ++i)
            EXPECT_EQ(o.Vprasaj(Podatki(velikosti[i], i)), "") << velikosti[i] << " bytes";
    }
    Ustavi();
    const auto vrstice = Vrstice();
    ASSERT_EQ(vrstice.size(), 12u);
    EXPECT_EQ(std::regex_replace(vrstice[0], std::regex("port \\d+"), "port N"),
              "started on port N: requests up to 8388608 bytes, 32 threads, messages in English");
    for (unsigned int i = 0; i < 9; ++i) {
        const std::string md5 =
            std::to_string(velikosti[i]) + " bytes, MD5 " + Md5(Podatki(velikosti[i], i), true);
        EXPECT_EQ(Stej(vrstice, "^127\\.0\\.0\\.1:\\d+: " + md5 + ", \\d+ ms$"), 1u) << md5;
    }
    EXPECT_EQ(vrstice[10], "stopping: 0 connections open");
    EXPECT_EQ(vrstice[11], "stopped after 9 requests");
}

// A setting out of its range stops the start under the service manager and is named in the event log
// (which Wine prints among the service manager's errors); the fuzzer starts every wrong setting and log
// name in the console. A log that refuses every write (Linux's /dev/full) does not stop the service: it
// goes on answering and reports the failure once, through the event log.
TEST_F(Odtis, AWrongSettingStopsTheStartAndAFailingLogDoesNot) {
    const char *napake = getenv("ODTIS_NAPAKE");
    ASSERT_NE(napake, nullptr) << "the test runs under ctest, which names the prefix's error output";
    const size_t prej = PreberiDatoteko(napake).size();
    EXPECT_EQ(Pozeni({{"Port", "70000"}}).dwCurrentState, DWORD{SERVICE_STOPPED});
    Odstrani();
    vrata = 47801; // the log cannot tell it
    ASSERT_NO_FATAL_FAILURE(Zazeni({{"LogFile", "Z:\\dev\\full"}, {"Port", "47801"}}));
    for (unsigned int i = 0; i < 5; ++i)
        EXPECT_EQ(Odjemalec(vrata).Vprasaj(Podatki(1000 * i, 40 + i)), "") << i;
    Ustavi();
    const std::string novo = PreberiDatoteko(napake).substr(prej);
    EXPECT_NE(novo.find("cannot start: setting Port is 70000, outside 0 to 65535"), std::string::npos);
    const std::regex porocilo(
        R"re(err:eventlog:ReportEventW L"the log file Z:\\\\dev\\\\full cannot be written \(0x8000[0-9a-f]{4}\)")re");
    EXPECT_EQ(std::distance(std::sregex_iterator(novo.begin(), novo.end(), porocilo), std::sregex_iterator()),
              1)
        << novo;
}

} // namespace
