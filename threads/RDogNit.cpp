// The message-loop thread: its start-up handshake, posting requests and the loop itself.
#include "frame/Napake.h"
#include "frame/win.h"
#include <zrno/frame/Pomnilnik.h>
#include <zrno/threads/RDogNit.h>

using Zrno::Notranje::Izid;

namespace {

constexpr UINT k_prvaOznaka = 0x1400; // request 0 is this message; WM_USER + 0x1000

// What RDogNit::Odpri hands its thread: the event to signal once the queue exists and the caller's
// parameter, then for a thread started suspended the event it waits on, already frozen, before it
// goes on to ObZagonu (the thread closes that one). The record is on the private heap and shared: its
// last user frees it, so neither side waits for the other's last touch. odgovor is 1 once the thread
// has signalled, 2 when the signal failed and it ends instead of running its loop. ukaz tells a frozen
// thread, once let on, to go on (1) or to end (2); it stands in for a lost signal on naprej.
struct Zagon {
    HANDLE pripravljen;
    void *parameter;
    HANDLE naprej;
    volatile LONG odgovor;
    volatile LONG ukaz;
    volatile LONG uporabniki;
};

void Izpusti(Zagon *zagon) {
    if (InterlockedDecrement(&zagon->uporabniki) == 0)
        Zrno::SprostiPomnilnik(zagon);
}

bool JeRocica(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }

} // namespace

RDogNit::RDogNit() {}

RDogNit::~RDogNit() {}

int RDogNit::Uporabi(void *rocica, unsigned int koda, unsigned int) { return RNit::Uporabi(rocica, koda); }

int RDogNit::Odpri(unsigned int, void *parameter, T_NITZACETNOSTANJE stanje, unsigned int sklad) {
    Zagon *zagon = static_cast<Zagon *>(Zrno::RezervirajPomnilnik(nullptr, sizeof(Zagon)));
    if (!zagon)
        return Zrno::NAP_POMNILNIK;
    *zagon = {CreateEventA(nullptr, FALSE, FALSE, nullptr), parameter, nullptr, 0, 0, 2};
    const HANDLE pripravljen = zagon->pripravljen;
    // A thread created suspended could not make its queue, and the handshake would wait for ever. It
    // starts running instead, makes its queue, and is frozen here before it reaches ObZagonu.
    const bool zamrznjena = stanje == NIT_ZAMRZNJENA;
    if (!pripravljen || (zamrznjena && !(zagon->naprej = CreateEventA(nullptr, TRUE, FALSE, nullptr)))) {
        const DWORD napaka = GetLastError();
        if (pripravljen)
            CloseHandle(pripravljen);
        Zrno::SprostiPomnilnik(zagon);
        return PretvoriNapako(napaka, Zrno::NAP_USTVARI);
    }
    const HANDLE naprej = zagon->naprej;
    int r = RNit::Odpri(zagon, NIT_TECE, sklad);
    if (r == Zrno::OK) {
        // The signal, or the thread's end; when the wait itself fails, the thread's answer.
        HANDLE cakaj[2] = {pripravljen, m_rocica};
        const DWORD w = WaitForMultipleObjects(2, cakaj, FALSE, INFINITE);
        while (w != WAIT_OBJECT_0 && w != WAIT_OBJECT_0 + 1 &&
               !InterlockedCompareExchange(&zagon->odgovor, 0, 0))
            Sleep(1);
        const bool ok = w == WAIT_OBJECT_0 || (w != WAIT_OBJECT_0 + 1 && zagon->odgovor == 1);
        if (!ok) {
            if (zamrznjena)
                CloseHandle(naprej);
            r = Zrno::NAP_USTVARI;
        } else if (zamrznjena) {
            // The thread waits on naprej; frozen first, it stays before ObZagonu until Odmrzni. Not
            // frozen, it would run unasked: then it is told to end.
            const DWORD zamrzni = SuspendThread(m_rocica);
            if (zamrzni == 0xFFFFFFFF)
                r = PretvoriNapako(GetLastError(), Zrno::NAP_ZAUSTAVI);
            InterlockedExchange(&zagon->ukaz, r == Zrno::OK ? 1 : 2);
            SetEvent(naprej); // a lost signal only delays the thread's next look at ukaz
        }
        Izpusti(zagon);
        if (r != Zrno::OK)
            RNit::Zapri();
    } else {
        if (zamrznjena)
            CloseHandle(naprej);
        Zrno::SprostiPomnilnik(zagon);
    }
    CloseHandle(pripravljen);
    return r;
}

int RDogNit::Sporoci(unsigned int koda, unsigned int vrednost, void *podatki) {
    // Wine accepts a post to thread identifier 0 and drops it; Windows refuses it.
    if (m_koda == 0)
        return PretvoriNapako(ERROR_INVALID_THREAD_ID, Zrno::NAP_NITID);
    return Izid(PostThreadMessageA(m_koda, k_prvaOznaka + koda, vrednost, reinterpret_cast<LPARAM>(podatki)),
                Zrno::NAP_NITID);
}

unsigned int RDogNit::Pozeni(void *parameter) {
    Zagon zagon = {INVALID_HANDLE_VALUE, parameter, nullptr, 0, 0, 0};
    return Izvedi(&zagon);
}

unsigned int RDogNit::Izvedi(void *zapis) {
    // Started through Odkleni there is no record: no handshake and a null parameter.
    const Zagon zagon = zapis ? *static_cast<Zagon *>(zapis) : Zagon{nullptr, nullptr, nullptr, 0, 0, 0};
    MSG sporocilo;
    // Peeking makes the system create this thread's message queue; posts fail until it exists.
    PeekMessageA(&sporocilo, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    if (JeRocica(zagon.pripravljen)) {
        // Without the signal Odpri would report a queue that nobody serves: the thread ends instead.
        Zagon *zapisan = static_cast<Zagon *>(zapis);
        LONG ukaz = SetEvent(zagon.pripravljen) ? 1 : 2;
        InterlockedExchange(&zapisan->odgovor, ukaz);
        if (ukaz == 1 && zagon.naprej) {
            while (!(ukaz = InterlockedCompareExchange(&zapisan->ukaz, 0, 0)))
                if (WaitForSingleObject(zagon.naprej, 10) == WAIT_FAILED)
                    Sleep(10);
            CloseHandle(zagon.naprej);
        }
        Izpusti(zapisan);
        if (ukaz != 1)
            return static_cast<unsigned int>(Zrno::NAP_USTVARI);
    }
    unsigned int rezultat = ObZagonu(zagon.parameter);
    while (rezultat == 0) {
        // GetMessage returns 0 for WM_QUIT, which is handled like any other message here.
        if (GetMessageA(&sporocilo, nullptr, 0, 0) == -1)
            break;
        rezultat = RokovalnikOznak(sporocilo.message - k_prvaOznaka, static_cast<unsigned int>(sporocilo.wParam),
                                   reinterpret_cast<void *>(sporocilo.lParam));
        if (sporocilo.message == k_prvaOznaka)
            break;
    }
    ObZakljucku(zagon.parameter);
    return rezultat;
}

unsigned int RDogNit::ObZagonu(void *) { return 0; }

void RDogNit::ObZakljucku(void *) {}

unsigned int RDogNit::RokovalnikOznak(unsigned int, unsigned int, void *) { return 0; }
