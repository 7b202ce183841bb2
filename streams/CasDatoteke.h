// System file times (100 ns units since 1 January 1601, UTC) as RDatum milliseconds: Julian day number
// times 86,400,000 plus milliseconds since midnight. 1 January 1601 is Julian day 2,305,814. No
// time-zone conversion: the values stay UTC.
#ifndef ZRNO_STREAMS_CASDATOTEKE_H
#define ZRNO_STREAMS_CASDATOTEKE_H

#include "frame/win.h"

namespace Zrno::Notranje {

constexpr __int64 ZACETEK_FILETIME = 199222329600000LL; // 2,305,814 days of 86,400,000 ms

inline __int64 CasDatoteke(FILETIME const &cas) {
    unsigned __int64 enote = (static_cast<unsigned __int64>(cas.dwHighDateTime) << 32) | cas.dwLowDateTime;
    return static_cast<__int64>(enote / 10000) + ZACETEK_FILETIME;
}

} // namespace Zrno::Notranje

#endif
