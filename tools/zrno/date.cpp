// zrno date [VALUE]: the present time, or a given RDatum value, as UTC and local text with its value,
// Julian Day Number and weekday. The long form comes from strftime in the library's locale.
#include "ukaz.h"
#include <stdio.h>
#include <stdlib.h>
#include <windows.h>
#include <zrno/util.h>

namespace {

const char *const k_dnevi[] = {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};

// The calendar is exact from 0000-03-01 on, and a JDN must fit the 32-bit long of the interface.
constexpr long long k_najmanj = 1721120LL * Zrno::MS_NA_DAN;
constexpr long long k_najvec = 0x7FFFFFFFLL * Zrno::MS_NA_DAN - 1;

void Izpisi(const char *oznaka, long long vrednost) {
    T_DATUM d;
    RDatum::PretvoriJulVGre(vrednost, &d);
    printf("%-8s %04ld-%02u-%02u %02u:%02u:%02u.%03u %s\n", oznaka, d.Leto, d.Mesec, d.Dan, d.Ura, d.Minuta,
           d.Sekunda, d.Milisekunde, k_dnevi[RDatum(vrednost).VrniDanVTednu()]);
}

// Whether the system gives a local time: its FILETIME runs from 1601 to the year 30828, before and
// after the time zone's bias, and the library returns the value unchanged when it cannot convert.
bool LokalniCas(long long vrednost) {
    FILETIME utc, lokalni;
    if (vrednost < Zrno::DATUM_1601 || vrednost - Zrno::DATUM_1601 > 0x7FFFFFFFFFFFFFFFLL / 10000)
        return false;
    RDatum::Pretvori(vrednost, &utc);
    return FileTimeToLocalFileTime(&utc, &lokalni) && !(lokalni.dwHighDateTime & 0x80000000u);
}

const char k_navodila[] =
    "usage: zrno date [VALUE]\n"
    "Prints the present time, or VALUE (milliseconds on the Julian-day scale), as UTC\n"
    "and local calendar fields, with its Julian Day Number and weekday. The local time exists\n"
    "from 1601 to the year 30828, the long form for the years 1900 to 9999; a value\n"
    "outside gives the other lines, a message for each missing one and exit 1.\n";

int Izvedi(int argc, char **argv) {
    if (argc > 1)
        return zrno_orodje::NapacnaUporaba(k_navodila, "date: takes at most one value");
    long long vrednost;
    if (argc == 1) {
        unsigned long long n = 0;
        if (!zrno_orodje::Stevilo(argv[0], 0xFFFFFFFFFFFFFFFF, &n))
            return zrno_orodje::NapacnaUporaba(k_navodila, "date: '%s' is not a whole number of milliseconds",
                                               argv[0]);
        vrednost = n > static_cast<unsigned long long>(k_najvec) ? k_najvec + 1 : static_cast<long long>(n);
        if (vrednost < k_najmanj || vrednost > k_najvec)
            return zrno_orodje::NapacnaUporaba(
                k_navodila, "date: %s is outside the calendar range %lld (0000-03-01) to %lld", argv[0],
                k_najmanj, k_najvec);
    } else {
        vrednost = RDatum::VrniTrenutniCas();
    }
    RDatum datum(vrednost);
    Izpisi("UTC:", datum);
    const bool lokalni = LokalniCas(vrednost);
    if (lokalni)
        Izpisi("local:", RDatum::PretvoriUTCVLokalni(datum));
    // The runtime's strftime takes the years 1900 to 9999 and calls the invalid-parameter handler for
    // the others; it is not asked.
    const long leto = datum.VrniLeto();
    const bool dolgo = leto >= 1900 && leto <= 9999;
    if (dolgo)
        printf("%-8s %s\n", "long:", static_cast<const char *>(datum.VrniNiz("%#c (UTC)")));
    printf("%-8s %lld\n", "value:", static_cast<long long>(datum));
    printf("%-8s %lld + %ld ms\n", "JDN:", vrednost / Zrno::MS_NA_DAN, datum.VrniUro());
    printf("%-8s %u (%s; 0 = Monday)\n", "weekday:", datum.VrniDanVTednu(), k_dnevi[datum.VrniDanVTednu()]);
    fflush(stdout);
    if (!lokalni)
        zrno_orodje::Napaka(
            "zrno date: no local time: the system converts times from 1601 to the year 30828 only\n");
    if (!dolgo)
        zrno_orodje::Napaka("zrno date: no long form: the C runtime formats the years 1900 to 9999 only\n");
    return lokalni && dolgo ? 0 : 1;
}

} // namespace

ZRNO_UKAZ(date, "print the present time, or a given time value, with its calendar fields", k_navodila, Izvedi)
