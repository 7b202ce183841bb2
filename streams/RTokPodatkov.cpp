// The helpers every stream gets from the four virtual operations: arrays, bytes, copying from another
// stream, SAFEARRAY bytes and formatted text.
#include "frame/Oblikuj.h"
#include "frame/Velikost.h"
#include "frame/scoped.h"
#include "frame/win.h"
#include "streams/Prenos.h"
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
    // A stream in general has no room to read into in place: every chunk goes through Zapisi.
    struct Tok {
        RTokPodatkov &t;
        unsigned char *Mesto(unsigned int) { return nullptr; }
        unsigned int Zapisano(unsigned int) { return 0; }
        unsigned int Zapisi(void const *p, unsigned int n) { return t.Zapisi(p, n); }
    } cilj{*this};
    return Zrno::Notranje::Prenesi(cilj, m_stanje, &vir == this, vir, stevilo);
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

// The one formatted write, the memory file's too. A short output, the common case, is formatted once
// into a block on the stack; a longer one is measured and formatted once more into a block of its size.
// Either way it then goes to the stream with one Zapisi.
template <typename T> unsigned int RTokPodatkov::ZapisiOblT(T const *oblika, char *argumenti) {
    T kos[128];
    int r = Zrno::Notranje::OmejenoOblikuj(kos, 128, oblika, argumenti);
    void const *besedilo = kos;
    ScopedBlock blok;
    if (r < 0) {
        r = Zrno::Notranje::IzmeriObliko(oblika, argumenti);
        if (r < 0) { // a character the code page cannot hold
            m_stanje = Zrno::NAP_PARAMETER;
            return 0;
        }
        const unsigned long long bajtov = static_cast<unsigned long long>(r) * sizeof(T);
        blok.reset(bajtov <= 0xFFFFFFFFu
                       ? Zrno::RezervirajPomnilnik(nullptr, static_cast<unsigned int>(bajtov))
                       : nullptr);
        if (!blok) {
            m_stanje = Zrno::NAP_POMNILNIK;
            return 0;
        }
        // Given exactly the measured length, the runtime fails only if the output has changed since (another
        // thread changing the library's locale).
        if (Zrno::Notranje::OmejenoOblikuj(static_cast<T *>(blok.get()), static_cast<size_t>(r), oblika,
                                           argumenti) != r) {
            m_stanje = Zrno::NAP_PARAMETER;
            return 0;
        }
        besedilo = blok.get();
    }
    // The stream's own Zapisi counts bytes; the result is in characters (rounded down).
    return Zapisi(besedilo, static_cast<unsigned int>(r) * sizeof(T)) / sizeof(T);
}

unsigned int RTokPodatkov::ZapisiOblP(char const *oblika, char *argumenti) {
    return ZapisiOblT(oblika, argumenti);
}

unsigned int RTokPodatkov::ZapisiOblP(unsigned short const *oblika, char *argumenti) {
    return ZapisiOblT(oblika, argumenti);
}

ZRNO_ZAPISIOBL(RTokPodatkov)
