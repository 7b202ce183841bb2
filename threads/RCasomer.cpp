// Waitable timers and their completion routine.
#include "frame/Lastnina.h"
#include "frame/Napake.h"
#include "frame/win.h"
#include <zrno/threads/RCasomer.h>

using Zrno::Notranje::Izid;

RCasomer::RCasomer(unsigned int zastavice, char const *ime)
    : RSinhronizator(CreateWaitableTimerA(nullptr, (zastavice & ROCNI) != 0, ime)) {}

RCasomer::RCasomer(void *rocica) : RSinhronizator(rocica) {}

RCasomer::~RCasomer() {
    // A completion routine already queued to the arming thread carries this object's address and
    // would run after the object is gone; cancelling the timer also removes that queued call.
    using namespace Zrno::Notranje;
    if (JeVeljaven() && !Lastnina<DeljenaRocica>::JeDeljena(m_rocica, this))
        CancelWaitableTimer(m_rocica);
}

namespace {

int Nastavi(HANDLE casomer, __int64 rok, LONG perioda, RCasomer *objekt, int privzeta) {
    LARGE_INTEGER cas;
    cas.QuadPart = rok;
    return Izid(SetWaitableTimer(casomer, &cas, perioda,
                                 reinterpret_cast<PTIMERAPCROUTINE>(&RCasomer::Rokovalnik), objekt, FALSE),
                privzeta);
}

} // namespace

int RCasomer::Odkleni() { return ::Nastavi(m_rocica, -1, 0, this, Zrno::NAP_ODKLEPANJE); }

int RCasomer::Nastavi(__int64 cas, unsigned int perioda) {
    return ::Nastavi(m_rocica, cas * 10000, static_cast<LONG>(perioda), this, Zrno::NAP_NASTAVICASOMER);
}

int RCasomer::Prekini() { return Izid(CancelWaitableTimer(m_rocica), Zrno::NAP_PREKINI); }

void __stdcall RCasomer::Rokovalnik(void *argument, unsigned long spodnji, unsigned long zgornji) {
    static_cast<RCasomer *>(argument)->ObAlarmu(static_cast<__int64>(
        (static_cast<unsigned __int64>(zgornji) << 32) | spodnji));
}

void RCasomer::ObAlarmu(__int64) {}
