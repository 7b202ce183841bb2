// Logs: lines per second through RDnevnikDat into a cached disk file (RMedFizDatoteka), from one thread
// and from eight, against the same lines formatted with _snprintf and written with WriteFile under a
// CRITICAL_SECTION. The file log flushes after every line and serialises with a kernel mutex, as its
// interface promises; that peer does neither, so a second peer does the same lines with a kernel mutex
// and FlushFileBuffers after each, which shows the log's own cost.
#include "harness.h"
#include <stdarg.h>
#include <stdio.h>
#include <string>
#include <thread>
#include <vector>
#include <windows.h>
#include <zrno/streams.h>
#include <zrno/system.h>

namespace {

constexpr int k_vrstic = 2000;
std::string g_nasa, g_tuja;

void Pocisti() {
    DeleteFileA(g_nasa.c_str());
    DeleteFileA(g_tuja.c_str());
}

void Pripravi() {
    if (!g_nasa.empty())
        return;
    char tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, tmp);
    const std::string osnova = std::string(tmp) + "zrno_bench_logs_" + std::to_string(GetCurrentProcessId());
    g_nasa = osnova + "_nasa.log";
    g_tuja = osnova + "_tuja.log";
    atexit(Pocisti);
}

// Runs pisi(t, i) for k_vrstic lines spread over niti threads.
template <class Pisi> void Razdeli(int niti, Pisi pisi) {
    std::vector<std::thread> t;
    for (int n = 0; n < niti; ++n)
        t.emplace_back([=] {
            for (int i = n; i < k_vrstic; i += niti)
                pisi(n, i);
        });
    for (std::thread &x : t)
        x.join();
}

void Nasa(int niti) {
    RMedFizDatoteka datoteka(g_nasa.c_str(), DAT_PISANJE | DAT_USTVARI | DAT_BREZ_DEDOVANJA, 4096);
    RDnevnikDat dnevnik(0, "Bench");
    dnevnik.Uporabi(&datoteka);
    Razdeli(niti, [&](int t, int i) { dnevnik.Zapisi(DNEVNIK_OBVESTILO, "thread %d wrote line %d: %s", t, i, "ok"); });
    dnevnik.Uporabi(nullptr);
    datoteka.Zapri();
}

struct Tuja {
    HANDLE datoteka;
    CRITICAL_SECTION odsek;
    HANDLE mutex; // null: the critical section, without flushing
    const char *vir = "Bench";

    void Zapisi(int prioriteta, const char *oblika, ...) {
        char besedilo[512], vrstica[640];
        va_list a;
        va_start(a, oblika);
        _vsnprintf(besedilo, sizeof besedilo, oblika, a);
        va_end(a);
        SYSTEMTIME c;
        GetSystemTime(&c);
        const int n = _snprintf(vrstica, sizeof vrstica, "%04i/%02u/%02u\t%02u:%02u:%02u\t%u\t%s: %s\n", c.wYear,
                                c.wMonth, c.wDay, c.wHour, c.wMinute, c.wSecond, prioriteta, vir, besedilo);
        DWORD zapisano;
        if (mutex) {
            WaitForSingleObject(mutex, INFINITE);
            WriteFile(datoteka, vrstica, static_cast<DWORD>(n), &zapisano, nullptr);
            FlushFileBuffers(datoteka);
            ReleaseMutex(mutex);
            return;
        }
        EnterCriticalSection(&odsek);
        WriteFile(datoteka, vrstica, static_cast<DWORD>(n), &zapisano, nullptr);
        LeaveCriticalSection(&odsek);
    }
};

void Tuji(int niti, bool izplakni) {
    Tuja t;
    t.datoteka = CreateFileA(g_tuja.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    t.mutex = izplakni ? CreateMutexA(nullptr, FALSE, nullptr) : nullptr;
    InitializeCriticalSection(&t.odsek);
    Razdeli(niti, [&](int n, int i) { t.Zapisi(5, "thread %d wrote line %d: %s", n, i, "ok"); });
    DeleteCriticalSection(&t.odsek);
    if (t.mutex)
        CloseHandle(t.mutex);
    CloseHandle(t.datoteka);
}

void Nasa1() { Nasa(1); }
void Tuja1() { Tuji(1, false); }
void Nasa8() { Nasa(8); }
void Tuja8() { Tuji(8, false); }
void Izplakni1() { Tuji(1, true); }
void Izplakni8() { Tuji(8, true); }

} // namespace

ZRNO_BENCH_PRIPRAVA(dnevnik1, "RDnevnikDat 2000 lines, 1 thread, cached disk file",
                    "_snprintf + WriteFile + CRITICAL_SECTION", Nasa1, Tuja1, Pripravi)
ZRNO_BENCH_PRIPRAVA(dnevnik8, "RDnevnikDat 2000 lines, 8 threads, cached disk file",
                    "_snprintf + WriteFile + CRITICAL_SECTION", Nasa8, Tuja8, Pripravi)
ZRNO_BENCH_PRIPRAVA(dnevnik1i, "RDnevnikDat 2000 lines, 1 thread, cached disk file",
                    "_snprintf + WriteFile + FlushFileBuffers + mutex", Nasa1, Izplakni1, Pripravi)
ZRNO_BENCH_PRIPRAVA(dnevnik8i, "RDnevnikDat 2000 lines, 8 threads, cached disk file",
                    "_snprintf + WriteFile + FlushFileBuffers + mutex", Nasa8, Izplakni8, Pripravi)
