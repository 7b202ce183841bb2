// Waiting on several objects at once. The object pointers, their handles and the held flags live in
// one block of the private heap, shared by copies; the last copy frees it.
#include "frame/Lastnina.h"
#include "frame/win.h"
#include <zrno/frame/Pomnilnik.h>
#include <zrno/threads/RMultiCakalnik.h>

using Lastnina = Zrno::Notranje::Lastnina<Zrno::Notranje::DeljenBlok>;

RMultiCakalnik::RMultiCakalnik(RSinhronizator **objekti, unsigned int stevilo, bool zakleni)
    : m_objekti(nullptr), m_rocice(nullptr), m_drzi(nullptr), m_stevilo(0) {
    const unsigned long long velikost = (sizeof(void *) * 2ull + 1) * stevilo;
    void *blok = stevilo && velikost < 0x80000000u ? Zrno::RezervirajPomnilnik(nullptr, unsigned(velikost)) : nullptr;
    if (!blok)
        return; // holds nothing; every wait then fails
    m_objekti = static_cast<RSinhronizator **>(blok);
    m_rocice = reinterpret_cast<void **>(m_objekti + stevilo);
    m_drzi = reinterpret_cast<unsigned char *>(m_rocice + stevilo);
    m_stevilo = stevilo;
    for (unsigned int i = 0; i < stevilo; ++i) {
        m_objekti[i] = objekti[i];
        m_rocice[i] = objekti[i]->VrniRocico();
        m_drzi[i] = 0;
    }
    if (zakleni && WaitForMultipleObjects(stevilo, m_rocice, TRUE, INFINITE) < WAIT_OBJECT_0 + stevilo)
        for (unsigned int i = 0; i < stevilo; ++i)
            m_drzi[i] = 1;
}

RMultiCakalnik::RMultiCakalnik(const RMultiCakalnik &o)
    : RElement(o), m_objekti(o.m_objekti), m_rocice(o.m_rocice), m_drzi(o.m_drzi), m_stevilo(o.m_stevilo) {
    Lastnina::Kopija(m_objekti, &o, this);
}

RMultiCakalnik &RMultiCakalnik::operator=(const RMultiCakalnik &o) {
    if (this == &o)
        return *this;
    // The arrays held before go as in the destructor: what they hold is released, the last copy frees.
    Odkleni();
    Lastnina::Prevzemi(m_objekti, o.m_objekti, &o, this);
    m_rocice = o.m_rocice;
    m_drzi = o.m_drzi;
    m_stevilo = o.m_stevilo;
    return *this;
}

RMultiCakalnik::~RMultiCakalnik() {
    Odkleni();
    Lastnina::Izpusti(m_objekti, this);
}

int RMultiCakalnik::Zakleni(unsigned int cas, bool vsi) {
    const DWORD r = WaitForMultipleObjects(m_stevilo, m_rocice, vsi, cas);
    if (r >= WAIT_OBJECT_0 + m_stevilo)
        return Zrno::NAP_CASOVNIROK;
    if (vsi)
        for (unsigned int i = 0; i < m_stevilo; ++i)
            m_drzi[i] = 1;
    else
        m_drzi[r - WAIT_OBJECT_0] = 1;
    return Zrno::OK;
}

int RMultiCakalnik::PogojnoZakleni(unsigned int indeks) { return m_objekti[indeks]->Zakleni(0); }

int RMultiCakalnik::Odkleni() {
    for (unsigned int i = 0; i < m_stevilo; ++i)
        if (m_drzi[i]) {
            const int r = m_objekti[i]->Odkleni();
            if (r < 0)
                return r;
            m_drzi[i] = 0;
        }
    return Zrno::OK;
}

int RMultiCakalnik::Pocakaj(void *const *rocice, unsigned int stevilo, bool vsi, unsigned int cas) {
    const DWORD r = WaitForMultipleObjects(stevilo, rocice, vsi, cas);
    if (r < WAIT_OBJECT_0 + stevilo || (r >= WAIT_ABANDONED_0 && r < WAIT_ABANDONED_0 + stevilo))
        return Zrno::OK;
    if (r == WAIT_TIMEOUT)
        return Zrno::NAP_CASOVNIROK;
    return PretvoriNapako(GetLastError(), Zrno::NAP_ZAKLEPANJE);
}
