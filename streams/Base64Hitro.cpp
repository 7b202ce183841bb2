// Base64 over long runs with the vector unit (AVX2 where the system saves its registers, else SSSE3),
// chosen when the module loads; the scalar steps take the rest.
//
// Encoding: each 32-bit lane receives bytes b1 b0 b2 b1 of one group, so that its two 16-bit halves
// hold the four 6-bit indices at fixed bit positions; one high and one low 16-bit multiply move them
// into the four bytes. The index then picks an offset to the character from a 16-entry table by its
// range (A-Z, a-z, 0-9, +, /).
// Decoding: the high and the low nibble of every character select bit sets whose intersection is empty
// exactly for alphabet characters; one such test per run sends anything else (padding, line breaks, the
// terminator) to the scalar path. The character's high nibble ('/' set apart) picks the offset back to
// its value, and two multiply-adds pack four 6-bit values into three bytes.
#include "frame/procesor.h"
#include "streams/Base64.h"
#include <immintrin.h>
#include <stdint.h>
#include <string.h>

#define ZRNO_SSSE3 __attribute__((target("ssse3")))
#define ZRNO_AVX2 __attribute__((target("avx2")))

namespace Zrno::Notranje {

namespace {

// Prefetch distance for long runs: the hardware alone leaves the loops waiting on memory. A prefetch
// never faults, past the end of the data or the page.
constexpr int k_naprej = 16384;

// Loads that may run past the terminator must stay within the page they start on.
inline bool VStrani(char const *t, unsigned int n) {
    return (reinterpret_cast<uintptr_t>(t) & 4095) <= 4096 - n;
}

void KodirajSkalarno(unsigned char const *p, size_t skupin, char *o) {
    for (; skupin; --skupin, p += 3, o += 4)
        Base64Skupina(p, o);
}

// Without a vector unit nothing is decoded in bulk: 0 groups taken is not a failure but tells the caller
// (RBase64's decoding loop) to decode every character on its scalar path.
size_t DekodirajSkalarno(char const *, unsigned char *) { return 0; }

// --- SSSE3, 12 bytes to 16 characters ------------------------------------------------------------

ZRNO_SSSE3 inline __m128i Indeksi128(__m128i v) {
    v = _mm_shuffle_epi8(v, _mm_setr_epi8(1, 0, 2, 1, 4, 3, 5, 4, 7, 6, 8, 7, 10, 9, 11, 10));
    __m128i a = _mm_mulhi_epu16(_mm_and_si128(v, _mm_set1_epi32(0x0FC0FC00)), _mm_set1_epi32(0x04000040));
    __m128i b = _mm_mullo_epi16(_mm_and_si128(v, _mm_set1_epi32(0x003F03F0)), _mm_set1_epi32(0x01000010));
    return _mm_or_si128(a, b);
}

ZRNO_SSSE3 inline __m128i Znaki128(__m128i i) {
    __m128i r = _mm_subs_epu8(i, _mm_set1_epi8(51));
    r = _mm_or_si128(r, _mm_and_si128(_mm_cmpgt_epi8(_mm_set1_epi8(26), i), _mm_set1_epi8(13)));
    const __m128i zamik =
        _mm_setr_epi8('a' - 26, '0' - 52, '0' - 52, '0' - 52, '0' - 52, '0' - 52, '0' - 52, '0' - 52,
                      '0' - 52, '0' - 52, '0' - 52, '+' - 62, '/' - 63, 'A', 0, 0);
    return _mm_add_epi8(_mm_shuffle_epi8(zamik, r), i);
}

ZRNO_SSSE3 void KodirajSsse3(unsigned char const *p, size_t skupin, char *o) {
    // A load takes 16 bytes for 4 groups: keep 2 groups of room behind it.
    for (; skupin >= 6; skupin -= 4, p += 12, o += 16) {
        __m128i v = _mm_loadu_si128(reinterpret_cast<__m128i const *>(p));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(o), Znaki128(Indeksi128(v)));
    }
    KodirajSkalarno(p, skupin, o);
}

// Values of 16 characters; false when one is not of the alphabet.
ZRNO_SSSE3 inline bool Vrednosti128(__m128i z, __m128i &v) {
    const __m128i lutNizki = _mm_setr_epi8(0x15, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x13,
                                           0x1A, 0x1B, 0x1B, 0x1B, 0x1A);
    const __m128i lutVisoki = _mm_setr_epi8(0x10, 0x10, 0x01, 0x02, 0x04, 0x08, 0x04, 0x08, 0x10, 0x10, 0x10,
                                            0x10, 0x10, 0x10, 0x10, 0x10);
    const __m128i lutZamik = _mm_setr_epi8(0, 16, 19, 4, -65, -65, -71, -71, 0, 0, 0, 0, 0, 0, 0, 0);
    const __m128i nibble = _mm_set1_epi8(0x0F);
    __m128i visoki = _mm_and_si128(_mm_srli_epi32(z, 4), nibble);
    __m128i nizki = _mm_and_si128(z, nibble);
    __m128i slabi = _mm_and_si128(_mm_shuffle_epi8(lutNizki, nizki), _mm_shuffle_epi8(lutVisoki, visoki));
    if (_mm_movemask_epi8(_mm_cmpeq_epi8(slabi, _mm_setzero_si128())) != 0xFFFF)
        return false;
    __m128i zamik = _mm_shuffle_epi8(lutZamik, _mm_add_epi8(_mm_cmpeq_epi8(z, _mm_set1_epi8('/')), visoki));
    v = _mm_add_epi8(z, zamik);
    return true;
}

ZRNO_SSSE3 inline __m128i Zapakiraj128(__m128i v) {
    v = _mm_maddubs_epi16(v, _mm_set1_epi32(0x01400140));
    v = _mm_madd_epi16(v, _mm_set1_epi32(0x00011000));
    return _mm_shuffle_epi8(v, _mm_setr_epi8(2, 1, 0, 6, 5, 4, 10, 9, 8, 14, 13, 12, -1, -1, -1, -1));
}

ZRNO_SSSE3 size_t DekodirajSsse3(char const *t, unsigned char *o) {
    size_t skupin = 0;
    __m128i v;
    while (VStrani(t, 16) && Vrednosti128(_mm_loadu_si128(reinterpret_cast<__m128i const *>(t)), v)) {
        v = Zapakiraj128(v);
        _mm_storel_epi64(reinterpret_cast<__m128i *>(o), v);
        int zadnji = _mm_cvtsi128_si32(_mm_srli_si128(v, 8));
        memcpy(o + 8, &zadnji, 4);
        t += 16;
        o += 12;
        skupin += 4;
    }
    return skupin;
}

// --- AVX2, 24 bytes to 32 characters -------------------------------------------------------------

// Eight groups from exactly their 24 bytes: the upper lane loads from 8 bytes on, where its 4 groups
// start 4 bytes in.
ZRNO_AVX2 inline void OsemSkupin(unsigned char const *p, char *o) {
    const __m256i razpored = _mm256_setr_epi8(1, 0, 2, 1, 4, 3, 5, 4, 7, 6, 8, 7, 10, 9, 11, 10, 5, 4, 6, 5,
                                              8, 7, 9, 8, 11, 10, 12, 11, 14, 13, 15, 14);
    const __m256i zamik = _mm256_setr_epi8(
        'a' - 26, '0' - 52, '0' - 52, '0' - 52, '0' - 52, '0' - 52, '0' - 52, '0' - 52, '0' - 52, '0' - 52,
        '0' - 52, '+' - 62, '/' - 63, 'A', 0, 0, 'a' - 26, '0' - 52, '0' - 52, '0' - 52, '0' - 52, '0' - 52,
        '0' - 52, '0' - 52, '0' - 52, '0' - 52, '0' - 52, '+' - 62, '/' - 63, 'A', 0, 0);
    __m256i v =
        _mm256_inserti128_si256(_mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<__m128i const *>(p))),
                                _mm_loadu_si128(reinterpret_cast<__m128i const *>(p + 8)), 1);
    v = _mm256_shuffle_epi8(v, razpored);
    __m256i a =
        _mm256_mulhi_epu16(_mm256_and_si256(v, _mm256_set1_epi32(0x0FC0FC00)), _mm256_set1_epi32(0x04000040));
    __m256i b =
        _mm256_mullo_epi16(_mm256_and_si256(v, _mm256_set1_epi32(0x003F03F0)), _mm256_set1_epi32(0x01000010));
    __m256i i = _mm256_or_si256(a, b);
    __m256i r = _mm256_subs_epu8(i, _mm256_set1_epi8(51));
    r = _mm256_or_si256(r,
                        _mm256_and_si256(_mm256_cmpgt_epi8(_mm256_set1_epi8(26), i), _mm256_set1_epi8(13)));
    _mm256_storeu_si256(reinterpret_cast<__m256i *>(o), _mm256_add_epi8(_mm256_shuffle_epi8(zamik, r), i));
}

