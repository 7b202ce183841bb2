#include "Streznik.h"
#include "Sporocila.h"
#include <initializer_list>
#include <new>
#include <stdarg.h>
#include <string.h>

namespace {

// A resource module names its language by the two letters of its code, packed low byte first.
T_KODAJEZIKA KodaJezika(char const *jezik) {
    if (!jezik || strlen(jezik) != 2)
        return KJ_NOBENA;
    return static_cast<T_KODAJEZIKA>(static_cast<unsigned char>(jezik[0]) |
                                     static_cast<unsigned char>(jezik[1]) << 8);
}

} // namespace

int DnevniskaDatoteka::Izplakni() {
    if (!m_spremenjen || m_drzano == 0)
        return NastaviStanje(0);
    if (IzplakniMedpomnilnik() < 0)
        InterlockedExchange(&m_napaka, m_stanje);
    return m_stanje;
}

unsigned int Delavec::RokovalnikOznak(unsigned int koda, unsigned int vrednost, void *) {
    if (koda == 1) {
        m_streznik.Postrezi(vrednost, m_umakni);
        m_streznik.VrniDelavca(this);
    }
    return 0;
}

unsigned int Sprejemnik::Izvedi(void *) {
    m_streznik.Sprejemaj();
    return 0;
}

Streznik::Streznik()
    : m_modul(nullptr), m_opis(""), m_jezik(KJ2_PRIVZETI), m_dnevnik(nullptr), m_dnevnikPokvarjen(0),
      m_vrata(0), m_sprejemnik(*this), m_delavci(nullptr), m_prosti(nullptr), m_steviloDelavcev(0),
      m_steviloProstih(0), m_ustavljanje(0), m_zahtev(0), m_zacetekUstavljanja(0) {}

Streznik::~Streznik() { ZapriVse(); }

int Streznik::OdpriJezik(char const *jezik) {
    char pot[MAX_PATH];
    unsigned int velikost = sizeof pot;
    int r = Zrno::VrniPotModula(nullptr, pot, &velikost);
    if (r < 0)
        return r;
    if (char *konec = strrchr(pot, '\\'))
        *konec = 0;
    void *vozel = nullptr;
    // Not the wanted language: the library falls back to the user's, then to English, then the first.
    r = m_jeziki.Dodaj(pot, "odtis_*.dll", KodaJezika(jezik), vozel);
    if (r < 0 || !vozel)
        return r < 0 ? r : Zrno::NAP_NINAJDENO;
    const T_KNJIZNICAVIROV &zapis = m_jeziki.VrniElement(vozel);
    m_modul = zapis.Modul;
    m_opis = zapis.Opis;
    m_jezik = static_cast<T_KODAJEZIKA2>(zapis.Jezik);
    return m_modul ? 0 : Zrno::NAP_NALAGANJE;
}

