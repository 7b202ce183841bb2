// The runtime's bounded formatter for both character widths, bound to the library's locale, for the
// parts of the library that format into storage of their own (streams, memory files).
//
// It writes at most stevilo characters and returns the output length (terminated when there was room),
// exactly stevilo (unterminated), or a negative number when the output does not fit, having written
// stevilo characters of it. It is also negative when the output cannot be produced at all (a %S or %C
// argument the code page cannot hold); the counting form tells the two cases apart.
#ifndef ZRNO_NOTRANJE_FRAME_OBLIKUJ_H
#define ZRNO_NOTRANJE_FRAME_OBLIKUJ_H

#include "frame/locale.h"
#include <stdarg.h>
#include <stdio.h>
#include <wchar.h>

namespace Zrno::Notranje {

// A va_list is a plain pointer into the caller's frame on Windows and is passed by value, so every
// attempt reads the arguments from the start without va_copy.
inline int OmejenoOblikuj(char *cilj, size_t stevilo, char const *oblika, char *argumenti) {
    return _vsnprintf_l(cilj, stevilo, oblika, Locale(), reinterpret_cast<va_list>(argumenti));
}
inline int OmejenoOblikuj(unsigned short *cilj, size_t stevilo, unsigned short const *oblika,
                          char *argumenti) {
    return _vsnwprintf_l(reinterpret_cast<wchar_t *>(cilj), stevilo,
                         reinterpret_cast<wchar_t const *>(oblika), Locale(),
                         reinterpret_cast<va_list>(argumenti));
}

/// The output length in characters without the terminator, writing nothing; negative when the runtime
/// cannot produce the output at all.
inline int IzmeriObliko(char const *oblika, char *argumenti) {
    return _vscprintf_l(oblika, Locale(), reinterpret_cast<va_list>(argumenti));
}
inline int IzmeriObliko(unsigned short const *oblika, char *argumenti) {
    return _vscwprintf_l(reinterpret_cast<wchar_t const *>(oblika), Locale(),
                         reinterpret_cast<va_list>(argumenti));
}

/// Whether a string formatted by RNizOP lacks part of the output: a refused growth keeps what fitted
/// without saying so, and only a text that fills its buffer can have been cut.
template <class N, class T> bool Odrezano(N const &niz, T const *oblika, char *argumenti) {
    return niz.VrniDolzino() + 1 >= niz.VrniKapaciteto() &&
           IzmeriObliko(oblika, argumenti) != static_cast<int>(niz.VrniDolzino());
}

} // namespace Zrno::Notranje

// Defines Razred::ZapisiObl(char const *, ...) and Razred::ZapisiObl(unsigned short const *, ...) over
// the class's own ZapisiOblP: the stream base and the memory file, whose interface declares both pairs.
#define ZRNO_ZAPISIOBL(Razred)                                                                               \
    unsigned int Razred::ZapisiObl(char const *oblika, ...) {                                                \
        va_list a;                                                                                           \
        va_start(a, oblika);                                                                                 \
        unsigned int r = ZapisiOblP(oblika, a);                                                              \
        va_end(a);                                                                                           \
        return r;                                                                                            \
    }                                                                                                        \
    unsigned int Razred::ZapisiObl(unsigned short const *oblika, ...) {                                      \
        va_list a;                                                                                           \
        va_start(a, oblika);                                                                                 \
        unsigned int r = ZapisiOblP(oblika, a);                                                              \
        va_end(a);                                                                                           \
        return r;                                                                                            \
    }

#endif
