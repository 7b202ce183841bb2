/// \file
/// Zrno utilities: the bodies of the container templates declared in Zbirke.h (included from there only).
#ifndef ZRNO_UTIL_ZBIRKE_INL
#define ZRNO_UTIL_ZBIRKE_INL

#include <string.h>

// --- RZbirka ---

template <typename T>
RZbirka<T>::RZbirka(unsigned int velikostBloka)
    : m_kopica(nullptr), m_prosti(nullptr), m_velikostBloka(velikostBloka), m_stevilo(0) {
    // Room for one block of list nodes from the start, for stacks too.
    size_t vozel = sizeof(Zrno::Notranje::VozelSeznama<T>);
    m_kopica = Zrno::Notranje::UstvariKopicoZbirke(
        velikostBloka <= static_cast<size_t>(-1) / vozel ? velikostBloka * vozel : 0);
}

template <typename T> RZbirka<T>::RZbirka(const RZbirka &o) : RZbirka(o.m_velikostBloka) {}

template <typename T> RZbirka<T>::~RZbirka() { Zrno::Notranje::UniciKopicoZbirke(m_kopica); }

template <typename T> int RZbirka<T>::RezervirajBlokVozlov(size_t velikostVozla) {
    if (m_velikostBloka == 0)
        return Zrno::NAP_POMNILNIK; // a block without nodes would hand out nothing
    char *blok =
        static_cast<char *>(Zrno::Notranje::RezervirajBlokZbirke(m_kopica, m_velikostBloka, velikostVozla));
    if (!blok)
        return Zrno::NAP_POMNILNIK;
    for (unsigned int i = 0; i + 1 < m_velikostBloka; ++i)
        static_cast<Zrno::Notranje::VozelSklada<T> *>(static_cast<void *>(blok + i * velikostVozla))
            ->naslednji = blok + (i + 1) * velikostVozla;
    static_cast<Zrno::Notranje::VozelSklada<T> *>(
        static_cast<void *>(blok + (m_velikostBloka - 1) * velikostVozla))
        ->naslednji = m_prosti;
    m_prosti = blok;
    return Zrno::OK;
}

// --- RSklad ---

template <typename T> RSklad<T>::RSklad(const RSklad &o) : RZbirka<T>(o.m_velikostBloka), m_prvi(nullptr) {
    void *rep = nullptr;
    for (void *v = o.m_prvi; v; v = Naslednji(v)) {
        void *nov = RSklad::UstvariVozel(o.VrniElement(v));
        if (!nov)
            break;
        rep = RSklad::DodajVozelZa(nov, rep);
    }
}

template <typename T> RSklad<T>::~RSklad() {
    if (this->m_stevilo)
        RSklad::Unici();
}

template <typename T> RSklad<T> const &RSklad<T>::operator=(const RSklad &o) {
    if (&o == this)
        return *this;
    for (void *v = o.m_prvi; v; v = Naslednji(v)) {
        void *nov = this->UstvariVozel(o.VrniElement(v));
        if (!nov)
            break;
        this->DodajVozel(nov);
    }
    return *this;
}

template <typename T> void *RSklad<T>::DodajZa(T const &vrednost, void *za) {
    void *v = this->UstvariVozel(vrednost);
    return v ? this->DodajVozelZa(v, za) : nullptr;
}

template <typename T> void *RSklad<T>::DodajZa(void *za) {
    void *v = this->UstvariVozel();
    return v ? this->DodajVozelZa(v, za) : nullptr;
}

template <typename T> unsigned int RSklad<T>::PrepisiVTabelo(T *tabela) const {
    unsigned int n = 0;
    for (void *v = m_prvi; v && n < this->m_stevilo; v = Naslednji(v))
        memcpy(static_cast<void *>(&tabela[n++]), v, sizeof(T));
    return n;
}

template <typename T> void *RSklad<T>::DodajVozel(void *vozel) {
    Naslednji(vozel) = m_prvi;
    m_prvi = vozel;
    ++this->m_stevilo;
    return vozel;
}

template <typename T> void RSklad<T>::Unici() {
    while (m_prvi)
        RSklad::Brisi();
}

template <typename T> void *RSklad<T>::UstvariVozel(T const &vrednost) {
    void *v = UstvariVozel();
    if (v)
        memcpy(v, static_cast<const void *>(&vrednost), sizeof(T));
    return v;
}

template <typename T> void *RSklad<T>::UstvariVozel() {
    if (!this->m_prosti && this->RezervirajBlok() < 0)
        return nullptr;
    void *v = this->m_prosti;
    if (v)
        this->m_prosti = Naslednji(v);
    return v;
}

template <typename T> void RSklad<T>::UniciVozel(void *vozel) {
    Naslednji(vozel) = this->m_prosti;
    this->m_prosti = vozel;
}

template <typename T> void *RSklad<T>::DodajVozelZa(void *vozel, void *za) {
    if (!za)
        return RSklad::DodajVozel(vozel);
    Naslednji(vozel) = Naslednji(za);
    Naslednji(za) = vozel;
    ++this->m_stevilo;
    return vozel;
}

template <typename T> void RSklad<T>::Brisi() {
    void *stari = m_prvi;
    if (!stari)
        return;
    m_prvi = Naslednji(stari);
    this->UniciVozel(stari);
    --this->m_stevilo;
}

template <typename T> int RSklad<T>::RezervirajBlok() {
    return this->RezervirajBlokVozlov(sizeof(Zrno::Notranje::VozelSklada<T>));
}

template <typename T> bool RSklad<T>::JeVozelVKopici(void *vozel) const {
    return Zrno::Notranje::JeVKopiciZbirke(this->m_kopica, vozel);
}

