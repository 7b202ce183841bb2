// The hosted-services table and the service dispatcher.
#include "frame/Velikost.h"
#include "frame/scoped.h"
#include "frame/win.h"
#include <zrno/system/RRegisterServisov.h>

using namespace Zrno;
using Zrno::Notranje::ScopedBlock;

// The list instances are exported; the attribute sits on the declarations in the header.
template class RZbirka<Zrno::Notranje::T_SERVIS>;
template class RSklad<Zrno::Notranje::T_SERVIS>;
template class RSeznam<Zrno::Notranje::T_SERVIS>;

RRegisterServisov::~RRegisterServisov() { m_servisi.Unici(); }

RRegisterServisov &RRegisterServisov::operator=(const RRegisterServisov &o) {
    if (this != &o) {
        m_servisi.Unici();
        m_servisi = o.m_servisi;
    }
    return *this;
}

void *RRegisterServisov::RegistrirajServis(char const *ime, T_GLAVNAFUNKCIJA glavna) {
    return m_servisi.Dodaj(T_SERVIS{ime, glavna, nullptr});
}

int RRegisterServisov::OdjaviServis(void *kljuc) {
    m_servisi.Brisi(kljuc);
    return OK;
}

void RRegisterServisov::RegistrirajNitServisa(void *kljuc, void *nit) { m_servisi.VrniElement(kljuc).Nit = nit; }

char const *RRegisterServisov::VrniImeServisa(void *kljuc) const { return m_servisi.VrniElement(kljuc).Ime; }

int RRegisterServisov::PozeniRokovalnikServisov() {
    const unsigned int stevilo = m_servisi.VrniStevilo();
    {
        unsigned int bajtov = 0;
        ScopedBlock blok(Notranje::Velikost(stevilo + 1ULL, sizeof(SERVICE_TABLE_ENTRYA), bajtov)
                             ? RezervirajPomnilnik(nullptr, bajtov)
                             : nullptr);
        auto *tabela = static_cast<SERVICE_TABLE_ENTRYA *>(blok.get());
        if (!tabela)
            return NAP_POMNILNIK;
        SERVICE_TABLE_ENTRYA *vnos = tabela;
        for (void *v = m_servisi.VrniPrvega(); v; v = m_servisi.VrniNaslednjega(v), ++vnos) {
            const T_SERVIS &s = m_servisi.VrniElement(v);
            *vnos = {const_cast<char *>(s.Ime), s.Funkcija};
        }
        *vnos = {nullptr, nullptr};
        if (!StartServiceCtrlDispatcherA(tabela))
            return PretvoriNapako(GetLastError(), NAP_ZAGONSERVISA);
    }

    // Wait for the service threads to finish their clean-up: the dispatcher returns as soon as the
    // last service has reported itself stopped. Entries without a thread are skipped (under Wine each
    // started service gets a process of its own, so most entries of a shared host have none).
    unsigned int bajtov = 0;
    ScopedBlock blok(Notranje::Velikost(stevilo ? stevilo : 1, sizeof(HANDLE), bajtov)
                         ? RezervirajPomnilnik(nullptr, bajtov)
                         : nullptr);
    auto *niti = static_cast<HANDLE *>(blok.get());
    if (!niti)
        return NAP_POMNILNIK;
    DWORD n = 0;
    for (void *v = m_servisi.VrniPrvega(); v; v = m_servisi.VrniNaslednjega(v)) {
        T_SERVIS &s = m_servisi.VrniElement(v);
        if (s.Nit && s.Nit != INVALID_HANDLE_VALUE)
            niti[n++] = s.Nit;
        s.Nit = nullptr;
    }
    // Waiting for all of them in groups of the system's limit is the same as waiting for all at once.
    for (DWORD i = 0; i < n; i += MAXIMUM_WAIT_OBJECTS)
        WaitForMultipleObjects(n - i < MAXIMUM_WAIT_OBJECTS ? n - i : MAXIMUM_WAIT_OBJECTS, niti + i, TRUE, INFINITE);
    for (DWORD i = 0; i < n; ++i)
        CloseHandle(niti[i]);
    return OK;
}
