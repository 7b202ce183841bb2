// RNizU: the concrete UTF-16 string, with conversions from 8-bit text through a code page (1250
// unless one is given) and BSTR output.
#include "frame/win.h"
#include "strings/Pretvorba.h"
#include <zrno/strings.h>

using Zrno::Notranje::DolzinaDo;
using Zrno::Notranje::Pretvorba;
using Zrno::Notranje::PretvoriZnak;

RNizU::RNizU(unsigned int rezerva) : RNizP<unsigned short>(rezerva) {}
RNizU::RNizU(unsigned short const *niz, unsigned int najvec) : RNizP<unsigned short>(niz, najvec) {}
RNizU::RNizU(RNizP<unsigned short> const &drugi, unsigned int najvec)
    : RNizP<unsigned short>(drugi, najvec) {}
RNizU::RNizU(unsigned short znak, unsigned int stevilo) : RNizP<unsigned short>(znak, stevilo) {}
RNizU::RNizU(char const *niz, unsigned int najvec) : RNizP<unsigned short>(0u) { NastaviA(niz, najvec); }
RNizU::RNizU(RNizP<char> const &drugi, unsigned int najvec) : RNizP<unsigned short>(0u) {
    NastaviA(drugi, najvec);
}
RNizU::RNizU(char znak, unsigned int stevilo) : RNizP<unsigned short>(0u) { NastaviA(znak, stevilo); }
RNizU::RNizU(RNizU const &drugi)
    : RElement(drugi), RNizP<unsigned short>(drugi), RNizNP<unsigned short>(drugi),
      RNizOP<unsigned short>(drugi), RNizVP<unsigned short>(drugi) {}
RNizU::~RNizU() {}

unsigned int RNizU::NastaviA(char const *niz, unsigned int najvec, T_KODNASTRAN kn) {
    return Pretvorba<unsigned short>::Zapisi(*this, 0, niz, DolzinaDo(niz, najvec), kn);
}
unsigned int RNizU::NastaviA(RNizP<char> const &drugi, unsigned int najvec, T_KODNASTRAN kn) {
    unsigned int n = drugi.VrniDolzino();
    return Pretvorba<unsigned short>::Zapisi(*this, 0, static_cast<char const *>(drugi),
                                             najvec < n ? najvec : n, kn);
}
unsigned int RNizU::NastaviA(char znak, unsigned int stevilo, T_KODNASTRAN kn) {
    return Nastavi(PretvoriZnak(znak, kn), stevilo);
}
unsigned int RNizU::PrilepiA(char const *niz, unsigned int najvec, T_KODNASTRAN kn) {
    return Pretvorba<unsigned short>::Zapisi(*this, m_dolzina, niz, DolzinaDo(niz, najvec), kn);
}
unsigned int RNizU::PrilepiA(RNizP<char> const &drugi, unsigned int najvec, T_KODNASTRAN kn) {
    unsigned int n = drugi.VrniDolzino();
    return Pretvorba<unsigned short>::Zapisi(*this, m_dolzina, static_cast<char const *>(drugi),
                                             najvec < n ? najvec : n, kn);
}
unsigned int RNizU::PrilepiA(char znak, unsigned int stevilo, T_KODNASTRAN kn) {
    return Prilepi(PretvoriZnak(znak, kn), stevilo);
}

RNizU &RNizU::operator=(RNizU const &drugi) {
    Nastavi(drugi);
    return *this;
}
unsigned short const *RNizU::operator=(unsigned short const *niz) {
    return RNizP<unsigned short>::operator=(niz);
}
unsigned short const *RNizU::operator=(RNizP<unsigned short> const &drugi) {
    return RNizP<unsigned short>::operator=(drugi);
}
unsigned short const *RNizU::operator=(unsigned short znak) { return RNizP<unsigned short>::operator=(znak); }
unsigned short const *RNizU::operator=(char const *niz) {
    NastaviA(niz);
    return m_niz;
}
unsigned short const *RNizU::operator=(RNizP<char> const &drugi) {
    NastaviA(drugi);
    return m_niz;
}
unsigned short const *RNizU::operator=(char znak) {
    NastaviA(znak, 1);
    return m_niz;
}
unsigned short const *RNizU::operator+=(unsigned short const *niz) {
    return RNizP<unsigned short>::operator+=(niz);
}
unsigned short const *RNizU::operator+=(RNizP<unsigned short> const &drugi) {
    return RNizP<unsigned short>::operator+=(drugi);
}
unsigned short const *RNizU::operator+=(unsigned short znak) {
    return RNizP<unsigned short>::operator+=(znak);
}
unsigned short const *RNizU::operator+=(char const *niz) {
    PrilepiA(niz);
    return m_niz;
}
unsigned short const *RNizU::operator+=(RNizP<char> const &drugi) {
    PrilepiA(drugi);
    return m_niz;
}
unsigned short const *RNizU::operator+=(char znak) {
    PrilepiA(znak, 1);
    return m_niz;
}

unsigned short *RNizU::VrniBSTR(unsigned int najvec) const {
    unsigned int n = najvec < m_dolzina ? najvec : m_dolzina;
    return reinterpret_cast<unsigned short *>(SysAllocStringLen(reinterpret_cast<wchar_t const *>(m_niz), n));
}

RNizU RNizU::Levo(unsigned int stevilo) const { return Zrno::Notranje::Levo<RNizU>(m_niz, stevilo); }
RNizU RNizU::Desno(unsigned int stevilo) const {
    return Zrno::Notranje::Desno<RNizU>(m_niz, m_dolzina, stevilo);
}
RNizU RNizU::Sredina(unsigned int zacetek, unsigned int stevilo) const {
    return Zrno::Notranje::Sredina<RNizU>(m_niz, m_dolzina, zacetek, stevilo);
}
