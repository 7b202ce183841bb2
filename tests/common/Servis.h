// The tests' services: a bounded wait for a state, and a removal that waits until Wine really lets go.
#ifndef ZRNO_TESTS_COMMON_SERVIS_H
#define ZRNO_TESTS_COMMON_SERVIS_H

#include <windows.h>
#include <zrno/system.h>

/// Polls the status until the state or the stopped one comes (changes under Wine take milliseconds), the
/// status cannot be read or rok ms pass; the last status read.
inline SERVICE_STATUS PocakajStanje(RServis &servis, DWORD stanje, DWORD rok = 20000) {
    SERVICE_STATUS s = {};
    for (DWORD zacetek = GetTickCount(); GetTickCount() - zacetek < rok; Sleep(10))
        if (servis.VrniStatus(&s) < 0 || s.dwCurrentState == stanje || s.dwCurrentState == SERVICE_STOPPED)
            break;
    return s;
}

/// Stops and deletes a service; the result of opening it once it is gone (bounded). Wine removes a service
/// marked for deletion only when its last handle is closed and its process has ended, which comes a little
/// after the stopped state.
inline int OdstraniServis(ROskrbnikServisov &oskrbnik, const char *ime, DWORD rok = 20000) {
    RServis star;
    if (star.Odpri(oskrbnik, ime, SERVICE_ALL_ACCESS) == 0) {
        SERVICE_STATUS s;
        if (star.VrniStatus(&s) == 0 && s.dwCurrentState != SERVICE_STOPPED)
            star.Sporoci(SERVICE_CONTROL_STOP, &s), PocakajStanje(star, SERVICE_STOPPED, rok);
        star.Zbrisi(), star.Zapri();
    }
    int r = 0;
    for (DWORD zacetek = GetTickCount(); GetTickCount() - zacetek < rok && r >= 0; Sleep(20)) {
        RServis ostanek;
        if ((r = ostanek.Odpri(oskrbnik, ime, SERVICE_QUERY_STATUS)) >= 0)
            ostanek.Zapri();
    }
    return r;
}

#endif
