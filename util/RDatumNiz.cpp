// RDatum as text: strftime into an RNizA, in a room guessed from the format and doubled while the text
// does not fit.
#include "frame/locale.h"
#include <string.h>
#include <time.h>
#include <zrno/util/RDatum.h>

using Zrno::Notranje::Strftime;

namespace {

// The room a format will likely need: numbers have their fixed widths, names and the national forms an
// allowance (doubled for the long forms that '#' asks for). A guess that falls short only costs the
// growth below; one that fits saves formatting the text again and again in growing rooms. The format's
// length comes out of the same pass.
unsigned long long Ocena(char const *oblika, size_t &dolzina) {
    unsigned long long n = 0;
    char const *p = oblika;
    for (; *p; ++p) {
        if (*p != '%') {
            ++n;
            continue;
        }
        const unsigned int krat = p[1] == '#' ? 2 : 1;
        p += krat;
        switch (*p) {
        case 0: dolzina = static_cast<size_t>(p - oblika); return n;
        case 'Y': n += 4; break;
        case 'j': n += 3; break;
        case 'w':
        case '%': n += 1; break;
        case 'a':
        case 'b':
        case 'p': n += 8 * krat; break;
        case 'A':
        case 'B':
        case 'x':
        case 'X': n += 16 * krat; break;
        case 'c':
        case 'Z': n += 32 * krat; break;
        default: n += 2;
        }
    }
    dolzina = static_cast<size_t>(p - oblika);
    return n;
}

// The characters before the first zero among n: msvcrt's strnlen walks byte by byte, and a long text
// (one conversion per format character) has no zero at all as a rule.
size_t DoNicle(char const *p, size_t n) {
    const size_t enke = ~size_t(0) / 255, visoki = enke << 7;
    size_t i = 0;
    for (size_t w; i + sizeof w <= n; i += sizeof w) {
        memcpy(&w, p + i, sizeof w);
        if ((w - enke) & ~w & visoki)
            break;
    }
    while (i < n && p[i])
        ++i;
    return i;
}

} // namespace

unsigned int RDatum::VrniNiz(__int64 vrednost, RNizA &niz, char const *oblika) {
    niz.Sprazni();
    if (!oblika)
        return 0;
    tm cas;
    PretvoriJulVGre(vrednost, &cas);
    // strftime answers 0 both when the text does not fit and when it is empty or the format invalid, so
    // growth stops once the room is far beyond anything a conversion can expand to (the longest, the
    // long date and time of a locale, stay well under 256 characters per format character). The room
    // doubles, so a format that never fits costs a few attempts rather than one per 128 characters;
    // the last attempt is at the bound itself, so the same texts fit as with any smaller steps.
    size_t dolzinaOblike;
    const unsigned long long ocena = Ocena(oblika, dolzinaOblike);
    unsigned int meja =
        dolzinaOblike < 0xFFFFFFu ? 256u * static_cast<unsigned int>(dolzinaOblike + 1) : 0xFFFFFF00u;
    for (unsigned int n = ocena <= 128   ? 128
                          : ocena < meja ? static_cast<unsigned int>(ocena)
                                         : meja;
         ; n = n < meja / 2 ? n * 2 : meja) {
        char *medpomnilnik = niz.Odpusti(n, false);
        if (!medpomnilnik)
            return 0;
        size_t r = Strftime(medpomnilnik, n + 1, oblika, &cas);
        if (r) {
            niz.Skrajsaj(static_cast<unsigned int>(DoNicle(medpomnilnik, r)));
            return static_cast<unsigned int>(r);
        }
        niz.Sprazni();
        if (n >= meja)
            return 0;
    }
}

RNizA RDatum::VrniNiz(__int64 vrednost, char const *oblika) {
    RNizA niz;
    VrniNiz(vrednost, niz, oblika);
    return niz;
}

unsigned int RDatum::VrniNiz(RNizA &niz, char const *oblika) const {
    return VrniNiz(m_vrednost, niz, oblika);
}
RNizA RDatum::VrniNiz(char const *oblika) { return VrniNiz(m_vrednost, oblika); }
