/// \file
/// Zrno utilities: the date and time value RDatum (milliseconds on the Julian Day scale) with its calendar
/// conversions and its strftime formatting.
#ifndef ZRNO_UTIL_RDATUM_H
#define ZRNO_UTIL_RDATUM_H

#include <zrno/frame/Elementi.h>
#include <zrno/strings/RNizA.h>

struct _FILETIME;
struct _SYSTEMTIME;
struct tm;

namespace Zrno {

/// Milliseconds in a day: one step of the Julian Day Number on the RDatum scale.
constexpr __int64 MS_NA_DAN = 86400000;
/// The RDatum value of 1601-01-01 00:00 UTC, the origin of FILETIME (JDN 2305814).
constexpr __int64 DATUM_1601 = 199222329600000;

} // namespace Zrno

/// A date and time broken down on the proleptic Gregorian calendar. It carries no weekday.
struct T_DATUM {
    unsigned short Milisekunde; ///< 0-999
    unsigned char Sekunda;      ///< 0-59
    unsigned char Minuta;       ///< 0-59
    unsigned char Ura;          ///< 0-23
    unsigned char Dan;          ///< day of the month, 1-31
    unsigned char Mesec;        ///< 1-12
    long Leto;                  ///< astronomical numbering: year 0 is 1 BC
};

/// A point in time: JDN x 86 400 000 + milliseconds since midnight, JDN being the Julian Day Number of
/// the civil day. The calendar fields are exact from 0000-03-01 (JDN 1721120) to the end of the 64-bit
/// value (292272312-07-11); earlier days and negative values give meaningless fields. No operation
/// reports an error. A value: copies are independent; one thread at a time per object.
class ZRNO_API RDatum : public RElement {
  public:
    /// The value 0 (a day long before any calendar field is exact).
    RDatum() : m_vrednost(0) {}
    /// A value on the RDatum scale.
    RDatum(__int64 vrednost) : m_vrednost(vrednost) {}
    /// An OLE automation date (days since 1899-12-30), to the whole second.
    RDatum(double oleDatum);
    /// A FILETIME, as NastaviDatum reads it.
    RDatum(_FILETIME const *cas);
    /// A SYSTEMTIME (wDayOfWeek ignored).
    RDatum(_SYSTEMTIME const *cas);
    /// A broken-down date and time.
    RDatum(T_DATUM const *datum);
    /// A Gregorian date and time of day (not validated).
    RDatum(unsigned char dan, unsigned char mesec, long leto, unsigned char ura = 0, unsigned char minuta = 0,
           unsigned char sekunda = 0, unsigned short milisekunde = 0);
    /// Copies the value.
    RDatum(const RDatum &o) : RElement(o), m_vrednost(o.m_vrednost) {}
    ~RDatum() override;
    /// Copies the value; returns the object.
    RDatum &operator=(const RDatum &o) {
        m_vrednost = o.m_vrednost;
        return *this;
    }

    // Setters; each returns the new value.
    /// An OLE automation date, to the whole second.
    __int64 NastaviDatum(double oleDatum);
    /// FILETIME (100 ns since 1601, read as signed) / 10 000 + DATUM_1601.
    __int64 NastaviDatum(_FILETIME const *cas);
    /// wDayOfWeek is ignored.
    __int64 NastaviDatum(_SYSTEMTIME const *cas);
    /// A broken-down date and time.
    __int64 NastaviDatum(T_DATUM const *datum);
    /// Whole seconds; only tm_mday, tm_mon, tm_year, tm_hour, tm_min and tm_sec are read.
    __int64 NastaviDatum(tm const *cas);
    /// A Gregorian date and time of day (not validated).
    __int64 NastaviDatum(unsigned char dan, unsigned char mesec, long leto, unsigned char ura = 0,
                         unsigned char minuta = 0, unsigned char sekunda = 0, unsigned short milisekunde = 0);
    /// The present time in UTC.
    __int64 NastaviTrenutniCas();
    /// Keeps the day and replaces the time of day (milliseconds since midnight, not validated).
    __int64 NastaviUro(unsigned long milisekunde);
    /// Sets the value; returns it.
    __int64 operator=(__int64 vrednost) { return m_vrednost = vrednost; }
    /// Moves the value by milliseconds; returns the new value.
    __int64 operator+=(__int64 milisekunde) { return m_vrednost += milisekunde; }
    /// Moves the value back by milliseconds; returns the new value.
    __int64 operator-=(__int64 milisekunde) { return m_vrednost -= milisekunde; }

