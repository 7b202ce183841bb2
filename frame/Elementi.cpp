// The three roots of the class tree. Only RSisElement talks to the system.
#include "frame/win.h"
#include <zrno/frame.h>

RElement::~RElement() {}
RIzpElement::~RIzpElement() {}
RSisElement::~RSisElement() {}

int RSisElement::Uporabi(void *rocica) {
    m_rocica = rocica;
    return Zrno::OK;
}

void *RSisElement::Odpusti() {
    void *h = m_rocica;
    m_rocica = INVALID_HANDLE_VALUE;
    return h;
}

int RSisElement::Zapri() {
    if (!JeVeljaven())
        return Zrno::OK_NICNAREDITI;
    int r = Zapri(m_rocica);
    if (r == Zrno::OK)
        m_rocica = INVALID_HANDLE_VALUE;
    return r;
}

int RSisElement::Podvoji(bool dedna, void **kopija) {
    return Podvoji(m_rocica, dedna, kopija);
}

int RSisElement::Zapri(void *rocica) {
    if (CloseHandle(rocica))
        return Zrno::OK;
    return PretvoriNapako(GetLastError(), Zrno::NAP_ZAPIRANJE);
}

int RSisElement::Podvoji(void *rocica, bool dedna, void **kopija) {
    HANDLE proces = GetCurrentProcess();
    if (DuplicateHandle(proces, rocica, proces, kopija, 0, dedna, DUPLICATE_SAME_ACCESS))
        return Zrno::OK;
    DWORD e = GetLastError();
    *kopija = INVALID_HANDLE_VALUE;
    return PretvoriNapako(e, Zrno::NAP_PODVOJI);
}
