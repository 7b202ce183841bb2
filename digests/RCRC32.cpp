// CRC-32: the register runs complemented; the kernels pick the fastest method for the run length.
#include "digests/Stiskanje.h"
#include <zrno/digests.h>

RCRC32::~RCRC32() {}

void RCRC32::Resetiraj() { m_register = 0xFFFFFFFFu; }

void RCRC32::Izracunaj(void const *podatki, unsigned int dolzina) {
    m_register = Zrno::Notranje::Crc32(m_register, static_cast<unsigned char const *>(podatki), dolzina);
}

void RCRC32::Zakljuci() { m_register = ~m_register; }

// unsigned long is 32 bits little-endian on Windows: its bytes are the stored form.
int RCRC32::Zapisi(RTokPodatkov &tok) const {
    return Zrno::Notranje::ZapisiVrednost(tok, &m_register, 4);
}

int RCRC32::Preberi(RTokPodatkov &tok) {
    return Zrno::Notranje::PreberiVrednost(tok, &m_register, 4);
}
