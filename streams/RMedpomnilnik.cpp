// The caching buffer. A transfer that lies inside the held block is a copy, handled inline; loading,
// writing back and requests larger than the block go through the slower paths.
#include "frame/Lastnina.h"
#include "streams/Kopiraj.h"
#include "streams/Zaloga.h"
#include <zrno/frame/Pomnilnik.h>
#include <zrno/streams/RMedpomnilnik.h>

using Zrno::Notranje::KopirajBajte;
using Lastnina = Zrno::Notranje::Lastnina<Zrno::Notranje::DeljenBlok>;

namespace {

// Seeks the file to odmik; 0 when it got there. A transfer after a seek that failed, or that a 32-bit
// file took modulo 2^32, would land elsewhere: the seek's failure (NAP_POLOZAJ when the file recorded
// none) stops it.
int Poisci(RDatoteka &datoteka, unsigned __int64 odmik) {
    if (datoteka.Prestavi(static_cast<__int64>(odmik), ODMIK_ZAC) == odmik)
        return 0;
    const int s = datoteka.VrniStanje();
    return s < 0 && s != Zrno::NAP_KONECPODATKOV ? s : Zrno::NAP_POLOZAJ;
}

} // namespace

RMedpomnilnik::RMedpomnilnik()
    : m_datoteka(nullptr), m_medpomnilnik(nullptr), m_drzano(0), m_velikost(0), m_spremenjen(false),
      m_odmikBloka(0), m_polozaj(0) {}

RMedpomnilnik::RMedpomnilnik(RDatoteka *datoteka, unsigned int velikost) : RMedpomnilnik() {
    Uporabi(datoteka, velikost);
}

RMedpomnilnik::RMedpomnilnik(const RMedpomnilnik &o)
    : RElement(o), RIzpElement(o), RTokPodatkov(o), RDatoteka(o), m_datoteka(o.m_datoteka),
      m_medpomnilnik(o.m_medpomnilnik), m_drzano(o.m_drzano), m_velikost(o.m_velikost),
      m_spremenjen(o.m_spremenjen), m_odmikBloka(o.m_odmikBloka), m_polozaj(o.m_polozaj) {
    Lastnina::Kopija(m_medpomnilnik, &o, this);
}

RMedpomnilnik &RMedpomnilnik::operator=(const RMedpomnilnik &o) {
    if (this == &o)
        return *this;
    if (m_datoteka)
        Odpusti();
    else
        SprostiMedpomnilnik();
    RDatoteka::operator=(o);
    m_datoteka = o.m_datoteka;
    m_medpomnilnik = o.m_medpomnilnik;
    m_drzano = o.m_drzano;
    m_velikost = o.m_velikost;
    m_spremenjen = o.m_spremenjen;
    m_odmikBloka = o.m_odmikBloka;
    m_polozaj = o.m_polozaj;
    Lastnina::Kopija(m_medpomnilnik, &o, this);
    return *this;
}

RMedpomnilnik::~RMedpomnilnik() {
    if (m_datoteka)
        Odpusti();
    SprostiMedpomnilnik();
}

// Copies share the buffer; the last owner frees it.
void RMedpomnilnik::SprostiMedpomnilnik() { Lastnina::Izpusti(m_medpomnilnik, this); }

int RMedpomnilnik::Uporabi(RDatoteka *datoteka, unsigned int velikost) {
    // The former buffer would otherwise leak, and a changed block in it would be lost.
    if (m_datoteka)
        Odpusti();
    SprostiMedpomnilnik();
    if (velikost) {
        m_medpomnilnik = static_cast<unsigned char *>(Zrno::RezervirajPomnilnik(nullptr, velikost));
        if (!m_medpomnilnik)
            return m_stanje = Zrno::NAP_POMNILNIK;
    }
    m_datoteka = datoteka;
    m_drzano = 0;
    m_velikost = velikost;
    m_spremenjen = false;
    m_odmikBloka = 0;
    m_stanje = datoteka ? datoteka->VrniStanje() : 0;
    m_polozaj = m_stanje < 0 || !datoteka ? 0 : datoteka->VrniOdmik();
    return m_stanje;
}

