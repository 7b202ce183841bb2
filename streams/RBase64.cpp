// The Base64 codec: buffer, string and stream forms of encoding and decoding, with the carries that let
// data arrive in pieces of any size.
#include "streams/Base64.h"
#include <string.h>
#include <zrno/streams.h>
#include <zrno/strings.h>

namespace Zrno::Notranje {

#define ZRNO_ABECEDA "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/"

const char k_base64Abeceda[65] = ZRNO_ABECEDA;

namespace {

constexpr Base64Vrednosti Tabela() {
    Base64Vrednosti t{};
    for (int i = 0; i < 256; ++i)
        t.v[i] = 255;
    for (int i = 0; i < 64; ++i)
        t.v[static_cast<unsigned char>(ZRNO_ABECEDA[i])] = static_cast<unsigned char>(i);
    t.v[static_cast<unsigned char>('=')] = 64;
    return t;
}

} // namespace

extern const Base64Vrednosti k_base64Vrednosti = Tabela();

} // namespace Zrno::Notranje

using namespace Zrno::Notranje;

namespace {

// Input taken per step of the string and stream forms: whole groups, so that only the last step
// leaves a carry.
constexpr unsigned int k_korak = 3 * 1024;

// The decoding loop shared by the buffer and stream forms: Izhod takes the bytes of each group; a
// buffer sink also takes runs of clean groups in bulk.
template <class Izhod>
unsigned int Dekodiraj(unsigned char (&prenos)[4], unsigned int &stevilo, char const *t, bool &konec,
                       Izhod &izhod) {
    konec = false;
    unsigned int skupaj = 0;
    for (;;) {
        if (stevilo == 4) {
            unsigned char b[3];
            unsigned int n = Base64Dekodiraj(prenos, b);
            izhod.Zapisi(b, n);
            skupaj += n;
            stevilo = 0;
            if (n < 3) {
                konec = true;
                return skupaj;
            }
        }
        if (stevilo == 0) {
            size_t skupin = izhod.Skupine(t);
            t += 4 * skupin;
            skupaj += 3 * static_cast<unsigned int>(skupin);
        }
        unsigned char z = static_cast<unsigned char>(*t++);
        if (!z)
            return skupaj;
        unsigned char v = k_base64Vrednosti.v[z];
        prenos[stevilo] = v; // an ignored character is overwritten by the next one
        if (v != 255)
            ++stevilo;
    }
}

struct IzhodMedpomnilnik {
    unsigned char *o;
    void Zapisi(unsigned char const *b, unsigned int n) {
        memcpy(o, b, n);
        o += n;
    }
    size_t Skupine(char const *t) {
        size_t skupin = Base64DekodirajSkupine(t, o);
        o += 3 * skupin;
        return skupin;
    }
};

struct IzhodTok {
    RTokPodatkov &tok;
    void Zapisi(unsigned char const *b, unsigned int n) {
        for (unsigned int i = 0; i < n; ++i)
            tok.Zapisi(b + i, 1);
    }
    // No bulk path into a stream: 0 groups taken sends every character through the scalar loop above,
    // which writes each decoded byte on its own as the stream's contract asks.
    size_t Skupine(char const *) { return 0; }
};

} // namespace

RBase64::RBase64(const RBase64 &o) : RElement(o) { *this = o; }

RBase64 &RBase64::operator=(const RBase64 &o) {
    memcpy(m_kodPrenos, o.m_kodPrenos, sizeof m_kodPrenos);
    m_kodStevilo = o.m_kodStevilo;
    memcpy(m_dekPrenos, o.m_dekPrenos, sizeof m_dekPrenos);
    m_dekStevilo = o.m_dekStevilo;
    return *this;
}

RBase64::~RBase64() {}

unsigned int RBase64::KodirajBrezKonca(unsigned char const *p, unsigned int velikost, char *izhod,
                                       bool koncno) {
    char *o = izhod;
    if (m_kodStevilo) {
        while (m_kodStevilo < 3 && velikost) {
            m_kodPrenos[m_kodStevilo++] = *p++;
            --velikost;
        }
        if (m_kodStevilo == 3) {
            Base64Skupina(m_kodPrenos, o);
            o += 4;
            m_kodStevilo = 0;
        }
    }
    // A carry still short of a group has taken all the input.
    unsigned int skupin = velikost / 3;
    Base64KodirajSkupine(p, skupin, o);
    o += 4 * skupin;
    p += 3 * skupin;
    velikost -= 3 * skupin;
    memcpy(m_kodPrenos + m_kodStevilo, p, velikost);
    m_kodStevilo += velikost;
    if (koncno && m_kodStevilo) {
        Base64KoncnaSkupina(m_kodPrenos, m_kodStevilo, o);
        o += 4;
        m_kodStevilo = 0;
    }
    return static_cast<unsigned int>(o - izhod);
}

unsigned int RBase64::Kodiraj(void const *podatki, unsigned int velikost, char *izhod, bool koncno) {
    if (VrniKodDolzino(velikost) == 0xFFFFFFFFu)
        return 0; // no buffer the caller could size holds it
    unsigned int n = KodirajBrezKonca(static_cast<unsigned char const *>(podatki), velikost, izhod, koncno);
    izhod[n] = 0;
    return n;
}

unsigned int RBase64::Kodiraj(void const *podatki, unsigned int velikost, RNizA &izhod, bool koncno) {
    unsigned char const *p = static_cast<unsigned char const *>(podatki);
    unsigned int dolzina = izhod.VrniDolzino(), koda = VrniKodDolzino(velikost);
    if (char *niz = koda < 0xFFFFFFFFu - dolzina ? izhod.Odpusti(dolzina + koda, false) : nullptr) {
        unsigned int n = KodirajBrezKonca(p, velikost, niz + dolzina, koncno);
        izhod.Skrajsaj(dolzina + n);
        return n;
    }
    // The string cannot grow to the whole text: it takes what fits, step by step.
    char kos[k_korak / 3 * 4 + 4];
    do {
        unsigned int korak = velikost < k_korak ? velikost : k_korak;
        unsigned int n = KodirajBrezKonca(p, korak, kos, koncno && korak == velikost);
        izhod.Prilepi(kos, n);
        p += korak;
        velikost -= korak;
    } while (velikost);
    return izhod.VrniDolzino() - dolzina;
}

unsigned int RBase64::Kodiraj(void const *podatki, unsigned int velikost, RTokPodatkov &izhod, bool koncno) {
    unsigned char const *p = static_cast<unsigned char const *>(podatki);
    char kos[k_korak / 3 * 4 + 4];
    unsigned int skupaj = 0;
    do {
        unsigned int korak = velikost < k_korak ? velikost : k_korak;
        unsigned int n = KodirajBrezKonca(p, korak, kos, koncno && korak == velikost);
        for (unsigned int i = 0; i < n; ++i)
            izhod.Zapisi(kos + i, 1);
        skupaj += n;
        p += korak;
        velikost -= korak;
    } while (velikost);
    return skupaj;
}

unsigned int RBase64::DeKodiraj(char const *besedilo, void *izhod, bool &konec) {
    IzhodMedpomnilnik o{static_cast<unsigned char *>(izhod)};
    return Dekodiraj(m_dekPrenos, m_dekStevilo, besedilo, konec, o);
}

unsigned int RBase64::DeKodiraj(char const *besedilo, RTokPodatkov &izhod, bool &konec) {
    IzhodTok o{izhod};
    return Dekodiraj(m_dekPrenos, m_dekStevilo, besedilo, konec, o);
}
