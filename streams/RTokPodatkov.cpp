// The helpers every stream gets from the four virtual operations: arrays, bytes, copying from another
// stream, SAFEARRAY bytes and formatted text.
#include "frame/Oblikuj.h"
#include "frame/Velikost.h"
#include "frame/scoped.h"
#include "frame/win.h"
#include <stdarg.h>
#include <zrno/streams.h>

using Zrno::Notranje::ScopedBlock;

RTokPodatkov::~RTokPodatkov() {}

unsigned int RTokPodatkov::PreberiTab(void *medpomnilnik, unsigned int velikost, unsigned int stevilo) {
    unsigned int skupaj, prebrano = 0;
    if (!Zrno::Notranje::Velikost(velikost, stevilo, skupaj))
        return m_stanje = Zrno::NAP_PARAMETER, 0; // more than 32 bits of bytes: nothing is read
    unsigned char *p = static_cast<unsigned char *>(medpomnilnik);
    // Preberi delivers at least one byte or turns the state negative, so the loop always advances.
    while (prebrano < skupaj) {
        prebrano += Preberi(p + prebrano, skupaj - prebrano);
        if (m_stanje < 0)
            break;
    }
    return velikost ? prebrano / velikost : 0;
}

unsigned int RTokPodatkov::ZapisiTab(void const *medpomnilnik, unsigned int velikost, unsigned int stevilo) {
    unsigned int skupaj;
    if (!Zrno::Notranje::Velikost(velikost, stevilo, skupaj))
        return m_stanje = Zrno::NAP_PARAMETER, 0;
    unsigned int n = Zapisi(medpomnilnik, skupaj);
    return velikost ? n / velikost : 0;
}

unsigned char RTokPodatkov::PreberiBajt() {
    unsigned char b = 0;
    PreberiTab(&b, 1, 1);
    return b;
}

int RTokPodatkov::ZapisiBajt(unsigned char vrednost) {
    Zapisi(&vrednost, 1);
    return m_stanje;
}

unsigned __int64 RTokPodatkov::ZapisiTok(RTokPodatkov &vir, unsigned __int64 stevilo) {
    m_stanje = 0;
    if (stevilo == 0)
        return 0;
    const unsigned int kos = stevilo < 4096 ? static_cast<unsigned int>(stevilo) : 4096;
    ScopedBlock blok(Zrno::RezervirajPomnilnik(nullptr, kos));
    if (!blok) {
        m_stanje = Zrno::NAP_POMNILNIK;
        return 0;
    }
    unsigned char *medpomnilnik = static_cast<unsigned char *>(blok.get());
    unsigned __int64 skupaj = 0, ostane = stevilo;
    do {
        unsigned int zahteva = ostane < kos ? static_cast<unsigned int>(ostane) : kos;
        unsigned int n = vir.Preberi(medpomnilnik, zahteva);
        int s = vir.VrniStanje();
        // Bytes that a source hands over together with a negative state (a cache or a socket at its
        // end) are written too.
        if (n != 0 || s >= 0) {
            unsigned int w = Zapisi(medpomnilnik, n);
            skupaj += w;
            ostane -= w;
            if (m_stanje < 0)
                break;
        }
        // The source's end of data is this copy's success.
        if (s < 0) {
            m_stanje = s == Zrno::NAP_KONECPODATKOV ? 0 : s;
            break;
        }
    } while (ostane != 0);
    return skupaj;
}

unsigned int RTokPodatkov::ZapisiSAFEARRAY(tagSAFEARRAY *polje) {
    void *podatki = nullptr;
    if (FAILED(SafeArrayAccessData(polje, &podatki))) {
        m_stanje = Zrno::NAP_PARAMETER;
        return 0;
    }
    // Without both bounds the size would be a guess: too short loses bytes, too long reads past the array.
    LONG spodnja = 0, zgornja = -1;
    if (FAILED(SafeArrayGetLBound(polje, 1, &spodnja)) || FAILED(SafeArrayGetUBound(polje, 1, &zgornja))) {
        SafeArrayUnaccessData(polje);
        m_stanje = Zrno::NAP_PARAMETER;
        return 0;
    }
    unsigned int w = Zapisi(podatki, static_cast<unsigned int>(zgornja - spodnja + 1));
    SafeArrayUnaccessData(polje);
    return w;
}

namespace {

// Formats into a temporary block of 4096 characters. When the output is longer, its length, measured
// once, gives the block the growth by 4096 characters per attempt would end at, and the second attempt
// fits. Returns the character count, or a failure code when no block could be had or the format cannot
// be produced.
template <typename T> int OblikujZacasno(ScopedBlock &blok, T const *oblika, char *argumenti) {
    unsigned long long znakov = 4096;
    for (;;) {
        blok.reset(znakov * sizeof(T) <= 0xFFFFFFFFu
                       ? Zrno::RezervirajPomnilnik(nullptr, static_cast<unsigned int>(znakov * sizeof(T)))
                       : nullptr);
        if (!blok)
            return Zrno::NAP_POMNILNIK;
        int r = Zrno::Notranje::OmejenoOblikuj(static_cast<T *>(blok.get()), static_cast<size_t>(znakov),
                                               oblika, argumenti);
        if (r >= 0 || znakov != 4096)
            return r >= 0 ? r : Zrno::NAP_PARAMETER;
        const int dolzina = Zrno::Notranje::IzmeriObliko(oblika, argumenti);
        if (dolzina < 0)
            return Zrno::NAP_PARAMETER;
        // The old content need not survive, so the block is freed first rather than reallocated.
        blok.reset();
        znakov = (static_cast<unsigned long long>(dolzina) + 4095) / 4096 * 4096;
    }
}

} // namespace

template <typename T> unsigned int RTokPodatkov::ZapisiOblT(T const *oblika, char *argumenti) {
    ScopedBlock blok;
    int r = OblikujZacasno(blok, oblika, argumenti);
    if (r < 0) {
        m_stanje = r;
        return 0;
    }
    // The stream's own Zapisi counts bytes; the result is in characters (rounded down).
    return Zapisi(blok.get(), static_cast<unsigned int>(r) * sizeof(T)) / sizeof(T);
}

unsigned int RTokPodatkov::ZapisiOblP(char const *oblika, char *argumenti) {
    return ZapisiOblT(oblika, argumenti);
}

unsigned int RTokPodatkov::ZapisiOblP(unsigned short const *oblika, char *argumenti) {
    return ZapisiOblT(oblika, argumenti);
}

ZRNO_ZAPISIOBL(RTokPodatkov)
