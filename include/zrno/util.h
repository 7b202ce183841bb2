// Zrno utilities: the date and time value RDatum with its calendar conversions, the pooled intrusive
// containers, and the progress indicators.
#ifndef ZRNO_UTIL_H
#define ZRNO_UTIL_H

#include <stddef.h>
#include <string.h>
#include <zrno/frame.h>
#include <zrno/strings.h>

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
/// the civil day. The calendar fields are exact from 0000-03-01 (JDN 1721120) on; earlier days and
/// negative values give meaningless fields. No operation reports an error.
class ZRNO_API RDatum : public RElement {
  public:
    RDatum() : m_vrednost(0) {}
    RDatum(__int64 vrednost) : m_vrednost(vrednost) {}
    /// An OLE automation date (days since 1899-12-30), to the whole second.
    RDatum(double oleDatum);
    RDatum(_FILETIME const *cas);
    RDatum(_SYSTEMTIME const *cas);
    RDatum(T_DATUM const *datum);
    RDatum(unsigned char dan, unsigned char mesec, long leto, unsigned char ura = 0, unsigned char minuta = 0,
           unsigned char sekunda = 0, unsigned short milisekunde = 0);
    RDatum(const RDatum &o) : RElement(o), m_vrednost(o.m_vrednost) {}
    ~RDatum() override;
    RDatum &operator=(const RDatum &o) {
        m_vrednost = o.m_vrednost;
        return *this;
    }

    // Setters; each returns the new value.
    __int64 NastaviDatum(double oleDatum);
    /// FILETIME (100 ns since 1601, read as signed) / 10 000 + DATUM_1601.
    __int64 NastaviDatum(_FILETIME const *cas);
    /// wDayOfWeek is ignored.
    __int64 NastaviDatum(_SYSTEMTIME const *cas);
    __int64 NastaviDatum(T_DATUM const *datum);
    /// Whole seconds; only tm_mday, tm_mon, tm_year, tm_hour, tm_min and tm_sec are read.
    __int64 NastaviDatum(tm const *cas);
    __int64 NastaviDatum(unsigned char dan, unsigned char mesec, long leto, unsigned char ura = 0,
                         unsigned char minuta = 0, unsigned char sekunda = 0, unsigned short milisekunde = 0);
    /// The present time in UTC.
    __int64 NastaviTrenutniCas();
    /// Keeps the day and replaces the time of day (milliseconds since midnight, not validated).
    __int64 NastaviUro(unsigned long milisekunde);
    __int64 operator=(__int64 vrednost) { return m_vrednost = vrednost; }
    __int64 operator+=(__int64 milisekunde) { return m_vrednost += milisekunde; }
    __int64 operator-=(__int64 milisekunde) { return m_vrednost -= milisekunde; }

    // Readers; the VrniDatum forms fill the target and return the value.
    operator __int64() const { return m_vrednost; }
    __int64 VrniDatum(T_DATUM *datum) const;
    /// Any target may be null.
    __int64 VrniDatum(unsigned char *dan, unsigned char *mesec, long *leto, unsigned char *ura,
                      unsigned char *minuta, unsigned char *sekunda, unsigned short *milisekunde) const;
    __int64 VrniDatum(_SYSTEMTIME *cas) const;
    __int64 VrniDatum(_FILETIME *cas) const;
    __int64 VrniDatum(double *oleDatum) const;
    /// Milliseconds since midnight.
    long VrniUro() const;
    unsigned char VrniDan() const;
    unsigned char VrniMesec() const;
    long VrniLeto() const;
    /// 0 = Monday ... 6 = Sunday.
    unsigned char VrniDanVTednu() const;
    /// The value formatted by strftime (see the static form) into niz; returns the characters written.
    unsigned int VrniNiz(RNizA &niz, char const *oblika) const;
    /// The value formatted by strftime into a new string.
    RNizA VrniNiz(char const *oblika);

