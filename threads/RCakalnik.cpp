// The scoped holder of one waitable object.
#include <zrno/threads/RCakalnik.h>

RCakalnik::RCakalnik(RSinhronizator &objekt, bool zakleni) : m_objekt(&objekt), m_zaklepi(0) {
    if (zakleni && objekt.Zakleni(0xFFFFFFFF) >= 0)
        m_zaklepi = 1;
}

RCakalnik::~RCakalnik() {
    // One release per counted lock, also when some fail: retrying a failing release could never end.
    for (int i = m_zaklepi; i > 0; --i)
        if (m_objekt->Odkleni() >= 0)
            --m_zaklepi;
}

int RCakalnik::Zakleni(unsigned int cas) {
    const int r = m_objekt->Zakleni(cas);
    if (r >= 0)
        ++m_zaklepi;
    return r;
}

int RCakalnik::Odkleni() {
    if (m_zaklepi == 0)
        return Zrno::NAP_NICZAKLENJENO;
    const int r = m_objekt->Odkleni();
    if (r >= 0)
        --m_zaklepi;
    return r;
}
