// The server end of a named pipe.
#include "frame/Napake.h"
#include "frame/win.h"
#include <zrno/streams/RImenovanKanal.h>
#include <zrno/strings.h>

using Zrno::Notranje::Izid;

RImenovanKanal::~RImenovanKanal() {}

int RImenovanKanal::Ustvari(char const *ime, unsigned int nacinOdpiranja, unsigned int nacinKanala,
                            unsigned int primerkov, unsigned int izhodniMedpomnilnik,
                            unsigned int vhodniMedpomnilnik, unsigned int casovniRok) {
    HANDLE h = CreateNamedPipeA(ime, nacinOdpiranja, nacinKanala, primerkov, izhodniMedpomnilnik,
                                vhodniMedpomnilnik, casovniRok, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return m_stanje = Zrno::NAP_ODPIRANJE;
    m_rocica = h;
    return m_stanje = 0;
}

int RImenovanKanal::Sprejmi() {
    // A client that opened the pipe between its creation and this call is reported as
    // ERROR_PIPE_CONNECTED: connected all the same.
    if (!ConnectNamedPipe(m_rocica, nullptr)) {
        const DWORD napaka = GetLastError();
        if (napaka != ERROR_PIPE_CONNECTED)
            return m_stanje = PretvoriNapako(napaka, Zrno::NAP_SPREJEM);
    }
    return m_stanje = 0;
}

int RImenovanKanal::Zakljuci() {
    return m_stanje = Izid(DisconnectNamedPipe(m_rocica), Zrno::NAP_ZAPRIPOVEZAVO);
}

int RImenovanKanal::VrniNaslovVrstnika(RNizA &ime) const {
    char uporabnik[257];
    if (!GetNamedPipeHandleStateA(m_rocica, nullptr, nullptr, nullptr, nullptr, uporabnik,
                                  sizeof uporabnik)) {
        const int r = PretvoriNapako(GetLastError(), Zrno::NAP_RAZRESITEV);
        ime.Sprazni();
        return r;
    }
    ime.Nastavi(uporabnik);
    return 0;
}
