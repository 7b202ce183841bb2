// The Base64 converter: encodes what is written into lines of groups, decodes what is read; every
// transfer to or from the target is one byte.
#include "streams/Base64.h"
#include <string.h>
#include <zrno/streams.h>

using namespace Zrno::Notranje;

RBase64Tok::RBase64Tok(unsigned int skupinVrstice, RTokPodatkov *cilj)
    : RPretvornikToka(cilj), m_indeksSkupine(0), m_ostanekSkupine(0), m_skupinVrstice(skupinVrstice),
      m_skupinNaVrstici(0) {
    memset(m_skupina, 0, sizeof m_skupina);
    // A virtual base is built by the most derived class, which may not pass the target on.
    if (cilj && m_cilj != cilj)
        RPretvornikToka::Uporabi(cilj);
}

RBase64Tok::RBase64Tok(const RBase64Tok &o)
    : RElement(o), RIzpElement(o), RTokPodatkov(o), RPretvornikToka(o), RBase64(o) {
    *this = o;
}

RBase64Tok &RBase64Tok::operator=(const RBase64Tok &o) {
    RPretvornikToka::operator=(o);
    RBase64::operator=(o);
    memcpy(m_skupina, o.m_skupina, sizeof m_skupina);
    m_indeksSkupine = o.m_indeksSkupine;
    m_ostanekSkupine = o.m_ostanekSkupine;
    m_skupinVrstice = o.m_skupinVrstice;
    m_skupinNaVrstici = o.m_skupinNaVrstici;
    return *this;
}

RBase64Tok::~RBase64Tok() {}

int RBase64Tok::Uporabi(RTokPodatkov *cilj) {
    m_indeksSkupine = m_ostanekSkupine = m_skupinNaVrstici = 0;
    return RPretvornikToka::Uporabi(cilj);
}

RTokPodatkov *RBase64Tok::Odpusti() {
    if (m_kodStevilo && m_cilj) {
        char z[4];
        Base64KoncnaSkupina(m_kodPrenos, m_kodStevilo, z);
        for (char c : z)
            m_cilj->Zapisi(&c, 1);
        m_kodStevilo = 0;
    }
    return RPretvornikToka::Odpusti();
}

unsigned int RBase64Tok::Zapisi(void const *medpomnilnik, unsigned int stevilo) {
    if (!m_cilj) {
        m_stanje = Zrno::NAP_PARAMETER;
        return 0;
    }
    unsigned char const *p = static_cast<unsigned char const *>(medpomnilnik);
    for (unsigned int i = 0;; ++i) {
        if (m_kodStevilo == 3) {
            if (++m_skupinNaVrstici > m_skupinVrstice) {
                static const char k_lf = '\n';
                m_cilj->Zapisi(&k_lf, 1);
                m_skupinNaVrstici = 1;
            }
            char z[4];
            Base64Skupina(m_kodPrenos, z);
            for (char c : z)
                m_cilj->Zapisi(&c, 1);
            m_kodStevilo = 0;
        }
        if (i == stevilo)
            return stevilo;
        m_kodPrenos[m_kodStevilo++] = p[i];
    }
}

unsigned int RBase64Tok::Preberi(void *medpomnilnik, unsigned int stevilo) {
    if (!stevilo)
        return 0;
    if (!m_cilj) {
        m_stanje = Zrno::NAP_PARAMETER;
        return 0;
    }
    unsigned char *o = static_cast<unsigned char *>(medpomnilnik);
    unsigned int izdano = 0;
    while (stevilo) {
        if (!m_ostanekSkupine) {
            while (m_dekStevilo < 4) {
                unsigned char z;
                m_cilj->PreberiTab(&z, 1, 1);
                if ((m_stanje = m_cilj->VrniStanje()) < 0)
                    return izdano;
                unsigned char v = k_base64Vrednosti.v[z];
                m_dekPrenos[m_dekStevilo] = v;
                if (v != 255)
                    ++m_dekStevilo;
            }
            m_ostanekSkupine = Base64Dekodiraj(m_dekPrenos, m_skupina);
            m_indeksSkupine = 0;
            m_dekStevilo = 0;
            // A padded group ends the call with its last byte.
            if (m_ostanekSkupine < 3 && m_ostanekSkupine < stevilo)
                stevilo = m_ostanekSkupine;
        }
        o[izdano++] = m_skupina[m_indeksSkupine++];
        --m_ostanekSkupine;
        --stevilo;
    }
    return izdano;
}