    // Readers; the VrniDatum forms fill the target and return the value.
    /// The value.
    operator __int64() const { return m_vrednost; }
    /// Fills a broken-down date and time.
    __int64 VrniDatum(T_DATUM *datum) const;
    /// Any target may be null.
    __int64 VrniDatum(unsigned char *dan, unsigned char *mesec, long *leto, unsigned char *ura,
                      unsigned char *minuta, unsigned char *sekunda, unsigned short *milisekunde) const;
    /// Fills a SYSTEMTIME (wDayOfWeek from Sunday = 0).
    __int64 VrniDatum(_SYSTEMTIME *cas) const;
    /// Fills a FILETIME.
    __int64 VrniDatum(_FILETIME *cas) const;
    /// Gives the OLE automation date (whole seconds).
    __int64 VrniDatum(double *oleDatum) const;
    /// Milliseconds since midnight.
    long VrniUro() const;
    /// The day of the month, 1-31.
    unsigned char VrniDan() const;
    /// The month, 1-12.
    unsigned char VrniMesec() const;
    /// The year (astronomical numbering).
    long VrniLeto() const;
    /// 0 = Monday ... 6 = Sunday.
    unsigned char VrniDanVTednu() const;
    /// The value formatted by strftime (see the static form) into niz; returns the characters written.
    unsigned int VrniNiz(RNizA &niz, char const *oblika) const;
    /// The value formatted by strftime into a new string.
    RNizA VrniNiz(char const *oblika);

    // Calendar conversions.
    /// The Julian Day Number of a Gregorian date; -1 from 5874898-06-04 on, whose number does not fit a
    /// long (the value forms, 64-bit, hold it).
    static long PretvoriGreVJul(unsigned char dan, unsigned char mesec, long leto);
    /// The value of a SYSTEMTIME (wDayOfWeek ignored).
    static __int64 PretvoriGreVJul(_SYSTEMTIME const *cas);
    /// The value of a tm record, to the second.
    static __int64 PretvoriGreVJul(tm const *cas);
    /// The Gregorian date of a Julian Day Number; any target may be null.
    static void PretvoriJulVGre(long jdn, unsigned char *dan, unsigned char *mesec, long *leto);
    /// Splits a value; any target may be null.
    static void PretvoriJulVGre(__int64 vrednost, unsigned char *dan, unsigned char *mesec, long *leto,
                                unsigned char *ura, unsigned char *minuta, unsigned char *sekunda,
                                unsigned short *milisekunde);
    /// Splits a value into a broken-down date and time.
    static void PretvoriJulVGre(__int64 vrednost, T_DATUM *datum);
    /// Fills every field, wDayOfWeek counting from Sunday = 0 as the system does.
    static void PretvoriJulVGre(__int64 vrednost, _SYSTEMTIME *cas);
    /// Clears the record, then fills the date, the time to the second and tm_wday (Sunday = 0).
    static void PretvoriJulVGre(__int64 vrednost, tm *cas);

    // Platform records.
    /// FILETIME / 10 000 + DATUM_1601.
    static __int64 Pretvori(_FILETIME const *cas);
    /// (value - DATUM_1601) x 10 000 as a FILETIME.
    static void Pretvori(__int64 vrednost, _FILETIME *cas);
    /// Through VariantTimeToSystemTime: whole seconds.
    static __int64 Pretvori(double oleDatum);
    /// Through SystemTimeToVariantTime: the milliseconds are lost.
    static void Pretvori(__int64 vrednost, double *oleDatum);
    /// Moves a value between UTC and the system's local time; returns it unchanged when the system
    /// cannot convert it (outside the FILETIME range of 1601 to the year 30828, before or after the move).
    ///@{
    static __int64 PretvoriUTCVLokalni(__int64 vrednost);
    static __int64 PretvoriLokalniVUTC(__int64 vrednost);
    ///@}

    /// 0 = Monday ... 6 = Sunday.
    static unsigned char VrniDanVTednu(long jdn);
    /// The weekday of a Gregorian date, 0 = Monday.
    static unsigned char VrniDanVTednu(unsigned char dan, unsigned char mesec, long leto);

    /// Formats the value with the C runtime's strftime (whole seconds; names of days and months from
    /// the library's locale) and replaces niz with the text. Returns the characters written; 0, with
    /// niz empty, for a null or invalid format, one whose output is empty, or when no room can be had.
    static unsigned int VrniNiz(__int64 vrednost, RNizA &niz, char const *oblika);
    /// The same into a new string.
    static RNizA VrniNiz(__int64 vrednost, char const *oblika);

    /// The present time in UTC, to the millisecond.
    static __int64 VrniTrenutniCas();
    /// Today's JDN in UTC; *milisekunde (when given) receives the milliseconds since UTC midnight.
    static long DolociTrenutniJul(unsigned long *milisekunde);
    /// Milliseconds of wall time since the library's C runtime started.
    static unsigned __int64 VrniProcCas();

  private:
    friend struct PreverjanjeRazporeditve;
    __int64 m_vrednost;
};

#endif