RDatoteka *RMedpomnilnik::Odpusti() {
    RDatoteka *datoteka = m_datoteka;
    if (m_medpomnilnik) {
        if (m_spremenjen && m_drzano > 0)
            IzplakniMedpomnilnik();
        SprostiMedpomnilnik();
        if (datoteka)
            datoteka->Prestavi(static_cast<__int64>(m_polozaj), ODMIK_ZAC);
    }
    m_stanje = 0;
    m_datoteka = nullptr;
    m_drzano = m_velikost = 0;
    m_polozaj = m_odmikBloka = 0;
    m_spremenjen = false;
    return datoteka;
}

int RMedpomnilnik::IzplakniMedpomnilnik() {
    if ((m_stanje = Poisci(*m_datoteka, m_odmikBloka)) < 0)
        return m_stanje; // the block stays changed
    m_datoteka->Zapisi(m_medpomnilnik, m_drzano);
    if ((m_stanje = m_datoteka->VrniStanje()) < 0)
        return m_stanje;
    m_spremenjen = false;
    return m_stanje = 0;
}

int RMedpomnilnik::RazveljaviMedpomnilnik() {
    if (m_spremenjen && m_drzano > 0 && IzplakniMedpomnilnik() < 0)
        return m_stanje;
    m_odmikBloka = 0;
    m_drzano = 0;
    return m_stanje = 0;
}

int RMedpomnilnik::ZamenjajMedpomnilnik(unsigned __int64 odmik) {
    if (m_spremenjen && m_drzano > 0 && IzplakniMedpomnilnik() < 0)
        return m_stanje;
    m_odmikBloka = odmik;
    m_drzano = 0;
    m_spremenjen = false;
    if ((m_stanje = Poisci(*m_datoteka, odmik)) < 0)
        return m_stanje; // bytes from elsewhere must not pass for the block's
    // A read failure is not reported as such: the block comes back short or empty, and the read that
    // needed it ends with the end of data.
    m_drzano = m_datoteka->Preberi(m_medpomnilnik, m_velikost);
    return m_stanje = 0;
}

unsigned int RMedpomnilnik::Preberi(void *medpomnilnik, unsigned int stevilo) {
    const unsigned __int64 d = m_polozaj - m_odmikBloka;
    if (d < m_drzano && stevilo <= m_drzano - d && stevilo != 0) {
        KopirajBajte(medpomnilnik, m_medpomnilnik + d, stevilo);
        m_polozaj += stevilo;
        m_stanje = 0;
        return stevilo;
    }
    if (!m_medpomnilnik) {
        if (!m_datoteka)
            return m_stanje = Zrno::NAP_PARAMETER, 0;
        // The file's own pointer is used where it is: it follows the position without a seek.
        unsigned int n = m_datoteka->Preberi(medpomnilnik, stevilo);
        m_polozaj += n;
        m_stanje = m_datoteka->VrniStanje();
        return n;
    }
    if (stevilo == 0)
        return m_stanje = 0, 0;
    return PreberiPocasi(static_cast<unsigned char *>(medpomnilnik), stevilo);
}

unsigned int RMedpomnilnik::PreberiPocasi(unsigned char *cilj, unsigned int stevilo) {
    m_stanje = 0;
    unsigned int opravljeno = 0, ostane = stevilo;
    for (;;) {
        const unsigned __int64 d = m_polozaj - m_odmikBloka; // wraps when the position lies before it
        if (d < m_drzano) {
            const unsigned int na_voljo = m_drzano - static_cast<unsigned int>(d);
            if (ostane <= na_voljo) {
                KopirajBajte(cilj + opravljeno, m_medpomnilnik + d, ostane);
                m_polozaj += ostane;
                m_stanje = 0;
                return opravljeno + ostane;
            }
            KopirajBajte(cilj + opravljeno, m_medpomnilnik + d, na_voljo);
            opravljeno += na_voljo;
            m_polozaj += na_voljo;
            ostane -= na_voljo;
        }
        if (ostane > m_velikost) {
            // Larger than the block: straight from the file, without copying twice.
            if (RazveljaviMedpomnilnik() < 0 || (m_stanje = Poisci(*m_datoteka, m_polozaj)) < 0)
                return opravljeno;
            unsigned int n = m_datoteka->Preberi(cilj + opravljeno, ostane);
            m_polozaj += n;
            m_stanje = m_datoteka->VrniStanje();
            return opravljeno + n;
        }
        if (ZamenjajMedpomnilnik(m_polozaj) < 0)
            return opravljeno;
        if (m_drzano < m_velikost && m_drzano < ostane) {
            // The file ends inside the block: what is there, and the end in the same call.
            KopirajBajte(cilj + opravljeno, m_medpomnilnik, m_drzano);
            m_polozaj += m_drzano;
            m_stanje = Zrno::NAP_KONECPODATKOV;
            return opravljeno + m_drzano;
        }
    }
}

