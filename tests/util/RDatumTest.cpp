// RDatum against known dates and the system's own time conversions, an oracle for 1601 to 30827.
#include "Odmik.h"
#include <climits>
#include <gtest/gtest.h>
#include <iterator>
#include <locale.h>
#include <random>
#include <string>
#include <time.h>
#include <tuple>
#include <windows.h>
#include <zrno/frame.h>
#include <zrno/util.h>

namespace {

using Zrno::MS_NA_DAN;

long long FtVrednost(const FILETIME &f) {
    return static_cast<long long>((0ULL + f.dwHighDateTime) << 32 | f.dwLowDateTime);
}

// A spread of values: a prime stride over the days plus a time of day that changes with every step.
template <typename F> void VsakDan(long odJdn, long doJdn, long korak, F f) {
    unsigned long long ms = 0;
    for (long jdn = odJdn; jdn <= doJdn; jdn += korak) {
        ms = (ms * 6364136223846793005ULL + 1442695040888963407ULL);
        f(static_cast<long long>(jdn) * MS_NA_DAN + static_cast<long long>((ms >> 20) % MS_NA_DAN));
    }
}

constexpr long JDN_1601 = 2305814, JDN_30827_12_31 = 12980641;

} // namespace

// 1582-10-14 exists (no switch to the Julian calendar); the range ends far beyond a long's day number.
TEST(RDatum, FixedPointsAndLocalTimeOutsideTheSystemsRange) {
    const std::tuple<unsigned char, unsigned char, long, long long> tocke[] = {
        {14, 10, 1582, 2299160},        {15, 10, 1582, 2299161},         {1, 3, 0, 1721120},
        {31, 12, 0, 1721425},           {3, 6, 5874898, 2147483647},     {4, 6, 5874898, 2147483648},
        {3, 2, 100000000, 36525971093}, {11, 7, 292272312, 106751991167}};
    for (auto [d, m, y, jdn] : tocke) {
        EXPECT_EQ(static_cast<long long>(RDatum(d, m, y)), jdn * MS_NA_DAN) << jdn;
        EXPECT_EQ(RDatum::PretvoriGreVJul(d, m, y), jdn < 0x80000000LL ? jdn : -1) << "never wrapped";
        std::tuple<unsigned char, unsigned char, long> nazaj;
        RDatum::PretvoriJulVGre(jdn * MS_NA_DAN, &std::get<0>(nazaj), &std::get<1>(nazaj),
                                &std::get<2>(nazaj), nullptr, nullptr, nullptr, nullptr);
        EXPECT_EQ(nazaj, std::make_tuple(d, m, y)) << jdn;
    }
    // Outside FILETIME's range a time is returned unchanged (zrno date relies on it).
    for (long long v : {Zrno::DATUM_1601 - 1, 1410977750400000LL, 185542587100799999LL, LLONG_MAX})
        EXPECT_EQ(std::make_pair(RDatum::PretvoriUTCVLokalni(v), RDatum::PretvoriLokalniVUTC(v)),
                  std::make_pair(v, v));
}

