// System time inside the library: the precise system time function, and FILETIME on the library's time
// scale (milliseconds, JDN x 86 400 000 + milliseconds since midnight).
#ifndef ZRNO_NOTRANJE_FRAME_CAS_H
#define ZRNO_NOTRANJE_FRAME_CAS_H

#include "frame/win.h"

namespace Zrno::Notranje {

/// The precise system time function, looked up in KERNEL32 at start-up; null before start-up, after the
/// last shut-down, or on systems without it.
using PrecizniCasFn = void(WINAPI *)(FILETIME *);
PrecizniCasFn PrecizniCas();

/// The value of 1601-01-01 00:00 UTC, the origin of FILETIME (JDN 2305814), on the library's scale.
constexpr long long k_cas1601 = 2305814LL * 86400000;

/// FILETIME (100 ns since 1601, read as signed) on the library's scale.
inline long long IzFileTime(const FILETIME &f) {
    long long t =
        static_cast<long long>((static_cast<unsigned long long>(f.dwHighDateTime) << 32) | f.dwLowDateTime);
    return t / 10000 + k_cas1601;
}

inline FILETIME VFileTime(long long vrednost) {
    unsigned long long t = static_cast<unsigned long long>((vrednost - k_cas1601) * 10000);
    FILETIME f;
    f.dwLowDateTime = static_cast<DWORD>(t);
    f.dwHighDateTime = static_cast<DWORD>(t >> 32);
    return f;
}

} // namespace Zrno::Notranje

#endif
