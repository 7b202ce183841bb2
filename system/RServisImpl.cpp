// The hosted service's message thread: start-up, control dispatch, status reports and clean-up.
#include "frame/Napake.h"
#include "frame/win.h"
#include <string.h>
#include <zrno/system/RServisImpl.h>

using Zrno::Notranje::Izid;

using namespace Zrno;

namespace {

constexpr unsigned int TIP_SERVISA = SERVICE_WIN32_OWN_PROCESS | SERVICE_WIN32_SHARE_PROCESS;
constexpr unsigned int KONTROLE = SERVICE_ACCEPT_STOP | SERVICE_ACCEPT_PAUSE_CONTINUE;
constexpr unsigned int NAPAKA_SERVISA = ERROR_SERVICE_SPECIFIC_ERROR; // 1066

static_assert(sizeof(T_ZAPISSTATUSA) == sizeof(SERVICE_STATUS), "the status record mirrors SERVICE_STATUS");

} // namespace

RServisImpl::RServisImpl() : m_statusRocica(nullptr), m_status(), m_stevilo(0), m_argumenti(nullptr) {}

RServisImpl::RServisImpl(const RServisImpl &o)
    : RElement(o), RDogNit(o), m_statusRocica(o.m_statusRocica), m_status(o.m_status), m_stevilo(o.m_stevilo),
      m_argumenti(o.m_argumenti) {}

RServisImpl &RServisImpl::operator=(const RServisImpl &o) {
    RDogNit::operator=(o);
    m_statusRocica = o.m_statusRocica;
    m_status = o.m_status;
    m_stevilo = o.m_stevilo;
    m_argumenti = o.m_argumenti;
    return *this;
}

RServisImpl::~RServisImpl() {}

int RServisImpl::Odpri(unsigned int stevilo, char const **argumenti, unsigned int prvi, void *rokovalnik,
                       T_NITZACETNOSTANJE stanje, unsigned int sklad) {
    m_stevilo = stevilo;
    m_argumenti = argumenti;
    return RDogNit::Odpri(prvi, rokovalnik, stanje, sklad);
}

unsigned int RServisImpl::Pozeni(unsigned int stevilo, char const **argumenti,
                                 void(__stdcall *rokovalnik)(unsigned long)) {
    m_stevilo = stevilo;
    m_argumenti = argumenti;
    return RDogNit::Pozeni(reinterpret_cast<void *>(rokovalnik));
}

int RServisImpl::Porocaj() {
    if (!m_statusRocica)
        return ObStatusu();
    SERVICE_STATUS status;
    memcpy(&status, &m_status, sizeof status);
    return Izid(SetServiceStatus(static_cast<SERVICE_STATUS_HANDLE>(m_statusRocica), &status),
                NAP_STATUSSERVISA);
}

int RServisImpl::SporociStatus(T_STATUSSERVISA stanje) {
    m_status.TrenutnoStanje = stanje;
    m_status.IzhodnaKoda = 0;
    m_status.KontrolnaTocka = 0;
    m_status.CakalniNamig = 60000;
    return Porocaj();
}

int RServisImpl::SporociStatus() { return Porocaj(); }

int RServisImpl::SporociNaslednjiKorak(unsigned int cakalniNamig) {
    ++m_status.KontrolnaTocka;
    m_status.CakalniNamig = cakalniNamig;
    return Porocaj();
}

unsigned int RServisImpl::Koncaj(int rezultat) {
    m_status.IzhodnaKoda = NAPAKA_SERVISA;
    m_status.KodaServisa = static_cast<unsigned int>(rezultat);
    return static_cast<unsigned int>(rezultat);
}

unsigned int RServisImpl::ObZagonu(void *rokovalnik) {
    m_status = T_ZAPISSTATUSA{TIP_SERVISA, SERVIS_ZAGANJANJE, KONTROLE, 0, 0, 0, 0};
    PredRegistracijoServisa();
    m_statusRocica = nullptr;
    if (rokovalnik) {
        char const *ime = m_stevilo && m_argumenti ? m_argumenti[0] : nullptr;
        m_statusRocica = RegisterServiceCtrlHandlerA(ime, reinterpret_cast<LPHANDLER_FUNCTION>(rokovalnik));
        if (!m_statusRocica) {
            Koncaj(PretvoriNapako(GetLastError(), NAP_ZAGONSERVISA));
            return 1;
        }
    }
    const int r = ObZagonu();
    if (r < 0) {
        Koncaj(r);
        return 1;
    }
    SporociStatus(SERVIS_TECE);
    return 0;
}

void RServisImpl::ObZakljucku(void *) {
    const int r = ObZakljucku();
    m_status.TrenutnoStanje = SERVIS_USTAVLJEN;
    if (m_status.IzhodnaKoda == 0) {
        if (r < 0)
            Koncaj(r);
        else
            m_status.KodaServisa = 0;
    }
    Porocaj();
}

unsigned int RServisImpl::RokovalnikOznak(unsigned int koda, unsigned int vrednost, void *podatki) {
    int r;
    switch (koda) {
    case SERVICE_CONTROL_STOP:
    case SERVICE_CONTROL_SHUTDOWN:
        m_status.TrenutnoStanje = SERVIS_USTAVLJANJE;
        r = ObZaustavitvi();
        break;
    case SERVICE_CONTROL_PAUSE:
        m_status.TrenutnoStanje = SERVIS_PREKINJANJE;
        r = ObPrekinitvi();
        if (r >= 0)
            SporociStatus(SERVIS_PREKINJEN);
        break;
    case SERVICE_CONTROL_CONTINUE:
        m_status.TrenutnoStanje = SERVIS_NADALJEVANJE;
        r = ObNadaljevanju();
        if (r >= 0)
            SporociStatus(SERVIS_TECE);
        break;
    case SERVICE_CONTROL_INTERROGATE:
        Porocaj();
        return 0;
    default:
        return RDogNit::RokovalnikOznak(koda, vrednost, podatki);
    }
    return r < 0 ? Koncaj(r) : 0;
}

void RServisImpl::PredRegistracijoServisa() {}
int RServisImpl::ObZagonu() { return OK; }
int RServisImpl::ObZakljucku() { return OK; }
int RServisImpl::ObZaustavitvi() { return OK; }
int RServisImpl::ObPrekinitvi() { return OK; }
int RServisImpl::ObNadaljevanju() { return OK; }
int RServisImpl::ObStatusu() { return OK; }
