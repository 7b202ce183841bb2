// Editing and parts of RNizP<T>: replace, remove, insert, delete, trim, reverse, take parts. Included
// once, by NizP.cpp. Replacing and removing work on the text up to its first 0.
#ifndef ZRNO_NOTRANJE_STRINGS_UREJANJE_H
#define ZRNO_NOTRANJE_STRINGS_UREJANJE_H

#include "strings/Orodja.h"
#include "strings/Znaki.h"
#include <string.h>
#include <zrno/strings.h>

namespace Zrno::Notranje {

template <class T> struct Urejanje {
    template <class E>
    static unsigned int Zamenjaj(RNizP<T> &n, T const *vzorec, T const *zamenjava, E const &e) {
        unsigned int m = DolzinaDo(vzorec, 0xFFFFFFFF);
        if (m == 0)
            return 0;
        unsigned int k = DolzinaDo(zamenjava, 0xFFFFFFFF);
        Kopija<T> z(vzorec, m, e), nadomestek(zamenjava, k, Tocno<T>());
        if (!z.Vrni() || !nadomestek.Vrni())
            return 0;
        T const *p = z.Vrni(), *r = nadomestek.Vrni();
        unsigned int dolzina = DolzinaDo(n.m_niz, n.m_dolzina);
        unsigned int stevec = 0;
        if (k > m) {
            unsigned int pojavitev = 0;
            for (unsigned int i = 0; i + m <= dolzina;) {
                if (Ujema(n.m_niz + i, p, m, e)) {
                    ++pojavitev;
                    i += m;
                } else {
                    ++i;
                }
            }
            if (pojavitev == 0)
                return 0;
            unsigned long long nova64 = dolzina + static_cast<unsigned long long>(pojavitev) * (k - m);
            // The whole result or nothing: a half-done replacement would be worse than none.
            if (nova64 >= 0xFFFFFFFFull ||
                (nova64 >= n.m_kapaciteta &&
                 n.RezervirajDolzino(static_cast<unsigned int>(nova64), false) < 0))
                return 0;
            unsigned int nova = static_cast<unsigned int>(nova64);
            // Rebuilt from the end: text only moves right, so the reader is always ahead of the writer.
            // This replaces the rightmost non-overlapping occurrences, as many as counted from the left.
            T *s = n.m_niz;
            s[nova] = 0;
            unsigned int beri = dolzina, pisi = nova;
            while (beri > 0 && pisi > beri) {
                if (beri >= m && Ujema(s + beri - m, p, m, e)) {
                    pisi -= k;
                    memcpy(s + pisi, r, k * sizeof(T));
                    beri -= m;
                    ++stevec;
                } else {
                    s[--pisi] = s[--beri];
                }
            }
            n.m_dolzina = nova;
            return stevec;
        }
        // Not longer: one pass from the left in place; the writer never overtakes the reader.
        T *s = n.m_niz;
        unsigned int beri = 0, pisi = 0;
        while (beri < dolzina) {
            if (beri + m <= dolzina && Ujema(s + beri, p, m, e)) {
                memcpy(s + pisi, r, k * sizeof(T));
                pisi += k;
                beri += m;
                ++stevec;
            } else {
                s[pisi++] = s[beri++];
            }
        }
        s[pisi] = 0;
        n.m_dolzina = pisi;
        return stevec;
    }

    template <class E> static unsigned int ZamenjajZnak(RNizP<T> &n, T znak, T zamenjava, E const &e) {
        T z = e.Zlozi(znak);
        unsigned int stevec = 0;
        for (T *s = n.m_niz; *s; ++s)
            if (e.Zlozi(*s) == z) {
                *s = zamenjava;
                ++stevec;
            }
        return stevec;
    }

    template <class E> static unsigned int Odstrani(RNizP<T> &n, T znak, E const &e) {
        T z = e.Zlozi(znak);
        T *s = n.m_niz;
        unsigned int beri = 0, pisi = 0;
        for (; s[beri]; ++beri)
            if (e.Zlozi(s[beri]) != z)
                s[pisi++] = s[beri];
        s[pisi] = 0;
        n.m_dolzina = pisi;
        return beri - pisi;
    }

    // Trimming by a membership test: right first, then left.
    template <class V> static unsigned int Poravnaj(RNizP<T> &n, bool levo, bool desno, V const &vsebuje) {
        T *s = n.m_niz;
        if (desno) {
            while (n.m_dolzina > 0 && vsebuje(s[n.m_dolzina - 1]))
                --n.m_dolzina;
            s[n.m_dolzina] = 0;
        }
        if (levo) {
            unsigned int i = 0;
            while (i < n.m_dolzina && vsebuje(s[i]))
                ++i;
            if (i) {
                memmove(s, s + i, (n.m_dolzina - i + 1) * sizeof(T));
                n.m_dolzina -= i;
            }
        }
        return n.m_dolzina;
    }
};

template <class T> struct VMnozici {
    T const *mnozica;
    bool operator()(T c) const {
        for (T const *p = mnozica; *p; ++p)
            if (*p == c)
                return true;
        return false;
    }
};

template <class T> struct EnakZnak {
    T znak;
    bool operator()(T c) const { return c == znak; }
};

} // namespace Zrno::Notranje

template <class T> unsigned int RNizP<T>::Zamenjaj(T const *vzorec, T const *zamenjava) {
    return Urejanje<T>::Zamenjaj(*this, vzorec, zamenjava, Tocno<T>());
}

