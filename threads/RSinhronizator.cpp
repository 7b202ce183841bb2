// The waitable object: waits, and the shared ownership of its handle among copies.
#include "frame/Lastnina.h"
#include "frame/win.h"
#include <zrno/threads/RSinhronizator.h>

// Copies share the handle: the last owner closes it, and none closes a value that a copy has closed
// already and that may meanwhile name another object.
using Lastnina = Zrno::Notranje::Lastnina<Zrno::Notranje::DeljenaRocica>;

RSinhronizator::RSinhronizator(void *rocica) : RSisElement(rocica) {}

RSinhronizator::RSinhronizator(const RSinhronizator &o) : RElement(o), RSisElement(o) {
    Lastnina::Kopija(m_rocica, &o, this);
}

RSinhronizator &RSinhronizator::operator=(const RSinhronizator &o) {
    if (this != &o)
        Lastnina::Prevzemi(m_rocica, o.m_rocica, &o, this);
    return *this;
}

RSinhronizator::~RSinhronizator() { Lastnina::Izpusti(m_rocica, this); }

int RSinhronizator::Zapri() { return Lastnina::Zapri(m_rocica, this); }

int RSinhronizator::Uporabi(void *rocica) { return Lastnina::Uporabi(m_rocica, rocica, this); }

void *RSinhronizator::Odpusti() { return Lastnina::Odpusti(m_rocica, this); }

int RSinhronizator::Odkleni() { return Zrno::NAP_NIPODPRTO; }

int RSinhronizator::Zakleni(unsigned int cas) {
    // INVALID_HANDLE_VALUE is also the pseudo-handle of the current process, which is waitable: an
    // object that holds no handle would wait for its own process to end.
    if (m_rocica == INVALID_HANDLE_VALUE)
        return PretvoriNapako(ERROR_INVALID_HANDLE, Zrno::NAP_ZAKLEPANJE);
    switch (WaitForSingleObject(m_rocica, cas)) {
    case WAIT_OBJECT_0: return Zrno::OK;
    case WAIT_ABANDONED: return Zrno::OK_NICNAREDITI;
    case WAIT_TIMEOUT: return Zrno::NAP_CASOVNIROK;
    default: return PretvoriNapako(GetLastError(), Zrno::NAP_ZAKLEPANJE);
    }
}
