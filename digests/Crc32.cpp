// CRC-32 kernels: the one-table method, slicing over eight tables, and the choice of the fastest
// method for long runs (carry-less multiplication folding where the processor has it).
#include "digests/Stiskanje.h"
#include "frame/procesor.h"
#include <string.h>

namespace Zrno::Notranje {

namespace {

struct Tabele {
    unsigned int t[8][256];
};

// Entry i of table 0 is the standard table; table k advances table k-1 by one more zero byte, so eight
// lookups combine eight input bytes in one step.
constexpr Tabele Izracunaj() {
    Tabele r{};
    for (unsigned int i = 0; i < 256; ++i) {
        unsigned int c = i;
        for (int k = 0; k < 8; ++k)
            c = (c >> 1) ^ ((c & 1) ? 0xEDB88320u : 0u);
        r.t[0][i] = c;
    }
    for (int k = 1; k < 8; ++k)
        for (unsigned int i = 0; i < 256; ++i)
            r.t[k][i] = (r.t[k - 1][i] >> 8) ^ r.t[0][r.t[k - 1][i] & 0xFF];
    return r;
}

constexpr Tabele g_tabele = Izracunaj();
static_assert(g_tabele.t[0][1] == 0x77073096u && g_tabele.t[0][255] == 0x2D02EF8Du, "CRC table");

inline unsigned int Beseda(unsigned char const *p) {
    unsigned int v;
    memcpy(&v, p, 4); // the CRC is reflected: little-endian words line up with it
    return v;
}

// Below this size the folding set-up and reduction cost more than they save.
constexpr size_t k_najmanjZaPclmul = 256;

const Procesor g_procesor = ZaznajProcesor();
const bool g_pclmul = g_procesor.pclmul && g_procesor.sse41;
// The wider forms fold 128 or 256 bytes a step: VPCLMULQDQ on the AVX registers, then on AVX-512's.
const bool g_vpclmul = g_pclmul && g_procesor.avx2 && g_procesor.vpclmul;
const bool g_vpclmul512 = g_vpclmul && g_procesor.avx512;

} // namespace

unsigned int Crc32Tabela(unsigned int reg, unsigned char const *p, size_t n) {
    const unsigned int *t = g_tabele.t[0];
    while (n--)
        reg = (reg >> 8) ^ t[(reg ^ *p++) & 0xFF];
    return reg;
}

unsigned int Crc32Rezine(unsigned int reg, unsigned char const *p, size_t n) {
    const auto &t = g_tabele.t;
    for (; n >= 8; n -= 8, p += 8) {
        unsigned int a = Beseda(p) ^ reg, b = Beseda(p + 4);
        reg = t[7][a & 0xFF] ^ t[6][(a >> 8) & 0xFF] ^ t[5][(a >> 16) & 0xFF] ^ t[4][a >> 24] ^
              t[3][b & 0xFF] ^ t[2][(b >> 8) & 0xFF] ^ t[1][(b >> 16) & 0xFF] ^ t[0][b >> 24];
    }
    return Crc32Tabela(reg, p, n);
}

unsigned int Crc32(unsigned int reg, unsigned char const *p, size_t n) {
    // The folding takes whole 16-byte units only; eight-table slicing finishes the rest, and takes short
    // runs and processors without the instructions whole.
    if (g_pclmul && n >= k_najmanjZaPclmul) {
        size_t zlozi = n & ~size_t(15);
        reg = g_vpclmul512 ? Crc32Vpclmul512(reg, p, zlozi)
              : g_vpclmul  ? Crc32Vpclmul(reg, p, zlozi)
                           : Crc32Pclmul(reg, p, zlozi);
        p += zlozi;
        n -= zlozi;
    }
    return Crc32Rezine(reg, p, n);
}

} // namespace Zrno::Notranje