int Streznik::Zazeni(char const *ime, const Nastavitve &nastavitve) {
    m_nastavitve = nastavitve;
    m_dogodki = RDnevnikNT(0, ime);
    m_dogodki.Odpri();
    int r = OdpriJezik(m_nastavitve.Jezik);
    if (r < 0) {
        m_napaka = "no language module odtis_*.dll beside the program";
        m_dogodki.Zapisi(DNEVNIK_NAPAKA, "%s (0x%08x)", static_cast<char const *>(m_napaka), r);
        return r;
    }
    ImeZaSporocilo(m_nastavitve.Dnevnik, m_imeDnevnika);
    m_dnevnik = new (std::nothrow) RDnevnikDat(0, ime, m_modul, m_jezik, KN_CP1250);
    // Opened by its UTF-16 name: the code-page one may name another file.
    HANDLE datoteka = m_dnevnik ? CreateFileW(reinterpret_cast<wchar_t const *>(
                                                  static_cast<unsigned short const *>(m_nastavitve.Dnevnik)),
                                              GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)
                                : INVALID_HANDLE_VALUE;
    const DWORD napaka = m_dnevnik ? GetLastError() : ERROR_OUTOFMEMORY;
    r = datoteka == INVALID_HANDLE_VALUE ? PretvoriNapako(napaka, Zrno::NAP_ODPIRANJE)
                                         : m_datoteka.Uporabi(datoteka);
    if (r < 0) {
        RNizA kaj, besedilo;
        kaj.Oblikuj("the log file %s", static_cast<char const *>(m_imeDnevnika));
        Neuspeh(kaj, napaka, r);
        besedilo.OblikujV(m_modul, SPR_NAPAKAZAGONA, m_jezik, static_cast<char const *>(m_napaka), r);
        m_dogodki.Zapisi(DNEVNIK_NAPAKA, "%s", static_cast<char const *>(besedilo));
        ZapriVse();
        return r;
    }
    m_datoteka.Prestavi(0, ODMIK_KON);
    m_dnevnik->Uporabi(&m_datoteka);

    m_delavci = new (std::nothrow) Delavec *[m_nastavitve.Niti];
    m_prosti = new (std::nothrow) Delavec *[m_nastavitve.Niti];
    r = m_delavci && m_prosti ? m_poslusalec.Odpri(RVticnica::DOMENA_INET, RVticnica::VRSTA_TOK, 0)
                              : Zrno::NAP_POMNILNIK;
    if (r >= 0)
        r = m_poslusalec.Privezi("127.0.0.1", m_nastavitve.Vrata);
    if (r >= 0)
        r = m_poslusalec.Poslusaj(64);
    sockaddr_in naslov;
    unsigned int dolzina = sizeof naslov;
    if (r >= 0)
        r = m_poslusalec.VrniNaslovVticnice(reinterpret_cast<sockaddr *>(&naslov), &dolzina);
    if (r >= 0) {
        RNizA besedilo;
        RVticnica::VrniIme(&naslov, besedilo, &m_vrata);
        r = m_sprejemnik.Odpri(nullptr, NIT_TECE, 0);
    }
    if (r < 0) {
        RNizA kaj;
        kaj.Oblikuj("127.0.0.1:%lu", m_nastavitve.Vrata);
        Neuspeh(kaj, WSAGetLastError(), r);
        Zapisi(DNEVNIK_NAPAKA, SPR_NAPAKAZAGONA, static_cast<char const *>(m_napaka), r);
        ZapriVse();
        return r;
    }
    Zapisi(DNEVNIK_OBVESTILO, SPR_ZAGON, m_vrata, static_cast<unsigned int>(m_nastavitve.Omejitev),
           static_cast<unsigned int>(m_nastavitve.Niti), m_opis);
    return 0;
}

void Streznik::Ustavi(Napredek *napredek) {
    if (!m_dnevnik)
        return;
    m_zacetekUstavljanja = GetTickCount();
    InterlockedExchange(&m_ustavljanje, 1);
    unsigned int odprte;
    {
        RCakalnik drzalo(m_odsek, true);
        odprte = m_steviloDelavcev - m_steviloProstih;
    }
    Zapisi(DNEVNIK_OBVESTILO, SPR_USTAVLJANJE, odprte);
    // Closing the listening socket ends the accept in progress.
    m_poslusalec.Zapri();
    if (napredek)
        napredek->Korak(3000);
    m_sprejemnik.Zakleni(3000);
    // Each thread finishes its connection first: its requests end within the deadline, idle
    // connections at their next receive time-out.
    for (unsigned int i = 0; i < m_steviloDelavcev; ++i)
        m_delavci[i]->Sporoci(0, 0, nullptr);
    for (unsigned int i = 0; i < m_steviloDelavcev; ++i) {
        while (m_delavci[i]->Zakleni(1000) == Zrno::NAP_CASOVNIROK)
            if (napredek)
                napredek->Korak(k_rokZaustavitve + 2000);
    }
    Zapisi(DNEVNIK_OBVESTILO, SPR_USTAVLJEN, static_cast<unsigned int>(m_zahtev));
    if (napredek)
        napredek->Korak(3000);
    ZapriVse();
}

