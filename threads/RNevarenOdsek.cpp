// Mutexes.
#include "frame/Napake.h"
#include "frame/win.h"
#include <zrno/threads/RNevarenOdsek.h>

using Zrno::Notranje::Izid;

RNevarenOdsek::RNevarenOdsek(unsigned int zastavice, char const *ime)
    : RSinhronizator(CreateMutexA(nullptr, (zastavice & LASTNISTVO) != 0, ime)) {}

RNevarenOdsek::RNevarenOdsek(void *rocica) : RSinhronizator(rocica) {}

RNevarenOdsek::~RNevarenOdsek() {}

int RNevarenOdsek::Odkleni() { return Izid(ReleaseMutex(m_rocica), Zrno::NAP_ODKLEPANJE); }
