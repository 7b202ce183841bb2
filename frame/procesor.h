// What the processor offers beyond the x86 baseline, asked once through CPUID. The digests and the
// Base64 codec pick their fast paths from this when the module loads.
#ifndef ZRNO_NOTRANJE_FRAME_PROCESOR_H
#define ZRNO_NOTRANJE_FRAME_PROCESOR_H

#include <cpuid.h>

#ifdef ZRNO_PREIZKUS_POTI
#include "frame/win.h"
#include <string.h>
#endif

namespace Zrno::Notranje {

struct Procesor {
    bool ssse3 = false;
    bool sse41 = false;
    bool pclmul = false;
    bool avx2 = false;
    bool sha = false;
    bool vpclmul = false; ///< carry-less multiplication on AVX registers
    bool avx512 = false;  ///< AVX-512F, with the system saving its registers
};

#ifdef ZRNO_PREIZKUS_POTI
// Test build only: ZRNO_POTI lists features to hide (comma-separated field names, e.g. "avx2,sha"), so
// every path can run on one machine. The release build has no trace of this.
inline bool Skrita(char const *ime) {
    char s[128];
    DWORD n = GetEnvironmentVariableA("ZRNO_POTI", s, sizeof s);
    if (n == 0 || n >= sizeof s)
        return false;
    size_t d = strlen(ime);
    for (char const *z = s; (z = strstr(z, ime)) != nullptr; z += d)
        if ((z == s || z[-1] == ',') && (z[d] == ',' || z[d] == 0))
            return true;
    return false;
}
#define ZRNO_SKRIJ(p, f) ((p).f = (p).f && !Skrita(#f))
#endif

inline Procesor ZaznajProcesor() {
    Procesor p;
    unsigned int a, b, c, d;
    if (!__get_cpuid(1, &a, &b, &c, &d))
        return p;
    p.ssse3 = c & bit_SSSE3;
    p.sse41 = c & bit_SSE4_1;
    p.pclmul = c & bit_PCLMUL;
    // AVX registers are usable only when the system saves them on a thread switch (XCR0 bits 1 and 2).
    // The 512-bit registers likewise need XCR0 bits 5 to 7.
    bool ymm = false, zmm = false;
    if ((c & bit_OSXSAVE) && (c & bit_AVX)) {
        unsigned int xlo, xhi;
        __asm__ volatile("xgetbv" : "=a"(xlo), "=d"(xhi) : "c"(0));
        ymm = (xlo & 6) == 6;
        zmm = (xlo & 0xE6) == 0xE6;
    }
    if (__get_cpuid_count(7, 0, &a, &b, &c, &d)) {
        p.avx2 = ymm && (b & bit_AVX2);
        p.sha = b & bit_SHA;
        p.vpclmul = ymm && (c & bit_VPCLMULQDQ);
        p.avx512 = zmm && (b & bit_AVX512F);
    }
#ifdef ZRNO_PREIZKUS_POTI
    ZRNO_SKRIJ(p, ssse3);
    ZRNO_SKRIJ(p, sse41);
    ZRNO_SKRIJ(p, pclmul);
    ZRNO_SKRIJ(p, avx2);
    ZRNO_SKRIJ(p, sha);
    ZRNO_SKRIJ(p, vpclmul);
    ZRNO_SKRIJ(p, avx512);
#endif
    return p;
}

} // namespace Zrno::Notranje

#endif
