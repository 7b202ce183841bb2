// Handles of the service control manager, shared by the manager and service wrappers.
#ifndef ZRNO_SYSTEM_SCMROCICA_H
#define ZRNO_SYSTEM_SCMROCICA_H

#include "frame/win.h"
#include <zrno/frame.h>

namespace Zrno::Notranje {

/// The value to hand to the service control manager. Wine's RPC marshalling faults on the all-ones
/// "no handle" value instead of failing with ERROR_INVALID_HANDLE as Windows does; 0 fails the
/// same way on both, so it stands in for it.
inline SC_HANDLE ScmRocica(void *rocica) {
    return rocica == INVALID_HANDLE_VALUE ? nullptr : static_cast<SC_HANDLE>(rocica);
}

/// CloseServiceHandle: on success the handle becomes -1 and the result 0; on failure it stays and
/// the result is the mapped error, default NAP_ZAPIRANJE.
inline int ZapriScm(void *&rocica) {
    if (!CloseServiceHandle(ScmRocica(rocica)))
        return PretvoriNapako(GetLastError(), NAP_ZAPIRANJE);
    rocica = INVALID_HANDLE_VALUE;
    return OK;
}

/// The result of a call that reports success as non-zero: 0, or the thread's last error mapped.
inline int Izid(BOOL uspeh, int privzeta) { return uspeh ? OK : PretvoriNapako(GetLastError(), privzeta); }

} // namespace Zrno::Notranje

#endif
