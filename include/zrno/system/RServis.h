/// \file
/// An installed system service on the controlling side: install, open, start with arguments, send
/// control codes, mark for deletion. Also the enumerations that the service control manager defines.
#ifndef ZRNO_SYSTEM_RSERVIS_H
#define ZRNO_SYSTEM_RSERVIS_H

#include <zrno/frame/Elementi.h>

struct _SERVICE_STATUS;

/// A service's state, the system's SERVICE_STOPPED (1) to SERVICE_PAUSED (7).
enum T_STATUSSERVISA : unsigned int {
    SERVIS_USTAVLJEN = 1,    ///< stopped
    SERVIS_ZAGANJANJE = 2,   ///< start pending
    SERVIS_USTAVLJANJE = 3,  ///< stop pending
    SERVIS_TECE = 4,         ///< running
    SERVIS_NADALJEVANJE = 5, ///< continue pending
    SERVIS_PREKINJANJE = 6,  ///< pause pending
    SERVIS_PREKINJEN = 7     ///< paused
};

/// When the system starts a service (the system's start types).
enum T_ZAGONSERVISA : unsigned int {
    ZAGON_OB_NALAGANJU = 0, ///< by the boot loader (drivers)
    ZAGON_SISTEMSKI = 1,    ///< at kernel initialisation (drivers)
    ZAGON_SAMODEJNI = 2,    ///< by the service manager at system start
    ZAGON_NA_ZAHTEVO = 3,   ///< when asked to (Pozeni)
    ZAGON_ONEMOGOCEN = 4    ///< never: the service is disabled
};

/// What the system does when a service fails to start (the system's error-control levels).
enum T_OBRAVNAVANAPAKESERVISA : unsigned int {
    NAPAKA_PREZRI = 0,   ///< log nothing, go on
    NAPAKA_OBICAJNA = 1, ///< log the error, go on
    NAPAKA_RESNA = 2,    ///< log it; restart with the last known good configuration (go on when in it)
    NAPAKA_KRITICNA = 3  ///< log it; restart with the last known good configuration (fail when in it)
};

/// One service of the service control manager. The handle is RSisElement's (-1 when none); copies
/// share it, and the destructor does not close it: the owner calls Zapri.
/// One thread at a time per object.
class ZRNO_API RServis : public RSisElement {
  public:
    /// No service handle.
    RServis() {}
    /// Copies share the raw handle; nothing is duplicated or closed.
    RServis(const RServis &o) : RElement(o), RSisElement(o) {}
    ~RServis() override;
    /// Shares the other's raw handle (the one held before is not closed).
    RServis &operator=(const RServis &o) {
        RSisElement::operator=(o);
        return *this;
    }

    /// Installs a service through the manager handle and keeps the new handle (0 when refused). All
    /// texts are code-page text; program is the command line of the executable, dependencies a list
    /// of zero-terminated names ended by an empty one; null where the system allows it. Failure: the
    /// mapped error, default NAP_USTVARISERVIS.
    int Ustvari(void *oskrbnik, char const *ime, char const *prikaznoIme, char const *program,
                unsigned int dostop, unsigned int tip, T_ZAGONSERVISA zagon,
                T_OBRAVNAVANAPAKESERVISA obravnava, char const *skupina, unsigned int *oznaka,
                char const *odvisnosti, char const *racun, char const *geslo);
    /// Opens an installed service with the access mask; default NAP_ODPRISERVIS.
    int Odpri(void *oskrbnik, char const *ime, unsigned int dostop);
    /// Starts the service with stevilo code-page arguments; default NAP_ZAGONSERVISA.
    int Pozeni(unsigned int stevilo, char const **argumenti);
    /// Sends a control code (1 stop, 2 pause, 3 continue, 4 interrogate, 128-255 the service's own)
    /// and receives the latest status; default NAP_KRMILJENJE.
    int Sporoci(unsigned int koda, _SERVICE_STATUS *status);
    /// The service's current status as the manager keeps it, whatever the state (a stopped service
    /// cannot be interrogated); default NAP_KRMILJENJE.
    int VrniStatus(_SERVICE_STATUS *status);
    /// Marks the service for deletion; default NAP_ZBRISISERVIS.
    int Zbrisi();
    /// Closes the handle and makes it -1; on failure the mapped error (default NAP_ZAPIRANJE) and the
    /// handle stays. Closing no handle fails as the system does, with NAP_ROCICA.
    int Zapri() override;
};

#endif
