// Threads started through the C runtime (_beginthreadex), so that the runtime's per-thread data is set
// up for them, and the thread-control operations.
#include "frame/Lastnina.h"
#include "frame/Napake.h"
#include "frame/win.h"
#include <process.h>
#include <zrno/frame/Pomnilnik.h>
#include <zrno/threads/RNit.h>

using Zrno::Notranje::Izid;

namespace {

// The start record: the new thread reads it and frees it before anything else.
struct Zacetek {
    RNit *objekt;
    void *parameter;
};

HANDLE Zazeni(unsigned int(__stdcall *funkcija)(void *), void *parameter, T_NITZACETNOSTANJE stanje,
              unsigned int sklad, unsigned int *koda) {
    return reinterpret_cast<HANDLE>(_beginthreadex(nullptr, sklad, funkcija, parameter, stanje, koda));
}

} // namespace

RNit::RNit(void *rocica) : RSinhronizator(rocica), m_koda(0) {}

RNit::~RNit() {}

void *RNit::Odpusti() {
    m_koda = 0;
    return RSinhronizator::Odpusti();
}

int RNit::Zapri() {
    m_koda = 0;
    return RSinhronizator::Zapri();
}

int RNit::Odkleni() { return Odpri(nullptr, NIT_TECE, 0); }

int RNit::Uporabi(void *rocica, unsigned int koda) {
    if (RSinhronizator::Uporabi(rocica) >= 0)
        m_koda = koda;
    return Zrno::OK;
}

int RNit::Odpri(void *parameter, T_NITZACETNOSTANJE stanje, unsigned int sklad) {
    Zacetek *zapis = static_cast<Zacetek *>(Zrno::RezervirajPomnilnik(nullptr, sizeof(Zacetek)));
    if (!zapis)
        return Zrno::NAP_POMNILNIK;
    zapis->objekt = this;
    zapis->parameter = parameter;
    // The old value is replaced, not closed; only this object's share of it goes.
    Zrno::Notranje::Lastnina<Zrno::Notranje::DeljenaRocica>::Pozabi(m_rocica, this);
    m_rocica = Zazeni(&VstopnaTocka, zapis, stanje, sklad, &m_koda);
    if (JeVeljaven())
        return Zrno::OK;
    const DWORD napaka = GetLastError();
    m_koda = 0;
    Zrno::SprostiPomnilnik(zapis);
    return PretvoriNapako(napaka, Zrno::NAP_USTVARI);
}

unsigned int __stdcall RNit::VstopnaTocka(void *zapis) {
    const Zacetek z = *static_cast<Zacetek *>(zapis);
    Zrno::SprostiPomnilnik(zapis);
    return z.objekt->Izvedi(z.parameter);
}

int RNit::Zamrzni() { return Izid(SuspendThread(m_rocica) != 0xFFFFFFFF, Zrno::NAP_ZAUSTAVI); }

int RNit::Odmrzni() { return Izid(ResumeThread(m_rocica) != 0xFFFFFFFF, Zrno::NAP_NADALJUJ); }

int RNit::Prekini(unsigned int koda) { return Izid(TerminateThread(m_rocica, koda), Zrno::NAP_PREKINI); }

int RNit::VrniRezultat(unsigned int *koda) {
    DWORD izhod;
    if (!GetExitCodeThread(m_rocica, &izhod))
        return PretvoriNapako(GetLastError(), Zrno::NAP_REZULTATNITI);
    *koda = izhod;
    return Zrno::OK;
}

int RNit::NastaviPrioriteto(T_NITPRIORITETA prioriteta) {
    return Izid(SetThreadPriority(m_rocica, prioriteta), Zrno::NAP_PRIORITETA);
}

int RNit::VrniPrioriteto() { return GetThreadPriority(m_rocica); }

void *RNit::Odpri(unsigned int(__stdcall *funkcija)(void *), void *parameter, T_NITZACETNOSTANJE stanje,
                  unsigned int sklad) {
    unsigned int koda;
    return Zazeni(funkcija, parameter, stanje, sklad, &koda);
}

void RNit::Zaspi(unsigned int ms) { Sleep(ms); }

void *RNit::VrniTrenutnoNit() {
    HANDLE proces = GetCurrentProcess(), nit;
    if (DuplicateHandle(proces, GetCurrentThread(), proces, &nit, 0, TRUE, DUPLICATE_SAME_ACCESS))
        return nit;
    return INVALID_HANDLE_VALUE;
}

unsigned int RNit::VrniKodoTrenutneNiti() { return GetCurrentThreadId(); }

void RNit::PrekiniTrenutnoNit(unsigned int koda) {
    _endthreadex(koda);
    __builtin_unreachable(); // the runtime's declaration does not say that it never returns
}
