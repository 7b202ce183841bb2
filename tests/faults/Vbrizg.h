// Fault injection into Zrno.dll, for the test program's one source: its import table is pointed at wrappers
// (generated from its real imports by ovoji.py) that count the calls and, when armed, fail one call or every
// call from the n-th on with the function's own failure value and last error; the DLL is not changed. They
// keep each function's exact type, __stdcall on i686 included, taken from the system headers by decltype.
#ifndef ZRNO_TESTS_FAULTS_VBRIZG_H
#define ZRNO_TESTS_FAULTS_VBRIZG_H

#include <winsock2.h> // before windows.h

#include <algorithm>
#include <atomic>
#include <errno.h>
#include <iterator>
#include <oleauto.h>
#include <process.h>
#include <string.h>
#include <string>
#include <tuple>
#include <vector>
#include <windows.h>
#include <winver.h>
#include <zrno/frame.h>

namespace Vbrizg {
namespace {

enum Nacin { IZKLOP, ENKRAT, ODTLEJ };

const long ZRNO_NAPAKA_VRNI = 0x7EADBEEF; // the failure returns the error code itself

struct Vnos {
    const char *dll, *ime, *skupina;
    void *ovoj;
    void **izvirna;
    long long vrednost;
    unsigned long napaka;
    char kako;
};

std::atomic<int> g_nacin{IZKLOP};
std::atomic<long> g_stevec{0}, g_neuspelih{0};
long g_n = 0;
// ZRNO_VRSTA names a function or a group (pomnilnik, datoteke, zapiranje, ...): only its calls count and fail.
const char *const g_vrsta = getenv("ZRNO_VRSTA");
// The failed calls' names in order. A wrapper takes no lock and touches no heap: the library suspends
// threads (a message thread started frozen), and one stopped inside either would stop every other.
const char *g_neuspeli[1 << 16];
// Whether a close failed since Vklopi: the handle stays open, and a temporary one (a search, a key) whose
// owner has no later chance to close it is lost, as it would be on a real failure.
std::atomic<bool> g_zapiranje{false};

template <class R> R Neuspeh(const Vnos &v) {
    switch (v.kako) {
    case 'L': SetLastError(v.napaka); break;
    case 'W': WSASetLastError(int(v.napaka)); break;
    case 'C': errno = int(v.napaka), SetLastError(ERROR_NOT_ENOUGH_MEMORY); break;
    }
    return (R)(intptr_t)(v.vrednost == ZRNO_NAPAKA_VRNI ? (long long)v.napaka : v.vrednost); // or a pointer
}

bool Sprozi(Vnos &v) {
    const int nacin = g_nacin;
    if (g_vrsta && *g_vrsta && strcmp(g_vrsta, v.ime) && strcmp(g_vrsta, v.skupina))
        return false;
    if (long k = ++g_stevec; !(nacin == ENKRAT ? k == g_n : nacin == ODTLEJ && k >= g_n))
        return false;
    g_zapiranje = g_zapiranje || !strcmp(v.skupina, "zapiranje");
    if (long i = g_neuspelih++; i < long(std::size(g_neuspeli)))
        g_neuspeli[i] = v.ime;
    return true;
}

extern Vnos g_vnosi[];

template <class F, int I> struct Ovoj;
template <class R, class... A, int I> struct Ovoj<R(WINAPI *)(A...), I> {
    static inline R(WINAPI *izvirna)(A...);
    static R WINAPI Klic(A... a) { return Sprozi(g_vnosi[I]) ? Neuspeh<R>(g_vnosi[I]) : izvirna(a...); }
};
#ifndef _WIN64
template <class R, class... A, int I> struct Ovoj<R(__cdecl *)(A...), I> {
    static inline R(__cdecl *izvirna)(A...);
    static R __cdecl Klic(A... a) { return Sprozi(g_vnosi[I]) ? Neuspeh<R>(g_vnosi[I]) : izvirna(a...); }
};
#endif

// Every row takes one __COUNTER__ value, so a wrapper finds its row by it.
constexpr int g_prvi = __COUNTER__ + 1;
template <class F, int I, class O = Ovoj<F, I - g_prvi>>
Vnos Vrsta(const char *dll, const char *ime, long long vrednost, unsigned long napaka, char kako,
           const char *skupina) {
    return {dll, ime, skupina, (void *)&O::Klic, (void **)&O::izvirna, vrednost, napaka, kako};
}
#define ZRNO_OVOJ(dll, ime, vrednost, napaka, kako, skupina)                                                 \
    Vrsta<decltype(&::ime), __COUNTER__>(dll, #ime, vrednost, napaka, kako, skupina),
#define ZRNO_MIMO(dll, ime) {dll, ime, nullptr, nullptr, nullptr, 0 * __COUNTER__, 0, 0},
#define ZRNO_NEZNAN(dll, ime) {dll, ime, "?", nullptr, nullptr, 0 * __COUNTER__, 0, 0},
Vnos g_vnosi[] = {
#include "ovoji.inc"
};

// The blocks the DLL holds on its private heap, counted at its own calls: Wine 10's low-fragmentation heap
// keeps a group block once a size has been asked often enough and hides the blocks inside groups from
// HeapWalk, so a walk can neither see every leak nor tell a cache from one.
std::atomic<long> g_bloki{0};
void *g_alloc, *g_free;
LPVOID WINAPI SlediAlloc(HANDLE h, DWORD f, SIZE_T n) {
    void *p = reinterpret_cast<decltype(&HeapAlloc)>(g_alloc)(h, f, n);
    g_bloki += p && h == zgetheap();
    return p;
}
BOOL WINAPI SlediFree(HANDLE h, DWORD f, LPVOID p) {
    BOOL ok = reinterpret_cast<decltype(&HeapFree)>(g_free)(h, f, p);
    g_bloki -= ok && p && h == zgetheap();
    return ok;
}

/// Rewrites the DLL's imports once; the names it imports that the fault table does not know.
std::vector<std::string> Namesti() {
    std::vector<std::string> neznane;
    auto baza = reinterpret_cast<unsigned char *>(GetModuleHandleA("Zrno.dll"));
    auto nt =
        reinterpret_cast<IMAGE_NT_HEADERS *>(baza + reinterpret_cast<IMAGE_DOS_HEADER *>(baza)->e_lfanew);
    auto &smer = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR *>(baza + smer.VirtualAddress); d->Name; ++d) {
        auto imena = reinterpret_cast<IMAGE_THUNK_DATA *>(baza + d->OriginalFirstThunk);
        auto naslovi = reinterpret_cast<IMAGE_THUNK_DATA *>(baza + d->FirstThunk);
        for (; imena->u1.AddressOfData; ++imena, ++naslovi) {
            const char *ime = reinterpret_cast<IMAGE_IMPORT_BY_NAME *>(baza + imena->u1.AddressOfData)->Name;
            Vnos *v = std::find_if(std::begin(g_vnosi), std::end(g_vnosi), [&](Vnos &w) {
                return !strcmp(w.ime, ime) && !_stricmp(w.dll, reinterpret_cast<char *>(baza + d->Name));
            });
            if (v == std::end(g_vnosi) || (v->skupina && !v->ovoj)) {
                neznane.push_back(ime);
                continue;
            }
            void *ovoj = v->ovoj, *sistem = reinterpret_cast<void *>(naslovi->u1.Function);
            if (ovoj)
                *v->izvirna = sistem;
            for (auto [sledeno, sled, naprej] : {std::tuple{"HeapAlloc", (void *)&SlediAlloc, &g_alloc},
                                                 std::tuple{"HeapFree", (void *)&SlediFree, &g_free}})
                if (!strcmp(ime, sledeno))
                    *naprej = ovoj ? ovoj : sistem, ovoj = sled;
            if (!ovoj)
                continue;
            DWORD prej;
            VirtualProtect(&naslovi->u1.Function, sizeof(void *), PAGE_READWRITE, &prej);
            naslovi->u1.Function = reinterpret_cast<uintptr_t>(ovoj);
            VirtualProtect(&naslovi->u1.Function, sizeof(void *), prej, &prej);
        }
    }
    return neznane;
}

/// From now on the calls are counted; the n-th fails (ENKRAT) or every one from the n-th on (ODTLEJ).
/// IZKLOP only counts.
void Vklopi(Nacin nacin, long n) {
    g_nacin = IZKLOP, g_n = n, g_stevec = 0, g_neuspelih = 0, g_zapiranje = false, g_nacin = nacin;
}

/// Stops failing; returns the calls counted since Vklopi.
long Izklopi() { return g_nacin = IZKLOP, g_stevec.exchange(0); }

/// The functions failed since Vklopi, in order, repeats folded ("ReadFile x3").
std::string Neuspeli() {
    std::string s;
    const long n = std::min<long>(g_neuspelih, std::size(g_neuspeli));
    for (long i = 0, j; i < n; i = j) {
        j = std::find_if(g_neuspeli + i, g_neuspeli + n, [&](const char *f) { return f != g_neuspeli[i]; }) -
            g_neuspeli;
        s += (s.empty() ? "" : " ") + std::string(g_neuspeli[i] ? g_neuspeli[i] : "?") +
             (j - i > 1 ? " x" + std::to_string(j - i) : "");
    }
    return s;
}

} // namespace
} // namespace Vbrizg

#endif