// The last 1 to 7 groups of a run of 8 or more, which end at konec and oKonec: a step over the last 4
// or 8 groups, overlapping the groups before them (their characters are written twice, alike). The
// 4-group step loads the 16 bytes that end with the run; its groups start 4 bytes in.
ZRNO_AVX2 inline void Konec(unsigned char const *konec, char *oKonec, size_t ostane) {
    if (ostane > 4) {
        OsemSkupin(konec - 24, oKonec - 32);
    } else if (ostane) {
        __m128i v = _mm_loadu_si128(reinterpret_cast<__m128i const *>(konec - 16));
        v = _mm_shuffle_epi8(v, _mm_setr_epi8(5, 4, 6, 5, 8, 7, 9, 8, 11, 10, 12, 11, 14, 13, 15, 14));
        __m128i a = _mm_mulhi_epu16(_mm_and_si128(v, _mm_set1_epi32(0x0FC0FC00)), _mm_set1_epi32(0x04000040));
        __m128i b = _mm_mullo_epi16(_mm_and_si128(v, _mm_set1_epi32(0x003F03F0)), _mm_set1_epi32(0x01000010));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(oKonec - 16), Znaki128(_mm_or_si128(a, b)));
    }
}

ZRNO_AVX2 void KodirajAvx2(unsigned char const *p, size_t skupin, char *o) {
    if (skupin < 8) {
        KodirajSsse3(p, skupin, o);
        return;
    }
    // The last step ends where the run ends, so a short run (a line of the converter, 19 groups) has no
    // scalar tail.
    unsigned char const *const konec = p + 3 * skupin;
    char *const oKonec = o + 4 * skupin;
    for (; skupin >= 8; skupin -= 8, p += 24, o += 32) {
        _mm_prefetch(reinterpret_cast<char const *>(p) + k_naprej, _MM_HINT_T0);
        OsemSkupin(p, o);
    }
    Konec(konec, oKonec, skupin);
    // GCC leaves the upper halves dirty on return, and SSE code after a short run would then pay the
    // state transition.
    _mm256_zeroupper();
}

