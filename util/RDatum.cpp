// RDatum: the calendar arithmetic and the conversions to and from the platform's time records.
// All calendar work is two integer formulas (date to JDN and back), computed in 64 bits so that no
// intermediate product can overflow whatever the fields hold.
#include "frame/cas.h"
#include "frame/win.h"
#include <time.h>
#include <zrno/util/RDatum.h>

namespace {

using Zrno::DATUM_1601;
using Zrno::MS_NA_DAN;

// Integer division truncates toward zero in C++, which is exactly what both formulas expect.
long long Jdn(long long dan, long long mesec, long long leto) {
    long long a = mesec < 3 ? 1 : 0;
    long long y = leto - a;
    long long c = y / 100;
    long long m = mesec < 3 ? mesec + 9 : mesec - 3;
    return (1461 * (y - 100 * c)) / 4 + (153 * m + 2) / 5 + (146097 * c) / 4 + dan + 1721119;
}

struct Datum {
    long long dan, mesec, leto;
};

Datum Gregorijanski(long long j) {
    long long c = (4 * j - 6884477) / 146097;
    long long t = ((4 * j - 6884477 - 146097 * c) / 4) * 4;
    long long y = (t + 3) / 1461;
    long long u = ((t - 1461 * y + 7) / 4) * 5;
    long long m = (u - 3) / 153;
    Datum d{(u - 153 * m + 2) / 5, m + 3, y + 100 * c};
    if (m >= 10) {
        d.mesec = m - 9;
        ++d.leto;
    }
    return d;
}

struct Ura {
    long long ura, minuta, sekunda, milisekunde;
};

Ura Razdeli(long long r) { return {r / 3600000, (r / 60000) % 60, (r / 1000) % 60, r % 1000}; }

long long Vrednost(long long jdn, long long ura, long long minuta, long long sekunda, long long ms) {
    return jdn * MS_NA_DAN + ((ura * 60 + minuta) * 60 + sekunda) * 1000 + ms;
}

// The system counts weekdays from Sunday = 0, the library from Monday = 0.
int NedeljaNic(long long jdn) { return static_cast<int>((jdn % 7 + 1) % 7); }

using Zrno::Notranje::IzFileTime;
using Zrno::Notranje::VFileTime;
static_assert(Zrno::Notranje::k_cas1601 == DATUM_1601, "one origin of FILETIME");

} // namespace

RDatum::RDatum(double oleDatum) : m_vrednost(Pretvori(oleDatum)) {}
RDatum::RDatum(_FILETIME const *cas) : m_vrednost(Pretvori(cas)) {}
RDatum::RDatum(_SYSTEMTIME const *cas) : m_vrednost(PretvoriGreVJul(cas)) {}
RDatum::RDatum(T_DATUM const *datum) : m_vrednost(0) { NastaviDatum(datum); }
RDatum::RDatum(unsigned char dan, unsigned char mesec, long leto, unsigned char ura, unsigned char minuta,
               unsigned char sekunda, unsigned short milisekunde)
    : m_vrednost(Vrednost(Jdn(dan, mesec, leto), ura, minuta, sekunda, milisekunde)) {}
RDatum::~RDatum() {}

__int64 RDatum::NastaviDatum(double oleDatum) { return m_vrednost = Pretvori(oleDatum); }
__int64 RDatum::NastaviDatum(_FILETIME const *cas) { return m_vrednost = Pretvori(cas); }
__int64 RDatum::NastaviDatum(_SYSTEMTIME const *cas) { return m_vrednost = PretvoriGreVJul(cas); }
__int64 RDatum::NastaviDatum(T_DATUM const *d) {
    return m_vrednost =
               Vrednost(Jdn(d->Dan, d->Mesec, d->Leto), d->Ura, d->Minuta, d->Sekunda, d->Milisekunde);
}
__int64 RDatum::NastaviDatum(tm const *cas) { return m_vrednost = PretvoriGreVJul(cas); }
__int64 RDatum::NastaviDatum(unsigned char dan, unsigned char mesec, long leto, unsigned char ura,
                             unsigned char minuta, unsigned char sekunda, unsigned short milisekunde) {
    return m_vrednost = Vrednost(Jdn(dan, mesec, leto), ura, minuta, sekunda, milisekunde);
}
__int64 RDatum::NastaviTrenutniCas() { return m_vrednost = VrniTrenutniCas(); }
__int64 RDatum::NastaviUro(unsigned long milisekunde) {
    return m_vrednost = m_vrednost - m_vrednost % MS_NA_DAN + milisekunde;
}

