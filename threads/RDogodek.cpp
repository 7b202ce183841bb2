// Events.
#include "frame/win.h"
#include <zrno/threads/RDogodek.h>

RDogodek::RDogodek(unsigned int zastavice, char const *ime)
    : RSinhronizator(CreateEventA(nullptr, (zastavice & ROCNI) != 0, (zastavice & SIGNALIZIRAN) != 0, ime)) {}

RDogodek::RDogodek(void *rocica) : RSinhronizator(rocica) {}

RDogodek::~RDogodek() {}

int RDogodek::Odkleni() {
    if (SetEvent(m_rocica))
        return Zrno::OK;
    return PretvoriNapako(GetLastError(), Zrno::NAP_ODKLEPANJE);
}

int RDogodek::Impulz() {
    if (PulseEvent(m_rocica))
        return Zrno::OK;
    return PretvoriNapako(GetLastError(), Zrno::NAP_PULZ);
}

int RDogodek::Resetiraj() {
    if (ResetEvent(m_rocica))
        return Zrno::OK;
    return PretvoriNapako(GetLastError(), Zrno::NAP_PONASTAVI);
}
