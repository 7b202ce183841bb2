#include "streams/Oblikuj.h"
#include "frame/locale.h"
#include <stdarg.h>
#include <wchar.h>

// mingw's stdio.h only declares the narrow _l form for the UCRT; msvcrt.dll exports it all the same.
extern "C" __declspec(dllimport) int __cdecl _vsnprintf_l(char *, size_t, char const *, _locale_t, va_list);
extern "C" __declspec(dllimport) int __cdecl _vscprintf_l(char const *, _locale_t, va_list);

namespace Zrno::Notranje {

int OmejenoOblikuj(char *cilj, size_t stevilo, char const *oblika, char *argumenti) {
    // On Windows a va_list is a plain pointer into the caller's frame, so every attempt reads the
    // arguments from the start without va_copy.
    return _vsnprintf_l(cilj, stevilo, oblika, Locale(), reinterpret_cast<va_list>(argumenti));
}

int OmejenoOblikuj(unsigned short *cilj, size_t stevilo, unsigned short const *oblika, char *argumenti) {
    return _vsnwprintf_l(reinterpret_cast<wchar_t *>(cilj), stevilo,
                         reinterpret_cast<wchar_t const *>(oblika), Locale(),
                         reinterpret_cast<va_list>(argumenti));
}

// The counting forms return -1 only for a format they cannot produce at all.
bool OblikaNapacna(char const *oblika, char *argumenti) {
    return _vscprintf_l(oblika, Locale(), reinterpret_cast<va_list>(argumenti)) < 0;
}

bool OblikaNapacna(unsigned short const *oblika, char *argumenti) {
    return _vscwprintf_l(reinterpret_cast<wchar_t const *>(oblika), Locale(),
                         reinterpret_cast<va_list>(argumenti)) < 0;
}

} // namespace Zrno::Notranje
