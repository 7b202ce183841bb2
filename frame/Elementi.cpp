// The three roots of the class tree. Only RSisElement talks to the system.
#include "frame/Lastnina.h"
#include "frame/Napake.h"
#include "frame/win.h"

using Zrno::Notranje::Izid;

using Lastnina = Zrno::Notranje::Lastnina<Zrno::Notranje::Rocica>;

RElement::~RElement() {}
RIzpElement::~RIzpElement() {}
RSisElement::~RSisElement() {}

int RSisElement::Uporabi(void *rocica) { return Lastnina::Uporabi(m_rocica, rocica, this); }

void *RSisElement::Odpusti() { return Lastnina::Odpusti(m_rocica, this); }

int RSisElement::Zapri() { return Lastnina::Zapri(m_rocica, this); }

int RSisElement::Podvoji(bool dedna, void **kopija) {
    return Podvoji(m_rocica, dedna, kopija);
}

int RSisElement::Zapri(void *rocica) { return Izid(CloseHandle(rocica), Zrno::NAP_ZAPIRANJE); }

int RSisElement::Podvoji(void *rocica, bool dedna, void **kopija) {
    HANDLE proces = GetCurrentProcess();
    if (DuplicateHandle(proces, rocica, proces, kopija, 0, dedna, DUPLICATE_SAME_ACCESS))
        return Zrno::OK;
    DWORD e = GetLastError();
    *kopija = INVALID_HANDLE_VALUE;
    return PretvoriNapako(e, Zrno::NAP_PODVOJI);
}
