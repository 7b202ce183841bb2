// The FIFO stream: a list of blocks, one per write.
#include "frame/Lastnina.h"
#include "streams/Kopiraj.h"
#include <zrno/frame/Pomnilnik.h>
#include <zrno/streams/RFifoTokPodatkov.h>

using Zrno::Notranje::KopirajBajte;
using Lastnina = Zrno::Notranje::Lastnina<Zrno::Notranje::DeljenBlok>;

// The export attribute sits on the extern declarations in the header.
template class RZbirka<T_BINBLOK>;
template class RSklad<T_BINBLOK>;
template class RSeznam<T_BINBLOK>;

RFifoTokPodatkov::RFifoTokPodatkov() : m_odmik(0), m_dolzina(0), m_bloki(64) {}

RFifoTokPodatkov::RFifoTokPodatkov(const RFifoTokPodatkov &o)
    : RElement(o), RIzpElement(o), RTokPodatkov(o), m_odmik(o.m_odmik), m_dolzina(o.m_dolzina),
      m_bloki(o.m_bloki) {
    Deli(o);
}

RFifoTokPodatkov &RFifoTokPodatkov::operator=(const RFifoTokPodatkov &o) {
    if (this == &o)
        return *this;
    Zapri();
    RTokPodatkov::operator=(o);
    m_bloki = o.m_bloki; // appends copies of the records to the emptied list
    m_odmik = o.m_odmik;
    m_dolzina = o.m_dolzina;
    Deli(o);
    return *this;
}

RFifoTokPodatkov::~RFifoTokPodatkov() { Zapri(); }

void RFifoTokPodatkov::Deli(const RFifoTokPodatkov &o) {
    for (void *v = m_bloki.VrniPrvega(); v; v = m_bloki.VrniNaslednjega(v))
        Lastnina::Kopija(m_bloki[v].Podatki, &o, this);
}

// A block shared with a copy is freed by whichever of the two lets it go last.
void RFifoTokPodatkov::OdstraniPrvega() {
    Lastnina::Izpusti(m_bloki.VrniPrviElement().Podatki, this);
    m_bloki.Brisi();
}

unsigned int RFifoTokPodatkov::Zapisi(void const *medpomnilnik, unsigned int stevilo) {
    void *vozel = m_bloki.UstvariVozel();
    // An empty write still makes a block; the private heap's primitive frees on a size of 0, so such a
    // block takes one byte.
    void *podatki = vozel ? Zrno::RezervirajPomnilnik(nullptr, stevilo ? stevilo : 1) : nullptr;
    if (!podatki) {
        if (vozel)
            m_bloki.UniciVozel(vozel);
        return m_stanje = Zrno::NAP_POMNILNIK, 0u;
    }
    KopirajBajte(podatki, medpomnilnik, stevilo);
    T_BINBLOK &blok = m_bloki[vozel];
    blok.Velikost = stevilo;
    blok.Podatki = static_cast<unsigned char *>(podatki);
    m_dolzina += stevilo;
    m_bloki.DodajVozel(vozel);
    m_stanje = 0;
    return stevilo;
}

unsigned int RFifoTokPodatkov::Preberi(void *medpomnilnik, unsigned int stevilo) {
    unsigned char *cilj = static_cast<unsigned char *>(medpomnilnik);
    unsigned int opravljeno = 0, ostane = stevilo;
    while (ostane > 0 && !m_bloki.JePrazen()) {
        const T_BINBLOK &prvi = m_bloki.VrniPrviElement();
        const unsigned int na_voljo = prvi.Velikost - m_odmik;
        if (na_voljo > ostane) {
            KopirajBajte(cilj + opravljeno, prvi.Podatki + m_odmik, ostane);
            m_odmik += ostane;
            m_dolzina -= ostane;
            opravljeno += ostane;
            break;
        }
        KopirajBajte(cilj + opravljeno, prvi.Podatki + m_odmik, na_voljo);
        opravljeno += na_voljo;
        ostane -= na_voljo;
        m_dolzina -= na_voljo;
        m_odmik = 0;
        OdstraniPrvega();
    }
    m_stanje = opravljeno || stevilo == 0 ? 0 : Zrno::NAP_KONECPODATKOV;
    return opravljeno;
}

int RFifoTokPodatkov::Zapri() {
    while (!m_bloki.JePrazen())
        OdstraniPrvega();
    m_odmik = 0;
    m_dolzina = 0;
    return m_stanje = 0;
}

int RFifoTokPodatkov::Izplakni() { return m_stanje = 0; }
