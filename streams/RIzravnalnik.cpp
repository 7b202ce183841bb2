// The buffering converter. The common case, a transfer that fits what is already buffered, is handled
// inline; refills, write-outs and large requests go through the slower paths.
#include "frame/Lastnina.h"
#include "streams/Kopiraj.h"
#include "streams/Zaloga.h"
#include <zrno/frame/Pomnilnik.h>
#include <zrno/streams/RIzravnalnik.h>

using Zrno::Notranje::KopirajBajte;
using Lastnina = Zrno::Notranje::Lastnina<Zrno::Notranje::DeljenBlok>;

RIzravnalnik::RIzravnalnik(RTokPodatkov *cilj, unsigned int branje, unsigned int pisanje)
    : RPretvornikToka(cilj), m_branje(nullptr), m_velBranja(0), m_polnBranja(0), m_indeksBranja(0),
      m_pisanje(nullptr), m_velPisanja(0), m_polnPisanja(0), m_oddanoPisanja(0) {
    // A virtual base is built by the most derived class, which may not pass the target on.
    if (cilj && m_cilj != cilj)
        RPretvornikToka::Uporabi(cilj);
    m_velBranja = branje;
    if (branje) {
        m_branje = static_cast<unsigned char *>(Zrno::RezervirajPomnilnik(nullptr, branje));
        if (!m_branje) {
            // Without a read buffer the write buffer is not attempted either (both sizes end at 0).
            m_velBranja = 0;
            m_stanje = Zrno::NAP_POMNILNIK;
            return;
        }
    }
    m_velPisanja = pisanje;
    if (pisanje) {
        m_pisanje = static_cast<unsigned char *>(Zrno::RezervirajPomnilnik(nullptr, pisanje));
        if (!m_pisanje) {
            m_velPisanja = 0;
            m_stanje = Zrno::NAP_POMNILNIK;
        }
    }
}

RIzravnalnik::RIzravnalnik(const RIzravnalnik &o)
    : RElement(o), RIzpElement(o), RTokPodatkov(o), RPretvornikToka(o), m_branje(o.m_branje),
      m_velBranja(o.m_velBranja), m_polnBranja(o.m_polnBranja), m_indeksBranja(o.m_indeksBranja),
      m_pisanje(o.m_pisanje), m_velPisanja(o.m_velPisanja), m_polnPisanja(o.m_polnPisanja),
      m_oddanoPisanja(o.m_oddanoPisanja) {
    Deli(o);
}

RIzravnalnik &RIzravnalnik::operator=(const RIzravnalnik &o) {
    if (this == &o)
        return *this;
    Sprosti();
    RPretvornikToka::operator=(o);
    m_branje = o.m_branje;
    m_velBranja = o.m_velBranja;
    m_polnBranja = o.m_polnBranja;
    m_indeksBranja = o.m_indeksBranja;
    m_pisanje = o.m_pisanje;
    m_velPisanja = o.m_velPisanja;
    m_polnPisanja = o.m_polnPisanja;
    m_oddanoPisanja = o.m_oddanoPisanja;
    Deli(o);
    return *this;
}

RIzravnalnik::~RIzravnalnik() { Sprosti(); }

void RIzravnalnik::Deli(const RIzravnalnik &o) {
    Lastnina::Kopija(m_branje, &o, this);
    Lastnina::Kopija(m_pisanje, &o, this);
}

// Copies share the buffers; the last owner frees them.
void RIzravnalnik::Sprosti() {
    Lastnina::Izpusti(m_branje, this);
    Lastnina::Izpusti(m_pisanje, this);
}

int RIzravnalnik::IzplakniIzravnalnik() {
    if (m_pisanje && m_polnPisanja != m_oddanoPisanja) {
        m_oddanoPisanja += m_cilj->Zapisi(m_pisanje + m_oddanoPisanja, m_polnPisanja - m_oddanoPisanja);
        if (m_oddanoPisanja != m_polnPisanja)
            return m_stanje = m_cilj->VrniStanje();
        m_polnPisanja = m_oddanoPisanja = 0;
    }
    return m_stanje = 0;
}

