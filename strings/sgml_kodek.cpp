// The SGML codec on plain buffers: references to characters in decoding, characters to references in
// encoding. Both directions share one loop per direction, specialised by small policy classes for the
// narrow and the wide side.
#include "frame/locale.h"
#include "frame/win.h"
#include "strings/sgml.h"
#include <stdlib.h>
#include <string.h>
#include <zrno/strings.h>

namespace {

using namespace Zrno::Notranje;

// MultiByteToWideChar one byte at a time is what the conversion rule asks for, and a system call per
// byte is slow (more so under Wine). A byte always converts the same way, so each call of the codec
// remembers the answers it has already had.
class BajtVZnak {
  public:
    BajtVZnak(unsigned int kodnastran, unsigned long zastavice)
        : m_kodnastran(kodnastran), m_zastavice(zastavice) {
        memset(m_znano, 0, sizeof m_znano);
    }
    unsigned int operator()(unsigned int b) {
        if (!m_znano[b]) {
            char c = static_cast<char>(b);
            wchar_t w = 0;
            // A lead byte of a multi-byte code page does not convert on its own: it becomes 0.
            if (MultiByteToWideChar(m_kodnastran, m_zastavice, &c, 1, &w, 1) != 1)
                w = 0;
            m_znak[b] = static_cast<unsigned short>(w);
            m_znano[b] = true;
        }
        return m_znak[b];
    }

  private:
    unsigned int m_kodnastran;
    unsigned long m_zastavice;
    bool m_znano[256];
    unsigned short m_znak[256];
};

// ---- decoding ----

// Into UTF-16: ordinary bytes come from the ANSI code page, references are stored as they are.
class VUtf16 {
  public:
    VUtf16() : m_pretvori(CP_ACP, MB_PRECOMPOSED) {}
    unsigned short Bajt(char b) {
        return static_cast<unsigned short>(m_pretvori(static_cast<unsigned char>(b)));
    }
    void Kos(char const *vhod, unsigned int n, unsigned short *izhod) {
        for (unsigned int i = 0; i < n; ++i)
            izhod[i] = Bajt(vhod[i]);
    }
    static unsigned short Referenca(unsigned short c) { return c; }
    /// A character above U+FFFF: its surrogate pair, both units.
    static void Par(unsigned short const (&par)[2], unsigned short *&izhod) {
        *izhod++ = par[0];
        *izhod++ = par[1];
    }

  private:
    BajtVZnak m_pretvori;
};

// Into a code page: ordinary bytes stay as they are, each reference goes through WideCharToMultiByte.
class VKodnoStran {
  public:
    explicit VKodnoStran(unsigned int kodnastran) : m_kodnastran(kodnastran) {
        memset(m_kljuc, 0, sizeof m_kljuc);
    }
    static char Bajt(char b) { return b; }
    // The output may be the input itself, a little behind it: memmove.
    static void Kos(char const *vhod, unsigned int n, char *izhod) { memmove(izhod, vhod, n); }
    char Referenca(unsigned short c) {
        // Texts repeat the same few references; a small cache saves most of the system calls.
        unsigned int mesto = (c ^ (c >> 6)) % k_predpomnilnik;
        if (m_kljuc[mesto] == c)
            return m_vrednost[mesto];
        wchar_t w = static_cast<wchar_t>(c);
        char b;
        // Flags 0 and no default character given: a character the code page lacks becomes its default
        // character. One that needs two bytes does not fit the one-byte output, and the call fails.
        if (WideCharToMultiByte(m_kodnastran, 0, &w, 1, &b, 1, nullptr, nullptr) != 1)
            b = 0;
        m_kljuc[mesto] = c; // never 0: a reference to 0 has become U+00A4 before it gets here
        m_vrednost[mesto] = b;
        return b;
    }

    // The pair of a character above U+FFFF converted whole: a code page that lacks it gives its default
    // character (once or once per unit, depending on the system); one that has it needs more than one
    // byte, which the one-byte output cannot take, so the byte is 0 as for any failed conversion.
    void Par(unsigned short const (&par)[2], char *&izhod) {
        wchar_t w[2] = {static_cast<wchar_t>(par[0]), static_cast<wchar_t>(par[1])};
        char b[8];
        BOOL privzeti = FALSE;
        // UTF-7 and UTF-8 refuse a question about the default character.
        const int n = WideCharToMultiByte(m_kodnastran, 0, w, 2, b, sizeof b, nullptr,
                                          m_kodnastran >= 65000 ? nullptr : &privzeti);
        *izhod++ = n == 1 || (n > 0 && privzeti) ? b[0] : 0;
    }

