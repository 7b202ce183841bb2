// Strict Base64 (RFC 4648) for zrno base64 -d, checked ahead of the library's decoder, which by design
// skips foreign characters and ends quietly at the first padded group: here a foreign character, a
// misplaced '=', a group cut short, bits left over after the data of the last group or anything after
// the padding is an error. White space (line breaks above all) may come anywhere.
#ifndef ZRNO_TOOLS_BASE64STROGO_H
#define ZRNO_TOOLS_BASE64STROGO_H

#include <stddef.h>
#include <stdio.h>

namespace zrno_orodje {

class StrogiBase64 {
  public:
    /// Checks the next n characters of the text; returns how many pass, n when all do. At the first
    /// that does not, Napaka says why.
    size_t Preveri(const char *besedilo, size_t n) {
        for (size_t i = 0; i < n; ++i) {
            const unsigned char z = static_cast<unsigned char>(besedilo[i]);
            if (z == ' ' || z == '\t' || z == '\r' || z == '\n' || z == '\v' || z == '\f')
                continue;
            const int v = Vrednost(z);
            if (m_konec)
                return Zavrni(i, "data after the padding");
            if (v < 0) {
                snprintf(m_napaka, sizeof m_napaka, "invalid character 0x%02x", z);
                return i;
            }
            if (v < 64 && m_polnil)
                return Zavrni(i, "data after '=' within a group");
            if (v == 64 && (m_znakov < 2 || (m_polnil == 0 && (m_prejsnja & (m_znakov == 2 ? 15 : 3)))))
                return Zavrni(i,
                              m_znakov < 2 ? "misplaced '='" : "bits set after the data of the last group");
            m_polnil += v == 64;
            m_prejsnja = v;
            if (++m_znakov == 4) {
                m_konec = m_polnil != 0;
                m_znakov = m_polnil = 0;
            }
        }
        return n;
    }
    /// After the last character: false (and Napaka says so) when the text ends within a group.
    bool Konec() { return m_znakov == 0 || (Zavrni(0, "the input ends within a group"), false); }
    const char *Napaka() const { return m_napaka; }

  private:
    static int Vrednost(unsigned char z) {
        return z >= 'A' && z <= 'Z'   ? z - 'A'
               : z >= 'a' && z <= 'z' ? z - 'a' + 26
               : z >= '0' && z <= '9' ? z - '0' + 52
               : z == '+'             ? 62
               : z == '/'             ? 63
               : z == '='             ? 64
                                      : -1;
    }
    size_t Zavrni(size_t i, const char *zakaj) {
        snprintf(m_napaka, sizeof m_napaka, "%s", zakaj);
        return i;
    }

    unsigned int m_znakov = 0; ///< characters of the group begun, '=' included
    unsigned int m_polnil = 0; ///< '=' among them
    int m_prejsnja = 0;        ///< the value of the character before
    bool m_konec = false;      ///< a padded group has ended the data
    char m_napaka[64] = "";
};

} // namespace zrno_orodje

#endif
