// The waitable object: waits, and the shared ownership of its handle among copies.
#include "frame/Deljeno.h"
#include "frame/win.h"
#include <zrno/threads/RSinhronizator.h>

namespace Deljeno = Zrno::Notranje::Deljeno;
using Zrno::Notranje::Vir;

RSinhronizator::RSinhronizator(void *rocica) : RSisElement(rocica) {}

RSinhronizator::RSinhronizator(const RSinhronizator &o) : RElement(o), RSisElement(o) {
    Deljeno::Deli(Vir::Rocica, m_rocica, &o, this);
}

RSinhronizator &RSinhronizator::operator=(const RSinhronizator &o) {
    if (this == &o)
        return *this;
    if (Deljeno::Prevzemi(Vir::Rocica, m_rocica, o.m_rocica, &o, this))
        RSisElement::Zapri(); // the handle held before, closed by its last owner
    m_rocica = o.m_rocica;
    return *this;
}

RSinhronizator::~RSinhronizator() {
    // Only the last owner closes, and none closes a value that a copy has closed already and that may
    // meanwhile name another object.
    if (Deljeno::Izpusti(Vir::Rocica, m_rocica, this))
        RSisElement::Zapri();
}

int RSinhronizator::Zapri() {
    void *rocica = m_rocica;
    if (Deljeno::JeMrtva(Vir::Rocica, rocica, this))
        return Zrno::NAP_ROCICA; // what closing a closed handle reports; the value is kept
    const int r = RSisElement::Zapri();
    if (r == Zrno::OK)
        Deljeno::Zaprta(Vir::Rocica, rocica, this);
    return r;
}

int RSinhronizator::Uporabi(void *rocica) {
    // The same value again keeps a live share, but not a dead one: it has since been handed out anew.
    if (rocica != m_rocica || Deljeno::JeMrtva(Vir::Rocica, m_rocica, this))
        Deljeno::Izpusti(Vir::Rocica, m_rocica, this);
    return RSisElement::Uporabi(rocica);
}

void *RSinhronizator::Odpusti() {
    Deljeno::Izpusti(Vir::Rocica, m_rocica, this);
    return RSisElement::Odpusti();
}

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
