// SHA-1 with the processor's SHA extensions: each SHA1RNDS4 does four rounds, SHA1NEXTE derives the
// next E from the rotated A, and SHA1MSG1/SHA1MSG2 with an XOR extend the message schedule four words
// at a time. Group g (rounds 4g to 4g+3) holds its words in message register g mod 4.
#include "digests/Stiskanje.h"
#include <immintrin.h>

#define ZRNO_SHANI __attribute__((target("sha,sse4.1,ssse3")))

namespace Zrno::Notranje {

// Group g with the E operand in E (alternating E0/E1) and the other E register receiving ABCD. The
// schedule steps are skipped where no later group needs them (the conditions fold at compile time).
#define ZRNO_SKUPINA(g, E, F, M0, M1, M2, M3)                                                              \
    E = _mm_sha1nexte_epu32(E, M0);                                                                        \
    F = abcd;                                                                                              \
    if ((g) + 1 < 20)                                                                                      \
        M1 = _mm_sha1msg2_epu32(M1, M0);                                                                   \
    abcd = _mm_sha1rnds4_epu32(abcd, E, (g) / 5);                                                          \
    if ((g) + 3 < 20)                                                                                      \
        M3 = _mm_sha1msg1_epu32(M3, M0);                                                                   \
    if ((g) + 2 < 20)                                                                                      \
        M2 = _mm_xor_si128(M2, M0);
#define ZRNO_STIRI(g)                                                                                       \
    ZRNO_SKUPINA(g, e0, e1, m0, m1, m2, m3)                                                                \
    ZRNO_SKUPINA(g + 1, e1, e0, m1, m2, m3, m0)                                                            \
    ZRNO_SKUPINA(g + 2, e0, e1, m2, m3, m0, m1)                                                            \
    ZRNO_SKUPINA(g + 3, e1, e0, m3, m0, m1, m2)

ZRNO_SHANI void Sha1Ni(unsigned int h[5], unsigned char const *p, size_t blokov) {
    const __m128i obrni = _mm_set_epi64x(0x0001020304050607LL, 0x08090a0b0c0d0e0fLL);
    __m128i abcd = _mm_shuffle_epi32(_mm_loadu_si128(reinterpret_cast<__m128i const *>(h)), 0x1B);
    __m128i e0 = _mm_set_epi32(static_cast<int>(h[4]), 0, 0, 0);
    for (; blokov; --blokov, p += 64) {
        const __m128i abcd0 = abcd, e00 = e0;
        __m128i m0 = _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<__m128i const *>(p)), obrni);
        __m128i m1 = _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<__m128i const *>(p + 16)), obrni);
        __m128i m2 = _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<__m128i const *>(p + 32)), obrni);
        __m128i m3 = _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<__m128i const *>(p + 48)), obrni);
        __m128i e1;

        // Groups 0 to 3: the words come straight from the block.
        e0 = _mm_add_epi32(e0, m0);
        e1 = abcd;
        abcd = _mm_sha1rnds4_epu32(abcd, e0, 0);
        e1 = _mm_sha1nexte_epu32(e1, m1);
        e0 = abcd;
        abcd = _mm_sha1rnds4_epu32(abcd, e1, 0);
        m0 = _mm_sha1msg1_epu32(m0, m1);
        e0 = _mm_sha1nexte_epu32(e0, m2);
        e1 = abcd;
        abcd = _mm_sha1rnds4_epu32(abcd, e0, 0);
        m1 = _mm_sha1msg1_epu32(m1, m2);
        m0 = _mm_xor_si128(m0, m2);
        e1 = _mm_sha1nexte_epu32(e1, m3);
        e0 = abcd;
        m0 = _mm_sha1msg2_epu32(m0, m3);
        abcd = _mm_sha1rnds4_epu32(abcd, e1, 0);
        m2 = _mm_sha1msg1_epu32(m2, m3);
        m1 = _mm_xor_si128(m1, m3);

        ZRNO_STIRI(4)
        ZRNO_STIRI(8)
        ZRNO_STIRI(12)
        ZRNO_STIRI(16)

        e0 = _mm_sha1nexte_epu32(e0, e00);
        abcd = _mm_add_epi32(abcd, abcd0);
    }
    _mm_storeu_si128(reinterpret_cast<__m128i *>(h), _mm_shuffle_epi32(abcd, 0x1B));
    h[4] = static_cast<unsigned int>(_mm_extract_epi32(e0, 3));
}

} // namespace Zrno::Notranje