    // Calendar conversions.
    /// The Julian Day Number of a Gregorian date.
    static long PretvoriGreVJul(unsigned char dan, unsigned char mesec, long leto);
    static __int64 PretvoriGreVJul(_SYSTEMTIME const *cas);
    static __int64 PretvoriGreVJul(tm const *cas);
    /// The Gregorian date of a Julian Day Number; any target may be null.
    static void PretvoriJulVGre(long jdn, unsigned char *dan, unsigned char *mesec, long *leto);
    /// Splits a value; any target may be null.
    static void PretvoriJulVGre(__int64 vrednost, unsigned char *dan, unsigned char *mesec, long *leto,
                                unsigned char *ura, unsigned char *minuta, unsigned char *sekunda,
                                unsigned short *milisekunde);
    static void PretvoriJulVGre(__int64 vrednost, T_DATUM *datum);
    /// Fills every field, wDayOfWeek counting from Sunday = 0 as the system does.
    static void PretvoriJulVGre(__int64 vrednost, _SYSTEMTIME *cas);
    /// Clears the record, then fills the date, the time to the second and tm_wday (Sunday = 0).
    static void PretvoriJulVGre(__int64 vrednost, tm *cas);

    // Platform records.
    static __int64 Pretvori(_FILETIME const *cas);
    static void Pretvori(__int64 vrednost, _FILETIME *cas);
    /// Through VariantTimeToSystemTime: whole seconds.
    static __int64 Pretvori(double oleDatum);
    /// Through SystemTimeToVariantTime: the milliseconds are lost.
    static void Pretvori(__int64 vrednost, double *oleDatum);
    /// Moves a value between UTC and the system's local time; returns it unchanged when the system
    /// cannot convert it.
    static __int64 PretvoriUTCVLokalni(__int64 vrednost);
    static __int64 PretvoriLokalniVUTC(__int64 vrednost);

    /// 0 = Monday ... 6 = Sunday.
    static unsigned char VrniDanVTednu(long jdn);
    static unsigned char VrniDanVTednu(unsigned char dan, unsigned char mesec, long leto);

    /// Formats the value with the C runtime's strftime (whole seconds; names of days and months from
    /// the library's locale) and replaces niz with the text. Returns the characters written; 0, with
    /// niz empty, for a null or invalid format, one whose output is empty, or when no room can be had.
    static unsigned int VrniNiz(__int64 vrednost, RNizA &niz, char const *oblika);
    static RNizA VrniNiz(__int64 vrednost, char const *oblika);

    /// The present time in UTC, to the millisecond.
    static __int64 VrniTrenutniCas();
    /// Today's JDN in UTC; *milisekunde (when given) receives the milliseconds since UTC midnight.
    static long DolociTrenutniJul(unsigned long *milisekunde);
    /// Milliseconds of wall time since the library's C runtime started.
    static unsigned __int64 VrniProcCas();

  private:
    __int64 m_vrednost;
};

// ---------------------------------------------------------------------------------------------------
// Progress indicators. A long operation announces a range, sets positions within it, may set a text and
// asks whether to stop. An indicator is called from the thread that runs the operation.

/// The indicator that shows nothing: every call does nothing and PrekiniPostopek is false, so an
/// operation can always be given one.
class ZRNO_API RKazalnikNapredka : public RElement {
  public:
    RKazalnikNapredka() {}
    RKazalnikNapredka(const RKazalnikNapredka &o) : RElement(o) {}
    ~RKazalnikNapredka() override;
    RKazalnikNapredka &operator=(const RKazalnikNapredka &) { return *this; }

    /// Sets the text by a string number.
    virtual void NastaviBesedilo(unsigned int idNiza);
    /// Sets the text (code-page text).
    virtual void NastaviBesedilo(char const *besedilo);
    virtual void NastaviObmocje(int spodnja, int zgornja);
    virtual void Nastavi(int polozaj);
    virtual void Prikazi(bool prikazi);
    /// Whether the operation should stop.
    virtual bool PrekiniPostopek();
};

