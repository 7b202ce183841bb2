// The Base64 converter: encodes what is written into lines of groups, decodes what is read. Every
// transfer to or from the target is one byte, except that the library's own buffered streams are
// filled and read in place, which has the same effect.
#include "streams/Base64.h"
#include "streams/Zaloga.h"
#include <string.h>
#include <zrno/streams.h>

using namespace Zrno::Notranje;

RBase64Tok::RBase64Tok(unsigned int skupinVrstice, RTokPodatkov *cilj)
    : RPretvornikToka(cilj), m_indeksSkupine(0), m_ostanekSkupine(0), m_skupinVrstice(skupinVrstice),
      m_skupinNaVrstici(0) {
    memset(m_skupina, 0, sizeof m_skupina);
    // A virtual base is built by the most derived class, which may not pass the target on.
    if (cilj && m_cilj != cilj)
        RPretvornikToka::Uporabi(cilj);
}

RBase64Tok::RBase64Tok(const RBase64Tok &o)
    : RElement(o), RIzpElement(o), RTokPodatkov(o), RPretvornikToka(o), RBase64(o) {
    *this = o;
}

RBase64Tok &RBase64Tok::operator=(const RBase64Tok &o) {
    RPretvornikToka::operator=(o);
    RBase64::operator=(o);
    memcpy(m_skupina, o.m_skupina, sizeof m_skupina);
    m_indeksSkupine = o.m_indeksSkupine;
    m_ostanekSkupine = o.m_ostanekSkupine;
    m_skupinVrstice = o.m_skupinVrstice;
    m_skupinNaVrstici = o.m_skupinNaVrstici;
    return *this;
}

RBase64Tok::~RBase64Tok() {}

int RBase64Tok::Uporabi(RTokPodatkov *cilj) {
    m_indeksSkupine = m_ostanekSkupine = m_skupinNaVrstici = 0;
    return RPretvornikToka::Uporabi(cilj);
}

RTokPodatkov *RBase64Tok::Odpusti() {
    if (m_kodStevilo && m_cilj) {
        char z[4];
        Base64KoncnaSkupina(m_kodPrenos, m_kodStevilo, z);
        for (char c : z)
            m_cilj->Zapisi(&c, 1);
        m_kodStevilo = 0;
    }
    return RPretvornikToka::Odpusti();
}

namespace {

// Text made in one step: whole lines of the default length and more, on the stack.
constexpr unsigned int k_kos = 4096;
// Room in the target's buffer worth encoding into directly; below it the text goes through the stack.
constexpr unsigned int k_najmanj = 128;

// Lines of groups: before a group that would overfill the line comes an LF. An endless line length
// never breaks (the count on the line wraps, as counting one group at a time would).
struct Vrstice {
    unsigned int &naVrstici;
    const unsigned int skupinVrstice;

