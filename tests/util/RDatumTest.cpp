// RDatum: calendar arithmetic against known dates and against the system's own time conversions,
// which serve as an independent oracle for every day they cover (1601 to 30827).
#include "frame/win.h"
#include <gtest/gtest.h>
#include <locale.h>
#include <string>
#include <time.h>
#include <zrno/util.h>

namespace {

using Zrno::MS_NA_DAN;

long long FtVrednost(const FILETIME &f) {
    return static_cast<long long>((static_cast<unsigned long long>(f.dwHighDateTime) << 32) |
                                  f.dwLowDateTime);
}

bool Prestopno(long leto) { return (leto % 4 == 0 && leto % 100 != 0) || leto % 400 == 0; }

int DniVMesecu(int mesec, long leto) {
    static const int k_dni[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return mesec == 2 && Prestopno(leto) ? 29 : k_dni[mesec - 1];
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

TEST(RDatum, FixedPoints) {
    static const struct {
        unsigned char d, m;
        long y;
        long jdn;
        long long vrednost;
    } k_tocke[] = {
        {1, 1, 1601, 2305814, 199222329600000LL},
        {1, 1, 1970, 2440588, 210866803200000LL},
        {1, 1, 2000, 2451545, 211813488000000LL},
        {14, 10, 1582, 2299160, 2299160LL * MS_NA_DAN}, // no switch to the Julian calendar
        {15, 10, 1582, 2299161, 2299161LL * MS_NA_DAN},
        {1, 3, 0, 1721120, 1721120LL * MS_NA_DAN}, // start of the exact range
        {31, 12, 0, 1721425, 1721425LL * MS_NA_DAN},
        {1, 1, 1, 1721426, 1721426LL * MS_NA_DAN},
    };
    for (const auto &t : k_tocke) {
        SCOPED_TRACE(t.jdn);
        EXPECT_EQ(RDatum::PretvoriGreVJul(t.d, t.m, t.y), t.jdn);
        EXPECT_EQ(static_cast<long long>(RDatum(t.d, t.m, t.y)), t.vrednost);
        unsigned char d = 0, m = 0;
        long y = -1;
        RDatum::PretvoriJulVGre(t.jdn, &d, &m, &y);
        EXPECT_EQ(d, t.d);
        EXPECT_EQ(m, t.m);
        EXPECT_EQ(y, t.y);
    }
    EXPECT_EQ(Zrno::DATUM_1601, 0xB531102FE800LL);
    EXPECT_EQ(static_cast<long long>(RDatum()), 0) << "midnight of JDN 0";
}

// Every day from 0000-03-01 to the end of 30827 maps to its JDN and back, and the next JDN is the next
// calendar day by the leap rule (so 1900-02-28 is followed by 1900-03-01 and 2000-02-29 exists).
TEST(RDatum, EveryDayRoundTripsAndFollowsTheLeapRule) {
    unsigned char d = 1, m = 3;
    long y = 0;
    for (long jdn = 1721120; jdn <= JDN_30827_12_31; ++jdn) {
        unsigned char dd, mm;
        long yy;
        RDatum::PretvoriJulVGre(jdn, &dd, &mm, &yy);
        if (dd != d || mm != m || yy != y || RDatum::PretvoriGreVJul(dd, mm, yy) != jdn)
            FAIL() << "JDN " << jdn << " gave " << yy << "-" << int(mm) << "-" << int(dd) << ", expected "
                   << y << "-" << int(m) << "-" << int(d);
        if (++d > DniVMesecu(m, y)) {
            d = 1;
            if (++m > 12) {
                m = 1;
                ++y;
            }
        }
    }
    for (long leto : {1900L, 2000L, 2100L}) {
        RDatum dan(28, 2, leto);
        dan += MS_NA_DAN;
        EXPECT_EQ(dan.VrniMesec(), Prestopno(leto) ? 2 : 3) << leto;
        EXPECT_EQ(dan.VrniDan(), Prestopno(leto) ? 29 : 1) << leto;
    }
}

TEST(RDatum, FileTimeAndSystemTimeAgreeWithTheSystem) {
    VsakDan(JDN_1601, JDN_30827_12_31, 101, [](long long v) {
        SCOPED_TRACE(v);
        SYSTEMTIME nas, sistem;
        FILETIME ft, sistemFt;
        RDatum::PretvoriJulVGre(v, &nas);
        RDatum::Pretvori(v, &ft);
        ASSERT_TRUE(SystemTimeToFileTime(&nas, &sistemFt));
        ASSERT_EQ(FtVrednost(ft), FtVrednost(sistemFt));
        ASSERT_TRUE(FileTimeToSystemTime(&ft, &sistem));
        ASSERT_EQ(memcmp(&nas, &sistem, sizeof nas), 0) << "wDayOfWeek included";
        ASSERT_EQ(RDatum::Pretvori(&ft), v);
        ASSERT_EQ(RDatum::PretvoriGreVJul(&sistem), v);
        // Sub-millisecond ticks are dropped, never rounded up.
        FILETIME vmes;
        unsigned long long t = FtVrednost(ft) + 9999;
        vmes.dwLowDateTime = static_cast<DWORD>(t);
        vmes.dwHighDateTime = static_cast<DWORD>(t >> 32);
        ASSERT_EQ(RDatum(&vmes), v);
    });
    FILETIME nic = {0, 0};
    EXPECT_EQ(RDatum::Pretvori(&nic), Zrno::DATUM_1601);
    FILETIME nazaj = {1, 1};
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
        SYSTEMTIME nazaj;
        ASSERT_TRUE(VariantTimeToSystemTime(sistem, &nazaj));
        ASSERT_EQ(RDatum(sistem), RDatum::PretvoriGreVJul(&nazaj));
        ASSERT_EQ(RDatum::Pretvori(sistem), sekunde);
    });
    EXPECT_EQ(RDatum(36526.5), RDatum(1, 1, 2000, 12)) << "noon of 2000-01-01";
    EXPECT_EQ(RDatum(0.0), RDatum(30, 12, 1899));
    EXPECT_EQ(RDatum(-1.25), RDatum(29, 12, 1899, 6)) << "negative dates count the fraction forward";
}

TEST(RDatum, Weekdays) {
    RDatum d(1, 1, 2000);
    EXPECT_EQ(d.VrniDanVTednu(), 5) << "Saturday, counting from Monday = 0";
    EXPECT_EQ(RDatum::VrniDanVTednu(1, 1, 2000), 5);
    EXPECT_EQ(RDatum::VrniDanVTednu(2451545L), 5);
    SYSTEMTIME st;
    d.VrniDatum(&st);
    EXPECT_EQ(st.wDayOfWeek, 6) << "the system counts from Sunday = 0";
    tm t;
    RDatum::PretvoriJulVGre(d, &t);
    EXPECT_EQ(t.tm_wday, 6);
}

TEST(RDatum, RecordsAndFields) {
    RDatum d(31, 12, 1999, 23, 59, 58, 999);
    T_DATUM z = {};
    EXPECT_EQ(d.VrniDatum(&z), d);
    const T_DATUM pricakovan = {999, 58, 59, 23, 31, 12, 1999};
    EXPECT_EQ(memcmp(&z, &pricakovan, sizeof z), 0);
    EXPECT_EQ(RDatum(&z), d);

    // Null targets are skipped, and the time targets alone are filled.
    unsigned char ura = 0, sekunda = 0;
    d.VrniDatum(nullptr, nullptr, nullptr, &ura, nullptr, &sekunda, nullptr);
    EXPECT_EQ(ura * 100 + sekunda, 2358);

    // struct tm: whole seconds, everything else cleared on the way out and ignored on the way in.
    tm t;
    memset(&t, 0x55, sizeof t);
    RDatum::PretvoriJulVGre(d, &t);
    EXPECT_EQ(t.tm_year * 10000 + t.tm_mon * 100 + t.tm_mday, 991131);
    EXPECT_EQ(t.tm_hour * 10000 + t.tm_min * 100 + t.tm_sec, 235958);
    EXPECT_EQ(t.tm_yday + t.tm_isdst, 0);
    t.tm_yday = 100;
    EXPECT_EQ(RDatum().NastaviDatum(&t), d - 999);

    // Fields beyond their range enter the arithmetic unchecked: month 13 is January of the next year.
    EXPECT_EQ(RDatum(1, 13, 1999), RDatum(1, 1, 2000));
}

TEST(RDatum, NastaviUro) {
    RDatum d(15, 6, 2010, 13, 14, 15, 16);
    const long long polnoc = RDatum(15, 6, 2010);
    EXPECT_EQ(d.NastaviUro(0), polnoc);
    EXPECT_EQ(d.VrniUro(), 0);
    EXPECT_EQ(d.NastaviUro(3600000), polnoc + 3600000);
    EXPECT_EQ(d.NastaviUro(MS_NA_DAN + 5), polnoc + MS_NA_DAN + 5) << "not validated";
    SYSTEMTIME st = {2002, 2, 0, 2, 2, 2, 2, 2};
    EXPECT_EQ(RDatum(&st), RDatum(2, 2, 2002, 2, 2, 2, 2)) << "wDayOfWeek ignored";
}

TEST(RDatum, LocalAndUtc) {
    VsakDan(RDatum::PretvoriGreVJul(1, 1, 1700), RDatum::PretvoriGreVJul(1, 1, 2400), 7919, [](long long v) {
        FILETIME utc, lokalni;
        RDatum::Pretvori(v, &utc);
        ASSERT_TRUE(FileTimeToLocalFileTime(&utc, &lokalni));
        long long l = RDatum::PretvoriUTCVLokalni(v);
        ASSERT_EQ(l, RDatum::Pretvori(&lokalni));
        ASSERT_EQ(RDatum::PretvoriLokalniVUTC(l), v);
    });
}

TEST(RDatum, PresentTime) {
    FILETIME f;
    GetSystemTimeAsFileTime(&f);
    long long sistem = RDatum::Pretvori(&f), nas = RDatum::VrniTrenutniCas();
    EXPECT_GE(nas, sistem);
    EXPECT_LT(nas - sistem, 2000);
    unsigned long ms = 0;
    long jdn = RDatum::DolociTrenutniJul(&ms);
    long long skupaj = static_cast<long long>(jdn) * MS_NA_DAN + ms;
    EXPECT_GE(skupaj, nas - 1000);
    EXPECT_LT(skupaj - nas, 2000);
    EXPECT_LT(ms, static_cast<unsigned long>(MS_NA_DAN));
    EXPECT_EQ(RDatum::DolociTrenutniJul(nullptr), jdn);

    // Without the precise function (the library shut down) the present time still comes, from
    // GetSystemTime.
    ASSERT_EQ(Zrno::Zakljuci(), 0);
    long long brez = RDatum::VrniTrenutniCas();
    RDatum d;
    d.NastaviTrenutniCas();
    ASSERT_EQ(Zrno::Vzpostavi(), 0);
    EXPECT_GE(brez, nas);
    EXPECT_LT(brez - nas, 2000);
    EXPECT_GE(d, brez);
}

TEST(RDatum, ClockSinceLoad) {
    unsigned long long prej = RDatum::VrniProcCas();
    Sleep(50);
    unsigned long long potem = RDatum::VrniProcCas();
    EXPECT_GE(potem - prej, 40u);
    EXPECT_LT(potem - prej, 5000u);
}

// Reports the step of the present-time path; not a pass/fail criterion.
TEST(RDatum, PresentTimeResolution) {
    long long prej = RDatum::VrniTrenutniCas(), najmanj = 0;
    int koraki = 0;
    for (int i = 0; i < 5000000 && koraki < 20; ++i) {
        long long zdaj = RDatum::VrniTrenutniCas();
        if (zdaj != prej) {
            if (!najmanj || zdaj - prej < najmanj)
                najmanj = zdaj - prej;
            ++koraki;
            prej = zdaj;
        }
    }
    ASSERT_GT(koraki, 0);
    RecordProperty("smallest_step_ms", static_cast<int>(najmanj));
    printf("VrniTrenutniCas: smallest step %lld ms over %d steps\n", najmanj, koraki);
}

TEST(RDatum, VrniNiz) {
    RDatum d(1, 1, 2000, 12, 34, 56, 789);
    RNizA niz("staro besedilo");
    EXPECT_EQ(d.VrniNiz(niz, "%Y-%m-%d %H:%M:%S"), 19u);
    EXPECT_STREQ(niz, "2000-01-01 12:34:56") << "whole seconds";
    EXPECT_EQ(niz.VrniDolzino(), 19u);
    EXPECT_STREQ(d.VrniNiz("%j|%w|%y"), "001|6|00");
    EXPECT_STREQ(RDatum::VrniNiz(Zrno::DATUM_1601, "%d.%m.%Y"), "01.01.1601");

    // The room grows by 128 characters while the text does not fit.
    for (unsigned int n : {127u, 128u, 129u, 200u, 1000u}) {
        std::string oblika(n, 'x');
        EXPECT_EQ(RDatum::VrniNiz(d, niz, oblika.c_str()), n);
        EXPECT_EQ(niz.VrniDolzino(), n);
        EXPECT_EQ(std::string(niz), oblika);
    }
    // No text: the loop ends with an empty string and 0, the former content gone.
    for (const char *prazna : {"", "ab%", static_cast<const char *>(nullptr)}) {
        niz = "abc";
        EXPECT_EQ(RDatum::VrniNiz(d, niz, prazna), 0u) << (prazna ? prazna : "null");
        EXPECT_TRUE(niz.JePrazen());
    }
}

TEST(RDatum, VrniNizUsesTheLibraryLocale) {
    RDatum d(1, 1, 2000);
    ASSERT_NE(Zrno::NastaviLocale(LC_ALL, "Slovenian_Slovenia.1250"), nullptr);
    RNizA slovensko = d.VrniNiz("%A %B");
    Zrno::NastaviLocale(LC_ALL, ".1250");
    EXPECT_STREQ(slovensko, "sobota januar");
    char aplikacija[64];
    tm t;
    RDatum::PretvoriJulVGre(d, &t);
    strftime(aplikacija, sizeof aplikacija, "%A", &t);
    EXPECT_STREQ(aplikacija, "Saturday") << "the application's locale is not touched";
}