/// Lets through at most one position report per interval (the ends of the range always), for indicators
/// whose display is costly: a derived class does the work in PraviNastaviObmocje and PraviNastavi.
class ZRNO_API RCasKazalnikNapredka : public RKazalnikNapredka {
  public:
    /// interval: the least time between two reports, in milliseconds.
    explicit RCasKazalnikNapredka(unsigned int interval = 500)
        : m_interval(interval), m_zadnjiCas(0), m_spodnja(0), m_zgornja(0), m_zadnjiPolozaj(-1) {}
    ~RCasKazalnikNapredka() override;

    using RKazalnikNapredka::NastaviBesedilo;
    /// Stores the range, then PraviNastaviObmocje.
    void NastaviObmocje(int spodnja, int zgornja) override;
    /// Reports an end of the range at once; another position only when it differs from the last one
    /// reported and the interval has passed since then (a dropped position is not queued).
    void Nastavi(int polozaj) override;

  protected:
    /// The range (m_spodnja, m_zgornja) has changed.
    virtual void PraviNastaviObmocje();
    /// Show the position now in m_zadnjiPolozaj.
    virtual void PraviNastavi();

    unsigned int m_interval;
    unsigned int m_zadnjiCas; ///< GetTickCount of the last report
    int m_spodnja;
    int m_zgornja;
    int m_zadnjiPolozaj;
};

/// Maps the positions of one step of a larger job onto that step's section of a global range and
/// forwards them to another indicator (not owned; may be null).
class ZRNO_API RGlobalniKazalnikNapredka : public RKazalnikNapredka {
  public:
    explicit RGlobalniKazalnikNapredka(RKazalnikNapredka *cilj = nullptr)
        : m_cilj(cilj), m_lokalnaSpodnja(0), m_lokalnaZgornja(0), m_globalnaSpodnja(0), m_globalnaZgornja(0),
          m_odsekSpodnja(0), m_odsekZgornja(0) {}
    ~RGlobalniKazalnikNapredka() override;

    void Uporabi(RKazalnikNapredka *cilj) { m_cilj = cilj; }
    /// Returns the target and forgets it.
    RKazalnikNapredka *Odpusti();
    /// Stores the whole job's range and hands it to the target as its range.
    void NastaviGlobalnoObmocje(int spodnja, int zgornja);
    /// Stores the current step's share of the global range (nothing is forwarded).
    void NastaviGlobalniOdsek(int spodnja, int zgornja);

    void NastaviBesedilo(unsigned int idNiza) override;
    void NastaviBesedilo(char const *besedilo) override;
    /// Stores the current step's own range (nothing is forwarded).
    void NastaviObmocje(int spodnja, int zgornja) override;
    /// Forwards MulDiv(polozaj - local lower, section width, local width) + section lower; a local
    /// range of equal ends forwards section lower - 1.
    void Nastavi(int polozaj) override;
    void Prikazi(bool prikazi) override;
    /// The target's answer; false without one.
    bool PrekiniPostopek() override;

  protected:
    RKazalnikNapredka *m_cilj;
    int m_lokalnaSpodnja;
    int m_lokalnaZgornja;
    int m_globalnaSpodnja;
    int m_globalnaZgornja;
    int m_odsekSpodnja;
    int m_odsekZgornja;
};

// ---------------------------------------------------------------------------------------------------
// Containers: intrusive linked containers whose nodes come from a private, unserialised heap of each
// container. Elements are plain records copied whole into the nodes; no element constructor or
// destructor ever runs. A node handle (void *) is also the address of its element. A container is used
// by one thread at a time.
//
// The templates are defined here, so a container of any record type instantiates where it is used.
// Element types whose containers the library exports are listed in ZRNO_IZVOZENE_ZBIRKE at the end of
// this header, one X(type) each; util/Zbirke.cpp instantiates and exports the list.

namespace Zrno::Notranje {

/// A private heap for one container (HEAP_NO_SERIALIZE, growable); null when refused.
ZRNO_API void *UstvariKopicoZbirke(size_t zacetnaVelikost);
/// Destroys the heap and with it every block; a null heap does nothing.
ZRNO_API void UniciKopicoZbirke(void *kopica);
/// One block of stevilo nodes of the given size; null when refused or on a null heap.
ZRNO_API void *RezervirajBlokZbirke(void *kopica, size_t stevilo, size_t velikostVozla);
/// NT family: whether the address lies inside a busy entry of the heap (walked under its lock). Other
/// families cannot walk a heap reliably, and the answer there is always true.
ZRNO_API bool JeVKopiciZbirke(void *kopica, const void *naslov);

/// Node layouts: the element first, then the links.
template <typename T> struct VozelSklada {
    T element;
    void *naslednji;
};
template <typename T> struct VozelSeznama {
    T element;
    void *naslednji;
    void *prejsnji;
};

} // namespace Zrno::Notranje

