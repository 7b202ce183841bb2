// The digest interface and the 64-byte block feeding shared by MD5, SHA-1 and SHA-256.
#include "digests/Stiskanje.h"
#include <string.h>
#include <zrno/digests.h>

ROdtisnik::~ROdtisnik() {}

int Zrno::Notranje::ZapisiVrednost(RTokPodatkov &tok, void const *vrednost, unsigned int n) {
    tok.Zapisi(vrednost, n);
    return tok.VrniStanje();
}

int Zrno::Notranje::PreberiVrednost(RTokPodatkov &tok, void *vrednost, unsigned int n) {
    tok.PreberiTab(vrednost, n, 1);
    return tok.VrniStanje();
}

RBlokovniOdtisnik::~RBlokovniOdtisnik() {}

void RBlokovniOdtisnik::Resetiraj() { m_bitov[0] = m_bitov[1] = 0; }

void RBlokovniOdtisnik::Izracunaj(void const *podatki, unsigned int dolzina) {
    unsigned char const *p = static_cast<unsigned char const *>(podatki);
    unsigned int indeks = (m_bitov[0] >> 3) & 63;
    unsigned int nizka = m_bitov[0] + (dolzina << 3);
    m_bitov[1] += (nizka < m_bitov[0]) + (dolzina >> 29);
    m_bitov[0] = nizka;

    unsigned int i = 0;
    unsigned int dopolni = 64 - indeks;
    if (dolzina >= dopolni) {
        memcpy(m_blok + indeks, p, dopolni);
        IzracunajBlok();
        i = dopolni;
        unsigned int blokov = (dolzina - i) >> 6;
        if (blokov && IzracunajBloke(p + i, blokov)) {
            i += blokov << 6;
        } else {
            for (; i + 63 < dolzina; i += 64) {
                memcpy(m_blok, p + i, 64);
                IzracunajBlok();
            }
        }
        indeks = 0;
    }
    memcpy(m_blok + indeks, p + i, dolzina - i);
}

// A digest opts into compressing straight from the caller's data where it is declared, by overriding this.
bool RBlokovniOdtisnik::IzracunajBloke(unsigned char const *, size_t) { return false; }