unsigned int RMedpomnilnik::Zapisi(void const *medpomnilnik, unsigned int stevilo) {
    const unsigned __int64 d = m_polozaj - m_odmikBloka;
    if (d <= m_drzano && stevilo <= m_velikost - d && m_drzano != 0) {
        KopirajBajte(m_medpomnilnik + d, medpomnilnik, stevilo);
        m_polozaj += stevilo;
        m_spremenjen = true;
        if (d + stevilo > m_drzano)
            m_drzano = static_cast<unsigned int>(d + stevilo);
        m_stanje = 0;
        return stevilo;
    }
    if (!m_medpomnilnik) {
        if (!m_datoteka)
            return m_stanje = Zrno::NAP_PARAMETER, 0;
        unsigned int n = m_datoteka->Zapisi(medpomnilnik, stevilo);
        m_polozaj += n;
        m_stanje = m_datoteka->VrniStanje();
        return n;
    }
    return ZapisiPocasi(static_cast<unsigned char const *>(medpomnilnik), stevilo);
}

unsigned int RMedpomnilnik::ZapisiPocasi(unsigned char const *vir, unsigned int stevilo) {
    m_stanje = 0;
    unsigned int opravljeno = 0, ostane = stevilo;
    if (m_drzano == 0)
        m_odmikBloka = m_polozaj; // an empty buffer starts at the position, nothing is loaded
    for (;;) {
        if (m_odmikBloka <= m_polozaj && m_polozaj <= m_odmikBloka + m_drzano) {
            const unsigned int d = static_cast<unsigned int>(m_polozaj - m_odmikBloka);
            const unsigned int prostor = m_velikost - d;
            if (ostane <= prostor) {
                KopirajBajte(m_medpomnilnik + d, vir + opravljeno, ostane);
                m_polozaj += ostane;
                m_spremenjen = true;
                if (d + ostane > m_drzano)
                    m_drzano = d + ostane;
                return opravljeno + ostane;
            }
            KopirajBajte(m_medpomnilnik + d, vir + opravljeno, prostor);
            opravljeno += prostor;
            m_polozaj += prostor;
            ostane -= prostor;
            m_spremenjen = true;
            m_drzano = m_velikost;
        }
        if (ostane > m_velikost) {
            // Larger than the block: straight to the file.
            if (RazveljaviMedpomnilnik() < 0 || (m_stanje = Poisci(*m_datoteka, m_polozaj)) < 0)
                return opravljeno;
            unsigned int n = m_datoteka->Zapisi(vir + opravljeno, ostane);
            m_polozaj += n;
            m_stanje = m_datoteka->VrniStanje();
            return opravljeno + n;
        }
        // The block at the position is loaded before it changes, so the file's other bytes stay.
        if (ZamenjajMedpomnilnik(m_polozaj) < 0)
            return opravljeno;
    }
}

int RMedpomnilnik::Zapri() {
    if (!m_datoteka)
        return m_stanje = Zrno::OK_NICNAREDITI;
    return Odpusti()->Zapri();
}

int RMedpomnilnik::Izplakni() {
    if (!m_datoteka)
        return m_stanje = Zrno::NAP_PARAMETER;
    if (m_spremenjen && m_drzano > 0) {
        if (IzplakniMedpomnilnik() < 0)
            return m_stanje;
    } else if (m_stanje < 0) {
        return m_stanje; // an earlier failure or end of data is reported, the file is not touched
    }
    return m_stanje = m_datoteka->Izplakni();
}