/// The collection base: the node pool (free list over blocks of the container's heap) and the count.
template <typename T> class RZbirka : public RElement {
  public:
    /// Creates the container's heap; nothing is allocated until the first node is made.
    explicit RZbirka(unsigned int velikostBloka = 64);
    /// A copy has a heap of its own and starts empty; the derived classes copy the elements.
    RZbirka(const RZbirka &o);
    /// Destroys the heap, and with it every node at once.
    ~RZbirka() override;
    /// Keeps this container's own heap and nodes; the derived assignments add the elements.
    RZbirka &operator=(const RZbirka &) { return *this; }

    /// Makes a node holding a copy of the value and adds it; returns the node, or null when no block
    /// could be allocated (the container is then unchanged).
    void *Dodaj(T const &vrednost) { return DodajNov(UstvariVozel(vrednost)); }
    void *operator+=(T const &vrednost) { return Dodaj(vrednost); }
    /// As Dodaj, with the element left as the block gave it.
    void *Dodaj() { return DodajNov(UstvariVozel()); }
    unsigned int VrniStevilo() const { return m_stevilo; }
    bool JePrazen() const { return m_stevilo == 0; }
    T &VrniElement(void *vozel) const { return *static_cast<T *>(vozel); }
    T &operator[](void *vozel) const { return *static_cast<T *>(vozel); }

    /// Links a node made by UstvariVozel into the container; returns it.
    virtual void *DodajVozel(void *vozel) = 0;
    /// Removes every node (back to the free list).
    virtual void Unici() = 0;
    /// Takes a node off the free list (allocating a block when it is empty) and copies the value into
    /// it; the node is not yet in the container. Null when no block could be allocated.
    virtual void *UstvariVozel(T const &vrednost) = 0;
    virtual void *UstvariVozel() = 0;
    /// Returns a node that is not in the container to the free list.
    virtual void UniciVozel(void *vozel) = 0;

  protected:
    /// Adds one block of nodes to the free list: 0, or NAP_POMNILNIK with nothing changed.
    virtual int RezervirajBlok() = 0;
    virtual bool JeVozelVKopici(void *vozel) const = 0;

    /// The block allocation of RezervirajBlok for nodes of the given size: threads them in address
    /// order, the block's last node pointing at the former free-list head.
    int RezervirajBlokVozlov(size_t velikostVozla);

    void *m_kopica;
    void *m_prosti; ///< free-list head, linked through the nodes' next links
    unsigned int m_velikostBloka;
    unsigned int m_stevilo;

  private:
    void *DodajNov(void *vozel) { return vozel ? DodajVozel(vozel) : nullptr; }
};