void Streznik::ZapriVse() {
    if (m_poslusalec.JeVeljaven())
        m_poslusalec.Zapri();
    if (m_sprejemnik.JeVeljaven())
        m_sprejemnik.Zakleni(INFINITE);
    for (unsigned int i = 0; i < m_steviloDelavcev; ++i) {
        m_delavci[i]->Sporoci(0, 0, nullptr);
        m_delavci[i]->Zakleni(INFINITE);
        delete m_delavci[i];
    }
    m_steviloDelavcev = m_steviloProstih = 0;
    delete[] m_delavci;
    delete[] m_prosti;
    m_delavci = m_prosti = nullptr;
    if (m_dnevnik) {
        m_dnevnik->Uporabi(nullptr);
        delete m_dnevnik;
        m_dnevnik = nullptr;
    }
    if (m_datoteka.JeVeljaven()) {
        m_datoteka.Utrdi();
        m_datoteka.Zapri();
    }
    m_dogodki.Zapri();
    m_jeziki.Sprosti();
    m_modul = nullptr;
}

int Streznik::Neuspeh(char const *kaj, unsigned long napaka, int koda) {
    wchar_t razlog[512];
    // The system's words, in the messages' language when it has them.
    DWORD n = 0;
    for (DWORD jezik : {static_cast<DWORD>(m_jezik), DWORD{0}})
        if (!n)
            n = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, napaka,
                               jezik, razlog, sizeof razlog / sizeof razlog[0], nullptr);
    while (n && (razlog[n - 1] == L'\r' || razlog[n - 1] == L'\n' || razlog[n - 1] == L' '))
        --n;
    razlog[n] = 0;
    RNizA besedilo;
    besedilo.NastaviU(reinterpret_cast<unsigned short const *>(razlog));
    if (n)
        m_napaka.Oblikuj("%s: %s", kaj, static_cast<char const *>(besedilo));
    else
        m_napaka.Oblikuj("%s: system error %lu", kaj, napaka);
    return koda;
}

bool Streznik::JeRokPotekel(unsigned int zamik) const {
    return m_ustavljanje && GetTickCount() - m_zacetekUstavljanja >= k_rokZaustavitve + zamik;
}

Delavec *Streznik::VzemiDelavca() {
    RCakalnik drzalo(m_odsek, true);
    Delavec *delavec = m_steviloProstih ? m_prosti[--m_steviloProstih] : nullptr;
    if (!delavec && m_steviloDelavcev < m_nastavitve.Niti) {
        delavec = new (std::nothrow) Delavec(*this);
        if (!delavec || delavec->Odpri(0, nullptr, NIT_TECE, 0) < 0) {
            delete delavec;
            return nullptr;
        }
        m_delavci[m_steviloDelavcev++] = delavec;
    }
    if (delavec)
        delavec->m_od = GetTickCount() | 1, delavec->m_umakni = 0;
    return delavec;
}

void Streznik::VrniDelavca(Delavec *delavec) {
    RCakalnik drzalo(m_odsek, true);
    delavec->m_od = 0;
    m_prosti[m_steviloProstih++] = delavec;
}

bool Streznik::Izrini() {
    RCakalnik drzalo(m_odsek, true);
    const DWORD zdaj = GetTickCount();
    Delavec *najdlje = nullptr;
    for (unsigned int i = 0; i < m_steviloDelavcev; ++i) {
        Delavec *d = m_delavci[i];
        if (d->m_od && d->m_umakni)
            return true; // still leaving
        if (d->m_od && (!najdlje || zdaj - d->m_od > zdaj - najdlje->m_od))
            najdlje = d;
    }
    if (!najdlje || zdaj - najdlje->m_od < m_nastavitve.Nedejavnost * 1000)
        return false;
    InterlockedExchange(&najdlje->m_umakni, 1);
    return true;
}

