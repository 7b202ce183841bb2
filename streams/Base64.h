// Base64 tables, the one-group steps shared by the codec and its converter, and the fast kernels for
// long runs of whole groups.
#ifndef ZRNO_NOTRANJE_STREAMS_BASE64_H
#define ZRNO_NOTRANJE_STREAMS_BASE64_H

#include <stddef.h>

namespace Zrno::Notranje {

extern const char k_base64Abeceda[65];
/// Character to 6-bit value; 64 for "=", 255 for everything outside the alphabet.
struct Base64Vrednosti {
    unsigned char v[256];
};
extern const Base64Vrednosti k_base64Vrednosti;

inline void Base64Skupina(unsigned char const *b, char *o) {
    o[0] = k_base64Abeceda[b[0] >> 2];
    o[1] = k_base64Abeceda[((b[0] & 3) << 4) | (b[1] >> 4)];
    o[2] = k_base64Abeceda[((b[1] & 15) << 2) | (b[2] >> 6)];
    o[3] = k_base64Abeceda[b[2] & 63];
}

/// The padded last group of 1 or 2 bytes.
inline void Base64KoncnaSkupina(unsigned char const *b, unsigned int n, char *o) {
    unsigned char t[3] = {b[0], n > 1 ? b[1] : static_cast<unsigned char>(0), 0};
    Base64Skupina(t, o);
    o[3] = '=';
    if (n == 1)
        o[2] = '=';
}

/// Decodes four values (64 standing for "="); returns 1, 2 or 3 bytes: fewer than 3 means padding.
inline unsigned int Base64Dekodiraj(unsigned char const *v, unsigned char *o) {
    o[0] = static_cast<unsigned char>((v[0] << 2) | (v[1] >> 4));
    if (v[2] >= 64)
        return 1;
    o[1] = static_cast<unsigned char>((v[1] << 4) | (v[2] >> 2));
    if (v[3] >= 64)
        return 2;
    o[2] = static_cast<unsigned char>((v[2] << 6) | v[3]);
    return 3;
}

/// Encodes `skupin` whole groups (3 * skupin bytes into 4 * skupin characters).
void Base64KodirajSkupine(unsigned char const *p, size_t skupin, char *o);
/// Encodes `vrstic` lines of `skupin` whole groups each, every line after an LF: 4 * skupin + 1
/// characters a line.
void Base64KodirajVrstice(unsigned char const *p, size_t vrstic, size_t skupin, char *o);
/// Decodes the leading groups of t made of alphabet characters only, in runs the vector unit takes
/// whole (none without one); returns the groups decoded (4 characters read, 3 bytes written each). Reads
/// ahead of the text's terminator only within the same memory page.
size_t Base64DekodirajSkupine(char const *t, unsigned char *o);

} // namespace Zrno::Notranje

#endif