int RIzravnalnik::Izplakni() {
    if (!m_cilj)
        return m_stanje = Zrno::NAP_PARAMETER;
    if (IzplakniIzravnalnik() < 0)
        return m_stanje;
    return m_stanje = m_cilj->Izplakni();
}

RTokPodatkov *RIzravnalnik::Odpusti() {
    if (m_cilj)
        IzplakniIzravnalnik();
    return RPretvornikToka::Odpusti();
}

int RIzravnalnik::Uporabi(RTokPodatkov *cilj) {
    m_polnBranja = m_indeksBranja = 0;
    m_polnPisanja = m_oddanoPisanja = 0;
    return RPretvornikToka::Uporabi(cilj);
}

unsigned int RIzravnalnik::Preberi(void *medpomnilnik, unsigned int stevilo) {
    const unsigned int na_voljo = m_polnBranja - m_indeksBranja;
    if (stevilo <= na_voljo && stevilo != 0) {
        KopirajBajte(medpomnilnik, m_branje + m_indeksBranja, stevilo);
        m_indeksBranja += stevilo;
        m_stanje = 0;
        return stevilo;
    }
    if (stevilo == 0) {
        m_stanje = 0;
        return 0;
    }
    if (!m_branje || !m_cilj)
        return RPretvornikToka::Preberi(medpomnilnik, stevilo);
    return PreberiPocasi(static_cast<unsigned char *>(medpomnilnik), stevilo);
}

unsigned int RIzravnalnik::PreberiPocasi(unsigned char *cilj, unsigned int stevilo) {
    m_stanje = 0;
    unsigned int opravljeno = 0, ostane = stevilo, na_voljo = m_polnBranja - m_indeksBranja;
    while (ostane > na_voljo) {
        KopirajBajte(cilj + opravljeno, m_branje + m_indeksBranja, na_voljo);
        opravljeno += na_voljo;
        ostane -= na_voljo;
        m_indeksBranja = 0;
        if (ostane > m_velBranja) {
            // Larger than the buffer: straight from the target, without copying twice.
            m_polnBranja = 0;
            unsigned int n = m_cilj->Preberi(cilj + opravljeno, ostane);
            m_stanje = m_cilj->VrniStanje();
            return opravljeno + n;
        }
        m_polnBranja = m_cilj->Preberi(m_branje, m_velBranja);
        m_stanje = m_cilj->VrniStanje();
        if (m_polnBranja < m_velBranja && m_polnBranja < ostane)
            ostane = m_polnBranja; // the target had less: hand out what came
        na_voljo = m_polnBranja;
    }
    KopirajBajte(cilj + opravljeno, m_branje + m_indeksBranja, ostane);
    m_indeksBranja += ostane;
    // The end of data (or a failure) is reported only by a read that delivers nothing, whatever the
    // target's own convention.
    if (na_voljo != 0)
        m_stanje = 0;
    return opravljeno + ostane;
}

unsigned int RIzravnalnik::Zapisi(void const *medpomnilnik, unsigned int stevilo) {
    if (stevilo != 0 && stevilo <= m_velPisanja - m_polnPisanja) {
        KopirajBajte(m_pisanje + m_polnPisanja, medpomnilnik, stevilo);
        m_polnPisanja += stevilo;
        return stevilo;
    }
    if (!m_pisanje || !m_cilj)
        return RPretvornikToka::Zapisi(medpomnilnik, stevilo);
    return ZapisiPocasi(static_cast<unsigned char const *>(medpomnilnik), stevilo);
}

