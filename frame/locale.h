// The library's own C runtime locale. The application shares msvcrt with us, so the library keeps its
// locale in a private _locale_t and uses the _l forms of the runtime functions; setlocale is never called.
#ifndef ZRNO_FRAME_LOCALE_H
#define ZRNO_FRAME_LOCALE_H

#include "frame/win.h"
#include <locale.h>

namespace Zrno::Notranje {

/// The library's locale (code page 1250 after start-up); never null.
_locale_t Locale();

} // namespace Zrno::Notranje

#endif
