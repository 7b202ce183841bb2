// Start-up and shut-down of the library, version queries and the module entry point.
#include "frame/cas.h"
#include "frame/locale.h"
#include "frame/verzija.h"
#include "frame/win.h"
#include <zrno/frame.h>
#include <zrno/strings/RNizA.h>

namespace {

unsigned int g_stevec; // guarded by g_zagon
T_VERZIJAOS g_verzijaOS;
HMODULE g_kernel;
Zrno::Notranje::PrecizniCasFn g_precizniCas;
HINSTANCE g_modul;

// Vzpostavi and Zakljuci are public and counted, so they may race. A start must not answer before the
// socket layer it counts on is up, so the lock covers each call whole, not just the count. XP has no
// SRW lock or one-time initialisation; the critical section is made by the static initialisation,
// which the runtime runs before the entry point and so before any caller, and recursion lets the
// detach force the count and shut down under one hold.
class Zagon {
  public:
    Zagon() { InitializeCriticalSection(&m_odsek); }
    ~Zagon() { DeleteCriticalSection(&m_odsek); }
    void Zakleni() { EnterCriticalSection(&m_odsek); }
    void Odkleni() { LeaveCriticalSection(&m_odsek); }

  private:
    CRITICAL_SECTION m_odsek;
} g_zagon;

class Drzi {
  public:
    explicit Drzi(bool zares = true) : m_zares(zares) {
        if (m_zares)
            g_zagon.Zakleni();
    }
    ~Drzi() {
        if (m_zares)
            g_zagon.Odkleni();
    }
    Drzi(const Drzi &) = delete;
    Drzi &operator=(const Drzi &) = delete;