unsigned int RIzravnalnik::ZapisiPocasi(unsigned char const *vir, unsigned int stevilo) {
    if (stevilo == 0) {
        // A push: pending bytes, then an empty write so that the push travels down a chain.
        if (m_polnPisanja != m_oddanoPisanja) {
            m_oddanoPisanja += m_cilj->Zapisi(m_pisanje + m_oddanoPisanja, m_polnPisanja - m_oddanoPisanja);
            m_stanje = m_cilj->VrniStanje();
            if (m_oddanoPisanja != m_polnPisanja)
                return 0;
            m_polnPisanja = m_oddanoPisanja = 0;
        }
        m_cilj->Zapisi(nullptr, 0);
        m_stanje = m_cilj->VrniStanje();
        return 0;
    }
    unsigned int opravljeno = 0, ostane = stevilo, prostor = m_velPisanja - m_polnPisanja;
    while (ostane > prostor) {
        KopirajBajte(m_pisanje + m_polnPisanja, vir + opravljeno, prostor);
        opravljeno += prostor;
        ostane -= prostor;
        m_polnPisanja += prostor;
        if (m_polnPisanja != m_oddanoPisanja) {
            m_oddanoPisanja += m_cilj->Zapisi(m_pisanje + m_oddanoPisanja, m_polnPisanja - m_oddanoPisanja);
            m_stanje = m_cilj->VrniStanje();
            if (m_oddanoPisanja != m_polnPisanja)
                return opravljeno; // bytes taken into the buffer count as written
            m_polnPisanja = m_oddanoPisanja = 0;
        }
        if (ostane > m_velPisanja) {
            // Larger than the buffer: straight to the target.
            unsigned int n = m_cilj->Zapisi(vir + opravljeno, ostane);
            m_stanje = m_cilj->VrniStanje();
            return opravljeno + n;
        }
        prostor = m_velPisanja - m_polnPisanja;
    }
    KopirajBajte(m_pisanje + m_polnPisanja, vir + opravljeno, ostane);
    m_polnPisanja += ostane;
    return opravljeno + ostane;
}

// The buffers as the in-place readers and writers see them, for the converter and the buffered handle
// stream, which reads and writes by them unchanged.
namespace Zrno::Notranje {
template <> struct Zaloga::Dostop<RIzravnalnik> {
    static constexpr Opis k_opis = {
        [](void const *tok, unsigned char const *&p) {
            const RIzravnalnik &t = *static_cast<const RIzravnalnik *>(tok);
            p = t.m_branje + t.m_indeksBranja;
            return t.m_polnBranja - t.m_indeksBranja;
        },
        [](void *tok, unsigned int n) { static_cast<RIzravnalnik *>(tok)->m_indeksBranja += n; },
        [](void const *tok, unsigned char *&p) {
            const RIzravnalnik &t = *static_cast<const RIzravnalnik *>(tok);
            if (!t.m_pisanje)
                return 0u;
            p = t.m_pisanje + t.m_polnPisanja;
            return t.m_velPisanja - t.m_polnPisanja;
        },
        // Buffering a write leaves the state as it was.
        [](void *tok, unsigned int n, RTokPodatkov &) {
            static_cast<RIzravnalnik *>(tok)->m_polnPisanja += n;
        },
        [](void const *tok, unsigned int &velikost, unsigned char const *&p, unsigned int &n) {
            const RIzravnalnik &t = *static_cast<const RIzravnalnik *>(tok);
            velikost = t.m_velPisanja;
            p = t.m_pisanje;
            n = t.m_polnPisanja;
            return t.m_pisanje && t.m_oddanoPisanja == 0 ? t.m_cilj : nullptr;
        },
        [](void *tok) {
            RIzravnalnik &t = *static_cast<RIzravnalnik *>(tok);
            t.m_polnPisanja = 0;
            t.m_stanje = t.m_cilj->VrniStanje();
        },
        &OknoPolj<RIzravnalnik, &RIzravnalnik::m_branje, &RIzravnalnik::m_indeksBranja,
                  &RIzravnalnik::m_polnBranja>};
};
namespace {
const Zaloga::Vpis k_zaloga[] = {Zaloga::Vpis::Za<RIzravnalnik, RIzravnalnik>(),
                                 Zaloga::Vpis::Za<RIzrSisTokPodatkov, RIzravnalnik>()};
}
} // namespace Zrno::Notranje