/// A singly linked stack: Dodaj pushes at the front.
template <typename T> class RSklad : public RZbirka<T> {
  public:
    explicit RSklad(unsigned int velikostBloka = 64) : RZbirka<T>(velikostBloka), m_prvi(nullptr) {}
    /// An independent copy with its own heap, in the same order.
    RSklad(const RSklad &o);
    ~RSklad() override;
    /// Adds copies of o's elements (from its first along next) through this container's DodajVozel,
    /// without emptying it first: a stack receives them reversed. Assigning a container to itself
    /// changes nothing.
    RSklad const &operator=(const RSklad &o);

    void *VrniPrvega() const { return m_prvi; }
    T &VrniPrviElement() const { return *static_cast<T *>(m_prvi); }
    /// The following node; null after the last.
    void *VrniNaslednjega(void *vozel) const { return Naslednji(vozel); }
    /// Makes a node and links it behind za (at the front when za is null); null when no block could be
    /// allocated.
    void *DodajZa(T const &vrednost, void *za);
    void *DodajZa(void *za);
    /// Copies at most VrniStevilo() elements, from the first along next, into the caller's array;
    /// returns the number copied.
    unsigned int PrepisiVTabelo(T *tabela) const;

    void *DodajVozel(void *vozel) override;
    void Unici() override;
    void *UstvariVozel(T const &vrednost) override;
    void *UstvariVozel() override;
    void UniciVozel(void *vozel) override;
    virtual void *DodajVozelZa(void *vozel, void *za);
    /// Removes the first node (nothing happens when the container is empty).
    virtual void Brisi();

  protected:
    int RezervirajBlok() override;
    bool JeVozelVKopici(void *vozel) const override;
    void SprostiVozel(void *vozel) { UniciVozel(vozel); }
    void *RezervirajVozel() { return UstvariVozel(); }

    static void *&Naslednji(void *vozel) {
        return static_cast<Zrno::Notranje::VozelSklada<T> *>(vozel)->naslednji;
    }

    void *m_prvi;
};

/// A doubly linked list: Dodaj appends at the end.
template <typename T> class RSeznam : public RSklad<T> {
  public:
    explicit RSeznam(unsigned int velikostBloka = 64) : RSklad<T>(velikostBloka), m_zadnji(nullptr) {}
    /// An independent copy with its own heap, in the same order.
    RSeznam(const RSeznam &o);
    ~RSeznam() override;
    /// Appends copies of o's elements through this container's DodajVozel (see RSklad::operator=).
    RSeznam const &operator=(const RSeznam &o) {
        RSklad<T>::operator=(o);
        return *this;
    }

    void *VrniZadnjega() const { return m_zadnji; }
    T &VrniZadnjiElement() const { return *static_cast<T *>(m_zadnji); }
    /// The preceding node; null before the first.
    void *VrniPrejsnjega(void *vozel) const { return Prejsnji(vozel); }
    /// Makes a node and links it before pred (at the end when pred is null); null when no block could be
    /// allocated.
    void *DodajPred(T const &vrednost, void *pred);
    void *DodajPred(void *pred);
    /// Unlinks the node without freeing it: the caller may link it again with DodajVozel, DodajVozelZa or
    /// DodajVozelPred.
    void IzlociVozel(void *vozel);

    void *DodajVozel(void *vozel) override;
    void Unici() override;
    void *DodajVozelZa(void *vozel, void *za) override;
    void Brisi() override;
    virtual void *DodajVozelPred(void *vozel, void *pred);
    /// Unlinks the node and returns it to the free list.
    virtual void Brisi(void *vozel);

  protected:
    int RezervirajBlok() override;

    static void *&Prejsnji(void *vozel) {
        return static_cast<Zrno::Notranje::VozelSeznama<T> *>(vozel)->prejsnji;
    }

    void *m_zadnji;
};

/// A list kept in the order of Primerjaj (negative: a sorts before b). An element equal to others is
/// inserted behind them, except that one equal to the last element goes before it.
template <typename T> class RUrejenSeznam : public RSeznam<T> {
  public:
    explicit RUrejenSeznam(unsigned int velikostBloka = 64) : RSeznam<T>(velikostBloka) {}
    RUrejenSeznam(const RUrejenSeznam &o) : RSeznam<T>(o) {}
    /// Inserts copies of o's elements in their sorted places (see RSklad::operator=).
    RUrejenSeznam const &operator=(const RUrejenSeznam &o) {
        RSklad<T>::operator=(o);
        return *this;
    }

    /// Adds a copy unless an equal element is present: returns the new node, or null (the spare node
    /// went back to the free list) when an equal one exists or no block could be allocated.
    void *DodajPogojno(T const &vrednost);
    void *PoisciOdPrvega(T const &kljuc) const { return PoisciOd(this->m_prvi, kljuc, true); }
    void *PoisciOdZadnjega(T const &kljuc) const { return PoisciOd(this->m_zadnji, kljuc, false); }

    /// Sorted insert; returns the node.
    void *DodajVozel(void *vozel) override;
    /// Sorted insert unless an equal element is present; returns the node passed in when it was
    /// inserted, else the equal element's node.
    virtual void *DodajVozelPogojno(void *vozel);
    /// Walks from start toward the last (naprej) or the first node and returns the first node equal to
    /// the key, or null once the order shows there is none.
    virtual void *PoisciOd(void *zacetek, T const &kljuc, bool naprej) const;
    virtual int Primerjaj(T const &a, T const &b) const = 0;

  private:
    void Vstavi(void *vozel);
};

