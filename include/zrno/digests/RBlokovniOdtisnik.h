/// \file
/// The base of the digests that compress 64-byte blocks (MD5, SHA-1, SHA-256): the 64-bit bit count and
/// the block buffer, and the feeding that fills the buffer and compresses each full block.
#ifndef ZRNO_DIGESTS_RBLOKOVNIODTISNIK_H
#define ZRNO_DIGESTS_RBLOKOVNIODTISNIK_H

#include <stddef.h>
#include <zrno/digests/ROdtisnik.h>

/// A digest over 64-byte blocks. Izracunaj hands every full block to IzracunajBlok through the
/// buffer; only a tail of fewer than 64 bytes stays buffered between calls.
class ZRNO_API RBlokovniOdtisnik : public ROdtisnik {
  public:
    RBlokovniOdtisnik() {}
    /// Copies the bit count and the whole buffer.
    RBlokovniOdtisnik(const RBlokovniOdtisnik &o) = default;
    ~RBlokovniOdtisnik() override;
    /// Copies the bit count and the whole buffer; returns the object.
    RBlokovniOdtisnik &operator=(const RBlokovniOdtisnik &o) = default;

    /// Bit count 0.
    void Resetiraj() override;
    /// Buffers the data and compresses every block that fills up.
    void Izracunaj(void const *podatki, unsigned int dolzina) override;

  protected:
    /// Compresses the one 64-byte block in the buffer; may overwrite the buffer.
    virtual void IzracunajBlok() = 0;
    /// Compresses blokov whole blocks straight from podatki, as IzracunajBlok would one by one through
    /// the buffer, and returns true; false (this class's answer) sends them through the buffer. A class
    /// overrides it for its own IzracunajBlok and answers false for objects of types derived from it,
    /// which may override IzracunajBlok.
    virtual bool IzracunajBloke(unsigned char const *podatki, size_t blokov);

    friend struct PreverjanjeRazporeditve;
    /// Data fed so far, in bits: low word, then high word.
    unsigned int m_bitov[2];
    /// The block buffer; the words are in machine (little-endian) order.
    union {
        unsigned char m_blok[64];
        unsigned int m_besede[16];
    };
};

#endif
