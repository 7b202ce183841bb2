// The sample service under Wine's service manager: the typical request end to end, its log, and the
// faults a service meets, each followed by a request that must still succeed.
#include "Odjemalec.h"
#include "ServisOdtis.h"
#include <algorithm>
#include <atomic>
#include <fstream>
#include <random>
#include <regex>
#include <thread>
#include <zrno/threads.h>

namespace odtis_test {
namespace {

std::vector<unsigned char> Podatki(size_t n, unsigned int seme) {
    std::vector<unsigned char> v(n);
    std::mt19937 g(seme);
    for (auto &b : v)
        b = static_cast<unsigned char>(g());
    return v;
}

/// One request on a connection of its own; empty when its answer is right.
std::string Vprasaj(const std::vector<unsigned char> &podatki) {
    Odjemalec o(k_vrata);
    if (!o.JePovezan())
        return "cannot connect";
    if (!o.Zahtevaj(podatki))
        return "cannot send";
    return PreveriOdgovor(o.Vrstica(), podatki);
}

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

    std::vector<std::string> napake(velikosti.size()), pricakovano;
    std::vector<std::thread> niti;
    for (unsigned int t = 0; t < 4; ++t)
        niti.emplace_back([&, t] {
            Odjemalec o(k_vrata);
            for (size_t i = t; i < velikosti.size(); i += 4) {
                const auto podatki = Podatki(velikosti[i], static_cast<unsigned int>(i));
                napake[i] = !o.JePovezan()        ? "cannot connect"
                            : o.Zahtevaj(podatki) ? PreveriOdgovor(o.Vrstica(), podatki)
                                                  : "cannot send";
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
    EXPECT_TRUE(
        std::regex_match(Sporocilo(vrstice.front()),
                         std::regex("started on port 47801: requests up to 8388608 bytes, 32 threads, "
                                    "messages in English")))
        << vrstice.front();
    std::vector<std::string> zabelezeno;
    const std::regex zahteva(R"(127\.0\.0\.1:\d+: (\d+ bytes, MD5 [0-9a-f]{32}), \d+ ms)");
    for (size_t i = 1; i < 101; ++i) {
        std::smatch m;
        const std::string s = Sporocilo(vrstice[i]);
        EXPECT_TRUE(std::regex_match(s, m, zahteva)) << vrstice[i];
        zabelezeno.push_back(m[1].str());
    }
    std::sort(pricakovano.begin(), pricakovano.end());
    std::sort(zabelezeno.begin(), zabelezeno.end());
    EXPECT_EQ(zabelezeno, pricakovano);
    EXPECT_EQ(Sporocilo(vrstice[101]), "stopping: 0 connections open");
    EXPECT_EQ(Sporocilo(vrstice[102]), "stopped after 100 requests");
}

TEST_F(Odtis, FaultsLeaveTheServiceAnswering) {
    ASSERT_NO_FATAL_FAILURE(Zazeni());
    const auto normalna = Podatki(100000, 1);

    // A client that goes away in the middle of its request.
    {
        Odjemalec o(k_vrata);
        ASSERT_TRUE(o.Poslji("MD5 1000\n0123456789"));
    }
    EXPECT_EQ(Vprasaj(normalna), "");

    // A request line that is not one: refused, and the connection closed.
    for (const char *vrstica : {"HELLO\n", "MD5\n", "MD5 12x\n", "md5 1\n", "MD5 -1\n",
                                "MD5 000000000000000000000000000000001\n"}) {
        Odjemalec o(k_vrata);
        ASSERT_TRUE(o.Poslji(vrstica));
        EXPECT_EQ(o.Vrstica(), "ERR 400 malformed request line") << vrstica;
        EXPECT_EQ(o.Vrstica(), "<closed>") << vrstica;
    }
    EXPECT_EQ(Vprasaj(normalna), "");

    // Over the limit, a digit too long for 64 bits among them: refused on the line alone, without
    // waiting for a body that never comes.
    for (const char *vrstica : {"MD5 8388609\n", "MD5 99999999999999999999999\n"}) {
        Odjemalec o(k_vrata);
        ASSERT_TRUE(o.Poslji(vrstica));
        EXPECT_EQ(o.Vrstica(), "ERR 413 request over the limit of 8388608 bytes") << vrstica;
        EXPECT_EQ(o.Vrstica(), "<closed>") << vrstica;
    }
    EXPECT_EQ(Vprasaj(Podatki(8u << 20, 2)), ""); // the limit itself is allowed

    // A client that sends one byte every 10 ms: halfway through, others are served.
    const auto pocasna = Podatki(30, 3);
    RDogodek polovica, naprej;
    std::string pocasnaNapaka = "not run";
    std::thread pocasni([&] {
        Odjemalec o(k_vrata);
        bool poslano = o.Poslji("MD5 30\n");
        for (size_t i = 0; i < pocasna.size() && poslano; ++i) {
            if (i == 15) {
                polovica.Odkleni();
                naprej.Zakleni(20000);
            }
            poslano = o.Poslji(&pocasna[i], 1);
            Sleep(10);
        }
        pocasnaNapaka = poslano ? PreveriOdgovor(o.Vrstica(), pocasna) : "cannot send";
    });
    EXPECT_EQ(polovica.Zakleni(20000), 0);
    for (unsigned int i = 0; i < 10; ++i)
        EXPECT_EQ(Vprasaj(Podatki(65536, 10 + i)), "") << i;
    naprej.Odkleni();
    pocasni.join();
    EXPECT_EQ(pocasnaNapaka, "");
    EXPECT_EQ(Vprasaj(normalna), "");
    Ustavi();

    const auto vrstice = Vrstice();
    EXPECT_EQ(Stej(vrstice, "connection lost after 10 of 1000 bytes"), 1u);
    EXPECT_EQ(Stej(vrstice, "malformed request line, connection closed"), 6u);
    EXPECT_EQ(Stej(vrstice, "request of 8388609 bytes refused, the limit is 8388608"), 1u);
    EXPECT_EQ(Stej(vrstice, "request of 99999999999999999999999 bytes refused"), 1u);
    EXPECT_EQ(Stej(vrstice, R"(: \d+ bytes, MD5 )"), 15u);
    for (const auto &v : vrstice)
        EXPECT_EQ(Sporocilo(v).find("<malformed>"), std::string::npos) << v;
}

// Sixteen clients in the middle of 4 MiB requests when the stop comes, and one idle between two
// requests: each sender gets its whole answer or a clean refusal, the idle one is disconnected, and the
// service reports its way to "stopped" within its wait hints.
TEST_F(Odtis, StopWhileSixteenClientsSend) {
    ASSERT_NO_FATAL_FAILURE(Zazeni());
    Odjemalec nedejaven(k_vrata);
    const auto prva = Podatki(10, 99);
    ASSERT_TRUE(nedejaven.Zahtevaj(prva));
    EXPECT_EQ(PreveriOdgovor(nedejaven.Vrstica(), prva), "");
    constexpr unsigned int k_odjemalci = 16;
    std::atomic<unsigned int> zacetih{0}, potrjenih{0}, zavrnjenih{0};
    std::vector<std::string> napake(k_odjemalci);
    std::vector<std::thread> niti;
    for (unsigned int i = 0; i < k_odjemalci; ++i)
        niti.emplace_back([&, i] {
            const auto podatki = Podatki(4u << 20, 100 + i);
            Odjemalec o(k_vrata);
            bool poslano = o.Poslji("MD5 " + std::to_string(podatki.size()) + "\n");
            for (size_t p = 0; p < podatki.size() && poslano; p += 65536) {
                poslano = o.Poslji(&podatki[p], 65536);
                if (p == 0)
                    ++zacetih;
                Sleep(5);
            }
            const std::string odgovor = o.Vrstica();
            if (odgovor.compare(0, 3, "OK ") == 0) {
                napake[i] = PreveriOdgovor(odgovor, podatki);
                ++potrjenih;
            } else if (odgovor == "ERR 503 the service is stopping" || odgovor == "<closed>") {
                ++zavrnjenih;
            } else {
                napake[i] = "unclean answer: " + odgovor;
            }
        });
    for (DWORD zacetek = GetTickCount(); zacetih < k_odjemalci && GetTickCount() - zacetek < 20000;)
        Sleep(5);
    Ustavi();
    for (auto &n : niti)
        n.join();
    for (unsigned int i = 0; i < k_odjemalci; ++i)
        EXPECT_EQ(napake[i], "") << "client " << i;
    EXPECT_EQ(potrjenih + zavrnjenih, k_odjemalci);
    EXPECT_EQ(nedejaven.Vrstica(), "<closed>");
    const auto vrstice = Vrstice();
    ASSERT_FALSE(vrstice.empty());
    EXPECT_EQ(Sporocilo(vrstice.back()), "stopped after " + std::to_string(potrjenih + 1) + " requests");
}

// A log whose every disk write fails (Wine opens Linux's /dev/full, which refuses all data): the
// service goes on answering and reports the failure, once, through the event log, which Wine prints
// among its errors on the service manager's standard error.
TEST_F(Odtis, FailingLogGoesToTheEventLog) {
    const char *napake = getenv("ODTIS_NAPAKE");
    ASSERT_NE(napake, nullptr) << "the test runs under ctest, which names the prefix's error output";
    auto Dolzina = [&] {
        std::ifstream f(napake, std::ios::binary | std::ios::ate);
        return f ? static_cast<size_t>(f.tellg()) : size_t{0};
    };
    const size_t prej = Dolzina();
    ASSERT_NO_FATAL_FAILURE(Zazeni({{"LogFile", "Z:\\dev\\full"}}));
    for (unsigned int i = 0; i < 5; ++i)
        EXPECT_EQ(Vprasaj(Podatki(1000 * i, 40 + i)), "") << i;
    Ustavi();

    std::ifstream f(napake, std::ios::binary);
    f.seekg(static_cast<std::streamoff>(prej));
    std::string novo((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    const std::regex porocilo(
        R"re(err:eventlog:ReportEventW L"the log file Z:\\\\dev\\\\full cannot be written \(0x8000[0-9a-f]{4}\)")re");
    auto zacetek = std::sregex_iterator(novo.begin(), novo.end(), porocilo);
    EXPECT_EQ(std::distance(zacetek, std::sregex_iterator()), 1) << novo;
}

} // namespace
} // namespace odtis_test