// --- RZbirka ---

template <typename T>
RZbirka<T>::RZbirka(unsigned int velikostBloka)
    : m_kopica(nullptr), m_prosti(nullptr), m_velikostBloka(velikostBloka), m_stevilo(0) {
    // Room for one block of list nodes from the start, for stacks too.
    size_t vozel = sizeof(Zrno::Notranje::VozelSeznama<T>);
    m_kopica = Zrno::Notranje::UstvariKopicoZbirke(
        velikostBloka <= static_cast<size_t>(-1) / vozel ? velikostBloka * vozel : 0);
}

template <typename T> RZbirka<T>::RZbirka(const RZbirka &o) : RZbirka(o.m_velikostBloka) {}

template <typename T> RZbirka<T>::~RZbirka() { Zrno::Notranje::UniciKopicoZbirke(m_kopica); }

template <typename T> int RZbirka<T>::RezervirajBlokVozlov(size_t velikostVozla) {
    if (m_velikostBloka == 0)
        return Zrno::NAP_POMNILNIK; // a block without nodes would hand out nothing
    char *blok =
        static_cast<char *>(Zrno::Notranje::RezervirajBlokZbirke(m_kopica, m_velikostBloka, velikostVozla));
    if (!blok)
        return Zrno::NAP_POMNILNIK;
    for (unsigned int i = 0; i + 1 < m_velikostBloka; ++i)
        static_cast<Zrno::Notranje::VozelSklada<T> *>(static_cast<void *>(blok + i * velikostVozla))
            ->naslednji = blok + (i + 1) * velikostVozla;
    static_cast<Zrno::Notranje::VozelSklada<T> *>(
        static_cast<void *>(blok + (m_velikostBloka - 1) * velikostVozla))
        ->naslednji = m_prosti;
    m_prosti = blok;
    return Zrno::OK;
}

// --- RSklad ---

template <typename T> RSklad<T>::RSklad(const RSklad &o) : RZbirka<T>(o.m_velikostBloka), m_prvi(nullptr) {
    void *rep = nullptr;
    for (void *v = o.m_prvi; v; v = Naslednji(v)) {
        void *nov = RSklad::UstvariVozel(o.VrniElement(v));
        if (!nov)
            break;
        rep = RSklad::DodajVozelZa(nov, rep);
    }
}

template <typename T> RSklad<T>::~RSklad() {
    if (this->m_stevilo)
        RSklad::Unici();
}

template <typename T> RSklad<T> const &RSklad<T>::operator=(const RSklad &o) {
    if (&o == this)
        return *this;
    for (void *v = o.m_prvi; v; v = Naslednji(v)) {
        void *nov = this->UstvariVozel(o.VrniElement(v));
        if (!nov)
            break;
        this->DodajVozel(nov);
    }
    return *this;
}

template <typename T> void *RSklad<T>::DodajZa(T const &vrednost, void *za) {
    void *v = this->UstvariVozel(vrednost);
    return v ? this->DodajVozelZa(v, za) : nullptr;
}

template <typename T> void *RSklad<T>::DodajZa(void *za) {
    void *v = this->UstvariVozel();
    return v ? this->DodajVozelZa(v, za) : nullptr;
}

template <typename T> unsigned int RSklad<T>::PrepisiVTabelo(T *tabela) const {
    unsigned int n = 0;
    for (void *v = m_prvi; v && n < this->m_stevilo; v = Naslednji(v))
        memcpy(static_cast<void *>(&tabela[n++]), v, sizeof(T));
    return n;
}