  private:
    static constexpr unsigned int k_predpomnilnik = 64;
    unsigned int m_kodnastran;
    unsigned short m_kljuc[k_predpomnilnik];
    char m_vrednost[k_predpomnilnik];
};

template <class T, class Pretvornik>
unsigned int Dekodiraj(char const *vhod, unsigned int n, T *izhod, unsigned int prostor,
                       Pretvornik &pretvornik) {
    unsigned int i = 0, j = 0;
    // Where the first ";" after the last "&" examined is (n: there is none). Remembering it keeps a text
    // of many ampersands and no semicolon linear, instead of searching the rest of it for each one.
    unsigned int podpicje = 0;
    while (i < n && j < prostor) {
        // Ordinary bytes up to the next ampersand go in one piece.
        unsigned int m = n - i < prostor - j ? n - i : prostor - j;
        auto amp = static_cast<char const *>(memchr(vhod + i, '&', m));
        if (amp != vhod + i) {
            if (amp)
                m = static_cast<unsigned int>(amp - (vhod + i));
            pretvornik.Kos(vhod + i, m, izhod + j);
            i += m;
            j += m;
            continue;
        }
        // At an ampersand: is there a semicolon anywhere after it?
        if (podpicje <= i) {
            auto p = static_cast<char const *>(memchr(vhod + i + 1, ';', n - i - 1));
            podpicje = p ? static_cast<unsigned int>(p - vhod) : n;
        }
        if (podpicje < n) {
            unsigned long vrednost;
            unsigned int naprej = podpicje + 1;
            if (vhod[i + 1] == '#') {
                char const *stevke = vhod + i + 2;
                int osnova = 10;
                if (*stevke == 'x' || *stevke == 'X') {
                    ++stevke;
                    osnova = 16;
                }
                // strtoul stops at the ";" at the latest (neither a digit, a sign nor white space),
                // so it stays inside the input even when the input is not terminated there. Scanning
                // resumes one byte after the place where the digits stopped.
                char *konec;
                vrednost = _strtoul_l(stevke, &konec, osnova, Locale());
                if (konec < vhod + podpicje)
                    naprej = static_cast<unsigned int>(konec - vhod) + 1;
            } else {
                vrednost = PoisciEntitetoSGML(vhod + i + 1, podpicje - i - 1);
            }
            // 0 (unknown name, no digits) and a number past U+10FFFF show as the currency sign; a
            // character above U+FFFF is a surrogate pair. A reference is at least 3 bytes, the pair's
            // is at least 8 ("&#65536;"): the output never overtakes the input.
            if (vrednost > 0xFFFF && vrednost <= 0x10FFFF && prostor - j >= 2) {
                vrednost -= 0x10000;
                const unsigned short par[2] = {static_cast<unsigned short>(0xD800 | (vrednost >> 10)),
                                               static_cast<unsigned short>(0xDC00 | (vrednost & 0x3FF))};
                T *p = izhod + j;
                pretvornik.Par(par, p);
                j = static_cast<unsigned int>(p - izhod);
            } else {
                auto znak = static_cast<unsigned short>(vrednost > 0xFFFF ? 0 : vrednost);
                izhod[j++] = pretvornik.Referenca(znak ? znak : 0xA4);
            }
            i = naprej;
            continue;
        }
        izhod[j++] = pretvornik.Bajt(vhod[i]); // no semicolon: an ordinary ampersand
        ++i;
    }
    return j;
}

// ---- encoding ----

// The encoder runs twice over its input: once with Stevec to measure, once with Pisalec to write.
class Stevec {
  public:
    template <class T> void Kopiraj(T const *, unsigned int n) { m_n += n; }
    void Znaki(char const *, unsigned int n) { m_n += n; }
    void Ime(unsigned int k) { m_n += dolzineImenSGML.n[k] + 2u; }
    void Hex(unsigned int c) { m_n += 5u + (c > 0xF) + (c > 0xFF) + (c > 0xFFF); }
    unsigned long long Dolzina() const { return m_n; }

  private:
    unsigned long long m_n = 0;
};

class Pisalec {
  public:
    explicit Pisalec(char *p) : m_p(p) {}
    // Characters below 0x80, copied as they are.
    void Kopiraj(char const *s, unsigned int n) { Znaki(s, n); }
    void Kopiraj(unsigned short const *s, unsigned int n) {
        for (unsigned int i = 0; i < n; ++i)
            m_p[i] = static_cast<char>(s[i]);
        m_p += n;
    }
    void Znaki(char const *s, unsigned int n) {
        memcpy(m_p, s, n);
        m_p += n;
    }
    void Ime(unsigned int k) {
        *m_p++ = '&';
        Znaki(sgml_unicode[k].ime, dolzineImenSGML.n[k]);
        *m_p++ = ';';
    }
    void Hex(unsigned int c) {
        static char const k_stevke[] = "0123456789abcdef";
        Znaki("&#x", 3);
        int premik = 12;
        while (premik > 0 && !(c >> premik))
            premik -= 4;
        for (; premik >= 0; premik -= 4)
            *m_p++ = k_stevke[(c >> premik) & 0xF];
        *m_p++ = ';';
    }

