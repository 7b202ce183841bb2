// RNizA: the concrete 8-bit string, with conversions from UTF-16 through a code page (1250 unless one
// is given), BSTR output and the newline conversions.
#include "frame/win.h"
#include "strings/Pretvorba.h"
#include <zrno/strings.h>

using Zrno::Notranje::DolzinaDo;
using Zrno::Notranje::Pretvorba;
using Zrno::Notranje::ZastaviceMB;

RNizA::RNizA(unsigned int rezerva) : RNizP<char>(rezerva) {}
RNizA::RNizA(char const *niz, unsigned int najvec) : RNizP<char>(niz, najvec) {}
RNizA::RNizA(RNizP<char> const &drugi, unsigned int najvec) : RNizP<char>(drugi, najvec) {}
RNizA::RNizA(char znak, unsigned int stevilo) : RNizP<char>(znak, stevilo) {}
RNizA::RNizA(unsigned short const *niz, unsigned int najvec) : RNizP<char>(0u) { NastaviU(niz, najvec); }
RNizA::RNizA(RNizP<unsigned short> const &drugi, unsigned int najvec) : RNizP<char>(0u) {
    NastaviU(drugi, najvec);
}
RNizA::RNizA(unsigned short znak, unsigned int stevilo) : RNizP<char>(0u) { NastaviU(znak, stevilo); }
RNizA::RNizA(RNizA const &drugi)
    : RElement(drugi), RNizP<char>(drugi), RNizNP<char>(drugi), RNizOP<char>(drugi), RNizVP<char>(drugi) {}
RNizA::~RNizA() {}

unsigned int RNizA::NastaviU(unsigned short const *niz, unsigned int najvec, T_KODNASTRAN kn) {
    return Pretvorba<char>::Zapisi(*this, 0, niz, DolzinaDo(niz, najvec), kn);
}
unsigned int RNizA::NastaviU(RNizP<unsigned short> const &drugi, unsigned int najvec, T_KODNASTRAN kn) {
    unsigned int n = drugi.VrniDolzino();
    return Pretvorba<char>::Zapisi(*this, 0, static_cast<unsigned short const *>(drugi),
                                   najvec < n ? najvec : n, kn);
}
unsigned int RNizA::NastaviU(unsigned short znak, unsigned int stevilo, T_KODNASTRAN kn) {
    return Pretvorba<char>::ZapisiZnak(*this, 0, znak, stevilo, kn);
}
unsigned int RNizA::PrilepiU(unsigned short const *niz, unsigned int najvec, T_KODNASTRAN kn) {
    return Pretvorba<char>::Zapisi(*this, m_dolzina, niz, DolzinaDo(niz, najvec), kn);
}
unsigned int RNizA::PrilepiU(RNizP<unsigned short> const &drugi, unsigned int najvec, T_KODNASTRAN kn) {
    unsigned int n = drugi.VrniDolzino();
    return Pretvorba<char>::Zapisi(*this, m_dolzina, static_cast<unsigned short const *>(drugi),
                                   najvec < n ? najvec : n, kn);
}
unsigned int RNizA::PrilepiU(unsigned short znak, unsigned int stevilo, T_KODNASTRAN kn) {
    return Pretvorba<char>::ZapisiZnak(*this, m_dolzina, znak, stevilo, kn);
}

RNizA &RNizA::operator=(RNizA const &drugi) {
    Nastavi(drugi);
    return *this;
}
char const *RNizA::operator=(char const *niz) { return RNizP<char>::operator=(niz); }
char const *RNizA::operator=(RNizP<char> const &drugi) { return RNizP<char>::operator=(drugi); }
char const *RNizA::operator=(char znak) { return RNizP<char>::operator=(znak); }
char const *RNizA::operator=(unsigned short const *niz) {
    NastaviU(niz);
    return m_niz;
}
char const *RNizA::operator=(RNizP<unsigned short> const &drugi) {
    NastaviU(drugi);
    return m_niz;
}
char const *RNizA::operator=(unsigned short znak) {
    NastaviU(znak, 1);
    return m_niz;
}
char const *RNizA::operator+=(char const *niz) { return RNizP<char>::operator+=(niz); }
char const *RNizA::operator+=(RNizP<char> const &drugi) { return RNizP<char>::operator+=(drugi); }
char const *RNizA::operator+=(char znak) { return RNizP<char>::operator+=(znak); }
char const *RNizA::operator+=(unsigned short const *niz) {
    PrilepiU(niz);
    return m_niz;
}
char const *RNizA::operator+=(RNizP<unsigned short> const &drugi) {
    PrilepiU(drugi);
    return m_niz;
}
char const *RNizA::operator+=(unsigned short znak) {
    PrilepiU(znak, 1);
    return m_niz;
}

unsigned short *RNizA::VrniBSTR(unsigned int najvec, T_KODNASTRAN kn) const {
    unsigned int n = najvec < m_dolzina ? najvec : m_dolzina;
    // Single-byte pages give one unit per byte; asking first also sizes UTF-8 and double-byte text.
    int potrebno = n ? MultiByteToWideChar(kn, ZastaviceMB(kn), m_niz, static_cast<int>(n), nullptr, 0) : 0;
    unsigned int dolzina = potrebno > 0 ? static_cast<unsigned int>(potrebno) : n;
    BSTR b = SysAllocStringLen(nullptr, dolzina);
    if (!b)
        return nullptr;
    if (potrebno > 0)
        MultiByteToWideChar(kn, ZastaviceMB(kn), m_niz, static_cast<int>(n), b, potrebno);
    else
        for (unsigned int i = 0; i < dolzina; ++i)
            b[i] = 0;
    b[dolzina] = 0;
    return reinterpret_cast<unsigned short *>(b);
}

RNizA RNizA::Levo(unsigned int stevilo) const { return Zrno::Notranje::Levo<RNizA>(m_niz, stevilo); }
RNizA RNizA::Desno(unsigned int stevilo) const {
    return Zrno::Notranje::Desno<RNizA>(m_niz, m_dolzina, stevilo);
}
RNizA RNizA::Sredina(unsigned int zacetek, unsigned int stevilo) const {
    return Zrno::Notranje::Sredina<RNizA>(m_niz, m_dolzina, zacetek, stevilo);
}

unsigned int RNizA::PretvoriCRLFvNL() { return Zamenjaj("\r\n", "\n"); }
unsigned int RNizA::PretvoriLFCRvNL() { return Zamenjaj("\n\r", "\n"); }
unsigned int RNizA::PretvoriNLvCRLF() { return Zamenjaj("\n", "\r\n"); }
unsigned int RNizA::PretvoriNLvLFCR() { return Zamenjaj("\n", "\n\r"); }