void KodirajVrsticeSsse3(unsigned char const *p, size_t vrstic, size_t skupin, char *o) {
    for (; vrstic; --vrstic, p += 3 * skupin, o += 4 * skupin + 1) {
        *o = '\n';
        KodirajSsse3(p, skupin, o + 1);
    }
}

void KodirajVrsticeSkalarno(unsigned char const *p, size_t vrstic, size_t skupin, char *o) {
    for (; vrstic; --vrstic, p += 3 * skupin, o += 4 * skupin + 1) {
        *o = '\n';
        KodirajSkalarno(p, skupin, o + 1);
    }
}

// Lines of the converter in one call: a call per line would cost as much as the line's encoding.
ZRNO_AVX2 void KodirajVrsticeAvx2(unsigned char const *p, size_t vrstic, size_t skupin, char *o) {
    if (skupin < 8) {
        KodirajVrsticeSsse3(p, vrstic, skupin, o);
        return;
    }
    for (; vrstic; --vrstic, p += 3 * skupin, o += 4 * skupin + 1) {
        _mm_prefetch(reinterpret_cast<char const *>(p) + k_naprej, _MM_HINT_T0);
        *o = '\n';
        size_t i = 0;
        for (; i + 8 <= skupin; i += 8)
            OsemSkupin(p + 3 * i, o + 1 + 4 * i);
        Konec(p + 3 * skupin, o + 1 + 4 * skupin, skupin - i);
    }
    _mm256_zeroupper();
}

