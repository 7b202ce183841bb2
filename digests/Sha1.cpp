// The SHA-1 compression function in portable code, round by round over a circular sixteen-word
// schedule, and the choice between it and the processor's SHA extensions.
#include "digests/Stiskanje.h"
#include "frame/procesor.h"

namespace Zrno::Notranje {

namespace {

inline unsigned int Rol(unsigned int x, int s) { return (x << s) | (x >> (32 - s)); }

inline unsigned int BesedaBE(unsigned char const *p) {
    return (unsigned int)p[0] << 24 | (unsigned int)p[1] << 16 | (unsigned int)p[2] << 8 | p[3];
}

using Bloki = void (*)(unsigned int h[5], unsigned char const *p, size_t blokov);

Bloki Izberi() {
    Procesor p = ZaznajProcesor();
    return p.sha && p.sse41 && p.ssse3 ? Sha1Ni : Sha1Portabilno;
}

} // namespace

const Bloki Sha1Bloki = Izberi();

// Rounds 0 to 15 take the message words; later ones extend the schedule in place. The majority
// function of rounds 40 to 59 adds its two disjoint parts instead of OR-ing them.
#define ZRNO_W0(i) (w[i] = BesedaBE(p + 4 * (i)))
#define ZRNO_W(i)                                                                                          \
    (w[(i)&15] = Rol(w[((i) + 13) & 15] ^ w[((i) + 8) & 15] ^ w[((i) + 2) & 15] ^ w[(i)&15], 1))
#define ZRNO_R0(a, b, c, d, e, i)                                                                           \
    e += ((b & (c ^ d)) ^ d) + ZRNO_W0(i) + 0x5A827999 + Rol(a, 5);                                       \
    b = Rol(b, 30);
#define ZRNO_R1(a, b, c, d, e, i)                                                                           \
    e += ((b & (c ^ d)) ^ d) + ZRNO_W(i) + 0x5A827999 + Rol(a, 5);                                        \
    b = Rol(b, 30);
#define ZRNO_R2(a, b, c, d, e, i)                                                                           \
    e += (b ^ c ^ d) + ZRNO_W(i) + 0x6ED9EBA1 + Rol(a, 5);                                                \
    b = Rol(b, 30);
#define ZRNO_R3(a, b, c, d, e, i)                                                                           \
    e += ((b & c) + (d & (b ^ c))) + ZRNO_W(i) + 0x8F1BBCDC + Rol(a, 5);                                 \
    b = Rol(b, 30);
#define ZRNO_R4(a, b, c, d, e, i)                                                                           \
    e += (b ^ c ^ d) + ZRNO_W(i) + 0xCA62C1D6 + Rol(a, 5);                                                \
    b = Rol(b, 30);
#define ZRNO_PET(R, i)                                                                                      \
    R(a, b, c, d, e, i) R(e, a, b, c, d, i + 1) R(d, e, a, b, c, i + 2) R(c, d, e, a, b, i + 3)             \
        R(b, c, d, e, a, i + 4)

void Sha1Portabilno(unsigned int h[5], unsigned char const *p, size_t blokov) {
    unsigned int a = h[0], b = h[1], c = h[2], d = h[3], e = h[4];
    for (; blokov; --blokov, p += 64) {
        unsigned int w[16];
        const unsigned int a0 = a, b0 = b, c0 = c, d0 = d, e0 = e;
        ZRNO_PET(ZRNO_R0, 0)
        ZRNO_PET(ZRNO_R0, 5)
        ZRNO_PET(ZRNO_R0, 10)
        ZRNO_R0(a, b, c, d, e, 15)
        ZRNO_R1(e, a, b, c, d, 16)
        ZRNO_R1(d, e, a, b, c, 17)
        ZRNO_R1(c, d, e, a, b, 18)
        ZRNO_R1(b, c, d, e, a, 19)
        ZRNO_PET(ZRNO_R2, 20)
        ZRNO_PET(ZRNO_R2, 25)
        ZRNO_PET(ZRNO_R2, 30)
        ZRNO_PET(ZRNO_R2, 35)
        ZRNO_PET(ZRNO_R3, 40)
        ZRNO_PET(ZRNO_R3, 45)
        ZRNO_PET(ZRNO_R3, 50)
        ZRNO_PET(ZRNO_R3, 55)
        ZRNO_PET(ZRNO_R4, 60)
        ZRNO_PET(ZRNO_R4, 65)
        ZRNO_PET(ZRNO_R4, 70)
        ZRNO_PET(ZRNO_R4, 75)
        a += a0;
        b += b0;
        c += c0;
        d += d0;
        e += e0;
    }
    h[0] = a;
    h[1] = b;
    h[2] = c;
    h[3] = d;
    h[4] = e;
}

} // namespace Zrno::Notranje
