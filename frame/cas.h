// The precise system time function, looked up in KERNEL32 at start-up; null before start-up, after the
// last shut-down, or on systems without it.
#ifndef ZRNO_FRAME_CAS_H
#define ZRNO_FRAME_CAS_H

#include "frame/win.h"

namespace Zrno::Notranje {

using PrecizniCasFn = void(WINAPI *)(FILETIME *);
PrecizniCasFn PrecizniCas();

} // namespace Zrno::Notranje

#endif