void Streznik::Sprejemaj() {
    for (;;) {
        RVticnica odjemalec;
        sockaddr_in naslov;
        unsigned int dolzina = sizeof naslov;
        if (m_poslusalec.Sprejmi(odjemalec, reinterpret_cast<sockaddr *>(&naslov), &dolzina) < 0) {
            if (m_ustavljanje)
                return;
            // A connection the peer reset before it was taken, or no descriptors left: go on, but
            // give the system a moment rather than spin on a failure that persists.
            RNit::Zaspi(10);
            continue;
        }
        Delavec *delavec = m_ustavljanje ? nullptr : VzemiDelavca();
        // Every thread busy: the one held longest, past the idle time, is freed for this client.
        for (const DWORD zacetek = GetTickCount();
             !delavec && !m_ustavljanje && GetTickCount() - zacetek < 1000 && Izrini();)
            RNit::Zaspi(20), delavec = VzemiDelavca();
        if (delavec && delavec->Sporoci(1, odjemalec.Vrni(), nullptr) >= 0)
            continue;
        RNizA ip;
        unsigned int vrata = 0;
        RVticnica::VrniIme(&naslov, ip, &vrata);
        if (m_ustavljanje) {
            Zavrni(odjemalec, 503, SPR_ERR_USTAVLJANJE);
            Zapisi(DNEVNIK_OPOZORILO, SPR_ZAVRNJENA, static_cast<char const *>(ip), vrata);
        } else {
            Zavrni(odjemalec, 503, SPR_ERR_ZASEDENO);
            Zapisi(DNEVNIK_OPOZORILO, SPR_ZASEDENO, static_cast<char const *>(ip), vrata,
                   static_cast<unsigned int>(m_nastavitve.Niti));
        }
        odjemalec.Zapri();
    }
}

void Streznik::Zapisi(T_DNEVNIKPRIORITETA prioriteta, unsigned int sporocilo, ...) {
    va_list argumenti;
    va_start(argumenti, sporocilo);
    int r = m_dnevnik->ZapisiP(prioriteta, sporocilo, reinterpret_cast<char *>(argumenti));
    va_end(argumenti);
    if (r >= 0)
        r = m_datoteka.VzemiNapako();
    // Only the changes between a working and a failing log go to the event log.
    const LONG pokvarjen = r < 0 ? 1 : 0;
    if (InterlockedExchange(&m_dnevnikPokvarjen, pokvarjen) == pokvarjen)
        return;
    RNizA besedilo;
    if (pokvarjen)
        besedilo.OblikujV(m_modul, SPR_NAPAKALOGA, m_jezik, static_cast<char const *>(m_imeDnevnika), r);
    else
        besedilo.OblikujV(m_modul, SPR_LOGSPET, m_jezik, static_cast<char const *>(m_imeDnevnika));
    m_dogodki.Zapisi(pokvarjen ? DNEVNIK_NAPAKA : DNEVNIK_OBVESTILO, "%s",
                     static_cast<char const *>(besedilo));
}

void Streznik::Zavrni(RTokPodatkov &kanal, unsigned int stevilka, unsigned int sporocilo, ...) {
    va_list argumenti;
    va_start(argumenti, sporocilo);
    RNizA odgovor;
    odgovor.Oblikuj("ERR %u ", stevilka);
    odgovor.PrilepiVOP(m_modul, sporocilo, m_jezik, reinterpret_cast<char *>(argumenti));
    va_end(argumenti);
    odgovor.Prilepi("\n");
    kanal.Zapisi(static_cast<char const *>(odgovor), odgovor.VrniDolzino());
    kanal.Zapisi(nullptr, 0);
}
