// The waitable object: waits, and the shared ownership of its handle among copies.
#include "frame/win.h"
#include "frame/Deljeno.h"
#include <zrno/threads/RSinhronizator.h>

using Zrno::Notranje::Deljeno::Deli;
using Zrno::Notranje::Deljeno::JeMrtva;
using Zrno::Notranje::Deljeno::Izpusti;
using Zrno::Notranje::Vir;
using Zrno::Notranje::Deljeno::Zaprta;

RSinhronizator::RSinhronizator(void *rocica) : RSisElement(rocica) {}

RSinhronizator::RSinhronizator(const RSinhronizator &o) : RElement(o), RSisElement(o) {
    if (JeVeljaven())
        Deli(Vir::Rocica, m_rocica, &o, this);
}

RSinhronizator &RSinhronizator::operator=(const RSinhronizator &o) {
    if (this == &o)
        return *this;
    // The handle held before goes as in the destructor: closed by its last owner.
    const bool zapri = JeVeljaven() && Izpusti(Vir::Rocica, m_rocica, this);
    if (o.JeVeljaven())
        Deli(Vir::Rocica, o.m_rocica, &o, this);
    if (zapri && m_rocica != o.m_rocica)
        RSisElement::Zapri();
    m_rocica = o.m_rocica;
    return *this;
}

RSinhronizator::~RSinhronizator() {
    // Copies share one handle value: only the last owner closes it, and none closes a value that a copy
    // has closed already and that may meanwhile name another object.
    if (JeVeljaven() && Izpusti(Vir::Rocica, m_rocica, this))
        RSisElement::Zapri();
}

int RSinhronizator::Zapri() {
    void *rocica = m_rocica;
    if (JeVeljaven() && JeMrtva(Vir::Rocica, rocica, this))
        return Zrno::NAP_ROCICA; // what closing a closed handle reports; the value is kept
    const int r = RSisElement::Zapri();
    if (r == Zrno::OK)
        Zaprta(Vir::Rocica, rocica, this);
    return r;
}

int RSinhronizator::Uporabi(void *rocica) {
    // The same value again keeps a live share, but not a dead one: it has since been handed out anew.
    if (JeVeljaven() && (rocica != m_rocica || JeMrtva(Vir::Rocica, m_rocica, this)))
        Izpusti(Vir::Rocica, m_rocica, this);
    return RSisElement::Uporabi(rocica);
}

void *RSinhronizator::Odpusti() {
    if (JeVeljaven())
        Izpusti(Vir::Rocica, m_rocica, this);
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
