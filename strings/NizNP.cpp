// RNizNP<T>: case conversion and white-space trimming through the library's own locale.
#include "strings/Znaki.h"
#include <zrno/strings.h>

using Zrno::Notranje::Locale;
using Zrno::Notranje::Znaki;

template <class T> RNizNP<T>::RNizNP(unsigned int rezerva) : RNizP<T>(rezerva) {}

template <class T> RNizNP<T>::RNizNP(RNizNP<T> const &drugi) : RElement(drugi), RNizP<T>(drugi) {}

template <class T> RNizNP<T> &RNizNP<T>::operator=(RNizNP<T> const &drugi) {
    RNizP<T>::operator=(drugi);
    return *this;
}

template <class T> void RNizNP<T>::VVelike() {
    _locale_t l = Locale();
    for (T *s = this->m_niz; *s; ++s)
        *s = Znaki<T>::Velika(*s, l);
}

template <class T> void RNizNP<T>::VMale() {
    _locale_t l = Locale();
    for (T *s = this->m_niz; *s; ++s)
        *s = Znaki<T>::Mala(*s, l);
}

template <class T> unsigned int RNizNP<T>::PoravnajDesno() {
    _locale_t l = Locale();
    T *s = this->m_niz;
    while (this->m_dolzina > 0 && Znaki<T>::JePresledek(s[this->m_dolzina - 1], l))
        --this->m_dolzina;
    s[this->m_dolzina] = 0;
    return this->m_dolzina;
}

template <class T> unsigned int RNizNP<T>::PoravnajLevo() {
    _locale_t l = Locale();
    T *s = this->m_niz;
    unsigned int i = 0;
    while (i < this->m_dolzina && Znaki<T>::JePresledek(s[i], l))
        ++i;
    return i ? this->Zbrisi(0, i) : this->m_dolzina;
}

template <class T> unsigned int RNizNP<T>::Poravnaj() {
    PoravnajDesno();
    return PoravnajLevo();
}

template class RNizNP<char>;
template class RNizNP<unsigned short>;
