// RDinTabela<T>: the growable array on the private heap.
#include "frame/Velikost.h"
#include <string.h>
#include <zrno/frame/Pomnilnik.h>
#include <zrno/system/RDinTabela.h>

template <class T> RDinTabela<T>::RDinTabela() : m_podatki(nullptr), m_stevilo(0), m_kapaciteta(0) {}

template <class T>
RDinTabela<T>::RDinTabela(RDinTabela<T> const &drugi)
    : RElement(drugi), m_podatki(nullptr), m_stevilo(0), m_kapaciteta(0) {
    Nastavi(drugi.m_podatki, drugi.m_stevilo);
}

template <class T> RDinTabela<T>::~RDinTabela() { Zrno::SprostiPomnilnik(m_podatki); }

template <class T> RDinTabela<T> &RDinTabela<T>::operator=(RDinTabela<T> const &drugi) {
    if (this != &drugi)
        Nastavi(drugi.m_podatki, drugi.m_stevilo);
    return *this;
}

template <class T> int RDinTabela<T>::Rezerviraj(unsigned int n, bool natancno) {
    if (!natancno && n < m_kapaciteta)
        return Zrno::OK;
    unsigned int nova = natancno ? n : (n / 128 + 1) * 128;
    if (!natancno && nova <= n) // the step past n wrapped around
        return Zrno::NAP_POMNILNIK;
    unsigned int bajtov;
    if (!Zrno::Notranje::Velikost(nova, static_cast<unsigned int>(sizeof(T)), bajtov))
        return Zrno::NAP_POMNILNIK;
    void *p = Zrno::RezervirajPomnilnik(m_podatki, bajtov);
    if (!p && nova)
        return Zrno::NAP_POMNILNIK;
    m_podatki = static_cast<T *>(p);
    m_kapaciteta = nova;
    if (m_stevilo > nova)
        m_stevilo = nova;
    return Zrno::OK;
}

template <class T> int RDinTabela<T>::Nastavi(T const *elementi, unsigned int n) {
    if (n > m_kapaciteta) {
        int r = Rezerviraj(n, false);
        if (r < 0)
            return r;
    }
    if (n)
        memmove(m_podatki, elementi, n * sizeof(T));
    m_stevilo = n;
    return Zrno::OK;
}

template <class T> int RDinTabela<T>::Dodaj(T const &element) {
    if (m_stevilo >= m_kapaciteta) {
        // The element may live in this table's own storage, which the growth can move.
        T kopija = element;
        int r = Rezerviraj(m_stevilo, false);
        if (r < 0)
            return r;
        m_podatki[m_stevilo++] = kopija;
        return Zrno::OK;
    }
    m_podatki[m_stevilo++] = element;
    return Zrno::OK;
}

template class RDinTabela<char>;
template class RDinTabela<char const *>;
