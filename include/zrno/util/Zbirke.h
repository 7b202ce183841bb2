/// \file
/// Zrno utilities: intrusive linked containers whose nodes come from a private, unserialised heap of each
/// container. Elements are plain records copied whole into the nodes; no element constructor or
/// destructor ever runs. A node handle (void *) is also the address of its element. A container is used
/// by one thread at a time.
///
/// The template bodies are in Zbirke.inl, included at the end, so a container of any record type
/// instantiates where it is used. Element types whose containers the library exports are listed in
/// ZRNO_IZVOZENE_ZBIRKE at the end of this header, one X(type) each; util/Zbirke.cpp instantiates and
/// exports the list.
#ifndef ZRNO_UTIL_ZBIRKE_H
#define ZRNO_UTIL_ZBIRKE_H

#include <stddef.h>
#include <zrno/frame/Elementi.h>

namespace Zrno::Notranje {

/// A private heap for one container (HEAP_NO_SERIALIZE, growable); null when refused.
ZRNO_API void *UstvariKopicoZbirke(size_t zacetnaVelikost);
/// Destroys the heap and with it every block; a null heap does nothing.
ZRNO_API void UniciKopicoZbirke(void *kopica);
/// One block of stevilo nodes of the given size; null when refused or on a null heap.
ZRNO_API void *RezervirajBlokZbirke(void *kopica, size_t stevilo, size_t velikostVozla);
/// NT family: whether the address lies inside a busy entry of the heap (walked under its lock). Other
/// families cannot walk a heap reliably, and the answer there is always true.
ZRNO_API bool JeVKopiciZbirke(void *kopica, const void *naslov);

/// Node layouts: the element first, then the links.
template <typename T> struct VozelSklada {
    T element;
    void *naslednji;
};
template <typename T> struct VozelSeznama {
    T element;
    void *naslednji;
    void *prejsnji;
};

} // namespace Zrno::Notranje

/// The collection base: the node pool (free list over blocks of the container's heap) and the count.
template <typename T> class RZbirka : public RElement {
  public:
    /// Creates the container's heap; nothing is allocated until the first node is made.
    explicit RZbirka(unsigned int velikostBloka = 64);
    /// A copy has a heap of its own and starts empty; the derived classes copy the elements.
    RZbirka(const RZbirka &o);
    /// Destroys the heap, and with it every node at once.
    ~RZbirka() override;
    /// Keeps this container's own heap and nodes; the derived assignments add the elements.
    RZbirka &operator=(const RZbirka &) { return *this; }

    /// Makes a node holding a copy of the value and adds it; returns the node, or null when no block
    /// could be allocated (the container is then unchanged).
    void *Dodaj(T const &vrednost) { return DodajNov(UstvariVozel(vrednost)); }
    /// The same as Dodaj(vrednost).
    void *operator+=(T const &vrednost) { return Dodaj(vrednost); }
    /// As Dodaj, with the element left as the block gave it.
    void *Dodaj() { return DodajNov(UstvariVozel()); }
    /// The number of elements.
    unsigned int VrniStevilo() const { return m_stevilo; }
    /// True when there are no elements.
    bool JePrazen() const { return m_stevilo == 0; }
    /// The element of a node (the node's own address).
    T &VrniElement(void *vozel) const { return *static_cast<T *>(vozel); }
    /// The element of a node, as VrniElement.
    T &operator[](void *vozel) const { return *static_cast<T *>(vozel); }

    /// Links a node made by UstvariVozel into the container; returns it.
    virtual void *DodajVozel(void *vozel) = 0;
    /// Removes every node (back to the free list).
    virtual void Unici() = 0;
    /// Takes a node off the free list (allocating a block when it is empty) and copies the value into
    /// it; the node is not yet in the container. Null when no block could be allocated.
    virtual void *UstvariVozel(T const &vrednost) = 0;
    /// As UstvariVozel(vrednost), with the element left as the block gave it.
    virtual void *UstvariVozel() = 0;
    /// Returns a node that is not in the container to the free list.
    virtual void UniciVozel(void *vozel) = 0;

  protected:
    /// Adds one block of nodes to the free list: 0, or NAP_POMNILNIK with nothing changed.
    virtual int RezervirajBlok() = 0;
    /// Whether the address lies in this container's heap (always true outside the NT family).
    virtual bool JeVozelVKopici(void *vozel) const = 0;

    /// The block allocation of RezervirajBlok for nodes of the given size: threads them in address
    /// order, the block's last node pointing at the former free-list head.
    int RezervirajBlokVozlov(size_t velikostVozla);

    friend struct PreverjanjeRazporeditve;
    /// The container's own heap (unserialised); null when it could not be created.
    void *m_kopica;
    void *m_prosti; ///< free-list head, linked through the nodes' next links
    /// Nodes per block.
    unsigned int m_velikostBloka;
    /// Elements in the container.
    unsigned int m_stevilo;

  private:
    void *DodajNov(void *vozel) { return vozel ? DodajVozel(vozel) : nullptr; }
};

