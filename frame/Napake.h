// The one way a failed system call becomes a result code, beside the mapping itself (Napake.cpp).
#ifndef ZRNO_NOTRANJE_FRAME_NAPAKE_H
#define ZRNO_NOTRANJE_FRAME_NAPAKE_H

#include "frame/win.h"
#include <zrno/frame.h>

namespace Zrno::Notranje {

/// For a call that reports success as non-zero (BOOL, or a handle or pointer compared here): 0, or the
/// thread's last error mapped with the operation's default code. Pass the call itself, so that nothing
/// runs between its failure and the reading of the last error.
inline int Izid(BOOL uspeh, int privzeta) { return uspeh ? OK : PretvoriNapako(GetLastError(), privzeta); }

} // namespace Zrno::Notranje

#endif