  private:
    bool m_zares;
};

T_VERZIJAOS Razvrsti(const OSVERSIONINFOA &v) {
    switch (v.dwPlatformId) {
    case VER_PLATFORM_WIN32s: return OS_WIN32S;
    case VER_PLATFORM_WIN32_WINDOWS:
        return v.dwMinorVersion < 10 ? OS_WIN95 : v.dwMinorVersion < 90 ? OS_WIN98 : OS_WINME;
    case VER_PLATFORM_WIN32_NT:
        if (v.dwMajorVersion < 4)
            return OS_NT3;
        if (v.dwMajorVersion == 4)
            return OS_NT4;
        // From 5 on only the minor version counts, so 6.0 reads as 2000 and 6.1 as XP.
        return v.dwMinorVersion == 0 ? OS_WIN2000 : v.dwMinorVersion == 1 ? OS_WINXP : OS_WIN2003;
    default: return OS_WIN2003;
    }
}

void NaloziKernel() {
    // One place beyond the 520 the system may fill: a 519-character directory plus its backslash
    // leaves no room for the name, and lstrcpynA given no room would not terminate the path either.
    char pot[520 + 1];
    UINT n = GetSystemDirectoryA(pot, 520);
    if (n >= 1 && n <= 519)
        pot[n++] = '\\';
    else
        n = 0;
    lstrcpynA(pot + n, "KERNEL32.DLL", static_cast<int>(sizeof pot - n));
    g_kernel = LoadLibraryExA(pot, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (g_kernel)
        g_precizniCas = reinterpret_cast<Zrno::Notranje::PrecizniCasFn>(
            reinterpret_cast<void *>(GetProcAddress(g_kernel, "GetSystemTimeAsFileTime")));
}

// A failed start at load time must be visible to someone: there is no caller to return a code to. The
// texts come from this module's own string table in the user's language.
void SporociNeuspeh(int koda) {
    RNizA naslov, sporocilo;
    naslov.NastaviV(g_modul, 1, KJ2_PRIVZETI);
    sporocilo.OblikujV(g_modul, 2, KJ2_PRIVZETI, koda);
#ifdef ZRNO_PREIZKUS_ZAGONA
    // The test build hands the texts to the loading process instead of showing them.
    SetEnvironmentVariableA("ZRNO_ZAGON_NASLOV", naslov);
    SetEnvironmentVariableA("ZRNO_ZAGON_SPOROCILO", sporocilo);
#else
    MessageBoxA(nullptr, sporocilo, naslov, MB_ICONERROR);
#endif
}

} // namespace

Zrno::Notranje::PrecizniCasFn Zrno::Notranje::PrecizniCas() { return g_precizniCas; }

int Zrno::Vzpostavi() {
    Drzi drzi;
    NastaviLocale(LC_ALL, ".1250");
    if (g_stevec++ != 0)
        return OK;
    WSADATA wsa;
#ifdef ZRNO_PREIZKUS_ZAGONA
    // The test build can be told to find the socket layer refusing to start.
    if (GetEnvironmentVariableA("ZRNO_ZAGON_ZAVRNI", nullptr, 0))
        return NAP_VTICNICE;
#endif
    if (WSAStartup(0x0101, &wsa) != 0)
        return NAP_VTICNICE;
    OSVERSIONINFOA v;
    v.dwOSVersionInfoSize = sizeof v; // 148: the narrow structure
    if (!GetVersionExA(&v)) {
        WSACleanup();
        return NAP_VERZIJAOS;
    }
    g_verzijaOS = Razvrsti(v);
    NaloziKernel();
    return OK;
}

namespace {

int Ustavi() {
    if (g_stevec == 0)
        return Zrno::OK_NICNAREDITI;
    if (--g_stevec != 0)
        return Zrno::OK;
    if (g_kernel) {
        g_precizniCas = nullptr;
        FreeLibrary(g_kernel);
        g_kernel = nullptr;
    }
    WSACleanup();
    return Zrno::OK;
}

} // namespace

int Zrno::Zakljuci() {
    Drzi drzi;
    return Ustavi();
}

T_VERZIJAOS Zrno::VrniVerzijoOS() { return g_verzijaOS; }

int Zrno::VrniVerzijo(unsigned int *packed, unsigned int *major, unsigned int *minor, unsigned int *third,
                      unsigned int *fourth, char **const text) {
    static char k_verzija[] = ZRNO_VERZIJA_KRATKA;
    if (packed)
        *packed = ZRNO_VERZIJA_1 << 24 | ZRNO_VERZIJA_2 << 16 | ZRNO_VERZIJA_3 << 8 | ZRNO_VERZIJA_4;
    if (major)
        *major = ZRNO_VERZIJA_1;
    if (minor)
        *minor = ZRNO_VERZIJA_2;
    if (third)
        *third = ZRNO_VERZIJA_3;
    if (fourth)
        *fourth = ZRNO_VERZIJA_4;
    if (text)
        *text = k_verzija;
    return OK;
}

unsigned int Zrno::IzpisiDiagnosticnoSp(char const *, ...) { return 0; }
unsigned int Zrno::IzpisiDiagnosticnoSp(unsigned short const *, ...) { return 0; }

// Everything here runs under the loader lock: WSAStartup (which loads the socket provider's modules),
// LoadLibraryExA of the kernel module and FreeLibrary at detach, and the message box of a failed start.
// The loader takes them recursively from this thread, but a thread of ours waiting for another that
// needs the loader would deadlock; none is started here.
extern "C" BOOL WINAPI DllMain(HINSTANCE modul, DWORD razlog, LPVOID ob_izhodu) {
    switch (razlog) {
    case DLL_PROCESS_ATTACH: {
        g_modul = modul;
        int r = Zrno::Vzpostavi();
        if (r < 0) {
            SporociNeuspeh(r);
            return FALSE;
        }
        return TRUE;
    }
    case DLL_PROCESS_DETACH: {
        // At process exit the other threads are gone already, perhaps one of them inside Vzpostavi with
        // the lock held: only an unload by FreeLibrary can meet a live caller.
        Drzi drzi(ob_izhodu == nullptr);
        g_stevec = 1;
        Ustavi();
        return TRUE;
    }
    default: return TRUE;
    }
}
