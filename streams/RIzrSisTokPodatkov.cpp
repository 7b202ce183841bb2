// The buffered handle stream: a buffering converter whose target is a contained handle stream.
#include <zrno/streams/RIzrSisTokPodatkov.h>

RIzrSisTokPodatkov::RIzrSisTokPodatkov(void *rocica, unsigned int branje, unsigned int pisanje)
    : RIzravnalnik(nullptr, branje, pisanje) {
    const int gradnja = m_stanje;
    m_tok.Uporabi(rocica);
    RIzravnalnik::Uporabi(&m_tok);
    // Attaching reports the handle stream's state (0); a buffer that could not be had stays visible.
    if (gradnja < 0)
        m_stanje = gradnja;
}

RIzrSisTokPodatkov::RIzrSisTokPodatkov(const RIzrSisTokPodatkov &o)
    : RElement(o), RIzpElement(o), RTokPodatkov(o), RPretvornikToka(o), RIzravnalnik(o), m_tok(o.m_tok) {
    // The copy's target is its own contained stream, not the original's.
    if (o.m_cilj == &o.m_tok)
        m_cilj = &m_tok;
}

RIzrSisTokPodatkov &RIzrSisTokPodatkov::operator=(const RIzrSisTokPodatkov &o) {
    if (this == &o)
        return *this;
    RIzravnalnik::operator=(o);
    m_tok = o.m_tok;
    if (o.m_cilj == &o.m_tok)
        m_cilj = &m_tok;
    return *this;
}

RIzrSisTokPodatkov::~RIzrSisTokPodatkov() {
    RIzravnalnik::Odpusti(); // writes out pending data
    m_tok.Odpusti();         // the handle is released, not closed
}

int RIzrSisTokPodatkov::UporabiRocico(void *rocica) { return m_tok.Uporabi(rocica); }

void *RIzrSisTokPodatkov::OdpustiRocico() {
    if (m_cilj)
        IzplakniIzravnalnik();
    return m_tok.Odpusti();
}
