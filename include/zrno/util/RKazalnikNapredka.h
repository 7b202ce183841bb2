/// \file
/// Zrno utilities: progress indicators. A long operation announces a range, sets positions within it, may
/// set a text and asks whether to stop. An indicator is called from the thread that runs the operation.
#ifndef ZRNO_UTIL_RKAZALNIKNAPREDKA_H
#define ZRNO_UTIL_RKAZALNIKNAPREDKA_H

#include <zrno/frame/Elementi.h>

/// The indicator that shows nothing: every call does nothing and PrekiniPostopek is false, so an
/// operation can always be given one.
class ZRNO_API RKazalnikNapredka : public RElement {
  public:
    /// An indicator that shows nothing.
    RKazalnikNapredka() {}
    /// Holds no data: copying and assigning copy nothing.
    RKazalnikNapredka(const RKazalnikNapredka &o) : RElement(o) {}
    ~RKazalnikNapredka() override;
    /// Copies nothing; returns the object.
    RKazalnikNapredka &operator=(const RKazalnikNapredka &) { return *this; }

    /// Sets the text by a string number.
    virtual void NastaviBesedilo(unsigned int idNiza);
    /// Sets the text (code-page text).
    virtual void NastaviBesedilo(char const *besedilo);
    /// Sets the range of positions (lower, upper).
    virtual void NastaviObmocje(int spodnja, int zgornja);
    /// Sets the position within the range.
    virtual void Nastavi(int polozaj);
    /// Shows or hides the indicator.
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

    friend struct PreverjanjeRazporeditve;
    /// The least time between two reports, in milliseconds.
    unsigned int m_interval;
    unsigned int m_zadnjiCas; ///< GetTickCount of the last report
    /// The lower end of the range.
    int m_spodnja;
    /// The upper end of the range.
    int m_zgornja;
    /// The position last reported; -1 before the first.
    int m_zadnjiPolozaj;
};

/// Maps the positions of one step of a larger job onto that step's section of a global range and
/// forwards them to another indicator (not owned; may be null).
class ZRNO_API RGlobalniKazalnikNapredka : public RKazalnikNapredka {
  public:
    /// Forwards to cilj (not owned; may be null); all ranges 0. Copies forward to the same target.
    explicit RGlobalniKazalnikNapredka(RKazalnikNapredka *cilj = nullptr)
        : m_cilj(cilj), m_lokalnaSpodnja(0), m_lokalnaZgornja(0), m_globalnaSpodnja(0), m_globalnaZgornja(0),
          m_odsekSpodnja(0), m_odsekZgornja(0) {}
    ~RGlobalniKazalnikNapredka() override;

    /// Replaces the target (not owned; null for none).
    void Uporabi(RKazalnikNapredka *cilj) { m_cilj = cilj; }
    /// Returns the target and forgets it.
    RKazalnikNapredka *Odpusti();
    /// Stores the whole job's range and hands it to the target as its range.
    void NastaviGlobalnoObmocje(int spodnja, int zgornja);
    /// Stores the current step's share of the global range (nothing is forwarded).
    void NastaviGlobalniOdsek(int spodnja, int zgornja);

    /// Forwards to the target.
    void NastaviBesedilo(unsigned int idNiza) override;
    /// Forwards to the target.
    void NastaviBesedilo(char const *besedilo) override;
    /// Stores the current step's own range (nothing is forwarded).
    void NastaviObmocje(int spodnja, int zgornja) override;
    /// Forwards MulDiv(polozaj - local lower, section width, local width) + section lower; a local
    /// range of equal ends forwards section lower - 1.
    void Nastavi(int polozaj) override;
    /// Forwards to the target.
    void Prikazi(bool prikazi) override;
    /// The target's answer; false without one.
    bool PrekiniPostopek() override;

  protected:
    friend struct PreverjanjeRazporeditve;
    /// The target (not owned); null for none.
    RKazalnikNapredka *m_cilj;
    /// The current step's own range: lower end.
    int m_lokalnaSpodnja;
    /// The current step's own range: upper end.
    int m_lokalnaZgornja;
    /// The whole job's range: lower end.
    int m_globalnaSpodnja;
    /// The whole job's range: upper end.
    int m_globalnaZgornja;
    /// The current step's section of the global range: lower end.
    int m_odsekSpodnja;
    /// The current step's section of the global range: upper end.
    int m_odsekZgornja;
};

#endif