template <typename T> void *RSklad<T>::DodajVozel(void *vozel) {
    Naslednji(vozel) = m_prvi;
    m_prvi = vozel;
    ++this->m_stevilo;
    return vozel;
}

template <typename T> void RSklad<T>::Unici() {
    while (m_prvi)
        RSklad::Brisi();
}

template <typename T> void *RSklad<T>::UstvariVozel(T const &vrednost) {
    void *v = UstvariVozel();
    if (v)
        memcpy(v, static_cast<const void *>(&vrednost), sizeof(T));
    return v;
}

template <typename T> void *RSklad<T>::UstvariVozel() {
    if (!this->m_prosti && this->RezervirajBlok() < 0)
        return nullptr;
    void *v = this->m_prosti;
    if (v)
        this->m_prosti = Naslednji(v);
    return v;
}

template <typename T> void RSklad<T>::UniciVozel(void *vozel) {
    Naslednji(vozel) = this->m_prosti;
    this->m_prosti = vozel;
}

template <typename T> void *RSklad<T>::DodajVozelZa(void *vozel, void *za) {
    if (!za)
        return RSklad::DodajVozel(vozel);
    Naslednji(vozel) = Naslednji(za);
    Naslednji(za) = vozel;
    ++this->m_stevilo;
    return vozel;
}

template <typename T> void RSklad<T>::Brisi() {
    void *stari = m_prvi;
    if (!stari)
        return;
    m_prvi = Naslednji(stari);
    this->UniciVozel(stari);
    --this->m_stevilo;
}

template <typename T> int RSklad<T>::RezervirajBlok() {
    return this->RezervirajBlokVozlov(sizeof(Zrno::Notranje::VozelSklada<T>));
}

template <typename T> bool RSklad<T>::JeVozelVKopici(void *vozel) const {
    return Zrno::Notranje::JeVKopiciZbirke(this->m_kopica, vozel);
}

// --- RSeznam ---

template <typename T>
RSeznam<T>::RSeznam(const RSeznam &o) : RSklad<T>(o.m_velikostBloka), m_zadnji(nullptr) {
    for (void *v = o.m_prvi; v; v = this->Naslednji(v)) {
        void *nov = this->UstvariVozel(o.VrniElement(v));
        if (!nov)
            break;
        RSeznam::DodajVozel(nov);
    }
}

template <typename T> RSeznam<T>::~RSeznam() {
    if (this->m_stevilo)
        RSeznam::Unici();
}

template <typename T> void *RSeznam<T>::DodajPred(T const &vrednost, void *pred) {
    void *v = this->UstvariVozel(vrednost);
    return v ? this->DodajVozelPred(v, pred) : nullptr;
}

template <typename T> void *RSeznam<T>::DodajPred(void *pred) {
    void *v = this->UstvariVozel();
    return v ? this->DodajVozelPred(v, pred) : nullptr;
}

template <typename T> void RSeznam<T>::IzlociVozel(void *vozel) {
    void *prej = Prejsnji(vozel), *naslednji = this->Naslednji(vozel);
    if (prej)
        this->Naslednji(prej) = naslednji;
    else
        this->m_prvi = naslednji;
    if (naslednji)
        Prejsnji(naslednji) = prej;
    else
        m_zadnji = prej;
    --this->m_stevilo;
}

template <typename T> void *RSeznam<T>::DodajVozel(void *vozel) {
    return RSeznam::DodajVozelPred(vozel, nullptr);
}

template <typename T> void RSeznam<T>::Unici() {
    RSklad<T>::Unici();
    m_zadnji = nullptr;
}

template <typename T> void *RSeznam<T>::DodajVozelZa(void *vozel, void *za) {
    void *naslednji = za ? this->Naslednji(za) : this->m_prvi;
    Prejsnji(vozel) = za;
    this->Naslednji(vozel) = naslednji;
    if (naslednji)
        Prejsnji(naslednji) = vozel;
    else
        m_zadnji = vozel;
    if (za)
        this->Naslednji(za) = vozel;
    else
        this->m_prvi = vozel;
    ++this->m_stevilo;
    return vozel;
}