/// A singly linked stack: Dodaj pushes at the front.
template <typename T> class RSklad : public RZbirka<T> {
  public:
    /// An empty stack whose nodes come in blocks of `velikostBloka`.
    explicit RSklad(unsigned int velikostBloka = 64) : RZbirka<T>(velikostBloka), m_prvi(nullptr) {}
    /// An independent copy with its own heap, in the same order.
    RSklad(const RSklad &o);
    ~RSklad() override;
    /// Adds copies of o's elements (from its first along next) through this container's DodajVozel,
    /// without emptying it first: a stack receives them reversed. Assigning a container to itself
    /// changes nothing.
    RSklad const &operator=(const RSklad &o);

    /// The first node; null when empty.
    void *VrniPrvega() const { return m_prvi; }
    /// The first element (the container must not be empty).
    T &VrniPrviElement() const { return *static_cast<T *>(m_prvi); }
    /// The following node; null after the last.
    void *VrniNaslednjega(void *vozel) const { return Naslednji(vozel); }
    /// Makes a node and links it behind za (at the front when za is null); null when no block could be
    /// allocated.
    void *DodajZa(T const &vrednost, void *za);
    /// As DodajZa(vrednost, za), with the element left as the block gave it.
    void *DodajZa(void *za);
    /// Copies at most VrniStevilo() elements, from the first along next, into the caller's array;
    /// returns the number copied.
    unsigned int PrepisiVTabelo(T *tabela) const;

    /// Pushes the node at the front; returns it.
    void *DodajVozel(void *vozel) override;
    /// Removes every node (back to the free list).
    void Unici() override;
    /// A node from the free list holding a copy of the value, not yet linked; null when no block could be
    /// allocated.
    void *UstvariVozel(T const &vrednost) override;
    /// A node from the free list, not yet linked; null when no block could be allocated.
    void *UstvariVozel() override;
    /// Returns an unlinked node to the free list.
    void UniciVozel(void *vozel) override;
    /// Links the node behind za (at the front when za is null); returns it.
    virtual void *DodajVozelZa(void *vozel, void *za);
    /// Removes the first node (nothing happens when the container is empty).
    virtual void Brisi();

  protected:
    /// Adds one block of stack nodes to the free list: 0, or NAP_POMNILNIK with nothing changed.
    int RezervirajBlok() override;
    /// Whether the address lies in this container's heap (always true outside the NT family).
    bool JeVozelVKopici(void *vozel) const override;
    /// The same as UniciVozel.
    void SprostiVozel(void *vozel) { UniciVozel(vozel); }
    /// The same as UstvariVozel().
    void *RezervirajVozel() { return UstvariVozel(); }

    /// The next link of a node.
    static void *&Naslednji(void *vozel) {
        return static_cast<Zrno::Notranje::VozelSklada<T> *>(vozel)->naslednji;
    }

    friend struct PreverjanjeRazporeditve;
    /// The first node; null when empty.
    void *m_prvi;
};

