/// \file
/// The table of the services a process hosts, and the system's service dispatcher that runs them.
#ifndef ZRNO_SYSTEM_RREGISTERSERVISOV_H
#define ZRNO_SYSTEM_RREGISTERSERVISOV_H

#include <zrno/util/Zbirke.h>

namespace Zrno::Notranje {

/// The record of RRegisterServisov::T_SERVIS. It is declared out here so that its exported list
/// instances can be declared before the class that holds the list.
struct T_SERVIS {
    char const *Ime; ///< the service's name; the caller keeps the text alive
    void(__stdcall *Funkcija)(unsigned long, char **); ///< the main function the dispatcher calls
    void *Nit; ///< the thread that runs the service, 0 until RegistrirajNitServisa
};

} // namespace Zrno::Notranje

extern template class ZRNO_API RZbirka<Zrno::Notranje::T_SERVIS>;
extern template class ZRNO_API RSklad<Zrno::Notranje::T_SERVIS>;
extern template class ZRNO_API RSeznam<Zrno::Notranje::T_SERVIS>;

/// The services of one process. Fill it before PozeniRokovalnikServisov and change it only while the
/// dispatcher is not running (RegistrirajNitServisa excepted): it takes no lock.
class ZRNO_API RRegisterServisov : public RElement {
  public:
    /// A hosted service's record: its name (not copied), its main function and the thread that runs it.
    using T_SERVIS = Zrno::Notranje::T_SERVIS;
    /// A service's main function, as the system's dispatcher calls it (argument count, arguments,
    /// the first being the service's name).
    using T_GLAVNAFUNKCIJA = void(__stdcall *)(unsigned long, char **);

    /// An empty table.
    RRegisterServisov() : m_servisi(64) {}
    /// The copy holds copies of the records in a list of its own.
    RRegisterServisov(const RRegisterServisov &o) : RElement(o), m_servisi(o.m_servisi) {}
    /// Empties the list (thread handles that were never awaited are left open).
    ~RRegisterServisov() override;
    /// Replaces the records by copies of the other's, in this table's own list; returns the object.
    RRegisterServisov &operator=(const RRegisterServisov &o);

    /// Appends a service (name kept as a pointer, code-page text) and returns its key, the address of
    /// its record; null when no memory can be had.
    void *RegistrirajServis(char const *ime, T_GLAVNAFUNKCIJA glavna);
    /// Removes the service of the key; returns 0.
    int OdjaviServis(void *kljuc);
    /// Records the handle of the thread that runs the service; PozeniRokovalnikServisov waits for it
    /// and closes it. A main function calls this for its own service before it returns.
    void RegistrirajNitServisa(void *kljuc, void *nit);
    /// The stored name of the service.
    char const *VrniImeServisa(void *kljuc) const;
    /// Runs the system's service dispatcher on the calling thread until every hosted service has
    /// stopped, then waits for every recorded service thread to end and closes its handle. Returns 0;
    /// when the dispatcher cannot start (the process was not started by the service manager) the
    /// mapped error, default NAP_ZAGONSERVISA; NAP_POMNILNIK without memory for the tables.
    int PozeniRokovalnikServisov();

  private:
    friend struct PreverjanjeRazporeditve;
    RSeznam<T_SERVIS> m_servisi;
};

#endif
