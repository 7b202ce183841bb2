// The sample service under Wine's service manager: the typical request end to end, its log, and the
// faults a service meets, each followed by a request that must still succeed.
#include "Servis.h"
#include <algorithm>
#include <atomic>
#include <thread>

namespace odtis_test {
namespace {

/// The message of a log line: after "yyyy/mm/dd<TAB>hh:mm:ss<TAB>priority<TAB>ZrnoOdtisTest: ".
std::string Sporocilo(const std::string &vrstica) {
    static const std::regex oblika(R"(\d{4}/\d\d/\d\d\t\d\d:\d\d:\d\d\t\d\tZrnoOdtisTest: (.*))");
    std::smatch m;
    return std::regex_match(vrstica, m, oblika) ? m[1].str() : "<malformed> " + vrstica;
}

size_t Stej(const std::vector<std::string> &vrstice, const std::string &vzorec) {
    const std::regex r(vzorec);
    return static_cast<size_t>(std::count_if(vrstice.begin(), vrstice.end(), [&](const std::string &v) {
        return std::regex_search(Sporocilo(v), r);
    }));
}

using Odtis = ServisOdtis;

// Sizes from 0 to 4 MiB, the buffer edges among them, sent by four clients at once on one connection
// each; every answer is checked here, and the log must hold one whole line per request.
TEST_F(Odtis, HundredRequestsOfRandomSizes) {
    ASSERT_NO_FATAL_FAILURE(Zazeni());
    std::vector<size_t> velikosti = {0, 1, 63, 64, 65, 65535, 65536, 65537, 4u << 20};
    std::mt19937 g(15);
    while (velikosti.size() < 100)
        velikosti.push_back(std::uniform_int_distribution<size_t>(0, 4u << 20)(g));
    std::vector<std::string> napake(velikosti.size()), pricakovano, zabelezeno;
    std::vector<std::thread> niti;
    for (unsigned int t = 0; t < 4; ++t)
        niti.emplace_back([&, t] {
            Odjemalec o(vrata);
            for (size_t i = t; i < velikosti.size(); i += 4) {
                const auto podatki = Podatki(velikosti[i], static_cast<unsigned int>(i));
                napake[i] = o.Zahtevaj(podatki) ? PreveriOdgovor(o.Vrstica(), podatki) : "cannot send";
            }
        });
    for (auto &n : niti)
        n.join();
    for (size_t i = 0; i < velikosti.size(); ++i) {
        EXPECT_EQ(napake[i], "") << "request " << i << " of " << velikosti[i] << " bytes";
        pricakovano.push_back(std::to_string(velikosti[i]) + " bytes, MD5 " + Md5(Podatki(velikosti[i], i)));
    }
    Ustavi();

    const auto vrstice = Vrstice();
    ASSERT_EQ(vrstice.size(), 103u);
    EXPECT_TRUE(std::regex_match(
        Sporocilo(vrstice[0]),
        std::regex(R"(started on port \d+: requests up to 8388608 bytes, 32 threads, messages in English)")))
        << vrstice[0];
    const std::regex zahteva(R"(127\.0\.0\.1:\d+: (\d+ bytes, MD5 [0-9a-f]{32}), \d+ ms)");
    for (size_t i = 1; i < 101; ++i) // a line of another form stays whole and differs
        zabelezeno.push_back(std::regex_replace(Sporocilo(vrstice[i]), zahteva, "$1"));
    std::sort(pricakovano.begin(), pricakovano.end());
    std::sort(zabelezeno.begin(), zabelezeno.end());
    EXPECT_EQ(zabelezeno, pricakovano);
    EXPECT_EQ(Sporocilo(vrstice[101]), "stopping: 0 connections open");
    EXPECT_EQ(Sporocilo(vrstice[102]), "stopped after 100 requests");
}

// Each faulty connection gets its refusal (none when it went away) and is closed, and a request after
// it is served: request lines that are not "MD5 " and digits (a zero byte in them, 32 characters before
// the CR LF) get 400; lengths over the limit, one too long for 64 bits among them, 413 on the line alone.
TEST_F(Odtis, FaultsLeaveTheServiceAnswering) {
    ASSERT_NO_FATAL_FAILURE(Zazeni());
    using namespace std::string_literals;
    const std::string k_400 = "ERR 400 malformed request line",
                      k_413 = "ERR 413 request over the limit of 8388608 bytes";
    const std::pair<std::string, std::string> k_napake[] = {
        {"MD5 5\0junk\nabcde"s, k_400},
        {"MD5 " + std::string(28, '1') + "\r\n", k_400},
        {"MD5 1\r2\n", k_400},
        {"HELLO\n", k_400},
        {"MD5\n", k_400},
        {"MD5 12x\n", k_400},
        {"md5 1\n", k_400},
        {"MD5 -1\n", k_400},
        {"MD5 " + std::string(32, '0') + "1\n", k_400},
        {"SHA256\n", k_400},
        {"SHA256 1x\n", k_400},
        {"sha256 1\n", k_400},
        {"MD5 8388609\n", k_413},
        {"SHA256 8388609\n", k_413},
        {"MD5 99999999999999999999999\n", k_413},
        {"MD5 1000\n0123456789", ""},
    };
    for (const auto &[poslano, odgovor] : k_napake) {
        {
            Odjemalec o(vrata);
            ASSERT_TRUE(o.Poslji(poslano));
            if (!odgovor.empty()) { // one that went away gets nothing
                const std::string prva = o.Vrstica();
                EXPECT_EQ(prva + o.Vrstica(), odgovor + "<closed>") << poslano;
            }
        }
        EXPECT_EQ(Vprasaj(Podatki(100000, 1)), "") << "after " << poslano;
    }
    for (const char *konec : {"\r\n", "\n"}) { // 31 characters before the line's end are allowed
        Odjemalec o(vrata);
        EXPECT_TRUE(o.Poslji("MD5 " + std::string(26, '0') + "5" + konec + "abcde"));
        EXPECT_EQ(PreveriOdgovor(o.Vrstica(), "abcde"), "") << konec;
    }
    { // SHA-256 of "abc" (FIPS 180-4) and of nothing, each with its length
        Odjemalec o(vrata);
        EXPECT_TRUE(o.Poslji("SHA256 3\nabcSHA256 0\n"));
        EXPECT_EQ(o.Vrstica(), "OK ungWv48Bz+pBQUDeXa4iI7ADYaOWF3qctBD/YfIAFa0DAAAAAAAAAA==");
        EXPECT_EQ(o.Vrstica(), "OK 47DEQpj8HBSa+/TImW+5JCeuQeRkm5NMpJWZG3hSuFUAAAAAAAAAAA==");
    }
    EXPECT_EQ(Vprasaj(Podatki(8u << 20, 2)), ""); // the limit itself is allowed
    Ustavi();

    const auto vrstice = Vrstice();
    EXPECT_EQ(Stej(vrstice, "malformed request line, connection closed"), 12u);
    EXPECT_EQ(Stej(vrstice, "request of 8388609 bytes refused, the limit is 8388608"), 2u);
    EXPECT_EQ(Stej(vrstice, "request of 99999999999999999999999 bytes refused"), 1u);
    EXPECT_EQ(Stej(vrstice, "connection lost after 10 of 1000 bytes"), 1u);
    EXPECT_EQ(Stej(vrstice, R"(: \d+ bytes, MD5 )"), std::size(k_napake) + 3);
    EXPECT_EQ(Stej(vrstice, R"(: \d+ bytes, SHA-256 [0-9a-f]{64})"), 2u);
    for (const auto &v : vrstice)
        EXPECT_EQ(Sporocilo(v).find("<malformed>"), std::string::npos) << v;
}

// A client silent in the middle of a body holds one thread while others are served, and only for the
// idle time (here 3 s): then it is dropped and logged as lost. Two of them take both threads, and a
// third client is turned away until they are gone.
TEST_F(Odtis, SilenceInABodyEndsAtTheIdleTime) {
    ASSERT_NO_FATAL_FAILURE(Zazeni({{"Threads", "2"}, {"IdleTimeout", "3"}}));
    Odjemalec a(vrata);
    ASSERT_TRUE(a.Poslji("MD5 10\n1"));
    EXPECT_EQ(Vprasaj(Podatki(65536, 3)), "");
    Odjemalec b(vrata);
    ASSERT_TRUE(b.Poslji("MD5 10\n1"));
    EXPECT_EQ(Odjemalec(vrata).Vrstica(), "ERR 503 all threads are busy"); // at once, without a request
    const DWORD zacetek = GetTickCount();
    EXPECT_EQ(a.Vrstica() + b.Vrstica(), "<closed><closed>");
    EXPECT_LT(GetTickCount() - zacetek, 10000u) << "dropped by the service, not by the client's own time-out";
    EXPECT_EQ(Vprasaj("abc"), "");
    Ustavi();
    EXPECT_EQ(Stej(Vrstice(), "connection lost after 1 of 10 bytes"), 2u);
}

// Sixteen clients in the middle of 4 MiB requests when the stop comes, and one idle between two
// requests: each sender gets its whole answer or a clean refusal, the idle one is disconnected, and the
// service reports its way to "stopped" within its wait hints.
TEST_F(Odtis, StopWhileSixteenClientsSend) {
    ASSERT_NO_FATAL_FAILURE(Zazeni());
    Odjemalec nedejaven(vrata);
    ASSERT_TRUE(nedejaven.Zahtevaj("0123456789"));
    EXPECT_EQ(PreveriOdgovor(nedejaven.Vrstica(), "0123456789"), "");
    constexpr unsigned int k_odjemalci = 16;
    std::atomic<unsigned int> zacetih{0}, potrjenih{0};
    std::vector<std::string> napake(k_odjemalci);
    std::vector<std::thread> niti;
    for (unsigned int i = 0; i < k_odjemalci; ++i)
        niti.emplace_back([&, i] {
            const auto podatki = Podatki(4u << 20, 100 + i);
            Odjemalec o(vrata);
            bool poslano = o.Poslji("MD5 " + std::to_string(podatki.size()) + "\n");
            for (size_t p = 0; p < podatki.size() && poslano; p += 65536, Sleep(5)) {
                poslano = o.Poslji(&podatki[p], 65536);
                zacetih += p == 0;
            }
            const std::string odgovor = o.Vrstica();
            if (odgovor.compare(0, 3, "OK ") == 0)
                ++potrjenih, napake[i] = PreveriOdgovor(odgovor, podatki);
            else if (odgovor != "ERR 503 the service is stopping" && odgovor != "<closed>")
                napake[i] = "unclean answer: " + odgovor;
        });
    for (DWORD zacetek = GetTickCount(); zacetih < k_odjemalci && GetTickCount() - zacetek < k_meja;)
        Sleep(5);
    Ustavi();
    for (auto &n : niti)
        n.join();
    for (unsigned int i = 0; i < k_odjemalci; ++i)
        EXPECT_EQ(napake[i], "") << "client " << i;
    EXPECT_EQ(nedejaven.Vrstica(), "<closed>");
    EXPECT_EQ(Sporocilo(Vrstice().back()), "stopped after " + std::to_string(potrjenih + 1) + " requests");
}

// A setting of the wrong type or out of its range stops the start and is named: in the console on
// standard error with exit 1, as a service in the event log (which Wine prints among its errors).
TEST_F(Odtis, WrongSettingsStopTheStart) {
    static const struct {
        const char *ime, *vrednost, *zakaj;
    } k_slabe[] = {
        {"Port", "70000", "Port is 70000, outside 0 to 65535"},
        {"Port", "abc", "Port must be REG_DWORD, not REG_SZ"},
        {"MaxRequest", "+5", "MaxRequest must be REG_DWORD, not REG_SZ"},
        {"Threads", "0", "Threads is 0, outside 1 to 1024"},
        {"Threads", "1025", "Threads is 1025, outside 1 to 1024"},
        {"IdleTimeout", "0", "IdleTimeout is 0, outside 1 to 3600"},
        {"IdleTimeout", "3601", "IdleTimeout is 3601, outside 1 to 3600"},
        {"Language", "1", "Language must be REG_SZ, not REG_DWORD"},
        {"Language", "eng", "Language is \"eng\", not two letters"},
        {"Language", "e1", "Language is \"e1\", not two letters"},
        {"LogFile", "7", "LogFile must be REG_SZ or REG_EXPAND_SZ, not REG_DWORD"},
        {"LogFile", "", "LogFile is \"\", not a non-empty text"},
    };
    for (const auto &s : k_slabe) {
        ASSERT_NO_FATAL_FAILURE(Nastavi({{s.ime, s.vrednost}}));
        const Izid i = ::Zazeni("odtis.exe", std::string("--console ") + k_ime);
        EXPECT_EQ(i.koda, 1u) << s.zakaj;
        EXPECT_NE(i.napake.find(std::string("setting ") + s.zakaj + " in HKLM\\SYSTEM"), std::string::npos)
            << i.napake;
    }
    const char *napake = getenv("ODTIS_NAPAKE");
    ASSERT_NE(napake, nullptr) << "the test runs under ctest, which names the prefix's error output";
    const size_t prej = PreberiDatoteko(napake).size();
    EXPECT_EQ(Pozeni({{"Port", "70000"}}).dwCurrentState, DWORD{SERVICE_STOPPED});
    EXPECT_NE(PreberiDatoteko(napake).find("cannot start: setting Port is 70000, outside 0 to 65535", prej),
              std::string::npos);
}

// A log whose every disk write fails (Wine opens Linux's /dev/full, which refuses all data): the
// service goes on answering and reports the failure, once, through the event log, which Wine prints
// among its errors on the service manager's standard error.
TEST_F(Odtis, FailingLogGoesToTheEventLog) {
    const char *napake = getenv("ODTIS_NAPAKE");
    ASSERT_NE(napake, nullptr) << "the test runs under ctest, which names the prefix's error output";
    const size_t prej = PreberiDatoteko(napake).size();
    ASSERT_NO_FATAL_FAILURE(Zazeni({{"LogFile", "Z:\\dev\\full"}, {"Port", "47801"}}));
    for (unsigned int i = 0; i < 5; ++i)
        EXPECT_EQ(Vprasaj(Podatki(1000 * i, 40 + i)), "") << i;
    Ustavi();
    const std::string novo = PreberiDatoteko(napake).substr(prej);
    const std::regex porocilo(
        R"re(err:eventlog:ReportEventW L"the log file Z:\\\\dev\\\\full cannot be written \(0x8000[0-9a-f]{4}\)")re");
    EXPECT_EQ(std::distance(std::sregex_iterator(novo.begin(), novo.end(), porocilo), std::sregex_iterator()),
              1)
        << novo;
}

} // namespace
} // namespace odtis_test