/// A doubly linked list: Dodaj appends at the end.
template <typename T> class RSeznam : public RSklad<T> {
  public:
    /// An empty list whose nodes come in blocks of `velikostBloka`.
    explicit RSeznam(unsigned int velikostBloka = 64) : RSklad<T>(velikostBloka), m_zadnji(nullptr) {}
    /// An independent copy with its own heap, in the same order.
    RSeznam(const RSeznam &o);
    ~RSeznam() override;
    /// Appends copies of o's elements through this container's DodajVozel (see RSklad::operator=).
    RSeznam const &operator=(const RSeznam &o) {
        RSklad<T>::operator=(o);
        return *this;
    }

    /// The last node; null when empty.
    void *VrniZadnjega() const { return m_zadnji; }
    /// The last element (the list must not be empty).
    T &VrniZadnjiElement() const { return *static_cast<T *>(m_zadnji); }
    /// The preceding node; null before the first.
    void *VrniPrejsnjega(void *vozel) const { return Prejsnji(vozel); }
    /// Makes a node and links it before pred (at the end when pred is null); null when no block could be
    /// allocated.
    void *DodajPred(T const &vrednost, void *pred);
    /// As DodajPred(vrednost, pred), with the element left as the block gave it.
    void *DodajPred(void *pred);
    /// Unlinks the node without freeing it: the caller may link it again with DodajVozel, DodajVozelZa or
    /// DodajVozelPred.
    void IzlociVozel(void *vozel);

    /// Appends the node at the end; returns it.
    void *DodajVozel(void *vozel) override;
    /// Removes every node (back to the free list).
    void Unici() override;
    /// Links the node behind za (at the front when za is null); returns it.
    void *DodajVozelZa(void *vozel, void *za) override;
    /// Removes the first node (nothing happens when the list is empty).
    void Brisi() override;
    /// Links the node before pred (at the end when pred is null); returns it.
    virtual void *DodajVozelPred(void *vozel, void *pred);
    /// Unlinks the node and returns it to the free list.
    virtual void Brisi(void *vozel);

  protected:
    /// Adds one block of list nodes to the free list: 0, or NAP_POMNILNIK with nothing changed.
    int RezervirajBlok() override;

    /// The previous link of a node.
    static void *&Prejsnji(void *vozel) {
        return static_cast<Zrno::Notranje::VozelSeznama<T> *>(vozel)->prejsnji;
    }

    friend struct PreverjanjeRazporeditve;
    /// The last node; null when empty.
    void *m_zadnji;
};

/// A list kept in the order of Primerjaj (negative: a sorts before b). An element equal to others is
/// inserted behind them, except that one equal to the last element goes before it.
template <typename T> class RUrejenSeznam : public RSeznam<T> {
  public:
    /// An empty sorted list whose nodes come in blocks of `velikostBloka`.
    explicit RUrejenSeznam(unsigned int velikostBloka = 64) : RSeznam<T>(velikostBloka) {}
    /// An independent copy with its own heap, in the same order.
    RUrejenSeznam(const RUrejenSeznam &o) : RSeznam<T>(o) {}
    /// Inserts copies of o's elements in their sorted places (see RSklad::operator=).
    RUrejenSeznam const &operator=(const RUrejenSeznam &o) {
        RSklad<T>::operator=(o);
        return *this;
    }

    /// Adds a copy unless an equal element is present: returns the new node, or null (the spare node
    /// went back to the free list) when an equal one exists or no block could be allocated.
    void *DodajPogojno(T const &vrednost);
    /// The first node equal to the key, searching from the first; null when none.
    void *PoisciOdPrvega(T const &kljuc) const { return PoisciOd(this->m_prvi, kljuc, true); }
    /// The last node equal to the key, searching from the last; null when none.
    void *PoisciOdZadnjega(T const &kljuc) const { return PoisciOd(this->m_zadnji, kljuc, false); }

    /// Sorted insert; returns the node.
    void *DodajVozel(void *vozel) override;
    /// Sorted insert unless an equal element is present; returns the node passed in when it was
    /// inserted, else the equal element's node.
    virtual void *DodajVozelPogojno(void *vozel);
    /// Walks from start toward the last (naprej) or the first node and returns the first node equal to
    /// the key, or null once the order shows there is none.
    virtual void *PoisciOd(void *zacetek, T const &kljuc, bool naprej) const;
    /// The order: negative when a sorts before b, 0 when equal, positive after.
    virtual int Primerjaj(T const &a, T const &b) const = 0;

  private:
    void Vstavi(void *vozel);
};

#include <zrno/util/Zbirke.inl>

/// Element types whose four containers the library exports: X(type) for each, the type being declared
/// above this point.
#define ZRNO_IZVOZENE_ZBIRKE(X)

#define ZRNO_ZBIRKE_IZVOZ(T)                                                                                 \
    extern template class ZRNO_API RZbirka<T>;                                                               \
    extern template class ZRNO_API RSklad<T>;                                                                \
    extern template class ZRNO_API RSeznam<T>;                                                               \
    extern template class ZRNO_API RUrejenSeznam<T>;
ZRNO_IZVOZENE_ZBIRKE(ZRNO_ZBIRKE_IZVOZ)
#undef ZRNO_ZBIRKE_IZVOZ

#endif