template <typename T> void *RSeznam<T>::DodajVozelPred(void *vozel, void *pred) {
    void *prej = pred ? Prejsnji(pred) : m_zadnji;
    this->Naslednji(vozel) = pred;
    Prejsnji(vozel) = prej;
    if (prej)
        this->Naslednji(prej) = vozel;
    else
        this->m_prvi = vozel;
    if (pred)
        Prejsnji(pred) = vozel;
    else
        m_zadnji = vozel;
    ++this->m_stevilo;
    return vozel;
}

template <typename T> void RSeznam<T>::Brisi() {
    if (this->m_prvi)
        RSeznam::Brisi(this->m_prvi);
}

template <typename T> void RSeznam<T>::Brisi(void *vozel) {
    IzlociVozel(vozel);
    this->UniciVozel(vozel);
}

template <typename T> int RSeznam<T>::RezervirajBlok() {
    return this->RezervirajBlokVozlov(sizeof(Zrno::Notranje::VozelSeznama<T>));
}

// --- RUrejenSeznam ---

template <typename T> void *RUrejenSeznam<T>::DodajPogojno(T const &vrednost) {
    void *v = this->UstvariVozel(vrednost);
    if (!v)
        return nullptr;
    if (this->DodajVozelPogojno(v) == v)
        return v;
    this->UniciVozel(v);
    return nullptr;
}

template <typename T> void *RUrejenSeznam<T>::DodajVozel(void *vozel) {
    Vstavi(vozel);
    return vozel;
}

// The walk starts from the end, so appending in order costs one comparison.
template <typename T> void RUrejenSeznam<T>::Vstavi(void *vozel) {
    void *p = this->m_zadnji;
    if (!p || Primerjaj(this->VrniElement(p), this->VrniElement(vozel)) < 0) {
        RSeznam<T>::DodajVozelPred(vozel, nullptr);
        return;
    }
    for (void *q; (q = this->Prejsnji(p)) && Primerjaj(this->VrniElement(vozel), this->VrniElement(q)) < 0;)
        p = q;
    RSeznam<T>::DodajVozelPred(vozel, p);
}

template <typename T> void *RUrejenSeznam<T>::DodajVozelPogojno(void *vozel) {
    void *p = this->m_zadnji;
    if (!p) {
        RSeznam<T>::DodajVozelPred(vozel, nullptr);
        return vozel;
    }
    int r = Primerjaj(this->VrniElement(p), this->VrniElement(vozel));
    if (r == 0)
        return p;
    if (r < 0) {
        RSeznam<T>::DodajVozelPred(vozel, nullptr);
        return vozel;
    }
    for (void *q; (q = this->Prejsnji(p)) != nullptr; p = q) {
        int s = Primerjaj(this->VrniElement(vozel), this->VrniElement(q));
        if (s == 0)
            return q;
        if (s > 0)
            break;
    }
    RSeznam<T>::DodajVozelPred(vozel, p);
    return vozel;
}

template <typename T> void *RUrejenSeznam<T>::PoisciOd(void *zacetek, T const &kljuc, bool naprej) const {
    for (void *v = zacetek; v; v = naprej ? this->Naslednji(v) : this->Prejsnji(v)) {
        int r = Primerjaj(this->VrniElement(v), kljuc);
        if (r == 0)
            return v;
        if (naprej ? r > 0 : r < 0)
            return nullptr;
    }
    return nullptr;
}

/// Element types whose four containers the library exports: X(type) for each, the type being declared
/// above this point.
#define ZRNO_IZVOZENE_ZBIRKE(X)

#define ZRNO_ZBIRKE_IZVOZ(T)                                                                                 \
    extern template class ZRNO_API RZbirka<T>;                                                               \
    extern template class ZRNO_API RSklad<T>;                                                                \
    extern template class ZRNO_API RSeznam<T>;                                                               \
    extern template class ZRNO_API RUrejenSeznam<T>;
ZRNO_IZVOZENE_ZBIRKE(ZRNO_ZBIRKE_IZVOZ)
#undef ZRNO_ZBIRKE_IZVOZ

#include <zrno/util/RBazaVirov.h>

#endif