unsigned __int64 RMedpomnilnik::Prestavi(__int64 odmik, T_DATNACINODMIKA izhodisce) {
    if (!m_medpomnilnik) {
        if (!m_datoteka)
            return ~0ULL;
        const unsigned __int64 p = m_datoteka->Prestavi(odmik, izhodisce);
        return p == ~0ULL ? p : m_polozaj = p; // a refused seek leaves the file, and so the position
    }
    unsigned __int64 od;
    switch (izhodisce) {
    case ODMIK_ZAC: od = 0; break;
    case ODMIK_TREN: od = m_polozaj; break;
    case ODMIK_KON: od = VrniDolzino(); break;
    default: return ~0ULL;
    }
    // A position before the start, or beyond the signed distances a file is sought with, is refused as
    // the disk file refuses it: the file could not be sought there, and a block held for it would be
    // read or written back somewhere else.
    const unsigned __int64 nov = od + static_cast<unsigned __int64>(odmik);
    if ((odmik < 0 ? nov > od : nov < od) || nov > 0x7FFFFFFFFFFFFFFFull)
        return m_stanje = Zrno::NAP_POLOZAJ, ~0ULL;
    return m_polozaj = nov;
}

unsigned __int64 RMedpomnilnik::VrniOdmik() { return m_polozaj; }

int RMedpomnilnik::ZakleniObmocje(unsigned __int64 odmik, unsigned __int64 dolzina) {
    if (!m_datoteka)
        return RDatoteka::ZakleniObmocje(odmik, dolzina);
    return m_stanje = m_datoteka->ZakleniObmocje(odmik, dolzina);
}

int RMedpomnilnik::OdkleniObmocje(unsigned __int64 odmik, unsigned __int64 dolzina) {
    if (!m_datoteka)
        return RDatoteka::OdkleniObmocje(odmik, dolzina);
    return m_stanje = m_datoteka->OdkleniObmocje(odmik, dolzina);
}

unsigned __int64 RMedpomnilnik::VrniDolzino() const {
    if (!m_datoteka)
        return 0;
    // An empty block covers no byte: one placed beyond the end by a read there or by an empty write
    // must not lengthen the file.
    const unsigned __int64 dolzina = m_datoteka->VrniDolzino();
    const unsigned __int64 konecBloka = m_drzano ? m_odmikBloka + m_drzano : 0;
    return dolzina > konecBloka ? dolzina : konecBloka;
}

int RMedpomnilnik::PostaviKonec() {
    if (!m_datoteka)
        return m_stanje = Zrno::NAP_PARAMETER;
    if (m_medpomnilnik && (m_stanje = Poisci(*m_datoteka, m_polozaj)) < 0)
        return m_stanje; // the end would be set elsewhere
    if (m_odmikBloka + m_drzano > m_polozaj) {
        if (m_polozaj < m_odmikBloka) {
            // The whole block lies beyond the new end: its changes go with it.
            m_odmikBloka = 0;
            m_drzano = 0;
            m_spremenjen = false;
        } else {
            m_drzano = static_cast<unsigned int>(m_polozaj - m_odmikBloka);
        }
    }
    return m_stanje = m_datoteka->PostaviKonec();
}

// The held block as the in-place readers see it, for the cache and the cached disk file, which reads by
// it unchanged. Writes go through Zapisi: a changed block must be marked and written back.
namespace Zrno::Notranje {
template <> struct Zaloga::Dostop<RMedpomnilnik> {
    static constexpr Opis k_opis = {
        [](void const *tok, unsigned char const *&p) {
            const RMedpomnilnik &t = *static_cast<const RMedpomnilnik *>(tok);
            const unsigned __int64 d = t.m_polozaj - t.m_odmikBloka;
            if (d >= t.m_drzano)
                return 0u;
            p = t.m_medpomnilnik + d;
            return t.m_drzano - static_cast<unsigned int>(d);
        },
        [](void *tok, unsigned int n) { static_cast<RMedpomnilnik *>(tok)->m_polozaj += n; },
        nullptr,
        nullptr,
        nullptr,
        nullptr};
};
namespace {
const Zaloga::Vpis k_zaloga[] = {Zaloga::Vpis::Za<RMedpomnilnik, RMedpomnilnik>(),
                                 Zaloga::Vpis::Za<RMedFizDatoteka, RMedpomnilnik>()};
}
} // namespace Zrno::Notranje
