// The transparent converter: forwards every operation to its target and manages the attachment.
#include <zrno/streams/RPretvornikToka.h>

RPretvornikToka::RPretvornikToka(RTokPodatkov *cilj) : m_cilj(nullptr) {
    if (cilj)
        Uporabi(cilj);
}

RPretvornikToka::~RPretvornikToka() {
    // Derived parts are gone by now, so this is the base detach: nothing is flushed or closed.
    if (m_cilj)
        RPretvornikToka::Odpusti();
}

int RPretvornikToka::Uporabi(RTokPodatkov *cilj) {
    m_cilj = cilj;
    return m_stanje = cilj ? cilj->VrniStanje() : 0;
}

RTokPodatkov *RPretvornikToka::Odpusti() {
    RTokPodatkov *cilj = m_cilj;
    m_cilj = nullptr;
    m_stanje = 0;
    return cilj;
}

// Transfers without a target have nowhere to go: they report NAP_PARAMETER and move nothing.

unsigned int RPretvornikToka::Preberi(void *medpomnilnik, unsigned int stevilo) {
    if (!m_cilj) {
        m_stanje = Zrno::NAP_PARAMETER;
        return 0;
    }
    unsigned int n = m_cilj->Preberi(medpomnilnik, stevilo);
    m_stanje = m_cilj->VrniStanje();
    return n;
}

unsigned int RPretvornikToka::Zapisi(void const *medpomnilnik, unsigned int stevilo) {
    if (!m_cilj) {
        m_stanje = Zrno::NAP_PARAMETER;
        return 0;
    }
    unsigned int n = m_cilj->Zapisi(medpomnilnik, stevilo);
    m_stanje = m_cilj->VrniStanje();
    return n;
}

int RPretvornikToka::Izplakni() { return m_stanje = m_cilj ? m_cilj->Izplakni() : Zrno::NAP_PARAMETER; }

int RPretvornikToka::Zapri() {
    if (!m_cilj)
        return m_stanje = 1;
    // The most derived Odpusti, so a buffering converter writes out before the target closes.
    RTokPodatkov *cilj = Odpusti();
    return cilj->Zapri();
}
