// The library's own C runtime locale. The application shares msvcrt with us, so the library keeps its
// locale in a private _locale_t and uses the _l forms of the runtime functions; setlocale is never called.
// The layout of msvcrt's locale records is read in frame/Locale.cpp only.
#ifndef ZRNO_NOTRANJE_FRAME_LOCALE_H
#define ZRNO_NOTRANJE_FRAME_LOCALE_H

#include "frame/win.h"
#include <locale.h>
#include <time.h>

namespace Zrno::Notranje {

/// The library's locale (code page 1250 after start-up); never null.
_locale_t Locale();

/// strftime with the day and month names of the library's locale: the length written without the
/// terminator, or 0 when the text does not fit (also when it is empty or the format invalid).
size_t Strftime(char *medpomnilnik, size_t velikost, const char *oblika, const tm *cas);

} // namespace Zrno::Notranje

#endif
