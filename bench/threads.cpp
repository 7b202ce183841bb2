// Threads against the system calls they wrap: a request round trip through a message thread, an
// uncontended mutex lock and release through the scoped holder, and a three-stage pipeline, each
// against the same job written with PostThreadMessage, GetMessage and the wait functions directly.
#include <windows.h>
#include "harness.h"
#include <zrno/threads.h>

namespace {

constexpr unsigned int k_obhodi = 5000;
constexpr unsigned int k_zaklepi = 20000;
constexpr unsigned int k_elementi = 20000;
constexpr UINT k_zahteva = 0x1400 + 1;

// ---- request round trip: post, handle, signal back

class Odmev : public RDogNit {
  public:
    RDogodek odgovor;

  protected:
    unsigned int RokovalnikOznak(unsigned int, unsigned int, void *) override {
        odgovor.Odkleni();
        return 0;
    }
};

Odmev *g_odmev;
HANDLE g_odgovor;
DWORD g_surova;

DWORD WINAPI SurovOdmev(void *pripravljen) {
    MSG m;
    PeekMessageA(&m, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    SetEvent(pripravljen);
    while (GetMessageA(&m, nullptr, 0, 0) != -1)
        SetEvent(g_odgovor);
    return 0;
}

// Both ends of each round trip share one processor: on a loaded machine, whether the two threads land
// on one core or two otherwise decides the time more than the code does.
struct NaEnemJedru {
    DWORD_PTR prej = SetThreadAffinityMask(GetCurrentThread(), 1);
    ~NaEnemJedru() { SetThreadAffinityMask(GetCurrentThread(), prej); }
};

void ObhodPriprava() {
    g_odmev = new Odmev;
    g_odmev->Odpri(0, nullptr, NIT_TECE, 0);
    SetThreadAffinityMask(g_odmev->VrniRocico(), 1);
    g_odgovor = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    HANDLE pripravljen = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    HANDLE surova = CreateThread(nullptr, 0, SurovOdmev, pripravljen, 0, &g_surova);
    SetThreadAffinityMask(surova, 1);
    CloseHandle(surova);
    WaitForSingleObject(pripravljen, INFINITE);
    CloseHandle(pripravljen);
}

void ObhodNas() {
    NaEnemJedru jedro;
    for (unsigned int i = 0; i < k_obhodi; ++i) {
        g_odmev->Sporoci(1, i, nullptr);
        g_odmev->odgovor.Zakleni(0xFFFFFFFF);
    }
}

void ObhodSurov() {
    NaEnemJedru jedro;
    for (unsigned int i = 0; i < k_obhodi; ++i) {
        PostThreadMessageA(g_surova, k_zahteva, i, 0);
        WaitForSingleObject(g_odgovor, INFINITE);
    }
}

// ---- uncontended lock and release

RNevarenOdsek *g_odsek;

void ZaklepPriprava() { g_odsek = new RNevarenOdsek; }

void ZaklepNas() {
    for (unsigned int i = 0; i < k_zaklepi; ++i) {
        RCakalnik c(*g_odsek, true);
    }
}

void ZaklepSurov() {
    HANDLE m = g_odsek->VrniRocico();
    for (unsigned int i = 0; i < k_zaklepi; ++i) {
        WaitForSingleObject(m, INFINITE);
        ReleaseMutex(m);
    }
}

// ---- three-stage pipeline: each stage passes the item on; the last signals when all have arrived

class Stopnja : public RStopnjaCevovoda {
  public:
    RDogodek konec;
    unsigned int prejetih = 0;

  protected:
    unsigned int RokovalnikOznak(unsigned int koda, unsigned int vrednost, void *) override {
        if (m_naslednja)
            m_naslednja->Sporoci(koda, vrednost + 1, nullptr);
        else if (++prejetih == k_elementi) {
            prejetih = 0;
            konec.Odkleni();
        }
        return 0;
    }
};

Stopnja *g_stopnje[3];
DWORD g_surove[3];
HANDLE g_surovKonec;

DWORD WINAPI SurovaStopnja(void *p) {
    const int i = static_cast<int>(reinterpret_cast<INT_PTR>(p));
    MSG m;
    PeekMessageA(&m, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    unsigned int prejetih = 0;
    while (GetMessageA(&m, nullptr, 0, 0) != -1) {
        if (m.message != k_zahteva)
            continue;
        if (i < 2)
            PostThreadMessageA(g_surove[i + 1], m.message, m.wParam + 1, 0);
        else if (++prejetih == k_elementi) {
            prejetih = 0;
            SetEvent(g_surovKonec);
        }
    }
    return 0;
}

void CevovodPriprava() {
    g_stopnje[2] = new Stopnja;
    g_stopnje[1] = new Stopnja;
    g_stopnje[0] = new Stopnja;
    g_stopnje[0]->UporabiNaslednjo(g_stopnje[1]);
    g_stopnje[1]->UporabiNaslednjo(g_stopnje[2]);
    for (Stopnja *s : g_stopnje)
        s->Odpri(0, nullptr, NIT_TECE, 0);
    g_surovKonec = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    for (int i = 2; i >= 0; --i)
        CloseHandle(CreateThread(nullptr, 0, SurovaStopnja, reinterpret_cast<void *>(INT_PTR(i)), 0, &g_surove[i]));
    // The plain stages have no handshake: post until each queue exists.
    for (DWORD id : g_surove)
        while (!PostThreadMessageA(id, WM_NULL, 0, 0))
            Sleep(1);
}

// Windows refuses posts beyond 10 000 per queue; back off until the stage catches up.
void CevovodNas() {
    for (unsigned int i = 0; i < k_elementi; ++i)
        while (g_stopnje[0]->Sporoci(1, i, nullptr) != 0)
            Sleep(0);
    g_stopnje[2]->konec.Zakleni(0xFFFFFFFF);
}

void CevovodSurov() {
    for (unsigned int i = 0; i < k_elementi; ++i)
        while (!PostThreadMessageA(g_surove[0], k_zahteva, i, 0))
            Sleep(0);
    WaitForSingleObject(g_surovKonec, INFINITE);
}

} // namespace

ZRNO_BENCH_PRIPRAVA(obhod, "RDogNit round trip x5000", "PostThreadMessage", ObhodNas, ObhodSurov, ObhodPriprava)
ZRNO_BENCH_PRIPRAVA(zaklep, "RCakalnik on RNevarenOdsek x20000", "WaitFor/ReleaseMutex", ZaklepNas, ZaklepSurov,
                    ZaklepPriprava)
ZRNO_BENCH_PRIPRAVA(cevovod, "RStopnjaCevovoda 3 stages x20000 items", "PostThreadMessage", CevovodNas,
                    CevovodSurov, CevovodPriprava)
