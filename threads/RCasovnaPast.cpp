// The timer thread: one alarm per run.
#include "frame/win.h"
#include <zrno/threads/RCasovnaPast.h>

RCasovnaPast::RCasovnaPast() : m_casomer(0u), m_konec(false) {}

RCasovnaPast::~RCasovnaPast() {}

int RCasovnaPast::Odpri(void *parameter, T_NITZACETNOSTANJE stanje, unsigned int sklad) {
    m_konec = false;
    return RNit::Odpri(parameter, stanje, sklad);
}

int RCasovnaPast::Nastavi(__int64 cas) {
    m_konec = false;
    return m_casomer.Nastavi(cas, 0);
}

int RCasovnaPast::Zakljuci() {
    m_konec = true;
    return m_casomer.Odkleni();
}

unsigned int RCasovnaPast::Izvedi(void *parameter) {
    // A failing wait is repeated, but one that can never succeed (no timer, a closed handle) ends the
    // thread rather than spinning.
    for (;;) {
        const int r = m_casomer.Zakleni(0xFFFFFFFF);
        if (r >= 0)
            break;
        if (r == Zrno::NAP_ROCICA || !m_casomer.JeVeljaven())
            return 0xFFFFFFFF;
    }
    if (m_konec) {
        m_casomer.Prekini();
        return 0xFFFFFFFF;
    }
    return ObAlarmu(parameter);
}

unsigned int RCasovnaPast::ObAlarmu(void *) { return 0; }
