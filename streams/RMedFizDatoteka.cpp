// The cached disk file: a cache whose file is a disk file it contains.
#include <zrno/streams/RMedpomnilnik.h>

namespace {

// Blocks are loaded before they change, so a file opened for writing must be readable too.
unsigned int ZBranjem(unsigned int zastavice) {
    return zastavice & DAT_PISANJE ? zastavice | DAT_BRANJE : zastavice;
}

} // namespace

RMedFizDatoteka::RMedFizDatoteka(char const *ime, unsigned int zastavice, unsigned int velikost)
    : m_datotekaFiz(ime, ZBranjem(zastavice)) {
    RMedpomnilnik::Uporabi(&m_datotekaFiz, velikost);
}

RMedFizDatoteka::RMedFizDatoteka(void *rocica, unsigned int velikost) : m_datotekaFiz(rocica) {
    RMedpomnilnik::Uporabi(&m_datotekaFiz, velikost);
}

RMedFizDatoteka::RMedFizDatoteka(const RMedFizDatoteka &o)
    : RElement(o), RIzpElement(o), RTokPodatkov(o), RDatoteka(o), RMedpomnilnik(o),
      m_datotekaFiz(o.m_datotekaFiz) {
    // The copy's cache works on its own contained file, not on the original's.
    if (o.m_datoteka == &o.m_datotekaFiz)
        m_datoteka = &m_datotekaFiz;
}

RMedFizDatoteka &RMedFizDatoteka::operator=(const RMedFizDatoteka &o) {
    if (this == &o)
        return *this;
    RMedpomnilnik::operator=(o);
    m_datotekaFiz = o.m_datotekaFiz;
    if (o.m_datoteka == &o.m_datotekaFiz)
        m_datoteka = &m_datotekaFiz;
    return *this;
}

RMedFizDatoteka::~RMedFizDatoteka() {
    // Writes back and frees the buffer; the contained file's destructor then closes the handle, once,
    // by its last owner when copies share it.
    RMedpomnilnik::Odpusti();
}

int RMedFizDatoteka::Pozabi() {
    if (m_spremenjen && m_drzano > 0 && IzplakniMedpomnilnik() < 0)
        return m_stanje; // the changed block stays and is tried again later
    m_odmikBloka = 0;
    m_drzano = 0;
    return m_stanje = 0;
}

int RMedFizDatoteka::Zapri() {
    Pozabi();
    m_polozaj = 0;
    return m_datotekaFiz.Zapri();
}

void *RMedFizDatoteka::Odpusti() {
    Pozabi();
    return m_datotekaFiz.Odpusti();
}

int RMedFizDatoteka::Odpri(char const *ime, unsigned int zastavice) {
    return m_stanje = m_datotekaFiz.Odpri(ime, ZBranjem(zastavice));
}

int RMedFizDatoteka::Uporabi(void *rocica) { return m_stanje = m_datotekaFiz.Uporabi(rocica); }
