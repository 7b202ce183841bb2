// Storage of RNizP<T>: the terminated buffer on the private heap, its 128-character growth steps,
// setting, appending, adopting and handing out. Included once, by NizP.cpp, which instantiates it.
#ifndef ZRNO_NOTRANJE_STRINGS_HRAMBA_H
#define ZRNO_NOTRANJE_STRINGS_HRAMBA_H

#include "frame/Velikost.h"
#include "frame/win.h"
#include "strings/Orodja.h"
#include "strings/Znaki.h"
#include <stdint.h>
#include <string.h>
#include <zrno/strings.h>

namespace Zrno::Notranje {

// A string whose very first allocation was refused points here (capacity 0), so its text can still
// be read as an empty terminated string. It is never reallocated, freed or handed out.
template <class T> T *PrazenNiz() {
    static T prazen[1];
    return prazen;
}

} // namespace Zrno::Notranje

using namespace Zrno::Notranje;

template <class T>
RNizP<T>::RNizP(unsigned int rezerva) : m_niz(PrazenNiz<T>()), m_dolzina(0), m_kapaciteta(0) {
    // A reserve the heap refuses still leaves a usable empty string of the default size.
    if (RezervirajDolzino(rezerva, false) < 0)
        RezervirajDolzino(0, false);
}

template <class T>
RNizP<T>::RNizP(T const *niz, unsigned int najvec) : m_niz(PrazenNiz<T>()), m_dolzina(0), m_kapaciteta(0) {
    Nastavi(niz, najvec);
}

template <class T>
RNizP<T>::RNizP(RNizP<T> const &drugi, unsigned int najvec)
    : RElement(drugi), m_niz(PrazenNiz<T>()), m_dolzina(0), m_kapaciteta(0) {
    Nastavi(drugi, najvec);
}

template <class T>
RNizP<T>::RNizP(T znak, unsigned int stevilo) : m_niz(PrazenNiz<T>()), m_dolzina(0), m_kapaciteta(0) {
    Nastavi(znak, stevilo);
}

template <class T> RNizP<T>::~RNizP() { Sprosti(); }

template <class T> int RNizP<T>::RezervirajDolzino(unsigned int n, bool natancno) {
    bool prazen = m_niz == PrazenNiz<T>();
    unsigned int kapaciteta;
    if (natancno) {
        kapaciteta = n + 1;
    } else {
        if (n < m_kapaciteta && !prazen)
            return 0;
        kapaciteta = (n + 128) & ~127u;
    }
    // A wrapped capacity or a byte size beyond 32 bits cannot be asked of the heap.
    unsigned int bajtov;
    if (kapaciteta <= n ||
        !Zrno::Notranje::Velikost(kapaciteta, static_cast<unsigned int>(sizeof(T)), bajtov))
        return Zrno::NAP_POMNILNIK;
    void *nov = nullptr;
    if (!natancno && !prazen) {
        // Growth asks the heap for half as much again as the block holds, while the capacity keeps its
        // 128-character steps: a string grown a little at a time is then moved a few times in all rather
        // than once every few steps (the heap moves large blocks on almost every growth).
        const SIZE_T blok = HeapSize(zgetheap(), 0, m_niz);
        if (blok != static_cast<SIZE_T>(-1) && blok >= bajtov) {
            m_kapaciteta = kapaciteta;
            return 0;
        }
        const unsigned long long vec = blok != static_cast<SIZE_T>(-1) ? blok + blok / 2 : 0;
        if (vec > bajtov && vec <= 0xFFFFFFFFu)
            nov = Zrno::RezervirajPomnilnik(m_niz, static_cast<unsigned int>(vec));
    }
    if (!nov)
        nov = Zrno::RezervirajPomnilnik(prazen ? nullptr : m_niz, bajtov);
    if (!nov)
        return Zrno::NAP_POMNILNIK;
    m_niz = static_cast<T *>(nov);
    m_kapaciteta = kapaciteta;
    if (prazen)
        m_niz[0] = 0;
    if (kapaciteta <= m_dolzina) {
        m_dolzina = kapaciteta - 1;
        m_niz[m_dolzina] = 0;
    }
    return 0;
}

template <class T> void RNizP<T>::Sprosti() {
    if (m_niz != PrazenNiz<T>())
        Zrno::SprostiPomnilnik(m_niz);
}

template <class T> unsigned int RNizP<T>::Zagotovi(unsigned int dolzina) {
    if (dolzina < m_kapaciteta || RezervirajDolzino(dolzina, false) >= 0)
        return dolzina;
    return m_kapaciteta ? m_kapaciteta - 1 : 0;
}

template <class T> unsigned int RNizP<T>::Nastavi(T const *niz, unsigned int najvec) {
    unsigned int n = DolzinaDo(niz, najvec);
    // A source inside our own buffer is never longer than the text, so it needs no growth and a
    // memmove is enough.
    n = Zagotovi(n);
    if (n)
        memmove(m_niz, niz, n * sizeof(T));
    m_niz[n] = 0;
    m_dolzina = n;
    return n;
}

template <class T> unsigned int RNizP<T>::Nastavi(RNizP<T> const &drugi, unsigned int najvec) {
    if (&drugi == this) {
        if (najvec < m_dolzina)
            Skrajsaj(najvec);
        return m_dolzina;
    }
    unsigned int n = Zagotovi(najvec < drugi.m_dolzina ? najvec : drugi.m_dolzina);
    if (n)
        memcpy(m_niz, drugi.m_niz, n * sizeof(T));
    m_niz[n] = 0;
    m_dolzina = n;
    return n;
}

