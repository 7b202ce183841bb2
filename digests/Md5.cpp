// The MD5 compression function, written out step by step with the constants inline. F and G are
// arranged so that the term not depending on the previous step's result can start early (G adds its
// two disjoint halves instead of OR-ing them), and I takes ~d before b is known.
#include "digests/Stiskanje.h"
#include <string.h>

namespace Zrno::Notranje {

namespace {

inline unsigned int Rol(unsigned int x, int s) { return (x << s) | (x >> (32 - s)); }

// The message words are little-endian, as is the machine; the compiler folds these into the additions.
inline unsigned int Beseda(unsigned char const *p, int i) {
    unsigned int v;
    memcpy(&v, p + 4 * i, 4);
    return v;
}

} // namespace

#define ZRNO_F(b, c, d) ((d) ^ ((b) & ((c) ^ (d))))
#define ZRNO_H(b, c, d) ((b) ^ (c) ^ (d))
#define ZRNO_I(b, c, d) ((c) ^ ((b) | ~(d)))
#define ZRNO_KORAK(f, a, b, c, d, x, k, s)                                                                  \
    a += f(b, c, d) + (x) + (k);                                                                           \
    a = Rol(a, s) + (b);
#define ZRNO_KORAKG(a, b, c, d, x, k, s)                                                                    \
    a += (~(d) & (c)) + (x) + (k);                                                                         \
    a += (d) & (b);                                                                                        \
    a = Rol(a, s) + (b);

void Md5Bloki(unsigned int h[4], unsigned char const *p, size_t blokov) {
    unsigned int a = h[0], b = h[1], c = h[2], d = h[3];
    for (; blokov; --blokov, p += 64) {
        const unsigned int a0 = a, b0 = b, c0 = c, d0 = d;

        ZRNO_KORAK(ZRNO_F, a, b, c, d, Beseda(p, 0), 0xd76aa478, 7)
        ZRNO_KORAK(ZRNO_F, d, a, b, c, Beseda(p, 1), 0xe8c7b756, 12)
        ZRNO_KORAK(ZRNO_F, c, d, a, b, Beseda(p, 2), 0x242070db, 17)
        ZRNO_KORAK(ZRNO_F, b, c, d, a, Beseda(p, 3), 0xc1bdceee, 22)
        ZRNO_KORAK(ZRNO_F, a, b, c, d, Beseda(p, 4), 0xf57c0faf, 7)
        ZRNO_KORAK(ZRNO_F, d, a, b, c, Beseda(p, 5), 0x4787c62a, 12)
        ZRNO_KORAK(ZRNO_F, c, d, a, b, Beseda(p, 6), 0xa8304613, 17)
        ZRNO_KORAK(ZRNO_F, b, c, d, a, Beseda(p, 7), 0xfd469501, 22)
        ZRNO_KORAK(ZRNO_F, a, b, c, d, Beseda(p, 8), 0x698098d8, 7)
        ZRNO_KORAK(ZRNO_F, d, a, b, c, Beseda(p, 9), 0x8b44f7af, 12)
        ZRNO_KORAK(ZRNO_F, c, d, a, b, Beseda(p, 10), 0xffff5bb1, 17)
        ZRNO_KORAK(ZRNO_F, b, c, d, a, Beseda(p, 11), 0x895cd7be, 22)
        ZRNO_KORAK(ZRNO_F, a, b, c, d, Beseda(p, 12), 0x6b901122, 7)
        ZRNO_KORAK(ZRNO_F, d, a, b, c, Beseda(p, 13), 0xfd987193, 12)
        ZRNO_KORAK(ZRNO_F, c, d, a, b, Beseda(p, 14), 0xa679438e, 17)
        ZRNO_KORAK(ZRNO_F, b, c, d, a, Beseda(p, 15), 0x49b40821, 22)

        ZRNO_KORAKG(a, b, c, d, Beseda(p, 1), 0xf61e2562, 5)
        ZRNO_KORAKG(d, a, b, c, Beseda(p, 6), 0xc040b340, 9)
        ZRNO_KORAKG(c, d, a, b, Beseda(p, 11), 0x265e5a51, 14)
        ZRNO_KORAKG(b, c, d, a, Beseda(p, 0), 0xe9b6c7aa, 20)
        ZRNO_KORAKG(a, b, c, d, Beseda(p, 5), 0xd62f105d, 5)
        ZRNO_KORAKG(d, a, b, c, Beseda(p, 10), 0x02441453, 9)
        ZRNO_KORAKG(c, d, a, b, Beseda(p, 15), 0xd8a1e681, 14)
        ZRNO_KORAKG(b, c, d, a, Beseda(p, 4), 0xe7d3fbc8, 20)
        ZRNO_KORAKG(a, b, c, d, Beseda(p, 9), 0x21e1cde6, 5)
        ZRNO_KORAKG(d, a, b, c, Beseda(p, 14), 0xc33707d6, 9)
        ZRNO_KORAKG(c, d, a, b, Beseda(p, 3), 0xf4d50d87, 14)
        ZRNO_KORAKG(b, c, d, a, Beseda(p, 8), 0x455a14ed, 20)
        ZRNO_KORAKG(a, b, c, d, Beseda(p, 13), 0xa9e3e905, 5)
        ZRNO_KORAKG(d, a, b, c, Beseda(p, 2), 0xfcefa3f8, 9)
        ZRNO_KORAKG(c, d, a, b, Beseda(p, 7), 0x676f02d9, 14)
        ZRNO_KORAKG(b, c, d, a, Beseda(p, 12), 0x8d2a4c8a, 20)

        ZRNO_KORAK(ZRNO_H, a, b, c, d, Beseda(p, 5), 0xfffa3942, 4)
        ZRNO_KORAK(ZRNO_H, d, a, b, c, Beseda(p, 8), 0x8771f681, 11)
        ZRNO_KORAK(ZRNO_H, c, d, a, b, Beseda(p, 11), 0x6d9d6122, 16)
        ZRNO_KORAK(ZRNO_H, b, c, d, a, Beseda(p, 14), 0xfde5380c, 23)
        ZRNO_KORAK(ZRNO_H, a, b, c, d, Beseda(p, 1), 0xa4beea44, 4)
        ZRNO_KORAK(ZRNO_H, d, a, b, c, Beseda(p, 4), 0x4bdecfa9, 11)
        ZRNO_KORAK(ZRNO_H, c, d, a, b, Beseda(p, 7), 0xf6bb4b60, 16)
        ZRNO_KORAK(ZRNO_H, b, c, d, a, Beseda(p, 10), 0xbebfbc70, 23)
        ZRNO_KORAK(ZRNO_H, a, b, c, d, Beseda(p, 13), 0x289b7ec6, 4)
        ZRNO_KORAK(ZRNO_H, d, a, b, c, Beseda(p, 0), 0xeaa127fa, 11)
        ZRNO_KORAK(ZRNO_H, c, d, a, b, Beseda(p, 3), 0xd4ef3085, 16)
        ZRNO_KORAK(ZRNO_H, b, c, d, a, Beseda(p, 6), 0x04881d05, 23)
        ZRNO_KORAK(ZRNO_H, a, b, c, d, Beseda(p, 9), 0xd9d4d039, 4)
        ZRNO_KORAK(ZRNO_H, d, a, b, c, Beseda(p, 12), 0xe6db99e5, 11)
        ZRNO_KORAK(ZRNO_H, c, d, a, b, Beseda(p, 15), 0x1fa27cf8, 16)
        ZRNO_KORAK(ZRNO_H, b, c, d, a, Beseda(p, 2), 0xc4ac5665, 23)

        ZRNO_KORAK(ZRNO_I, a, b, c, d, Beseda(p, 0), 0xf4292244, 6)
        ZRNO_KORAK(ZRNO_I, d, a, b, c, Beseda(p, 7), 0x432aff97, 10)
        ZRNO_KORAK(ZRNO_I, c, d, a, b, Beseda(p, 14), 0xab9423a7, 15)
        ZRNO_KORAK(ZRNO_I, b, c, d, a, Beseda(p, 5), 0xfc93a039, 21)
        ZRNO_KORAK(ZRNO_I, a, b, c, d, Beseda(p, 12), 0x655b59c3, 6)
        ZRNO_KORAK(ZRNO_I, d, a, b, c, Beseda(p, 3), 0x8f0ccc92, 10)
        ZRNO_KORAK(ZRNO_I, c, d, a, b, Beseda(p, 10), 0xffeff47d, 15)
        ZRNO_KORAK(ZRNO_I, b, c, d, a, Beseda(p, 1), 0x85845dd1, 21)
        ZRNO_KORAK(ZRNO_I, a, b, c, d, Beseda(p, 8), 0x6fa87e4f, 6)
        ZRNO_KORAK(ZRNO_I, d, a, b, c, Beseda(p, 15), 0xfe2ce6e0, 10)
        ZRNO_KORAK(ZRNO_I, c, d, a, b, Beseda(p, 6), 0xa3014314, 15)
        ZRNO_KORAK(ZRNO_I, b, c, d, a, Beseda(p, 13), 0x4e0811a1, 21)
        ZRNO_KORAK(ZRNO_I, a, b, c, d, Beseda(p, 4), 0xf7537e82, 6)
        ZRNO_KORAK(ZRNO_I, d, a, b, c, Beseda(p, 11), 0xbd3af235, 10)
        ZRNO_KORAK(ZRNO_I, c, d, a, b, Beseda(p, 2), 0x2ad7d2bb, 15)
        ZRNO_KORAK(ZRNO_I, b, c, d, a, Beseda(p, 9), 0xeb86d391, 21)

        a += a0;
        b += b0;
        c += c0;
        d += d0;
    }
    h[0] = a;
    h[1] = b;
    h[2] = c;
    h[3] = d;
}

} // namespace Zrno::Notranje