template <class T> unsigned int RNizP<T>::ZamenjajI(T const *vzorec, T const *zamenjava) {
    return Urejanje<T>::Zamenjaj(*this, vzorec, zamenjava, BrezVelikosti<T>());
}

template <class T> unsigned int RNizP<T>::Zamenjaj(T znak, T zamenjava) {
    return znak ? Urejanje<T>::ZamenjajZnak(*this, znak, zamenjava, Tocno<T>()) : 0;
}

template <class T> unsigned int RNizP<T>::ZamenjajI(T znak, T zamenjava) {
    return znak ? Urejanje<T>::ZamenjajZnak(*this, znak, zamenjava, BrezVelikosti<T>()) : 0;
}

template <class T> unsigned int RNizP<T>::Odstrani(T znak) {
    return Urejanje<T>::Odstrani(*this, znak, Tocno<T>());
}

template <class T> unsigned int RNizP<T>::OdstraniI(T znak) {
    return Urejanje<T>::Odstrani(*this, znak, BrezVelikosti<T>());
}

// A position beyond the text means its end: inserting appends, deleting does nothing.
template <class T> unsigned int RNizP<T>::Vstavi(unsigned int polozaj, T const *niz, unsigned int najvec) {
    if (polozaj > m_dolzina)
        polozaj = m_dolzina;
    unsigned int n = DolzinaDo(niz, najvec);
    if (n == 0)
        return m_dolzina;
    // A text from our own buffer would move under the shift below (or with the buffer): insert a copy.
    bool notri = JeZnotraj(niz, m_niz, m_kapaciteta);
    Kopija<T> kopija(niz, notri ? n : 0, Tocno<T>());
    if (notri && !kopija.Vrni())
        return m_dolzina;
    unsigned int nova = Zagotovi(Vsota(m_dolzina, n));
    n = nova - m_dolzina;
    memmove(m_niz + polozaj + n, m_niz + polozaj, (m_dolzina - polozaj + 1) * sizeof(T));
    memcpy(m_niz + polozaj, notri ? kopija.Vrni() : niz, n * sizeof(T));
    m_dolzina = nova;
    return nova;
}

template <class T> unsigned int RNizP<T>::Vstavi(unsigned int polozaj, T znak, unsigned int stevilo) {
    if (polozaj > m_dolzina)
        polozaj = m_dolzina;
    unsigned int nova = Zagotovi(Vsota(m_dolzina, stevilo));
    unsigned int n = nova - m_dolzina;
    memmove(m_niz + polozaj + n, m_niz + polozaj, (m_dolzina - polozaj + 1) * sizeof(T));
    Napolni(m_niz + polozaj, znak, n);
    m_dolzina = nova;
    return nova;
}

template <class T> unsigned int RNizP<T>::Zbrisi(unsigned int polozaj, unsigned int stevilo) {
    if (polozaj > m_dolzina)
        polozaj = m_dolzina;
    if (stevilo >= m_dolzina - polozaj)
        return Skrajsaj(polozaj);
    memmove(m_niz + polozaj, m_niz + polozaj + stevilo, (m_dolzina - polozaj - stevilo + 1) * sizeof(T));
    m_dolzina -= stevilo;
    return m_dolzina;
}

template <class T> unsigned int RNizP<T>::PoravnajLevo(T const *mnozica) {
    return Urejanje<T>::Poravnaj(*this, true, false, VMnozici<T>{mnozica});
}
template <class T> unsigned int RNizP<T>::PoravnajDesno(T const *mnozica) {
    return Urejanje<T>::Poravnaj(*this, false, true, VMnozici<T>{mnozica});
}
template <class T> unsigned int RNizP<T>::Poravnaj(T const *mnozica) {
    return Urejanje<T>::Poravnaj(*this, true, true, VMnozici<T>{mnozica});
}
template <class T> unsigned int RNizP<T>::PoravnajLevo(T znak) {
    return Urejanje<T>::Poravnaj(*this, true, false, EnakZnak<T>{znak});
}
template <class T> unsigned int RNizP<T>::PoravnajDesno(T znak) {
    return Urejanje<T>::Poravnaj(*this, false, true, EnakZnak<T>{znak});
}
template <class T> unsigned int RNizP<T>::Poravnaj(T znak) {
    return Urejanje<T>::Poravnaj(*this, true, true, EnakZnak<T>{znak});
}

template <class T> void RNizP<T>::Prezrcali() {
    for (unsigned int i = 0, j = m_dolzina; i + 1 < j; ++i, --j) {
        T c = m_niz[i];
        m_niz[i] = m_niz[j - 1];
        m_niz[j - 1] = c;
    }
}

template <class T> RNizP<T> RNizP<T>::Levo(unsigned int stevilo) const {
    return Zrno::Notranje::Levo<RNizP<T>>(m_niz, stevilo);
}
template <class T> RNizP<T> RNizP<T>::Desno(unsigned int stevilo) const {
    return Zrno::Notranje::Desno<RNizP<T>>(m_niz, m_dolzina, stevilo);
}
template <class T> RNizP<T> RNizP<T>::Sredina(unsigned int zacetek, unsigned int stevilo) const {
    return Zrno::Notranje::Sredina<RNizP<T>>(m_niz, m_dolzina, zacetek, stevilo);
}

#endif
