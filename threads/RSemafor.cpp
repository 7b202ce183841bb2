// Semaphores.
#include "frame/Napake.h"
#include "frame/win.h"
#include <zrno/threads/RSemafor.h>

using Zrno::Notranje::Izid;

RSemafor::RSemafor(unsigned int zacetno, unsigned int najvec, char const *ime)
    : RSinhronizator(CreateSemaphoreA(nullptr, static_cast<LONG>(zacetno), static_cast<LONG>(najvec), ime)) {}

RSemafor::RSemafor(void *rocica) : RSinhronizator(rocica) {}

RSemafor::~RSemafor() {}

int RSemafor::Odkleni() { return Odkleni(1); }

int RSemafor::Odkleni(unsigned int stevilo) {
    return Izid(ReleaseSemaphore(m_rocica, static_cast<LONG>(stevilo), nullptr), Zrno::NAP_ODKLEPANJE);
}
