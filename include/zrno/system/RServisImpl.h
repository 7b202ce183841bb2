/// \file
/// The implementation of a hosted service: a message thread that registers the service's control
/// handler, reports the service's state to the system and turns control requests into calls of its
/// virtual operations.
#ifndef ZRNO_SYSTEM_RSERVISIMPL_H
#define ZRNO_SYSTEM_RSERVISIMPL_H

#include <zrno/system/RServis.h>
#include <zrno/threads/RDogNit.h>

/// A service's status as it is reported to the system: the seven 32-bit fields of the system's
/// SERVICE_STATUS, in its order.
struct T_ZAPISSTATUSA {
    unsigned int TipServisa;       ///< 0x30: own and shared process
    unsigned int TrenutnoStanje;   ///< a T_STATUSSERVISA value
    unsigned int SprejeteKontrole; ///< 3: stop, pause and continue
    unsigned int IzhodnaKoda;      ///< 0, or 1066 with the library's code in KodaServisa
    unsigned int KodaServisa;      ///< the library's result code when IzhodnaKoda is 1066
    unsigned int KontrolnaTocka;   ///< the check point, advanced during long start-ups and stops
    unsigned int CakalniNamig;     ///< milliseconds
};

/// Derive from it, override the Ob... operations, and start it from the service's main function with
/// Odpri (on a thread of its own) or Pozeni (on the calling thread). The application supplies the
/// control handler: a plain function that passes each control code on with Sporoci (code, 0, null).
/// Control codes then arrive on the service's own thread, one at a time: 1 and 5 (stop, shutdown) call
/// ObZaustavitvi, 2 ObPrekinitvi, 3 ObNadaljevanju, 4 reports the status again. A stop does not end the
/// loop: the derived class posts code 0 to its own thread once it has stopped. A negative result of any
/// handler ends the service with exit code 1066 and that result as the service's own code. Started
/// with a null handler, the service runs without the system: every report goes to ObStatusu.
class ZRNO_API RServisImpl : public RDogNit {
  public:
    RServisImpl();
    /// Copies the status record and the argument pointers; the thread handle is shared (see RNit).
    RServisImpl(const RServisImpl &o);
    /// Copies the status record and the argument pointers; the thread handle is shared (see RNit).
    RServisImpl &operator=(const RServisImpl &o);
    ~RServisImpl() override;

    using RDogNit::Odpri;
    /// Keeps the arguments (not copied; the first must be the service's name when a handler is given)
    /// and starts the message thread with the handler (a void (__stdcall *)(unsigned long)) as its
    /// parameter; returns RDogNit::Odpri's result.
    int Odpri(unsigned int stevilo, char const **argumenti, unsigned int, void *rokovalnik,
              T_NITZACETNOSTANJE stanje = NIT_TECE, unsigned int sklad = 0);

    /// The status as last set (reported or not).
    T_ZAPISSTATUSA const &VrniStatus() const { return m_status; }
    /// The number of arguments kept.
    unsigned int VrniSteviloArgumentov() const { return m_stevilo; }
    /// The arguments kept (not copied: the caller's array).
    char const *const *VrniArgumente() const { return m_argumenti; }

  protected:
    /// Keeps the arguments and runs the message loop on the calling thread until the service ends;
    /// returns the loop's result. The object learns no thread identifier this way: for the handler's
    /// Sporoci to reach the loop, give it the calling thread first (Uporabi(RNit::VrniTrenutnoNit(),
    /// RNit::VrniKodoTrenutneNiti(), 0)).
    unsigned int Pozeni(unsigned int stevilo, char const **argumenti,
                        void(__stdcall *rokovalnik)(unsigned long));

    /// Sets the state, clears the exit code and the check point, sets the wait hint to 60 000 ms and
    /// reports. 0, or the mapped error (default NAP_STATUSSERVISA); without a handler ObStatusu's result.
    int SporociStatus(T_STATUSSERVISA stanje);
    /// Reports the status record as it is.
    int SporociStatus();
    /// Advances the check point by one, sets the wait hint (ms) and reports.
    int SporociNaslednjiKorak(unsigned int cakalniNamig);

    /// Start-up on the service thread: fills the status (start pending), calls PredRegistracijoServisa,
    /// registers the handler (the parameter) and calls ObZagonu(); reports running and returns 0, or
    /// records the failure (exit code 1066) and returns 1 so that the loop does not run.
    unsigned int ObZagonu(void *rokovalnik) override;
    /// Clean-up, always run at the end: ObZakljucku(), then the stopped state is reported.
    void ObZakljucku(void *rokovalnik) override;
    /// Dispatches the control codes (see the class comment).
    unsigned int RokovalnikOznak(unsigned int koda, unsigned int vrednost, void *podatki) override;

    /// Before the handler is registered; may change the service type and the controls accepted.
    virtual void PredRegistracijoServisa();
    /// The service's start-up work; a negative result ends the service.
    virtual int ObZagonu();
    /// The service's clean-up work; a negative result is reported as the exit code unless one is set.
    virtual int ObZakljucku();
    /// A stop or shutdown request; report progress with SporociNaslednjiKorak, then Sporoci (0, ...).
    virtual int ObZaustavitvi();
    /// A pause request; a negative result ends the service.
    virtual int ObPrekinitvi();
    /// A continue request; a negative result ends the service.
    virtual int ObNadaljevanju();
    /// Takes every report when there is no control handler; its result is the report's result.
    virtual int ObStatusu();

    friend struct PreverjanjeRazporeditve;
    void *m_statusRocica; ///< SERVICE_STATUS_HANDLE; null when not registered
    /// The status as last set.
    T_ZAPISSTATUSA m_status;
    /// The number of arguments kept.
    unsigned int m_stevilo;
    /// The arguments kept (the caller's array).
    char const *const *m_argumenti;

  private:
    /// The report itself: to the system when registered, else to ObStatusu.
    int Porocaj();
    /// A failed handler: exit code 1066, rezultat as the service's code; the loop's ending value.
    unsigned int Koncaj(int rezultat);
};

#endif
