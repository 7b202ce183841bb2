// The stream over a system handle: ReadFile, WriteFile and FlushFileBuffers without overlapped I/O.
#include "frame/Napake.h"
#include "frame/win.h"
#include <zrno/streams/RSisTokPodatkov.h>

using Zrno::Notranje::Izid;

RSisTokPodatkov::~RSisTokPodatkov() {
    // Released, never closed: whoever owns the handle closes it with Zapri first.
    if (JeVeljaven())
        m_rocica = INVALID_HANDLE_VALUE;
}

unsigned int RSisTokPodatkov::Preberi(void *medpomnilnik, unsigned int stevilo) {
    if (stevilo == 0) {
        m_stanje = 0;
        return 0;
    }
    DWORD n = 0;
    if (!ReadFile(m_rocica, medpomnilnik, stevilo, &n, nullptr)) {
        m_stanje = PretvoriNapako(GetLastError(), Zrno::NAP_BRANJE);
        return n;
    }
    m_stanje = n ? 0 : Zrno::NAP_KONECPODATKOV;
    return n;
}

unsigned int RSisTokPodatkov::Zapisi(void const *medpomnilnik, unsigned int stevilo) {
    DWORD n = 0;
    if (!WriteFile(m_rocica, medpomnilnik, stevilo, &n, nullptr))
        m_stanje = PretvoriNapako(GetLastError(), Zrno::NAP_PISANJE);
    else
        m_stanje = 0;
    return n;
}

int RSisTokPodatkov::Izplakni() { return m_stanje = Izid(FlushFileBuffers(m_rocica), Zrno::NAP_IZPLAKNI); }

int RSisTokPodatkov::Zapri() { return m_stanje = RSisElement::Zapri(); }

int RSisTokPodatkov::Uporabi(void *rocica) { return m_stanje = RSisElement::Uporabi(rocica); }

void *RSisTokPodatkov::Odpusti() {
    m_stanje = 0;
    return RSisElement::Odpusti();
}
