// The work of the sample service, apart from its hosting: it listens on 127.0.0.1, hands each
// connection to a message thread of a pool, digests every request with MD5 as it is read and answers
// in Base64, and logs each outcome in the language of its resource module. The service (main.cpp)
// runs it under the service manager; tests and the benchmark run it in their own process.
#ifndef ODTIS_STREZNIK_H
#define ODTIS_STREZNIK_H

#include "Nastavitve.h"
#include <windows.h>
#include <zrno/frame.h>
#include <zrno/streams.h>
#include <zrno/system.h>
#include <zrno/threads.h>
#include <zrno/util.h>

class Streznik;

/// Where a stop reports its progress: the service turns each step into a check point.
class Napredek {
  public:
    virtual void Korak(unsigned int cakalniNamig) = 0;

  protected:
    ~Napredek() = default;
};

/// The log's disk file. A line reaches the file as soon as it is logged (a crash of the process
/// loses nothing), but is not forced to the disk one by one: that would cost a synchronous disk write
/// per request. Utrdi forces everything at the end. A failed write-back is kept for VzemiNapako.
class DnevniskaDatoteka : public RMedFizDatoteka {
  public:
    DnevniskaDatoteka() : RMedpomnilnik(), RMedFizDatoteka(INVALID_HANDLE_VALUE, 4096) {}
    int Izplakni() override;
    int Utrdi() { return RMedFizDatoteka::Izplakni(); }
    /// The failure of the last write-back since the previous call, or 0.
    int VzemiNapako() { return static_cast<int>(InterlockedExchange(&m_napaka, 0)); }

  private:
    volatile LONG m_napaka = 0;
};

/// One thread of the pool: each request 1 carries an accepted socket, served until it closes.
class Delavec : public RDogNit {
  public:
    explicit Delavec(Streznik &streznik) : m_streznik(streznik) {}

    // Guarded by the server's pool lock, but for m_umakni, which the connection reads between receives.
    DWORD m_od = 0;             ///< when the connection now served got this thread
    volatile LONG m_umakni = 0; ///< set when a new client takes this thread over

  protected:
    unsigned int RokovalnikOznak(unsigned int koda, unsigned int vrednost, void *podatki) override;

  private:
    Streznik &m_streznik;
};

/// Accepts connections until the listening socket is closed.
class Sprejemnik : public RNit {
  public:
    explicit Sprejemnik(Streznik &streznik) : m_streznik(streznik) {}

  protected:
    unsigned int Izvedi(void *) override;

  private:
    Streznik &m_streznik;
};

class Streznik {
  public:
    Streznik();
    ~Streznik();
    Streznik(const Streznik &) = delete;
    Streznik &operator=(const Streznik &) = delete;

    /// Starts serving as the service ime (code-page text, the log's source name): loads the messages,
    /// opens the log, listens and starts accepting. 0, or the failure code (then nothing runs and
    /// VrniNapako says what failed and why).
    int Zazeni(char const *ime, const Nastavitve &nastavitve);
    /// After a failed Zazeni: what could not be done and the system's reason, in code page 1250.
    char const *VrniNapako() const { return m_napaka; }
    /// Stops accepting, lets the requests in flight finish (refusing those that take longer than
    /// k_rokZaustavitve), waits for every thread and closes the log. Reports each step to napredek.
    void Ustavi(Napredek *napredek);
    /// The port listened on (the system's choice when the settings asked for 0).
    unsigned int VrniVrata() const { return m_vrata; }
    const Nastavitve &VrniNastavitve() const { return m_nastavitve; }

    /// How long requests in flight may go on after a stop, in milliseconds.
    static constexpr unsigned int k_rokZaustavitve = 5000;

    // The threads' side.
    void Sprejemaj();
    void Postrezi(unsigned int vticnica, volatile LONG &umakni);
    bool JeUstavljanje() const { return m_ustavljanje != 0; }
    /// True once the requests in flight have had their time after a stop, and zamik ms more.
    bool JeRokPotekel(unsigned int zamik = 0) const;
    /// A thread whose connection has ended becomes idle again.
    void VrniDelavca(Delavec *delavec);

  private:
    Delavec *VzemiDelavca();
    /// With every thread busy: asks the connection that has held its thread longest, if that is over
    /// the idle time, to give it up. True when one was asked (or still is).
    bool Izrini();
    /// Keeps in m_napaka what failed (kaj, code-page text) and the system's reason for the error
    /// napaka; returns koda.
    int Neuspeh(char const *kaj, unsigned long napaka, int koda);
    /// Logs message sporocilo of the resource module; a failing log is reported to the event log once,
    /// and its recovery too.
    void Zapisi(T_DNEVNIKPRIORITETA prioriteta, unsigned int sporocilo, ...);
    /// Sends "ERR <stevilka> <text>" (the resource text sporocilo formatted with the arguments).
    void Zavrni(RTokPodatkov &kanal, unsigned int stevilka, unsigned int sporocilo, ...);
    int OdpriJezik(char const *jezik);
    void ZapriVse();

    Nastavitve m_nastavitve;
    RNizA m_imeDnevnika; ///< the log file's name as messages show it
    RNizA m_napaka;
    RBazaVirov m_jeziki;
    HINSTANCE__ *m_modul;
    char const *m_opis; ///< the language module's description
    T_KODAJEZIKA2 m_jezik;
    DnevniskaDatoteka m_datoteka;
    RDnevnikDat *m_dnevnik;
    RDnevnikNT m_dogodki;
    volatile LONG m_dnevnikPokvarjen;
    RVticnica m_poslusalec;
    unsigned int m_vrata;
    Sprejemnik m_sprejemnik;

    RNevarenOdsek m_odsek; ///< guards the pool below
    Delavec **m_delavci;   ///< every thread started, m_steviloDelavcev of them
    Delavec **m_prosti;    ///< the idle ones, a stack of m_steviloProstih
    unsigned int m_steviloDelavcev;
    unsigned int m_steviloProstih;

    volatile LONG m_ustavljanje;
    volatile LONG m_zahtev;
    DWORD m_zacetekUstavljanja;
};

#endif