// 1600 years earlier, where the system cannot follow, by the calendar's period.
TEST(RDatum, FileTimeAndSystemTimeAgreeWithTheSystem) {
    constexpr long CIKEL = 146097;
    auto preveri = [](long long v) {
        SCOPED_TRACE(v);
        SYSTEMTIME nas, sistem;
        FILETIME ft, sistemFt;
        ASSERT_EQ(RDatum(v).VrniDatum(&nas), v);
        RDatum::Pretvori(v, &ft);
        ASSERT_TRUE(SystemTimeToFileTime(&nas, &sistemFt));
        ASSERT_EQ(FtVrednost(ft), FtVrednost(sistemFt));
        ASSERT_TRUE(FileTimeToSystemTime(&ft, &sistem));
        ASSERT_EQ(memcmp(&nas, &sistem, sizeof nas), 0) << "wDayOfWeek included";
        ASSERT_EQ(RDatum::PretvoriGreVJul(&sistem), v);
        const long jdn = static_cast<long>(v / MS_NA_DAN);
        ASSERT_EQ(RDatum::PretvoriGreVJul(static_cast<unsigned char>(sistem.wDay),
                                          static_cast<unsigned char>(sistem.wMonth), sistem.wYear - 1600),
                  jdn - 4 * CIKEL);
        const int ponedeljek0 = (sistem.wDayOfWeek + 6) % 7;
        ASSERT_EQ(RDatum::VrniDanVTednu(jdn), ponedeljek0);
        ASSERT_EQ(RDatum(v).VrniDanVTednu(), ponedeljek0);
        ASSERT_EQ(RDatum::VrniDanVTednu(static_cast<unsigned char>(sistem.wDay),
                                        static_cast<unsigned char>(sistem.wMonth), sistem.wYear),
                  ponedeljek0);
        unsigned long long t = FtVrednost(ft) + 9999;
        FILETIME vmes = {static_cast<DWORD>(t), static_cast<DWORD>(t >> 32)};
        ASSERT_EQ(RDatum(&vmes), v) << "sub-millisecond ticks are dropped, never rounded up";
    };
    VsakDan(JDN_1601, JDN_1601 + CIKEL, 1, preveri);
    VsakDan(JDN_1601 + CIKEL, JDN_30827_12_31, 101, preveri);
    VsakDan(JDN_30827_12_31, JDN_30827_12_31, 1, preveri);
    FILETIME nic = {0, 0}, nazaj = {1, 1};
    EXPECT_EQ(RDatum::Pretvori(&nic), Zrno::DATUM_1601);
    RDatum(Zrno::DATUM_1601).VrniDatum(&nazaj);
    EXPECT_EQ(FtVrednost(nazaj), 0);
}

TEST(RDatum, OleDatesAgreeWithTheSystem) {
    // The automation date covers 100-01-01 to 9999-12-31 and resolves whole seconds.
    VsakDan(RDatum::PretvoriGreVJul(1, 1, 100), RDatum::PretvoriGreVJul(31, 12, 9999), 331, [](long long v) {
        SCOPED_TRACE(v);
        long long sekunde = v - v % 1000;
        SYSTEMTIME st;
        RDatum::PretvoriJulVGre(sekunde, &st);
        double sistem = 0, nas = 0;
        ASSERT_TRUE(SystemTimeToVariantTime(&st, &sistem));
        RDatum(v).VrniDatum(&nas);
        ASSERT_EQ(nas, sistem) << "milliseconds are dropped";
        ASSERT_EQ(RDatum(sistem), sekunde);
    });
}

// By their fields: the padding is not ours.
TEST(RDatum, RecordsAndFields) {
    RDatum d(31, 12, 1999, 23, 59, 58, 999);
    T_DATUM z = {};
    d.VrniDatum(&z);
    EXPECT_EQ(std::tie(z.Milisekunde, z.Sekunda, z.Minuta, z.Ura, z.Dan, z.Mesec, z.Leto),
              std::make_tuple(999, 58, 59, 23, 31, 12, 1999));
    EXPECT_EQ(std::make_tuple(NaOdmiku<unsigned short>(&z, 0, 0), NaOdmiku<char>(&z, 5, 5),
                              NaOdmiku<long>(&z, 8, 8)),
              std::make_tuple(999, 31, 1999L));
    EXPECT_EQ(RDatum(&z), d);
    unsigned char ura = 0;
    unsigned short ms = 0;
    d.VrniDatum(nullptr, nullptr, nullptr, &ura, nullptr, nullptr, nullptr);
    d.VrniDatum(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &ms);
    EXPECT_EQ(ura * 1000 + ms, 23999);
    tm t;
    memset(&t, 0x55, sizeof t);
    RDatum::PretvoriJulVGre(d, &t);
    EXPECT_EQ(
        std::tie(t.tm_year, t.tm_mon, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec, t.tm_wday, t.tm_yday,
                 t.tm_isdst),
        std::make_tuple(99, 11, 31, 23, 59, 58, 5, 0, 0)); // Friday: the C runtime counts from Sunday = 0
    t.tm_yday = 100;
    EXPECT_EQ(RDatum().NastaviDatum(&t), d - 999);
    EXPECT_EQ(d.NastaviUro(MS_NA_DAN + 5), RDatum(31, 12, 1999) + MS_NA_DAN + 5) << "not validated";
}