__int64 RDatum::VrniDatum(T_DATUM *datum) const {
    PretvoriJulVGre(m_vrednost, datum);
    return m_vrednost;
}
__int64 RDatum::VrniDatum(unsigned char *dan, unsigned char *mesec, long *leto, unsigned char *ura,
                          unsigned char *minuta, unsigned char *sekunda, unsigned short *milisekunde) const {
    PretvoriJulVGre(m_vrednost, dan, mesec, leto, ura, minuta, sekunda, milisekunde);
    return m_vrednost;
}
__int64 RDatum::VrniDatum(_SYSTEMTIME *cas) const {
    PretvoriJulVGre(m_vrednost, cas);
    return m_vrednost;
}
__int64 RDatum::VrniDatum(_FILETIME *cas) const {
    Pretvori(m_vrednost, cas);
    return m_vrednost;
}
__int64 RDatum::VrniDatum(double *oleDatum) const {
    Pretvori(m_vrednost, oleDatum);
    return m_vrednost;
}

long RDatum::VrniUro() const { return static_cast<long>(m_vrednost % MS_NA_DAN); }
unsigned char RDatum::VrniDan() const {
    return static_cast<unsigned char>(Gregorijanski(m_vrednost / MS_NA_DAN).dan);
}
unsigned char RDatum::VrniMesec() const {
    return static_cast<unsigned char>(Gregorijanski(m_vrednost / MS_NA_DAN).mesec);
}
long RDatum::VrniLeto() const { return static_cast<long>(Gregorijanski(m_vrednost / MS_NA_DAN).leto); }
unsigned char RDatum::VrniDanVTednu() const {
    return static_cast<unsigned char>((m_vrednost / MS_NA_DAN) % 7);
}

long RDatum::PretvoriGreVJul(unsigned char dan, unsigned char mesec, long leto) {
    // From 5874898-06-04 on the day number no longer fits a long: -1, never a wrapped day.
    const long long jdn = Jdn(dan, mesec, leto);
    return jdn == static_cast<long>(jdn) ? static_cast<long>(jdn) : -1;
}

__int64 RDatum::PretvoriGreVJul(_SYSTEMTIME const *c) {
    return Vrednost(Jdn(c->wDay, c->wMonth, c->wYear), c->wHour, c->wMinute, c->wSecond, c->wMilliseconds);
}

__int64 RDatum::PretvoriGreVJul(tm const *c) {
    return Vrednost(Jdn(c->tm_mday, c->tm_mon + 1, c->tm_year + 1900LL), c->tm_hour, c->tm_min, c->tm_sec, 0);
}

namespace {

void Polja(long long jdn, unsigned char *dan, unsigned char *mesec, long *leto) {
    Datum d = Gregorijanski(jdn);
    if (dan)
        *dan = static_cast<unsigned char>(d.dan);
    if (mesec)
        *mesec = static_cast<unsigned char>(d.mesec);
    if (leto)
        *leto = static_cast<long>(d.leto);
}

} // namespace

void RDatum::PretvoriJulVGre(long jdn, unsigned char *dan, unsigned char *mesec, long *leto) {
    Polja(jdn, dan, mesec, leto);
}

void RDatum::PretvoriJulVGre(__int64 vrednost, unsigned char *dan, unsigned char *mesec, long *leto,
                             unsigned char *ura, unsigned char *minuta, unsigned char *sekunda,
                             unsigned short *milisekunde) {
    Polja(vrednost / MS_NA_DAN, dan, mesec, leto); // the day number of a far date exceeds a long
    if (!ura && !minuta && !sekunda && !milisekunde)
        return;
    Ura u = Razdeli(vrednost % MS_NA_DAN);
    if (ura)
        *ura = static_cast<unsigned char>(u.ura);
    if (minuta)
        *minuta = static_cast<unsigned char>(u.minuta);
    if (sekunda)
        *sekunda = static_cast<unsigned char>(u.sekunda);
    if (milisekunde)
        *milisekunde = static_cast<unsigned short>(u.milisekunde);
}

void RDatum::PretvoriJulVGre(__int64 vrednost, T_DATUM *d) {
    PretvoriJulVGre(vrednost, &d->Dan, &d->Mesec, &d->Leto, &d->Ura, &d->Minuta, &d->Sekunda,
                    &d->Milisekunde);
}

void RDatum::PretvoriJulVGre(__int64 vrednost, _SYSTEMTIME *c) {
    long long jdn = vrednost / MS_NA_DAN;
    Datum d = Gregorijanski(jdn);
    Ura u = Razdeli(vrednost % MS_NA_DAN);
    c->wYear = static_cast<WORD>(d.leto);
    c->wMonth = static_cast<WORD>(d.mesec);
    c->wDayOfWeek = static_cast<WORD>(NedeljaNic(jdn));
    c->wDay = static_cast<WORD>(d.dan);
    c->wHour = static_cast<WORD>(u.ura);
    c->wMinute = static_cast<WORD>(u.minuta);
    c->wSecond = static_cast<WORD>(u.sekunda);
    c->wMilliseconds = static_cast<WORD>(u.milisekunde);
}

