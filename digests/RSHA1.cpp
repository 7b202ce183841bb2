// SHA-1: the chaining words, the FIPS 180-1 finishing and the stored form.
#include "digests/Stiskanje.h"
#include <string.h>
#include <zrno/digests.h>

RSHA1::RSHA1() { RSHA1::Resetiraj(); }

RSHA1::~RSHA1() {}

void RSHA1::Resetiraj() {
    RBlokovniOdtisnik::Resetiraj();
    m_h[0] = 0x67452301;
    m_h[1] = 0xEFCDAB89;
    m_h[2] = 0x98BADCFE;
    m_h[3] = 0x10325476;
    m_h[4] = 0xC3D2E1F0;
}

void RSHA1::IzracunajBlok() { Zrno::Notranje::Sha1Portabilno(m_h, m_blok, 1); }

bool RSHA1::IzracunajBloke(unsigned char const *podatki, size_t blokov) {
    return Zrno::Notranje::LastniBloki(*this, Zrno::Notranje::Sha1Bloki, m_h, podatki, blokov);
}

// The padding goes through the virtual Izracunaj like data: 0x80, zero bytes one at a time up to 448
// bits modulo 512, then the 64-bit count big-endian.
void RSHA1::Zakljuci() {
    unsigned char dolzina[8];
    for (int i = 0; i < 4; ++i) {
        dolzina[i] = static_cast<unsigned char>(m_bitov[1] >> (24 - 8 * i));
        dolzina[4 + i] = static_cast<unsigned char>(m_bitov[0] >> (24 - 8 * i));
    }
    static const unsigned char k_konec = 0x80, k_nic = 0;
    Izracunaj(&k_konec, 1);
    while ((m_bitov[0] & 0x1F8) != 0x1C0)
        Izracunaj(&k_nic, 1);
    Izracunaj(dolzina, 8);
    for (int i = 0; i < 20; ++i)
        m_rezultat.Bajti[i] = static_cast<unsigned char>(m_h[i / 4] >> (8 * (3 - i % 4)));
}

int RSHA1::Zapisi(RTokPodatkov &tok) const {
    return Zrno::Notranje::ZapisiVrednost(tok, m_rezultat.Bajti, sizeof m_rezultat.Bajti);
}

int RSHA1::Preberi(RTokPodatkov &tok) {
    Resetiraj();
    return Zrno::Notranje::PreberiVrednost(tok, m_rezultat.Bajti, sizeof m_rezultat.Bajti);
}