  private:
    char *m_p;
};

// Which characters a mode other than 1 copies as they are: those below 0x80 except the ampersand and
// what the flags select (2: < > " ', 4: \ " ').
struct Izbira {
    explicit Izbira(unsigned int nacin) {
        memset(prepisi, 0, sizeof prepisi);
        memset(prepisi, 1, 0x80);
        prepisi['&'] = false;
        if (nacin & 2)
            prepisi['<'] = prepisi['>'] = false;
        if (nacin & 6)
            prepisi['"'] = prepisi['\''] = false;
        if (nacin & 4)
            prepisi['\\'] = false;
    }
    bool Prepisi(unsigned int c) const { return c < 0x100 && prepisi[c]; }
    bool prepisi[0x100];
};

struct IzUtf16 {
    unsigned int operator()(unsigned int c) const { return c; }
};

inline unsigned int Enota(char c) { return static_cast<unsigned char>(c); }
inline unsigned int Enota(unsigned short c) { return c; }

template <class T, class Znak, class Izhod>
void Kodiraj(T const *vhod, unsigned int n, unsigned int nacin, Znak &znak, Izhod &izhod) {
    if (nacin == 1) {
        for (unsigned int i = 0; i < n; ++i) {
            unsigned int b = Enota(vhod[i]), c = znak(b), k = unicode_sgml[c];
            char const a = static_cast<char>(b);
            if (k)
                izhod.Ime(k);
            else if (b < 0x80)
                izhod.Znaki(&a, 1);
            else
                izhod.Hex(c);
        }
        return;
    }
    Izbira const izbira(nacin);
    unsigned int i = 0;
    while (i < n) {
        // Runs of characters that are copied go out in one piece.
        unsigned int m = i;
        while (m < n && izbira.Prepisi(Enota(vhod[m])))
            ++m;
        if (m > i) {
            izhod.Kopiraj(vhod + i, m - i);
            i = m;
            continue;
        }
        unsigned int b = Enota(vhod[i++]);
        if (b == '&') {
            izhod.Znaki("&amp;", 5);
        } else {
            unsigned int c = znak(b), k = unicode_sgml[c];
            if (k)
                izhod.Ime(k);
            else
                izhod.Hex(c);
        }
    }
}

template <class T, class Znak>
unsigned int KodirajVse(T const *vhod, unsigned int n, unsigned int nacin, Znak &znak,
                        RezervirajSGML rezerviraj, void *kontekst) {
    Stevec stevec;
    Kodiraj(vhod, n, nacin, znak, stevec);
    if (stevec.Dolzina() >= 0xFFFFFFFFull)
        return 0xFFFFFFFF;
    auto dolzina = static_cast<unsigned int>(stevec.Dolzina());
    char *izhod = rezerviraj(kontekst, dolzina);
    if (!izhod)
        return 0xFFFFFFFF;
    Pisalec pisalec(izhod);
    Kodiraj(vhod, n, nacin, znak, pisalec);
    return dolzina;
}

} // namespace

namespace Zrno::Notranje {

unsigned int DekodirajSGML(char const *vhod, unsigned int n, char *izhod, unsigned int prostor,
                           unsigned int kodnastran) {
    VKodnoStran pretvornik(kodnastran);
    return Dekodiraj(vhod, n, izhod, prostor, pretvornik);
}

unsigned int DekodirajSGML(char const *vhod, unsigned int n, unsigned short *izhod, unsigned int prostor) {
    VUtf16 pretvornik;
    return Dekodiraj(vhod, n, izhod, prostor, pretvornik);
}

unsigned int KodirajSGML(char const *vhod, unsigned int n, unsigned int nacin, unsigned int kodnastran,
                         RezervirajSGML rezerviraj, void *kontekst) {
    // The system refuses MB_PRECOMPOSED for UTF-7, UTF-8 and the other code pages from 65000 on.
    BajtVZnak znak(kodnastran, kodnastran < 65000 ? MB_PRECOMPOSED : 0);
    return KodirajVse(vhod, n, nacin, znak, rezerviraj, kontekst);
}

unsigned int KodirajSGML(unsigned short const *vhod, unsigned int n, unsigned int nacin,
                         RezervirajSGML rezerviraj, void *kontekst) {
    IzUtf16 znak;
    return KodirajVse(vhod, n, nacin, znak, rezerviraj, kontekst);
}

} // namespace Zrno::Notranje