void RDatum::PretvoriJulVGre(__int64 vrednost, tm *c) {
    long long jdn = vrednost / MS_NA_DAN;
    Datum d = Gregorijanski(jdn);
    Ura u = Razdeli(vrednost % MS_NA_DAN);
    *c = tm();
    c->tm_mday = static_cast<int>(d.dan);
    c->tm_mon = static_cast<int>(d.mesec - 1);
    c->tm_year = static_cast<int>(d.leto - 1900);
    c->tm_hour = static_cast<int>(u.ura);
    c->tm_min = static_cast<int>(u.minuta);
    c->tm_sec = static_cast<int>(u.sekunda);
    c->tm_wday = NedeljaNic(jdn);
}

__int64 RDatum::Pretvori(_FILETIME const *cas) { return IzFileTime(*cas); }
void RDatum::Pretvori(__int64 vrednost, _FILETIME *cas) { *cas = VFileTime(vrednost); }

__int64 RDatum::Pretvori(double oleDatum) {
    // Zeroed first: a date the platform refuses leaves the record untouched.
    SYSTEMTIME st = {};
    VariantTimeToSystemTime(oleDatum, &st);
    return PretvoriGreVJul(&st);
}

void RDatum::Pretvori(__int64 vrednost, double *oleDatum) {
    SYSTEMTIME st;
    PretvoriJulVGre(vrednost, &st);
    SystemTimeToVariantTime(&st, oleDatum);
}

namespace {

// The system's time records hold a FILETIME from 0 to 2^63 - 1 (1601 to the year 30828): outside it
// FileTimeToSystemTime refuses, while FileTimeToLocalFileTime only adds the bias, so a value that does
// not fit, or a result that leaves the range, counts as a failed conversion. The value is checked
// before it is multiplied, which would overflow.
bool VObsegu(__int64 vrednost, FILETIME *f) {
    if (vrednost < DATUM_1601 || vrednost - DATUM_1601 > 0x7FFFFFFFFFFFFFFFLL / 10000)
        return false;
    *f = VFileTime(vrednost);
    return true;
}

bool VObsegu(const FILETIME &f) { return !(f.dwHighDateTime & 0x80000000u); }

} // namespace

__int64 RDatum::PretvoriUTCVLokalni(__int64 vrednost) {
    FILETIME utc, lokalni;
    return VObsegu(vrednost, &utc) && FileTimeToLocalFileTime(&utc, &lokalni) && VObsegu(lokalni)
               ? IzFileTime(lokalni)
               : vrednost;
}

__int64 RDatum::PretvoriLokalniVUTC(__int64 vrednost) {
    FILETIME lokalni, utc;
    return VObsegu(vrednost, &lokalni) && LocalFileTimeToFileTime(&lokalni, &utc) && VObsegu(utc)
               ? IzFileTime(utc)
               : vrednost;
}

unsigned char RDatum::VrniDanVTednu(long jdn) { return static_cast<unsigned char>(jdn % 7); }
unsigned char RDatum::VrniDanVTednu(unsigned char dan, unsigned char mesec, long leto) {
    return static_cast<unsigned char>(Jdn(dan, mesec, leto) % 7);
}

__int64 RDatum::VrniTrenutniCas() {
    // The precise function exists only while the library is started; without it GetSystemTime gives
    // the same instant, also to the millisecond.
    if (Zrno::Notranje::PrecizniCasFn precizni = Zrno::Notranje::PrecizniCas()) {
        FILETIME f;
        precizni(&f);
        return IzFileTime(f);
    }
    SYSTEMTIME st;
    GetSystemTime(&st);
    return PretvoriGreVJul(&st);
}

long RDatum::DolociTrenutniJul(unsigned long *milisekunde) {
    SYSTEMTIME st;
    GetSystemTime(&st);
    unsigned long long v = static_cast<unsigned long long>(PretvoriGreVJul(&st));
    if (milisekunde)
        *milisekunde = static_cast<unsigned long>(v % MS_NA_DAN);
    return static_cast<long>(v / MS_NA_DAN);
}

unsigned __int64 RDatum::VrniProcCas() {
    // msvcrt's clock() counts wall-clock ticks since the runtime started, CLOCKS_PER_SEC (1000) a second.
    return static_cast<unsigned __int64>(clock()) * 1000u / CLOCKS_PER_SEC;
}
