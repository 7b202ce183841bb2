/// \file
/// RDinTabela<T>: a growable array of plain elements on the library's private heap, used by the registry
/// reads (a REG_MULTI_SZ list as bytes) and by the library's internal lists (pointers to texts).
#ifndef ZRNO_SYSTEM_RDINTABELA_H
#define ZRNO_SYSTEM_RDINTABELA_H

#include <zrno/frame/Elementi.h>

/// Elements are copied byte-wise; no element constructor or destructor runs. Instantiated for char and
/// for char const *. A copy has storage of its own. One thread at a time per table.
template <class T> class ZRNO_API RDinTabela : public RElement {
  public:
    /// An empty table: no storage, count and capacity 0.
    RDinTabela();
    /// A copy of the other table's elements in storage of its own (empty when the heap refuses it).
    RDinTabela(RDinTabela<T> const &drugi);
    /// Frees the storage.
    ~RDinTabela() override;
    /// Replaces the content by the other table's elements; NAP_POMNILNIK leaves it unchanged.
    RDinTabela<T> &operator=(RDinTabela<T> const &drugi);

    /// Sets the capacity: without `natancno` only growth, to the smallest multiple of 128 above n; with
    /// it exactly n (0 frees the storage), cutting the count. 0, or NAP_POMNILNIK with nothing changed.
    virtual int Rezerviraj(unsigned int n, bool natancno);

    /// Replaces the content by n elements; 0, or NAP_POMNILNIK with the table unchanged.
    int Nastavi(T const *elementi, unsigned int n);
    /// Appends one element; 0, or NAP_POMNILNIK with the table unchanged.
    int Dodaj(T const &element);
    /// Count 0; the storage is kept.
    void Sprazni() { m_stevilo = 0; }

    /// The storage (null when there is none); valid until the table grows or goes.
    T *VrniPodatke() const { return m_podatki; }
    /// The number of elements.
    unsigned int VrniStevilo() const { return m_stevilo; }
    /// Elements the storage holds.
    unsigned int VrniKapaciteto() const { return m_kapaciteta; }
    /// No bounds test: the index must be below the capacity.
    T &operator[](unsigned int indeks) const { return m_podatki[indeks]; }

  protected:
    friend struct PreverjanjeRazporeditve;
    /// The storage on the private heap; null when there is none.
    T *m_podatki;
    /// Elements in use.
    unsigned int m_stevilo;
    /// Elements the storage holds.
    unsigned int m_kapaciteta;

    friend class RRegister;
};

extern template class ZRNO_API RDinTabela<char>;
extern template class ZRNO_API RDinTabela<char const *>;

#endif
