// Mutexes.
#include "frame/win.h"
#include <zrno/threads/RNevarenOdsek.h>

RNevarenOdsek::RNevarenOdsek(unsigned int zastavice, char const *ime)
    : RSinhronizator(CreateMutexA(nullptr, (zastavice & LASTNISTVO) != 0, ime)) {}

RNevarenOdsek::RNevarenOdsek(void *rocica) : RSinhronizator(rocica) {}

RNevarenOdsek::~RNevarenOdsek() {}

int RNevarenOdsek::Odkleni() {
    if (ReleaseMutex(m_rocica))
        return Zrno::OK;
    return PretvoriNapako(GetLastError(), Zrno::NAP_ODKLEPANJE);
}
