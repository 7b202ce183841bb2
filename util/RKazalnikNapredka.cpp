// Progress indicators: the silent base, time throttling and the mapping onto a global range.
#include "frame/win.h"
#include <zrno/util/RKazalnikNapredka.h>

RKazalnikNapredka::~RKazalnikNapredka() {}
void RKazalnikNapredka::NastaviBesedilo(unsigned int) {}
void RKazalnikNapredka::NastaviBesedilo(char const *) {}
void RKazalnikNapredka::NastaviObmocje(int, int) {}
void RKazalnikNapredka::Nastavi(int) {}
void RKazalnikNapredka::Prikazi(bool) {}
bool RKazalnikNapredka::PrekiniPostopek() { return false; }

RCasKazalnikNapredka::~RCasKazalnikNapredka() {}
void RCasKazalnikNapredka::PraviNastaviObmocje() {}
void RCasKazalnikNapredka::PraviNastavi() {}

void RCasKazalnikNapredka::NastaviObmocje(int spodnja, int zgornja) {
    m_spodnja = spodnja;
    m_zgornja = zgornja;
    PraviNastaviObmocje();
}

void RCasKazalnikNapredka::Nastavi(int polozaj) {
    bool konec = polozaj == m_spodnja || polozaj == m_zgornja;
    if (!konec && polozaj == m_zadnjiPolozaj)
        return;
    DWORD zdaj = GetTickCount();
    // Unsigned difference: the tick count wraps after about 49.7 days without harm.
    if (!konec && zdaj - m_zadnjiCas < m_interval)
        return;
    m_zadnjiCas = zdaj;
    m_zadnjiPolozaj = polozaj;
    PraviNastavi();
}

RGlobalniKazalnikNapredka::~RGlobalniKazalnikNapredka() {}

RKazalnikNapredka *RGlobalniKazalnikNapredka::Odpusti() {
    RKazalnikNapredka *cilj = m_cilj;
    m_cilj = nullptr;
    return cilj;
}

void RGlobalniKazalnikNapredka::NastaviGlobalnoObmocje(int spodnja, int zgornja) {
    m_globalnaSpodnja = spodnja;
    m_globalnaZgornja = zgornja;
    if (m_cilj)
        m_cilj->NastaviObmocje(spodnja, zgornja);
}

void RGlobalniKazalnikNapredka::NastaviGlobalniOdsek(int spodnja, int zgornja) {
    m_odsekSpodnja = spodnja;
    m_odsekZgornja = zgornja;
}

void RGlobalniKazalnikNapredka::NastaviObmocje(int spodnja, int zgornja) {
    m_lokalnaSpodnja = spodnja;
    m_lokalnaZgornja = zgornja;
}

namespace {

// Differences of ints wrap as the 32-bit machine arithmetic does, without signed overflow.
int Razlika(int a, int b) {
    return static_cast<int>(static_cast<unsigned int>(a) - static_cast<unsigned int>(b));
}

} // namespace

void RGlobalniKazalnikNapredka::Nastavi(int polozaj) {
    // MulDiv rounds half away from zero and gives -1 for a zero divisor or a quotient beyond 32 bits.
    int g = MulDiv(Razlika(polozaj, m_lokalnaSpodnja), Razlika(m_odsekZgornja, m_odsekSpodnja),
                   Razlika(m_lokalnaZgornja, m_lokalnaSpodnja));
    g = static_cast<int>(static_cast<unsigned int>(g) + static_cast<unsigned int>(m_odsekSpodnja));
    if (m_cilj)
        m_cilj->Nastavi(g);
}

void RGlobalniKazalnikNapredka::NastaviBesedilo(unsigned int idNiza) {
    if (m_cilj)
        m_cilj->NastaviBesedilo(idNiza);
}

void RGlobalniKazalnikNapredka::NastaviBesedilo(char const *besedilo) {
    if (m_cilj)
        m_cilj->NastaviBesedilo(besedilo);
}

void RGlobalniKazalnikNapredka::Prikazi(bool prikazi) {
    if (m_cilj)
        m_cilj->Prikazi(prikazi);
}

bool RGlobalniKazalnikNapredka::PrekiniPostopek() { return m_cilj && m_cilj->PrekiniPostopek(); }
