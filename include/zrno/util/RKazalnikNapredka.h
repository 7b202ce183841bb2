// Zrno utilities: progress indicators. A long operation announces a range, sets positions within it, may
// set a text and asks whether to stop. An indicator is called from the thread that runs the operation.
#ifndef ZRNO_UTIL_RKAZALNIKNAPREDKA_H
#define ZRNO_UTIL_RKAZALNIKNAPREDKA_H

#include <zrno/frame.h>

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

    friend struct PreverjanjeRazporeditve;
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
    friend struct PreverjanjeRazporeditve;
    RKazalnikNapredka *m_cilj;
    int m_lokalnaSpodnja;
    int m_lokalnaZgornja;
    int m_globalnaSpodnja;
    int m_globalnaZgornja;
    int m_odsekSpodnja;
    int m_odsekZgornja;
};

#endif