// --- RSeznam ---

template <typename T>
RSeznam<T>::RSeznam(const RSeznam &o) : RSklad<T>(o.m_velikostBloka), m_zadnji(nullptr) {
    for (void *v = o.m_prvi; v; v = this->Naslednji(v)) {
        void *nov = this->UstvariVozel(o.VrniElement(v));
        if (!nov)
            break;
        RSeznam::DodajVozel(nov);
    }
}

template <typename T> RSeznam<T>::~RSeznam() {
    if (this->m_stevilo)
        RSeznam::Unici();
}

template <typename T> void *RSeznam<T>::DodajPred(T const &vrednost, void *pred) {
    void *v = this->UstvariVozel(vrednost);
    return v ? this->DodajVozelPred(v, pred) : nullptr;
}

template <typename T> void *RSeznam<T>::DodajPred(void *pred) {
    void *v = this->UstvariVozel();
    return v ? this->DodajVozelPred(v, pred) : nullptr;
}

template <typename T> void RSeznam<T>::IzlociVozel(void *vozel) {
    void *prej = Prejsnji(vozel), *naslednji = this->Naslednji(vozel);
    if (prej)
        this->Naslednji(prej) = naslednji;
    else
        this->m_prvi = naslednji;
    if (naslednji)
        Prejsnji(naslednji) = prej;
    else
        m_zadnji = prej;
    --this->m_stevilo;
}

template <typename T> void *RSeznam<T>::DodajVozel(void *vozel) {
    return RSeznam::DodajVozelPred(vozel, nullptr);
}

template <typename T> void RSeznam<T>::Unici() {
    RSklad<T>::Unici();
    m_zadnji = nullptr;
}

template <typename T> void *RSeznam<T>::DodajVozelZa(void *vozel, void *za) {
    void *naslednji = za ? this->Naslednji(za) : this->m_prvi;
    Prejsnji(vozel) = za;
    this->Naslednji(vozel) = naslednji;
    if (naslednji)
        Prejsnji(naslednji) = vozel;
    else
        m_zadnji = vozel;
    if (za)
        this->Naslednji(za) = vozel;
    else
        this->m_prvi = vozel;
    ++this->m_stevilo;
    return vozel;
}

template <typename T> void *RSeznam<T>::DodajVozelPred(void *vozel, void *pred) {
    void *prej = pred ? Prejsnji(pred) : m_zadnji;
    this->Naslednji(vozel) = pred;
    Prejsnji(vozel) = prej;
    if (prej)
        this->Naslednji(prej) = vozel;
    else
        this->m_prvi = vozel;
    if (pred)
        Prejsnji(pred) = vozel;
    else
        m_zadnji = vozel;
    ++this->m_stevilo;
    return vozel;
}

template <typename T> void RSeznam<T>::Brisi() {
    if (this->m_prvi)
        RSeznam::Brisi(this->m_prvi);
}

template <typename T> void RSeznam<T>::Brisi(void *vozel) {
    IzlociVozel(vozel);
    this->UniciVozel(vozel);
}

template <typename T> int RSeznam<T>::RezervirajBlok() {
    return this->RezervirajBlokVozlov(sizeof(Zrno::Notranje::VozelSeznama<T>));
}

// --- RUrejenSeznam ---

template <typename T> void *RUrejenSeznam<T>::DodajPogojno(T const &vrednost) {
    void *v = this->UstvariVozel(vrednost);
    if (!v)
        return nullptr;
    if (this->DodajVozelPogojno(v) == v)
        return v;
    this->UniciVozel(v);
    return nullptr;
}

template <typename T> void *RUrejenSeznam<T>::DodajVozel(void *vozel) {
    Vstavi(vozel);
    return vozel;
}

// The walk starts from the end, so appending in order costs one comparison.
template <typename T> void RUrejenSeznam<T>::Vstavi(void *vozel) {
    void *p = this->m_zadnji;
    if (!p || Primerjaj(this->VrniElement(p), this->VrniElement(vozel)) < 0) {
        RSeznam<T>::DodajVozelPred(vozel, nullptr);
        return;
    }
    for (void *q; (q = this->Prejsnji(p)) && Primerjaj(this->VrniElement(vozel), this->VrniElement(q)) < 0;)
        p = q;
    RSeznam<T>::DodajVozelPred(vozel, p);
}

template <typename T> void *RUrejenSeznam<T>::DodajVozelPogojno(void *vozel) {
    void *p = this->m_zadnji;
    if (!p) {
        RSeznam<T>::DodajVozelPred(vozel, nullptr);
        return vozel;
    }
    int r = Primerjaj(this->VrniElement(p), this->VrniElement(vozel));
    if (r == 0)
        return p;
    if (r < 0) {
        RSeznam<T>::DodajVozelPred(vozel, nullptr);
        return vozel;
    }
    for (void *q; (q = this->Prejsnji(p)) != nullptr; p = q) {
        int s = Primerjaj(this->VrniElement(vozel), this->VrniElement(q));
        if (s == 0)
            return q;
        if (s > 0)
            break;
    }
    RSeznam<T>::DodajVozelPred(vozel, p);
    return vozel;
}

template <typename T> void *RUrejenSeznam<T>::PoisciOd(void *zacetek, T const &kljuc, bool naprej) const {
    for (void *v = zacetek; v; v = naprej ? this->Naslednji(v) : this->Prejsnji(v)) {
        int r = Primerjaj(this->VrniElement(v), kljuc);
        if (r == 0)
            return v;
        if (naprej ? r > 0 : r < 0)
            return nullptr;
    }
    return nullptr;
}

#endif