template <class T> unsigned int RNizP<T>::Nastavi(T znak, unsigned int stevilo) {
    unsigned int n = Zagotovi(stevilo);
    Napolni(m_niz, znak, n);
    m_niz[n] = 0;
    m_dolzina = n;
    return n;
}

template <class T> unsigned int RNizP<T>::Prilepi(T const *niz, unsigned int najvec) {
    unsigned int n = DolzinaDo(niz, najvec);
    // s += s: the source moves with our buffer when it grows.
    bool notri = JeZnotraj(niz, m_niz, m_kapaciteta);
    size_t odmik = notri ? static_cast<size_t>(niz - m_niz) : 0;
    unsigned int nova = Zagotovi(Vsota(m_dolzina, n));
    if (notri)
        niz = m_niz + odmik;
    n = nova - m_dolzina;
    if (n)
        memmove(m_niz + m_dolzina, niz, n * sizeof(T));
    m_niz[nova] = 0;
    m_dolzina = nova;
    return nova;
}

template <class T> unsigned int RNizP<T>::Prilepi(RNizP<T> const &drugi, unsigned int najvec) {
    unsigned int n = najvec < drugi.m_dolzina ? najvec : drugi.m_dolzina;
    unsigned int nova = Zagotovi(Vsota(m_dolzina, n));
    n = nova - m_dolzina;
    if (n)
        memmove(m_niz + m_dolzina, drugi.m_niz, n * sizeof(T));
    m_niz[nova] = 0;
    m_dolzina = nova;
    return nova;
}

template <class T> unsigned int RNizP<T>::Prilepi(T znak, unsigned int stevilo) {
    // One character into room is the common case; it stays free of the general path's frame.
    if (__builtin_expect(stevilo == 1 && m_dolzina + 1 < m_kapaciteta, 1)) {
        T *niz = m_niz; // the stores through a char pointer would otherwise reload the fields
        const unsigned int dolzina = m_dolzina;
        niz[dolzina] = znak;
        niz[dolzina + 1] = 0;
        return m_dolzina = dolzina + 1;
    }
    return [ this, znak, stevilo ]() __attribute__((noinline)) {
        unsigned int nova = Vsota(m_dolzina, stevilo);
        if (nova >= m_kapaciteta)
            nova = Zagotovi(nova);
        Napolni(m_niz + m_dolzina, znak, nova - m_dolzina);
        m_niz[nova] = 0;
        m_dolzina = nova;
        return nova;
    }
    ();
}

template <class T> T const *RNizP<T>::operator=(RNizP<T> const &drugi) {
    Nastavi(drugi, 0xFFFFFFFF);
    return m_niz;
}

template <class T> T const *RNizP<T>::operator=(T const *niz) {
    Nastavi(niz, 0xFFFFFFFF);
    return m_niz;
}

template <class T> T const *RNizP<T>::operator=(T znak) {
    Nastavi(znak, 1);
    return m_niz;
}

template <class T> T const *RNizP<T>::operator+=(RNizP<T> const &drugi) {
    Prilepi(drugi, 0xFFFFFFFF);
    return m_niz;
}

template <class T> T const *RNizP<T>::operator+=(T const *niz) {
    Prilepi(niz, 0xFFFFFFFF);
    return m_niz;
}

template <class T> T const *RNizP<T>::operator+=(T znak) {
    Prilepi(znak, 1);
    return m_niz;
}

template <class T> RNizP<T>::operator T const *() const { return m_niz; }
template <class T> T &RNizP<T>::operator[](unsigned int indeks) { return m_niz[indeks]; }
template <class T> T &RNizP<T>::operator[](int indeks) { return m_niz[static_cast<unsigned int>(indeks)]; }
template <class T> T RNizP<T>::VrniZnak(unsigned int indeks) const { return m_niz[indeks]; }
template <class T> void RNizP<T>::NastaviZnak(unsigned int indeks, T znak) { m_niz[indeks] = znak; }
template <class T> unsigned int RNizP<T>::VrniDolzino() const { return m_dolzina; }
template <class T> unsigned int RNizP<T>::VrniKapaciteto() const { return m_kapaciteta; }
template <class T> bool RNizP<T>::JePrazen() const { return m_dolzina == 0; }

template <class T> void RNizP<T>::Sprazni() {
    m_dolzina = 0;
    m_niz[0] = 0;
}

template <class T> unsigned int RNizP<T>::Skrajsaj(unsigned int dolzina) {
    m_dolzina = dolzina;
    m_niz[dolzina] = 0;
    return dolzina;
}

template <class T> void RNizP<T>::SprostiOdvecne() { RezervirajDolzino(m_dolzina, true); }

template <class T> unsigned int RNizP<T>::Uporabi(T *buffer, unsigned int velikost, bool sprosti) {
    if (sprosti)
        Sprosti();
    unsigned int n = 0;
    while (n < velikost && buffer[n])
        ++n;
    m_niz = buffer;
    m_kapaciteta = velikost + 1;
    m_dolzina = n;
    m_niz[n] = 0;
    return n;
}

template <class T> T *RNizP<T>::Odpusti(unsigned int velikost, bool izpusti) {
    // A string still on the shared empty text must get a real buffer before anyone may write to it.
    if ((velikost >= m_dolzina || m_niz == PrazenNiz<T>()) && RezervirajDolzino(velikost, false) < 0)
        return nullptr;
    T *niz = m_niz;
    if (!izpusti)
        return niz;
    // The fresh buffer comes first, so a refusal leaves the string owning what it had.
    void *nov = Zrno::RezervirajPomnilnik(nullptr, 128 * sizeof(T));
    if (!nov)
        return nullptr;
    m_niz = static_cast<T *>(nov);
    m_kapaciteta = 128;
    m_dolzina = 0;
    m_niz[0] = 0;
    return niz;
}

#endif
