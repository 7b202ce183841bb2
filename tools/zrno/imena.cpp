// Names in UTF-16 from the command line to the system, and in the code page, marked, to the user.
#include "imena.h"
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <windows.h>
#include <zrno/frame.h>

// The C runtime's own parse of the UTF-16 command line: the same rules as its ANSI argv, so the
// elements correspond one to one (mingw-w64 does not expand wildcards unless asked).
extern "C" int __wgetmainargs(int *argc, wchar_t ***argv, wchar_t ***env, int glob, int *startinfo);

namespace zrno_orodje {

namespace {

int g_argc;
char **g_argv;

std::wstring IzKodneStrani(const char *besedilo) {
    std::wstring w(strlen(besedilo), L'\0');
    w.resize(static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, besedilo, static_cast<int>(w.size()), &w[0],
                                                     static_cast<int>(w.size()))));
    return w;
}

} // namespace

void ZapomniArgumente(int argc, char **argv) {
    g_argc = argc;
    g_argv = argv;
}

std::wstring Siroko(const char *argument) {
    static int n = -1;
    static wchar_t **w = nullptr;
    if (n < 0) {
        wchar_t **okolje;
        int zagon = 0;
        if (__wgetmainargs(&n, &w, &okolje, 0, &zagon) != 0 || n != g_argc)
            n = 0;
    }
    for (int i = 0; i < n; ++i)
        if (g_argv[i] == argument) {
            // The element's own conversion, look-alikes and all, must give the runtime's ANSI argument.
            const int d = static_cast<int>(wcslen(w[i]));
            std::string a(static_cast<size_t>(d) * 4, '\0');
            a.resize(static_cast<size_t>(WideCharToMultiByte(CP_ACP, 0, w[i], d, &a[0],
                                                             static_cast<int>(a.size()), nullptr, nullptr)));
            if (a == argument)
                return w[i];
        }
    return IzKodneStrani(argument);
}

std::string VKodnoStran(const wchar_t *besedilo, size_t n, bool *izgubljeno) {
    // UTF-8 as the ANSI code page takes neither the flag nor the question.
    const bool utf8 = GetACP() == CP_UTF8;
    const DWORD zastavice = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const int d = static_cast<int>(n);
    std::string s(static_cast<size_t>(
                      WideCharToMultiByte(CP_ACP, zastavice, besedilo, d, nullptr, 0, nullptr, nullptr)),
                  '\0');
    BOOL privzeti = FALSE;
    WideCharToMultiByte(CP_ACP, zastavice, besedilo, d, &s[0], static_cast<int>(s.size()), nullptr,
                        utf8 ? nullptr : &privzeti);
    if (privzeti)
        *izgubljeno = true;
    return s;
}

bool VKodniStrani(const char *argument) {
    bool izgubljeno = false;
    const std::wstring w = Siroko(argument);
    return VKodnoStran(w.data(), w.size(), &izgubljeno) == argument && !izgubljeno;
}

std::string Ime(const std::wstring &ime) {
    bool izgubljeno = false;
    std::string s = VKodnoStran(ime.data(), ime.size(), &izgubljeno);
    return izgubljeno ? s + Opomba() : s;
}

std::string Ime(const char *argument) { return Ime(Siroko(argument)); }

const char *Opomba() {
    static char opomba[64];
    if (!*opomba)
        snprintf(opomba, sizeof opomba, "   (the name is not in code page %u)", GetACP());
    return opomba;
}

void *OdpriZaBranje(const char *argument, int *koda) {
    if (!strcmp(argument, "-"))
        return GetStdHandle(STD_INPUT_HANDLE);
    HANDLE h = CreateFileW(Siroko(argument).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        *koda = ::PretvoriNapako(GetLastError(), Zrno::NAP_ODPIRANJE);
    return h;
}

} // namespace zrno_orodje
