// The one place where narrow and wide strings differ: character ordering, case folding and white space
// through the library's locale, the runtime's bounded formatter and counted reader, and the SSE2 lane
// compares of the search; and, built on them, the exact and case-insensitive folding that searching,
// comparing and editing share. Everything else in the string templates is written once over T.
#ifndef ZRNO_NOTRANJE_STRINGS_ZNAKI_H
#define ZRNO_NOTRANJE_STRINGS_ZNAKI_H

#include "frame/Velikost.h"
#include "frame/locale.h"
#include "frame/win.h"
#include "strings/Orodja.h"
#include <ctype.h>
#include <stdarg.h>
#include <stdio.h>
#include <wchar.h>
#include <zrno/frame.h>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace Zrno::Notranje {

template <class T> struct Znaki;

template <> struct Znaki<char> {
    // Narrow text orders as signed bytes: 0x80..0xFF sort below 0 and below ASCII.
    static int Red(char c) { return static_cast<signed char>(c); }
    // msvcrt maps a negative argument as the byte it stands for; the unsigned form is the same byte.
    static char Mala(char c, _locale_t l) {
        return static_cast<char>(_tolower_l(static_cast<unsigned char>(c), l));
    }
    static char Velika(char c, _locale_t l) {
        return static_cast<char>(_toupper_l(static_cast<unsigned char>(c), l));
    }
    static bool JePresledek(char c, _locale_t l) { return _isspace_l(static_cast<unsigned char>(c), l) != 0; }

    static int Oblikuj(char *cilj, size_t stevilo, char const *oblika, _locale_t l, va_list args) {
        return _vsnprintf_l(cilj, stevilo, oblika, l, args);
    }
    // Counts the output without writing it; -1 when the runtime cannot produce it at all.
    static int Izmeri(char const *oblika, _locale_t l, va_list args) { return _vscprintf_l(oblika, l, args); }
    template <class... P>
    static int Preberi(char const *vhod, size_t stevilo, char const *oblika, _locale_t l, P... kazalci) {
        return _snscanf_l(vhod, stevilo, oblika, l, kazalci...);
    }

#ifdef __SSE2__
    static __m128i Razprsi(char c) { return _mm_set1_epi8(c); }
    static __m128i Enako(__m128i a, __m128i b) { return _mm_cmpeq_epi8(a, b); }
#endif
};

template <> struct Znaki<unsigned short> {
    static int Red(unsigned short c) { return c; }
    // Two pairs the runtime's tables do not fold everywhere, as {capital, small}: U+01D1/U+01D2 and the
    // private-use U+E005/U+E004 (u with ring below), which the library's own texts use.
    static unsigned short Par(unsigned short c, int iz, int v) {
        static constexpr unsigned short pari[2][2] = {{0x01D1, 0x01D2}, {0xE005, 0xE004}};
        for (auto const &p : pari)
            if (c == p[iz])
                return p[1 - iz];
        return static_cast<unsigned short>(v);
    }
    static unsigned short Mala(unsigned short c, _locale_t l) { return Par(c, 0, _towlower_l(c, l)); }
    static unsigned short Velika(unsigned short c, _locale_t l) { return Par(c, 1, _towupper_l(c, l)); }
    static bool JePresledek(unsigned short c, _locale_t l) { return _iswspace_l(c, l) != 0; }

    static wchar_t *W(unsigned short *p) { return reinterpret_cast<wchar_t *>(p); }
    static wchar_t const *W(unsigned short const *p) { return reinterpret_cast<wchar_t const *>(p); }

    static int Oblikuj(unsigned short *cilj, size_t stevilo, unsigned short const *oblika, _locale_t l,
                       va_list args) {
        return _vsnwprintf_l(W(cilj), stevilo, W(oblika), l, args);
    }
    static int Izmeri(unsigned short const *oblika, _locale_t l, va_list args) {
        return _vscwprintf_l(W(oblika), l, args);
    }
    template <class... P>
    static int Preberi(unsigned short const *vhod, size_t stevilo, unsigned short const *oblika, _locale_t l,
                       P... kazalci) {
        return _snwscanf_l(W(vhod), stevilo, W(oblika), l, kazalci...);
    }

#ifdef __SSE2__
    static __m128i Razprsi(unsigned short c) { return _mm_set1_epi16(static_cast<short>(c)); }
    static __m128i Enako(__m128i a, __m128i b) { return _mm_cmpeq_epi16(a, b); }
#endif
};

// Exact or case-insensitive character equality: the I forms compare folded values.
template <class T> struct Tocno {
    T Zlozi(T c) const { return c; }
};
template <class T> struct BrezVelikosti {
    _locale_t l = Locale();
    T Zlozi(T c) const { return Znaki<T>::Mala(c, l); }
};

// A text, folded, in a buffer that lives as long as the call (a heap block when long); null when the
// heap refuses it. Editing copies its patterns because they may point into the buffer being rebuilt.
template <class T> class Kopija {
  public:
    template <class E> Kopija(T const *niz, unsigned int m, E const &e) {
        unsigned int bajtov;
        m_p = m <= 64 ? m_kratek
              : Velikost(m, static_cast<unsigned int>(sizeof(T)), bajtov)
                  ? static_cast<T *>(Zrno::RezervirajPomnilnik(nullptr, bajtov))
                  : nullptr;
        if (m_p)
            for (unsigned int i = 0; i < m; ++i)
                m_p[i] = e.Zlozi(niz[i]);
    }
    Kopija(Kopija const &) = delete;
    Kopija &operator=(Kopija const &) = delete;
    ~Kopija() {
        if (m_p != m_kratek)
            Zrno::SprostiPomnilnik(m_p);
    }
    T const *Vrni() const { return m_p; }

  private:
    T m_kratek[64];
    T *m_p;
};

// Does the folded pattern z[0..m) match at s? The terminator never matches a pattern character.
template <class T, class E> bool Ujema(T const *s, T const *z, unsigned int m, E const &e) {
    for (unsigned int i = 0; i < m; ++i)
        if (e.Zlozi(s[i]) != z[i])
            return false;
    return true;
}

} // namespace Zrno::Notranje

#endif
