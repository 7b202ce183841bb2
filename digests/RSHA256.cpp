// SHA-256: the chaining words, the FIPS 180-4 finishing and the stored form.
#include "digests/Stiskanje.h"
#include <zrno/digests.h>

namespace {
const unsigned char k_polnilo[64] = {0x80};
}

RSHA256::RSHA256() { RSHA256::Resetiraj(); }

RSHA256::~RSHA256() {}

void RSHA256::Resetiraj() {
    RBlokovniOdtisnik::Resetiraj();
    static const unsigned int k_zacetne[8] = {0x6A09E667, 0xBB67AE85, 0x3C6EF372, 0xA54FF53A,
                                              0x510E527F, 0x9B05688C, 0x1F83D9AB, 0x5BE0CD19};
    for (int i = 0; i < 8; ++i)
        m_h[i] = k_zacetne[i];
}

void RSHA256::IzracunajBlok() { Zrno::Notranje::Sha256Bloki(m_h, m_blok, 1); }

bool RSHA256::IzracunajBloke(unsigned char const *podatki, size_t blokov) {
    return Zrno::Notranje::LastniBloki(*this, Zrno::Notranje::Sha256Bloki, m_h, podatki, blokov);
}

// The padding goes through the virtual Izracunaj like data: 0x80 and zero bytes up to 448 bits modulo
// 512 in one call, then the 64-bit count big-endian.
void RSHA256::Zakljuci() {
    unsigned char dolzina[8];
    for (int i = 0; i < 4; ++i) {
        dolzina[i] = static_cast<unsigned char>(m_bitov[1] >> (24 - 8 * i));
        dolzina[4 + i] = static_cast<unsigned char>(m_bitov[0] >> (24 - 8 * i));
    }
    unsigned int indeks = (m_bitov[0] >> 3) & 63;
    Izracunaj(k_polnilo, indeks < 56 ? 56 - indeks : 120 - indeks);
    Izracunaj(dolzina, 8);
    for (int i = 0; i < 32; ++i)
        m_rezultat.Bajti[i] = static_cast<unsigned char>(m_h[i / 4] >> (8 * (3 - i % 4)));
}

int RSHA256::Zapisi(RTokPodatkov &tok) const {
    return Zrno::Notranje::ZapisiVrednost(tok, m_rezultat.Bajti, sizeof m_rezultat.Bajti);
}

int RSHA256::Preberi(RTokPodatkov &tok) {
    Resetiraj();
    return Zrno::Notranje::PreberiVrednost(tok, m_rezultat.Bajti, sizeof m_rezultat.Bajti);
}
