// CRC-32 by folding with carry-less multiplication (PCLMULQDQ): four 128-bit lanes are folded 64 bytes
// ahead at a time, then folded into one, reduced to 64 bits and finished by Barrett reduction. The
// constants are powers of x modulo the reflected polynomial: x^(512+32) and x^(512-32) for the wide
// fold, x^(128+32) and x^(128-32) for single folds, x^64 for the 64-bit step, and the polynomial with
// its Barrett quotient.
#include "digests/Stiskanje.h"
#include <immintrin.h>

#define ZRNO_PCLMUL __attribute__((target("pclmul,sse4.1")))
#define ZRNO_VPCLMUL __attribute__((target("vpclmulqdq,pclmul,avx2,sse4.1")))
#define ZRNO_VPCLMUL512 __attribute__((target("avx512f,vpclmulqdq,pclmul,avx2,sse4.1")))

namespace Zrno::Notranje {

namespace {

// Prefetch distance; a prefetch past the end of the data is harmless (it never faults).
constexpr int k_naprej = 16384;

ZRNO_PCLMUL inline __m128i Naloz(unsigned char const *q) {
    return _mm_loadu_si128(reinterpret_cast<__m128i const *>(q));
}

// One fold of x forward by the distance that k encodes, adding the data y that it lands on.
ZRNO_PCLMUL inline __m128i Zlozi(__m128i x, __m128i k, __m128i y) {
    return _mm_xor_si128(_mm_xor_si128(_mm_clmulepi64_si128(x, k, 0x00), _mm_clmulepi64_si128(x, k, 0x11)),
                         y);
}

ZRNO_VPCLMUL inline __m256i Naloz256(unsigned char const *q) {
    return _mm256_loadu_si256(reinterpret_cast<__m256i const *>(q));
}

ZRNO_VPCLMUL inline __m256i Zlozi256(__m256i x, __m256i k, __m256i y) {
    return _mm256_xor_si256(
        _mm256_xor_si256(_mm256_clmulepi64_epi128(x, k, 0x00), _mm256_clmulepi64_epi128(x, k, 0x11)), y);
}

// Whole 16-byte blocks left after the wide folds, then the reduction of the 128 bits to the register.
ZRNO_PCLMUL unsigned int Koncaj(__m128i x1, unsigned char const *p, size_t n) {
    const __m128i k3k4 = _mm_set_epi64x(0x00ccaa009eLL, 0x01751997d0LL);
    const __m128i k5 = _mm_set_epi64x(0, 0x0163cd6124LL);
    const __m128i poly = _mm_set_epi64x(0x01f7011641LL, 0x01db710641LL);
    const __m128i nizkih32 = _mm_setr_epi32(~0, 0, ~0, 0);
    for (; n >= 16; n -= 16, p += 16)
        x1 = Zlozi(x1, k3k4, Naloz(p));

    // 128 bits to 64.
    __m128i x = _mm_xor_si128(_mm_srli_si128(x1, 8), _mm_clmulepi64_si128(x1, k3k4, 0x10));
    x = _mm_xor_si128(_mm_srli_si128(x, 4), _mm_clmulepi64_si128(_mm_and_si128(x, nizkih32), k5, 0x00));
    // Barrett reduction to 32 bits.
    __m128i t = _mm_clmulepi64_si128(_mm_and_si128(x, nizkih32), poly, 0x10);
    t = _mm_clmulepi64_si128(_mm_and_si128(t, nizkih32), poly, 0x00);
    return static_cast<unsigned int>(_mm_extract_epi32(_mm_xor_si128(x, t), 1));
}

} // namespace

ZRNO_PCLMUL unsigned int Crc32Pclmul(unsigned int reg, unsigned char const *p, size_t n) {
    const __m128i k1k2 = _mm_set_epi64x(0x01c6e41596LL, 0x0154442bd4LL);
    const __m128i k3k4 = _mm_set_epi64x(0x00ccaa009eLL, 0x01751997d0LL);

    __m128i x1 = _mm_xor_si128(Naloz(p), _mm_cvtsi32_si128(static_cast<int>(reg)));
    __m128i x2 = Naloz(p + 16), x3 = Naloz(p + 32), x4 = Naloz(p + 48);
    p += 64;
    n -= 64;
    for (; n >= 64; n -= 64, p += 64) {
        // The fold outruns the memory: without a hint this far ahead it waits on every line.
        _mm_prefetch(reinterpret_cast<char const *>(p) + k_naprej, _MM_HINT_T0);
        x1 = Zlozi(x1, k1k2, Naloz(p));
        x2 = Zlozi(x2, k1k2, Naloz(p + 16));
        x3 = Zlozi(x3, k1k2, Naloz(p + 32));
        x4 = Zlozi(x4, k1k2, Naloz(p + 48));
    }
    x1 = Zlozi(x1, k3k4, x2);
    x1 = Zlozi(x1, k3k4, x3);
    x1 = Zlozi(x1, k3k4, x4);
    return Koncaj(x1, p, n);
}

// Where the wide multiplier exists: four 256-bit registers hold eight 128-bit lanes, each folded 128
// bytes ahead (x^(1024+32) and x^(1024-32)) with two multiplications per register, so twice the
// data passes per multiplication as above. The lanes are then folded into one in order.
ZRNO_VPCLMUL unsigned int Crc32Vpclmul(unsigned int reg, unsigned char const *p, size_t n) {
    const __m256i k = _mm256_set_epi64x(0x014a7fe880LL, 0x01e88ef372LL, 0x014a7fe880LL, 0x01e88ef372LL);
    const __m128i k3k4 = _mm_set_epi64x(0x00ccaa009eLL, 0x01751997d0LL);
    __m256i y[4] = {
        _mm256_xor_si256(Naloz256(p), _mm256_zextsi128_si256(_mm_cvtsi32_si128(static_cast<int>(reg)))),
        Naloz256(p + 32), Naloz256(p + 64), Naloz256(p + 96)};
    p += 128;
    n -= 128;
    for (; n >= 128; n -= 128, p += 128) {
        _mm_prefetch(reinterpret_cast<char const *>(p) + k_naprej, _MM_HINT_T0);
        for (int i = 0; i < 4; ++i)
            y[i] = Zlozi256(y[i], k, Naloz256(p + 32 * i));
    }
    __m128i x = _mm256_castsi256_si128(y[0]);
    x = Zlozi(x, k3k4, _mm256_extracti128_si256(y[0], 1));
    for (int i = 1; i < 4; ++i) {
        x = Zlozi(x, k3k4, _mm256_castsi256_si128(y[i]));
        x = Zlozi(x, k3k4, _mm256_extracti128_si256(y[i], 1));
    }
    _mm256_zeroupper(); // the rest is SSE code
    return Koncaj(x, p, n);
}

// The same with 512-bit registers: sixteen lanes folded 256 bytes ahead (x^(2048+32), x^(2048-32)).
ZRNO_VPCLMUL512 unsigned int Crc32Vpclmul512(unsigned int reg, unsigned char const *p, size_t n) {
    const __m512i k = _mm512_set_epi64(0x01322d1430LL, 0x011542778aLL, 0x01322d1430LL, 0x011542778aLL,
                                       0x01322d1430LL, 0x011542778aLL, 0x01322d1430LL, 0x011542778aLL);
    const __m128i k3k4 = _mm_set_epi64x(0x00ccaa009eLL, 0x01751997d0LL);
    __m512i z[4];
    for (int i = 0; i < 4; ++i)
        z[i] = _mm512_loadu_si512(p + 64 * i);
    z[0] = _mm512_xor_si512(z[0], _mm512_zextsi128_si512(_mm_cvtsi32_si128(static_cast<int>(reg))));
    p += 256;
    n -= 256;
    for (; n >= 256; n -= 256, p += 256) {
        _mm_prefetch(reinterpret_cast<char const *>(p) + k_naprej, _MM_HINT_T0);
        for (int i = 0; i < 4; ++i)
            z[i] = _mm512_ternarylogic_epi64(_mm512_clmulepi64_epi128(z[i], k, 0x00),
                                             _mm512_clmulepi64_epi128(z[i], k, 0x11),
                                             _mm512_loadu_si512(p + 64 * i), 0x96); // three-way xor
    }
    // The zero-masking extract: GCC 12's plain one trips its own uninitialised-value warning.
    __m128i x = _mm512_maskz_extracti32x4_epi32(0xF, z[0], 0);
    for (int i = 0; i < 4; ++i) {
        if (i)
            x = Zlozi(x, k3k4, _mm512_maskz_extracti32x4_epi32(0xF, z[i], 0));
        x = Zlozi(x, k3k4, _mm512_maskz_extracti32x4_epi32(0xF, z[i], 1));
        x = Zlozi(x, k3k4, _mm512_maskz_extracti32x4_epi32(0xF, z[i], 2));
        x = Zlozi(x, k3k4, _mm512_maskz_extracti32x4_epi32(0xF, z[i], 3));
    }
    _mm256_zeroupper();
    return Koncaj(x, p, n);
}

} // namespace Zrno::Notranje
