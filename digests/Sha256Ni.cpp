// SHA-256 with the processor's SHA extensions. SHA256RNDS2 does two rounds on the state split as ABEF
// and CDGH, taking W + K from the low half of its third operand; SHA256MSG1, an ALIGNR of the words
// seven back and SHA256MSG2 extend the message schedule four words at a time. Group g (rounds 4g to
// 4g+3) holds its words in message register g mod 4.
#include "digests/Stiskanje.h"
#include <immintrin.h>

#define ZRNO_SHANI __attribute__((target("sha,sse4.1,ssse3")))

namespace Zrno::Notranje {

// Group g with its words in M0, the previous group's in M3 and the next two groups' in M1 and M2.
// The schedule steps are skipped where no later group needs them (the conditions fold at compile time).
#define ZRNO_SKUPINA(g, M0, M1, M2, M3)                                                                      \
    wk = _mm_add_epi32(M0, _mm_loadu_si128(reinterpret_cast<__m128i const *>(k_sha256K + 4 * (g))));         \
    cdgh = _mm_sha256rnds2_epu32(cdgh, abef, wk);                                                            \
    if ((g) >= 3 && (g) < 15) {                                                                              \
        M1 = _mm_add_epi32(M1, _mm_alignr_epi8(M0, M3, 4));                                                  \
        M1 = _mm_sha256msg2_epu32(M1, M0);                                                                   \
    }                                                                                                        \
    abef = _mm_sha256rnds2_epu32(abef, cdgh, _mm_shuffle_epi32(wk, 0x0E));                                   \
    if ((g) >= 1 && (g) < 13)                                                                                \
        M3 = _mm_sha256msg1_epu32(M3, M0);
#define ZRNO_STIRI(g)                                                                                        \
    ZRNO_SKUPINA(g, m0, m1, m2, m3)                                                                          \
    ZRNO_SKUPINA(g + 1, m1, m2, m3, m0)                                                                      \
    ZRNO_SKUPINA(g + 2, m2, m3, m0, m1)                                                                      \
    ZRNO_SKUPINA(g + 3, m3, m0, m1, m2)

// The first SHA256RNDS2 of a group leaves the new ABEF in the CDGH register, and the old ABEF is the
// CDGH of the next two rounds: after the second each register holds its own half again.
ZRNO_SHANI void Sha256Ni(unsigned int h[8], unsigned char const *p, size_t blokov) {
    const __m128i obrni = _mm_set_epi64x(0x0C0D0E0F08090A0BLL, 0x0405060700010203LL);
    __m128i dcba = _mm_shuffle_epi32(_mm_loadu_si128(reinterpret_cast<__m128i const *>(h)), 0xB1);
    __m128i hgfe = _mm_shuffle_epi32(_mm_loadu_si128(reinterpret_cast<__m128i const *>(h + 4)), 0x1B);
    __m128i abef = _mm_alignr_epi8(dcba, hgfe, 8);
    __m128i cdgh = _mm_blend_epi16(hgfe, dcba, 0xF0);
    for (; blokov; --blokov, p += 64) {
        const __m128i abef0 = abef, cdgh0 = cdgh;
        __m128i m0 = _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<__m128i const *>(p)), obrni);
        __m128i m1 = _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<__m128i const *>(p + 16)), obrni);
        __m128i m2 = _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<__m128i const *>(p + 32)), obrni);
        __m128i m3 = _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<__m128i const *>(p + 48)), obrni);
        __m128i wk;
        ZRNO_STIRI(0)
        ZRNO_STIRI(4)
        ZRNO_STIRI(8)
        ZRNO_STIRI(12)
        abef = _mm_add_epi32(abef, abef0);
        cdgh = _mm_add_epi32(cdgh, cdgh0);
    }
    __m128i feba = _mm_shuffle_epi32(abef, 0x1B);
    __m128i dchg = _mm_shuffle_epi32(cdgh, 0xB1);
    _mm_storeu_si128(reinterpret_cast<__m128i *>(h), _mm_blend_epi16(feba, dchg, 0xF0));
    _mm_storeu_si128(reinterpret_cast<__m128i *>(h + 4), _mm_alignr_epi8(dchg, feba, 8));
}

} // namespace Zrno::Notranje
