// RNizVP<T>: strings loaded from the string resources of a module, and resource texts as formats.
#include "frame/TabelaNizov.h"
#include "strings/Pretvorba.h"
#include <stdarg.h>
#include <zrno/strings.h>

using Zrno::Notranje::DolzinaDo;
using Zrno::Notranje::PoisciBesedilo;
using Zrno::Notranje::Pretvorba;

namespace {

// Writing at 0 replaces the text and at its length appends; the text stops at a zero unit inside it,
// as a copy from a C string would.
unsigned int Zapisi(RNizP<unsigned short> &niz, unsigned int od, unsigned short const *p, unsigned int n,
                    T_KODNASTRAN) {
    return od ? niz.Prilepi(p, n) : niz.Nastavi(p, n);
}

// n units into at most n bytes, whatever the code page.
unsigned int Zapisi(RNizP<char> &niz, unsigned int od, unsigned short const *p, unsigned int n,
                    T_KODNASTRAN kn) {
    return Pretvorba<char>::ZapisiNajvec(niz, od, p, DolzinaDo(p, n), kn);
}

} // namespace

template <class T> RNizVP<T>::RNizVP(unsigned int rezerva) : RNizP<T>(rezerva) {}

template <class T>
RNizVP<T>::RNizVP(HINSTANCE__ *modul, unsigned int id, T_KODAJEZIKA2 jezik) : RNizP<T>(0u) {
    NaloziOd(0, modul, id, jezik, KN_CP1250);
}

template <class T>
RNizVP<T>::RNizVP(RNizVP<T> const &drugi)
    : RElement(drugi), RNizP<T>(drugi), RNizNP<T>(drugi), RNizOP<T>(drugi) {}

template <class T> RNizVP<T> &RNizVP<T>::operator=(RNizVP<T> const &drugi) {
    RNizP<T>::operator=(drugi);
    return *this;
}

template <class T>
unsigned int RNizVP<T>::NaloziOd(unsigned int od, HINSTANCE__ *modul, unsigned int id, T_KODAJEZIKA2 jezik,
                                 T_KODNASTRAN kn) {
    unsigned short const *p;
    unsigned int n;
    if (PoisciBesedilo(modul, id, jezik, p, n) < 0)
        return this->Skrajsaj(od);
    return Zapisi(*this, od, p, n, kn);
}

template <class T>
unsigned int RNizVP<T>::OblikujVOd(unsigned int od, HINSTANCE__ *modul, unsigned int id, T_KODAJEZIKA2 jezik,
                                   T_KODNASTRAN kn, char *args) {
    RNizVP<T> oblika;
    oblika.NaloziOd(0, modul, id, jezik, kn);
    return this->OblikujOd(od, oblika, args);
}

template <class T>
unsigned int RNizVP<T>::RazcleniVOd(HINSTANCE__ *modul, unsigned int id, T_KODAJEZIKA2 jezik, T_KODNASTRAN kn,
                                    char *args) const {
    RNizVP<T> oblika;
    oblika.NaloziOd(0, modul, id, jezik, kn);
    return this->RazcleniP(oblika, args);
}

template <class T>
unsigned int RNizVP<T>::NastaviV(HINSTANCE__ *modul, unsigned int id, T_KODAJEZIKA2 jezik) {
    return NaloziOd(0, modul, id, jezik, KN_CP1250);
}

template <class T>
unsigned int RNizVP<T>::PrilepiV(HINSTANCE__ *modul, unsigned int id, T_KODAJEZIKA2 jezik) {
    return NaloziOd(this->m_dolzina, modul, id, jezik, KN_CP1250);
}

template <class T>
unsigned int RNizVP<T>::OblikujVP(HINSTANCE__ *modul, unsigned int id, T_KODAJEZIKA2 jezik, char *args) {
    return OblikujVOd(0, modul, id, jezik, KN_CP1250, args);
}

template <class T>
unsigned int RNizVP<T>::OblikujV(HINSTANCE__ *modul, unsigned int id, T_KODAJEZIKA2 jezik, ...) {
    va_list args;
    va_start(args, jezik);
    unsigned int r = OblikujVOd(0, modul, id, jezik, KN_CP1250, args);
    va_end(args);
    return r;
}

template <class T>
RNizVP<T> RNizVP<T>::OblikujVSP(HINSTANCE__ *modul, unsigned int id, T_KODAJEZIKA2 jezik, char *args) {
    RNizVP<T> niz;
    niz.OblikujVOd(0, modul, id, jezik, KN_CP1250, args);
    return niz;
}

template <class T>
RNizVP<T> RNizVP<T>::OblikujVS(HINSTANCE__ *modul, unsigned int id, T_KODAJEZIKA2 jezik, ...) {
    va_list args;
    va_start(args, jezik);
    RNizVP<T> niz;
    niz.OblikujVOd(0, modul, id, jezik, KN_CP1250, args);
    va_end(args);
    return niz;
}