// Without the precise function (the library shut down) the present time comes from GetSystemTime.
TEST(RDatum, PresentTime) {
    FILETIME f;
    GetSystemTimeAsFileTime(&f);
    const long long sistem = RDatum::Pretvori(&f), nas = RDatum::VrniTrenutniCas();
    unsigned long ms = 0;
    const long jdn = RDatum::DolociTrenutniJul(&ms);
    EXPECT_LE(jdn, RDatum::DolociTrenutniJul(nullptr));
    ASSERT_EQ(Zrno::Zakljuci(), 0);
    const long long brez = RDatum::VrniTrenutniCas(), clan = RDatum().NastaviTrenutniCas();
    ASSERT_EQ(Zrno::Vzpostavi(), 0);
    for (long long t : {nas, brez, clan, static_cast<long long>(jdn) * MS_NA_DAN + ms})
        EXPECT_TRUE(t >= sistem && t - sistem < 3000) << t - sistem;
    unsigned long long proc = RDatum::VrniProcCas();
    Sleep(50);
    proc = RDatum::VrniProcCas() - proc;
    EXPECT_TRUE(proc >= 40 && proc < 5000) << proc;
}

// The library's locale names the days, and the application's is not touched.
TEST(RDatum, VrniNiz) {
    RDatum d(1, 1, 2000, 12, 34, 56, 789);
    EXPECT_STREQ(d.VrniNiz("%j|%w|%y"), "001|6|00");
    EXPECT_STREQ(RDatum::VrniNiz(Zrno::DATUM_1601, "%d.%m.%Y"), "01.01.1601");
    RNizA niz;
    auto vrni = [&](const char *oblika, bool clan = false) {
        niz = "staro besedilo";
        unsigned int n = clan ? d.VrniNiz(niz, oblika) : RDatum::VrniNiz(d, niz, oblika);
        EXPECT_EQ(n, niz.VrniDolzino());
        return std::string(niz);
    };
    EXPECT_EQ(vrni("%Y-%m-%d %H:%M:%S", true), "2000-01-01 12:34:56") << "whole seconds";
    EXPECT_LT((vrni(std::string(200, 'a').c_str()), niz.VrniKapaciteto()), 400u) << "room by the format";
    const char *const kosi[] = {"%Y",  "%m", "%H:%M:%S", "%j", "%A", "%B", "%a %b", "%c",
                                "%#c", "%x", "%#x",      "%X", "%p", "%%", "-",     "text "};
    std::mt19937 r(99);
    for (int krog = 0; krog < 30; ++krog) {
        std::string oblika, pricakovano;
        for (unsigned int k = r() % (krog * 40 + 1); k--;) {
            const char *kos = kosi[r() % std::size(kosi)];
            oblika += kos;
            pricakovano += static_cast<char const *>(d.VrniNiz(kos)); // each within the smallest room
        }
        EXPECT_EQ(vrni(oblika.c_str()), pricakovano) << oblika;
    }
    for (const char *prazna : {"", "ab%", static_cast<const char *>(nullptr)}) // no text: 0, an empty string
        EXPECT_EQ(vrni(prazna), "") << (prazna ? prazna : "null");
    ASSERT_NE(Zrno::NastaviLocale(LC_ALL, "Slovenian_Slovenia.1250"), nullptr);
    EXPECT_EQ(vrni("%A %B"), "sobota januar");
    Zrno::NastaviLocale(LC_ALL, ".1250");
    char aplikacija[64];
    tm t;
    RDatum::PretvoriJulVGre(d, &t);
    strftime(aplikacija, sizeof aplikacija, "%A", &t);
    EXPECT_STREQ(aplikacija, "Saturday");
}