    // Encodes whole groups from p into o, at most prostor bytes of text; returns the bytes written.
    unsigned int Kodiraj(unsigned char const *&p, unsigned int &skupin, char *o, unsigned int prostor) {
        unsigned int v = 0;
        while (skupin) {
            const bool lf = skupinVrstice != 0xFFFFFFFFu && naVrstici >= skupinVrstice;
            if (lf && skupinVrstice && skupin >= skupinVrstice) { // whole lines, as many as there is room for
                const unsigned long long vrstica = 4ull * skupinVrstice + 1;
                unsigned int m = static_cast<unsigned int>((prostor - v) / vrstica);
                if (m > skupin / skupinVrstice)
                    m = skupin / skupinVrstice;
                if (m) {
                    Base64KodirajVrstice(p, m, skupinVrstice, o + v);
                    v += static_cast<unsigned int>(m * vrstica);
                    p += 3ull * skupinVrstice * m;
                    skupin -= m * skupinVrstice;
                    naVrstici = skupinVrstice;
                    continue;
                }
            }
            unsigned int k = lf ? (skupinVrstice ? skupinVrstice : 1)
                                : (skupinVrstice == 0xFFFFFFFFu ? skupin : skupinVrstice - naVrstici);
            if (k > skupin)
                k = skupin;
            const unsigned int ostane = prostor - v - (lf ? 1 : 0);
            if (prostor - v < (lf ? 1u : 0u) + 4)
                break;
            if (k > ostane / 4)
                k = ostane / 4;
            if (lf) {
                o[v++] = '\n';
                naVrstici = 0;
            }
            Base64KodirajSkupine(p, k, o + v);
            v += 4 * k;
            p += 3 * k;
            skupin -= k;
            naVrstici += k;
        }
        return v;
    }
};

// Passes text on as one-byte writes would: into the room of a buffered target while it has some, and
// one byte through Zapisi when it has none (which makes room again, or writes straight through).
void Pisi(RTokPodatkov &cilj, Zaloga &zaloga, char const *t, unsigned int n) {
    while (n) {
        unsigned char *q;
        unsigned int k = zaloga.Prostor(q);
        if (k) {
            if (k > n)
                k = n;
            memcpy(q, t, k);
            zaloga.Zapisano(k);
        } else {
            cilj.Zapisi(t, 1);
            k = 1;
        }
        t += k;
        n -= k;
    }
}

void Oddaj(RTokPodatkov &cilj, Zaloga &zaloga, Vrstice &vrstice, unsigned char const *p,
           unsigned int skupin) {
    while (skupin) {
        unsigned char *q;
        // A buffering target whose own target has room: its pending bytes and the text that fills it up,
        // with more behind, go there straight, as the write that overflows the buffer would pass them.
        unsigned int velikost, k;
        unsigned char const *caka;
        if (RTokPodatkov *naprej = zaloga.Skozi(velikost, caka, k);
            naprej && velikost >= k_najmanj && skupin > (velikost - k) / 4) {
            Zaloga spodaj = Zaloga::Za(*naprej);
            if (spodaj.Prostor(q) >= velikost) {
                memcpy(q, caka, k);
                const unsigned int n =
                    k + vrstice.Kodiraj(p, skupin, reinterpret_cast<char *>(q) + k, velikost - k);
                char kos[2 * k_najmanj]; // the group that the buffer's end cuts
                const unsigned int m = vrstice.Kodiraj(p, skupin, kos, sizeof kos), r = velikost - n;
                memcpy(q + n, kos, r);
                spodaj.Zapisano(velikost);
                zaloga.Oddano();
                Pisi(cilj, zaloga, kos + r, m - r);
                continue;
            }
        }
        const unsigned int prostor = zaloga.Prostor(q);
        if (prostor >= k_najmanj) {
            zaloga.Zapisano(vrstice.Kodiraj(p, skupin, reinterpret_cast<char *>(q), prostor));
            continue;
        }
        // A little room left in a buffer: only what fills it and starts the next one goes through the
        // stack, the rest is encoded in place once the write that makes room has gone out.
        char kos[k_kos];
        Pisi(cilj, zaloga, kos, vrstice.Kodiraj(p, skupin, kos, prostor ? 2 * k_najmanj : k_kos));
    }
}

// Decodes from the n ready characters at t as far as whole groups of alphabet characters reach, at most
// najvec groups, into o; characters outside the alphabet between groups are passed over, as a group not
// yet begun ignores them. Stops before a group that holds anything else (padding, a foreign character
// within it, or the end of the characters). Returns the characters taken; skupin receives the groups.
// The vector kernels want a terminated text: the characters are copied behind one, a chunk at a time.
unsigned int DekodirajZalogo(unsigned char const *t, unsigned int n, unsigned int najvec, unsigned char *o,
                             unsigned int &skupin) {
    unsigned int vzeto = 0;
    skupin = 0;
    while (vzeto < n && skupin < najvec) {
        char kos[k_kos + 1];
        const unsigned int m = n - vzeto < k_kos ? n - vzeto : k_kos;
        memcpy(kos, t + vzeto, m);
        kos[m] = 0;
        unsigned int j = 0;
        while (skupin < najvec) {
            while (j < m && k_base64Vrednosti.v[static_cast<unsigned char>(kos[j])] == 255)
                ++j;
            // The groups still wanted bound the run: a terminator stands in for now.
            const unsigned int meja = (m - j) / 4 > najvec - skupin ? j + 4 * (najvec - skupin) : m;
            const char zadnji = kos[meja];
            kos[meja] = 0;
            unsigned int g = static_cast<unsigned int>(Base64DekodirajSkupine(kos + j, o));
            // The kernels leave the tail of a run shorter than their step.
            for (; j + 4 * g + 4 <= meja; ++g) {
                unsigned char const *z = reinterpret_cast<unsigned char const *>(kos) + j + 4 * g;
                const unsigned char v[4] = {k_base64Vrednosti.v[z[0]], k_base64Vrednosti.v[z[1]],
                                            k_base64Vrednosti.v[z[2]], k_base64Vrednosti.v[z[3]]};
                if ((v[0] | v[1] | v[2] | v[3]) & 0xC0)
                    break;
                Base64Dekodiraj(v, o + 3 * g);
            }
            kos[meja] = zadnji;
            j += 4 * g;
            o += 3 * g;
            skupin += g;
            if (j >= m || (g == 0 && k_base64Vrednosti.v[static_cast<unsigned char>(kos[j])] != 255))
                break;
        }
        vzeto += j;
        if (j < m)
            break;
    }
    return vzeto;
}

} // namespace

