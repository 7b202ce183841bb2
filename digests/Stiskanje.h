// The compression kernels behind the digest classes. Each works on whole runs of data straight from
// the caller's memory; the classes keep the buffering and the finishing.
#ifndef ZRNO_NOTRANJE_DIGESTS_STISKANJE_H
#define ZRNO_NOTRANJE_DIGESTS_STISKANJE_H

#include <stddef.h>
#include <typeinfo>

class RTokPodatkov;

namespace Zrno::Notranje {

/// The standard one-table CRC, one byte per step.
unsigned int Crc32Tabela(unsigned int reg, unsigned char const *p, size_t n);
/// Eight bytes per step over eight tables (any processor).
unsigned int Crc32Rezine(unsigned int reg, unsigned char const *p, size_t n);
/// The fastest method the processor allows, chosen when the module loads. Gives exactly the register
/// of Crc32Tabela.
unsigned int Crc32(unsigned int reg, unsigned char const *p, size_t n);
/// Carry-less multiplication folding over n bytes, n a multiple of 16 and at least 64.
unsigned int Crc32Pclmul(unsigned int reg, unsigned char const *p, size_t n);
/// The same with 256-bit carry-less multiplication (VPCLMULQDQ and AVX2), for n >= 128.
unsigned int Crc32Vpclmul(unsigned int reg, unsigned char const *p, size_t n);
/// The same with 512-bit registers (AVX-512F), for n >= 256.
unsigned int Crc32Vpclmul512(unsigned int reg, unsigned char const *p, size_t n);

/// MD5 compression of `blokov` 64-byte blocks.
void Md5Bloki(unsigned int h[4], unsigned char const *p, size_t blokov);

/// SHA-1 compression in portable code, round by round.
void Sha1Portabilno(unsigned int h[5], unsigned char const *p, size_t blokov);
/// SHA-1 compression with the processor's SHA extensions.
void Sha1Ni(unsigned int h[5], unsigned char const *p, size_t blokov);
/// The SHA extensions when the processor has them, the portable rounds otherwise (chosen at load).
extern void (*const Sha1Bloki)(unsigned int h[5], unsigned char const *p, size_t blokov);

/// The 64 round constants of SHA-256.
extern const unsigned int k_sha256K[64];
/// SHA-256 compression in portable code, round by round.
void Sha256Portabilno(unsigned int h[8], unsigned char const *p, size_t blokov);
/// SHA-256 compression with the processor's SHA extensions.
void Sha256Ni(unsigned int h[8], unsigned char const *p, size_t blokov);
/// The SHA extensions when the processor has them, the portable rounds otherwise (chosen at load).
extern void (*const Sha256Bloki)(unsigned int h[8], unsigned char const *p, size_t blokov);

/// Runs jedro over the blocks for an object whose exact type is T and returns true; false for an object
/// of a derived type, which may override IzracunajBlok and then sees every block through it.
template <class T>
bool LastniBloki(T &o, void (*jedro)(unsigned int *, unsigned char const *, size_t), unsigned int *h,
                 unsigned char const *p, size_t blokov) {
    if (typeid(o) != typeid(T))
        return false;
    jedro(h, p, blokov);
    return true;
}

/// The stored form of a digest: n bytes in one Zapisi, or read back until they have all come or the
/// stream fails (a short read keeps what arrived). Both return the stream's state.
int ZapisiVrednost(RTokPodatkov &tok, void const *vrednost, unsigned int n);
int PreberiVrednost(RTokPodatkov &tok, void *vrednost, unsigned int n);

} // namespace Zrno::Notranje

#endif
