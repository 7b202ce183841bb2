// The SHA-256 compression function in portable code, round by round over a circular sixteen-word
// schedule, and the choice between it and the processor's SHA extensions.
#include "digests/Stiskanje.h"
#include "frame/procesor.h"

namespace Zrno::Notranje {

const unsigned int k_sha256K[64] = {
    0x428A2F98, 0x71374491, 0xB5C0FBCF, 0xE9B5DBA5, 0x3956C25B, 0x59F111F1, 0x923F82A4, 0xAB1C5ED5,
    0xD807AA98, 0x12835B01, 0x243185BE, 0x550C7DC3, 0x72BE5D74, 0x80DEB1FE, 0x9BDC06A7, 0xC19BF174,
    0xE49B69C1, 0xEFBE4786, 0x0FC19DC6, 0x240CA1CC, 0x2DE92C6F, 0x4A7484AA, 0x5CB0A9DC, 0x76F988DA,
    0x983E5152, 0xA831C66D, 0xB00327C8, 0xBF597FC7, 0xC6E00BF3, 0xD5A79147, 0x06CA6351, 0x14292967,
    0x27B70A85, 0x2E1B2138, 0x4D2C6DFC, 0x53380D13, 0x650A7354, 0x766A0ABB, 0x81C2C92E, 0x92722C85,
    0xA2BFE8A1, 0xA81A664B, 0xC24B8B70, 0xC76C51A3, 0xD192E819, 0xD6990624, 0xF40E3585, 0x106AA070,
    0x19A4C116, 0x1E376C08, 0x2748774C, 0x34B0BCB5, 0x391C0CB3, 0x4ED8AA4A, 0x5B9CCA4F, 0x682E6FF3,
    0x748F82EE, 0x78A5636F, 0x84C87814, 0x8CC70208, 0x90BEFFFA, 0xA4506CEB, 0xBEF9A3F7, 0xC67178F2,
};

namespace {

inline unsigned int Ror(unsigned int x, int s) { return (x >> s) | (x << (32 - s)); }

inline unsigned int BesedaBE(unsigned char const *p) {
    return (unsigned int)p[0] << 24 | (unsigned int)p[1] << 16 | (unsigned int)p[2] << 8 | p[3];
}

using Bloki = void (*)(unsigned int h[8], unsigned char const *p, size_t blokov);

// The same flags as SHA-1's fast path: masking the SHA feature forces the portable rounds for both.
Bloki Izberi() {
    Procesor p = ZaznajProcesor();
    return p.sha && p.sse41 && p.ssse3 ? Sha256Ni : Sha256Portabilno;
}

} // namespace

const Bloki Sha256Bloki = Izberi();

// Rounds 0 to 15 take the message words; later ones extend the schedule in place. Each round adds T1
// into d and leaves T1 + T2 in h; the callers rotate the names instead of the values.
#define ZRNO_W0(i) (w[i] = BesedaBE(p + 4 * (i)))
#define ZRNO_W(i)                                                                                            \
    (w[(i)&15] += (Ror(w[((i) + 14) & 15], 17) ^ Ror(w[((i) + 14) & 15], 19) ^ (w[((i) + 14) & 15] >> 10)) + \
                  w[((i) + 9) & 15] +                                                                        \
                  (Ror(w[((i) + 1) & 15], 7) ^ Ror(w[((i) + 1) & 15], 18) ^ (w[((i) + 1) & 15] >> 3)))
#define ZRNO_R(a, b, c, d, e, f, g, h, i, W)                                                                 \
    {                                                                                                        \
        unsigned int t1 =                                                                                    \
            h + (Ror(e, 6) ^ Ror(e, 11) ^ Ror(e, 25)) + (((f ^ g) & e) ^ g) + k_sha256K[i] + W(i);           \
        d += t1;                                                                                             \
        h = t1 + (Ror(a, 2) ^ Ror(a, 13) ^ Ror(a, 22)) + ((a & b) | (c & (a | b)));                          \
    }
#define ZRNO_OSEM(i, W)                                                                                      \
    ZRNO_R(a, b, c, d, e, f, g, h, i, W)                                                                     \
    ZRNO_R(h, a, b, c, d, e, f, g, i + 1, W)                                                                 \
    ZRNO_R(g, h, a, b, c, d, e, f, i + 2, W)                                                                 \
    ZRNO_R(f, g, h, a, b, c, d, e, i + 3, W)                                                                 \
    ZRNO_R(e, f, g, h, a, b, c, d, i + 4, W)                                                                 \
    ZRNO_R(d, e, f, g, h, a, b, c, i + 5, W)                                                                 \
    ZRNO_R(c, d, e, f, g, h, a, b, i + 6, W)                                                                 \
    ZRNO_R(b, c, d, e, f, g, h, a, i + 7, W)

void Sha256Portabilno(unsigned int h8[8], unsigned char const *p, size_t blokov) {
    unsigned int a = h8[0], b = h8[1], c = h8[2], d = h8[3], e = h8[4], f = h8[5], g = h8[6], h = h8[7];
    for (; blokov; --blokov, p += 64) {
        unsigned int w[16];
        ZRNO_OSEM(0, ZRNO_W0)
        ZRNO_OSEM(8, ZRNO_W0)
        ZRNO_OSEM(16, ZRNO_W)
        ZRNO_OSEM(24, ZRNO_W)
        ZRNO_OSEM(32, ZRNO_W)
        ZRNO_OSEM(40, ZRNO_W)
        ZRNO_OSEM(48, ZRNO_W)
        ZRNO_OSEM(56, ZRNO_W)
        a = h8[0] += a;
        b = h8[1] += b;
        c = h8[2] += c;
        d = h8[3] += d;
        e = h8[4] += e;
        f = h8[5] += f;
        g = h8[6] += g;
        h = h8[7] += h;
    }
}

} // namespace Zrno::Notranje