unsigned int RBase64Tok::Zapisi(void const *medpomnilnik, unsigned int stevilo) {
    if (!m_cilj) {
        m_stanje = Zrno::NAP_PARAMETER;
        return 0;
    }
    unsigned char const *p = static_cast<unsigned char const *>(medpomnilnik);
    unsigned int ostane = stevilo;
    while (m_kodStevilo && m_kodStevilo < 3 && ostane) {
        m_kodPrenos[m_kodStevilo++] = *p++;
        --ostane;
    }
    // Every whole group goes out in this call; the 0 to 2 bytes after the last one wait in the carry.
    const bool prenos = m_kodStevilo == 3;
    unsigned int skupin = ostane / 3;
    if (prenos || skupin) {
        Zaloga zaloga = Zaloga::Za(*m_cilj);
        Vrstice vrstice{m_skupinNaVrstici, m_skupinVrstice};
        if (prenos)
            Oddaj(*m_cilj, zaloga, vrstice, m_kodPrenos, 1);
        Oddaj(*m_cilj, zaloga, vrstice, p, skupin);
        m_kodStevilo = 0;
        p += 3 * skupin;
        ostane -= 3 * skupin;
    }
    if (!m_kodStevilo)
        while (ostane--)
            m_kodPrenos[m_kodStevilo++] = *p++;
    return stevilo;
}

unsigned int RBase64Tok::Preberi(void *medpomnilnik, unsigned int stevilo) {
    if (!stevilo)
        return 0;
    if (!m_cilj) {
        m_stanje = Zrno::NAP_PARAMETER;
        return 0;
    }
    // Text the target holds ready is taken in place, as one-byte reads served from its buffer would take
    // it; the rest comes one byte per read.
    Zaloga zaloga = Zaloga::Za(*m_cilj);
    unsigned char *o = static_cast<unsigned char *>(medpomnilnik);
    unsigned int izdano = 0;
    while (stevilo) {
        if (!m_ostanekSkupine) {
            unsigned char const *t;
            unsigned int n;
            if (!m_dekStevilo && stevilo >= 3 && (n = zaloga.NaVoljo(t)) != 0) {
                unsigned int g;
                if (const unsigned int vzeto = DekodirajZalogo(t, n, stevilo / 3, o + izdano, g)) {
                    zaloga.Porabi(vzeto);
                    m_stanje = 0;
                    if (g) {
                        izdano += 3 * g;
                        stevilo -= 3 * g;
                        memcpy(m_skupina, o + izdano - 3, 3);
                        m_indeksSkupine = 3;
                    }
                    continue;
                }
            }
            while (m_dekStevilo < 4) {
                unsigned char z;
                if (zaloga.NaVoljo(t)) {
                    z = *t;
                    zaloga.Porabi(1);
                    m_stanje = 0;
                } else {
                    m_cilj->PreberiTab(&z, 1, 1);
                    if ((m_stanje = m_cilj->VrniStanje()) < 0)
                        return izdano;
                }
                unsigned char v = k_base64Vrednosti.v[z];
                m_dekPrenos[m_dekStevilo] = v;
                if (v != 255)
                    ++m_dekStevilo;
            }
            m_ostanekSkupine = Base64Dekodiraj(m_dekPrenos, m_skupina);
            m_indeksSkupine = 0;
            m_dekStevilo = 0;
            // A padded group ends the call with its last byte.
            if (m_ostanekSkupine < 3 && m_ostanekSkupine < stevilo)
                stevilo = m_ostanekSkupine;
        }
        o[izdano++] = m_skupina[m_indeksSkupine++];
        --m_ostanekSkupine;
        --stevilo;
    }
    return izdano;
}
