// Events.
#include "frame/Napake.h"
#include "frame/win.h"
#include <zrno/threads/RDogodek.h>

using Zrno::Notranje::Izid;

RDogodek::RDogodek(unsigned int zastavice, char const *ime)
    : RSinhronizator(CreateEventA(nullptr, (zastavice & ROCNI) != 0, (zastavice & SIGNALIZIRAN) != 0, ime)) {}

RDogodek::RDogodek(void *rocica) : RSinhronizator(rocica) {}

RDogodek::~RDogodek() {}

int RDogodek::Odkleni() { return Izid(SetEvent(m_rocica), Zrno::NAP_ODKLEPANJE); }

int RDogodek::Impulz() { return Izid(PulseEvent(m_rocica), Zrno::NAP_PULZ); }

int RDogodek::Resetiraj() { return Izid(ResetEvent(m_rocica), Zrno::NAP_PONASTAVI); }
