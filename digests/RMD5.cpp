// MD5: the chaining words, the RFC 1321 finishing and the stored form.
#include "digests/Stiskanje.h"
#include <string.h>
#include <zrno/digests.h>

namespace {
const unsigned char k_polnilo[64] = {0x80};
}

RMD5::RMD5() { RMD5::Resetiraj(); }

RMD5::~RMD5() {}

void RMD5::Resetiraj() {
    RBlokovniOdtisnik::Resetiraj();
    m_h[0] = 0x67452301;
    m_h[1] = 0xEFCDAB89;
    m_h[2] = 0x98BADCFE;
    m_h[3] = 0x10325476;
}

void RMD5::IzracunajBlok() { Zrno::Notranje::Md5Bloki(m_h, m_blok, 1); }

bool RMD5::IzracunajBloke(unsigned char const *podatki, size_t blokov) {
    return Zrno::Notranje::LastniBloki(*this, Zrno::Notranje::Md5Bloki, m_h, podatki, blokov);
}

// The count is little-endian words, low word first, on a little-endian machine: its bytes are the
// standard's 64-bit little-endian length. The padding goes through the virtual Izracunaj like data.
void RMD5::Zakljuci() {
    unsigned char dolzina[8];
    memcpy(dolzina, m_bitov, 8);
    unsigned int indeks = (m_bitov[0] >> 3) & 63;
    Izracunaj(k_polnilo, indeks < 56 ? 56 - indeks : 120 - indeks);
    Izracunaj(dolzina, 8);
    memcpy(m_rezultat.Bajti, m_h, 16);
}

int RMD5::Zapisi(RTokPodatkov &tok) const {
    return Zrno::Notranje::ZapisiVrednost(tok, m_rezultat.Bajti, sizeof m_rezultat.Bajti);
}

int RMD5::Preberi(RTokPodatkov &tok) {
    Resetiraj();
    return Zrno::Notranje::PreberiVrednost(tok, m_rezultat.Bajti, sizeof m_rezultat.Bajti);
}
