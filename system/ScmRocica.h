// Handles of the service control manager, shared by the manager and service wrappers.
#ifndef ZRNO_NOTRANJE_SYSTEM_SCMROCICA_H
#define ZRNO_NOTRANJE_SYSTEM_SCMROCICA_H

#include "frame/Lastnina.h"
#include "frame/Napake.h"
#include "frame/win.h"

namespace Zrno::Notranje {

/// The value to hand to the service control manager. Wine's RPC marshalling faults on the all-ones
/// "no handle" value instead of failing with ERROR_INVALID_HANDLE as Windows does; 0 fails the
/// same way on both, so it stands in for it.
inline SC_HANDLE ScmRocica(void *rocica) {
    return rocica == INVALID_HANDLE_VALUE ? nullptr : static_cast<SC_HANDLE>(rocica);
}

/// A service or manager handle: CloseServiceHandle, -1 afterwards; a failed close keeps it. There is no
/// empty test: closing without a handle asks the manager too, which answers that the handle is invalid.
struct RocicaScm : Rocica {
    static bool JePrazna(void const *) { return false; }
    static int Zapri(void *v) { return Izid(CloseServiceHandle(ScmRocica(v)), NAP_ZAPIRANJE); }
};

} // namespace Zrno::Notranje

#endif
