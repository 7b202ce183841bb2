// The runtime's bounded formatter for both character widths, with the library's locale, as the strings
// use it. It writes at most stevilo characters and returns the output length (terminated), exactly
// stevilo (unterminated), or a negative number when the output does not fit.
#ifndef ZRNO_STREAMS_OBLIKUJ_H
#define ZRNO_STREAMS_OBLIKUJ_H

#include "strings/Znaki.h"

namespace Zrno::Notranje {

// A va_list is a plain pointer into the caller's frame on Windows, so every attempt reads the
// arguments from the start without va_copy.
template <typename T> int OmejenoOblikuj(T *cilj, size_t stevilo, T const *oblika, char *argumenti) {
    return Znaki<T>::Oblikuj(cilj, stevilo, oblika, Locale(), reinterpret_cast<va_list>(argumenti));
}

/// True when the formatter fails for a reason other than room (a character it cannot convert), so
/// that a growth loop must stop.
template <typename T> bool OblikaNapacna(T const *oblika, char *argumenti) {
    return Znaki<T>::Izmeri(oblika, Locale(), reinterpret_cast<va_list>(argumenti)) < 0;
}

} // namespace Zrno::Notranje

#endif
