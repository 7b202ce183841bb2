// Semaphores.
#include "frame/win.h"
#include <zrno/threads/RSemafor.h>

RSemafor::RSemafor(unsigned int zacetno, unsigned int najvec, char const *ime)
    : RSinhronizator(CreateSemaphoreA(nullptr, static_cast<LONG>(zacetno), static_cast<LONG>(najvec), ime)) {}

RSemafor::RSemafor(void *rocica) : RSinhronizator(rocica) {}

RSemafor::~RSemafor() {}

int RSemafor::Odkleni() { return Odkleni(1); }

int RSemafor::Odkleni(unsigned int stevilo) {
    if (ReleaseSemaphore(m_rocica, static_cast<LONG>(stevilo), nullptr))
        return Zrno::OK;
    return PretvoriNapako(GetLastError(), Zrno::NAP_ODKLEPANJE);
}