template <class T>
unsigned int RNizVP<T>::PrilepiVOP(HINSTANCE__ *modul, unsigned int id, T_KODAJEZIKA2 jezik, char *args) {
    return OblikujVOd(this->m_dolzina, modul, id, jezik, KN_CP1250, args);
}

template <class T>
unsigned int RNizVP<T>::PrilepiVO(HINSTANCE__ *modul, unsigned int id, T_KODAJEZIKA2 jezik, ...) {
    va_list args;
    va_start(args, jezik);
    unsigned int r = OblikujVOd(this->m_dolzina, modul, id, jezik, KN_CP1250, args);
    va_end(args);
    return r;
}

template <class T>
unsigned int RNizVP<T>::RazcleniVP(HINSTANCE__ *modul, unsigned int id, T_KODAJEZIKA2 jezik,
                                   char *args) const {
    return RazcleniVOd(modul, id, jezik, KN_CP1250, args);
}

template <class T>
unsigned int RNizVP<T>::RazcleniV(HINSTANCE__ *modul, unsigned int id, T_KODAJEZIKA2 jezik, ...) const {
    va_list args;
    va_start(args, jezik);
    unsigned int r = RazcleniVOd(modul, id, jezik, KN_CP1250, args);
    va_end(args);
    return r;
}

template class RNizVP<char>;
template class RNizVP<unsigned short>;

// The resource forms of the concrete classes: RNizA's take the code page of the conversion.

RNizA::RNizA(HINSTANCE__ *modul, unsigned int id, T_KODAJEZIKA2 jezik, T_KODNASTRAN kn) : RNizP<char>(0u) {
    NaloziOd(0, modul, id, jezik, kn);
}

RNizU::RNizU(HINSTANCE__ *modul, unsigned int id, T_KODAJEZIKA2 jezik) : RNizP<unsigned short>(0u) {
    NaloziOd(0, modul, id, jezik, KN_CP1250);
}

unsigned int RNizA::NastaviVU(HINSTANCE__ *modul, unsigned int id, T_KODAJEZIKA2 jezik, T_KODNASTRAN kn) {
    return NaloziOd(0, modul, id, jezik, kn);
}

unsigned int RNizA::PrilepiVU(HINSTANCE__ *modul, unsigned int id, T_KODAJEZIKA2 jezik, T_KODNASTRAN kn) {
    return NaloziOd(m_dolzina, modul, id, jezik, kn);
}

unsigned int RNizA::OblikujVUP(HINSTANCE__ *modul, unsigned int id, T_KODAJEZIKA2 jezik, T_KODNASTRAN kn,
                               char *args) {
    return OblikujVOd(0, modul, id, jezik, kn, args);
}

unsigned int RNizA::OblikujVU(HINSTANCE__ *modul, unsigned int id, T_KODAJEZIKA2 jezik, T_KODNASTRAN kn,
                              ...) {
    va_list args;
    va_start(args, kn);
    unsigned int r = OblikujVOd(0, modul, id, jezik, kn, args);
    va_end(args);
    return r;
}

RNizA RNizA::OblikujVUSP(HINSTANCE__ *modul, unsigned int id, T_KODAJEZIKA2 jezik, T_KODNASTRAN kn,
                         char *args) {
    RNizA niz;
    niz.OblikujVOd(0, modul, id, jezik, kn, args);
    return niz;
}

RNizA RNizA::OblikujVUS(HINSTANCE__ *modul, unsigned int id, T_KODAJEZIKA2 jezik, T_KODNASTRAN kn, ...) {
    va_list args;
    va_start(args, kn);
    RNizA niz;
    niz.OblikujVOd(0, modul, id, jezik, kn, args);
    va_end(args);
    return niz;
}

unsigned int RNizA::PrilepiVUOP(HINSTANCE__ *modul, unsigned int id, T_KODAJEZIKA2 jezik, T_KODNASTRAN kn,
                                char *args) {
    return OblikujVOd(m_dolzina, modul, id, jezik, kn, args);
}

unsigned int RNizA::PrilepiVUO(HINSTANCE__ *modul, unsigned int id, T_KODAJEZIKA2 jezik, T_KODNASTRAN kn,
                               ...) {
    va_list args;
    va_start(args, kn);
    unsigned int r = OblikujVOd(m_dolzina, modul, id, jezik, kn, args);
    va_end(args);
    return r;
}

unsigned int RNizA::RazcleniVUP(HINSTANCE__ *modul, unsigned int id, T_KODAJEZIKA2 jezik, T_KODNASTRAN kn,
                                char *args) const {
    return RazcleniVOd(modul, id, jezik, kn, args);
}

unsigned int RNizA::RazcleniVU(HINSTANCE__ *modul, unsigned int id, T_KODAJEZIKA2 jezik, T_KODNASTRAN kn,
                               ...) const {
    va_list args;
    va_start(args, kn);
    unsigned int r = RazcleniVOd(modul, id, jezik, kn, args);
    va_end(args);
    return r;
}