ZRNO_AVX2 size_t DekodirajAvx2(char const *t, unsigned char *o) {
    const __m256i lutNizki = _mm256_setr_epi8(
        0x15, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x13, 0x1A, 0x1B, 0x1B, 0x1B, 0x1A, 0x15,
        0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x13, 0x1A, 0x1B, 0x1B, 0x1B, 0x1A);
    const __m256i lutVisoki = _mm256_setr_epi8(
        0x10, 0x10, 0x01, 0x02, 0x04, 0x08, 0x04, 0x08, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10,
        0x10, 0x01, 0x02, 0x04, 0x08, 0x04, 0x08, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10);
    const __m256i lutZamik = _mm256_setr_epi8(0, 16, 19, 4, -65, -65, -71, -71, 0, 0, 0, 0, 0, 0, 0, 0, 0, 16,
                                              19, 4, -65, -65, -71, -71, 0, 0, 0, 0, 0, 0, 0, 0);
    const __m256i razpored = _mm256_setr_epi8(2, 1, 0, 6, 5, 4, 10, 9, 8, 14, 13, 12, -1, -1, -1, -1, 2, 1, 0,
                                              6, 5, 4, 10, 9, 8, 14, 13, 12, -1, -1, -1, -1);
    const __m256i nibble = _mm256_set1_epi8(0x0F);
    size_t skupin = 0;
    while (VStrani(t, 32)) {
        _mm_prefetch(t + k_naprej, _MM_HINT_T0);
        __m256i z = _mm256_loadu_si256(reinterpret_cast<__m256i const *>(t));
        __m256i visoki = _mm256_and_si256(_mm256_srli_epi32(z, 4), nibble);
        __m256i slabi = _mm256_and_si256(_mm256_shuffle_epi8(lutNizki, _mm256_and_si256(z, nibble)),
                                         _mm256_shuffle_epi8(lutVisoki, visoki));
        if (!_mm256_testz_si256(slabi, slabi))
            break;
        __m256i v = _mm256_add_epi8(
            z, _mm256_shuffle_epi8(lutZamik,
                                   _mm256_add_epi8(_mm256_cmpeq_epi8(z, _mm256_set1_epi8('/')), visoki)));
        v = _mm256_maddubs_epi16(v, _mm256_set1_epi32(0x01400140));
        v = _mm256_madd_epi16(v, _mm256_set1_epi32(0x00011000));
        v = _mm256_shuffle_epi8(v, razpored);
        v = _mm256_permutevar8x32_epi32(v, _mm256_setr_epi32(0, 1, 2, 4, 5, 6, 3, 7));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(o), _mm256_castsi256_si128(v));
        _mm_storel_epi64(reinterpret_cast<__m128i *>(o + 16), _mm256_extracti128_si256(v, 1));
        t += 32;
        o += 24;
        skupin += 8;
    }
    // A run that ends within the next 32 characters may still hold 16 clean ones.
    _mm256_zeroupper();
    return skupin + DekodirajSsse3(t, o);
}

using Kodirnik = void (*)(unsigned char const *, size_t, char *);
using KodirnikVrstic = void (*)(unsigned char const *, size_t, size_t, char *);
using Dekodirnik = size_t (*)(char const *, unsigned char *);

struct Izbira {
    Kodirnik kodiraj;
    Dekodirnik dekodiraj;
    KodirnikVrstic vrstice;
};

Izbira Izberi() {
    Procesor p = ZaznajProcesor();
    if (p.avx2)
        return {KodirajAvx2, DekodirajAvx2, KodirajVrsticeAvx2};
    if (p.ssse3)
        return {KodirajSsse3, DekodirajSsse3, KodirajVrsticeSsse3};
    return {KodirajSkalarno, DekodirajSkalarno, KodirajVrsticeSkalarno};
}

const Izbira g_izbira = Izberi();

} // namespace

void Base64KodirajSkupine(unsigned char const *p, size_t skupin, char *o) { g_izbira.kodiraj(p, skupin, o); }

size_t Base64DekodirajSkupine(char const *t, unsigned char *o) { return g_izbira.dekodiraj(t, o); }

void Base64KodirajVrstice(unsigned char const *p, size_t vrstic, size_t skupin, char *o) {
    g_izbira.vrstice(p, vrstic, skupin, o);
}

} // namespace Zrno::Notranje
