// What the processor offers beyond the x86 baseline, asked once through CPUID. The digests and the
// Base64 codec pick their fast paths from this when the module loads.
#ifndef ZRNO_FRAME_PROCESOR_H
#define ZRNO_FRAME_PROCESOR_H

#include <cpuid.h>

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
    return p;
}

} // namespace Zrno::Notranje

#endif
