/// \file
/// MD5 (RFC 1321).
#ifndef ZRNO_DIGESTS_RMD5_H
#define ZRNO_DIGESTS_RMD5_H

#include <zrno/digests/RBlokovniOdtisnik.h>

/// The 16-octet MD5 digest in the standard's output order (the name is historical: it holds MD5).
struct T_ODTIS_MD2 {
    /// The digest bytes, first byte first.
    unsigned char Bajti[16];
};

/// MD5 over the bytes fed: Vrni gives the digest after Zakljuci. One thread at a time per object.
class ZRNO_API RMD5 : public RBlokovniOdtisnik {
  public:
    RMD5();
    /// Copies the whole state, so a copy taken mid-message can be finished on its own.
    RMD5(const RMD5 &o) = default;
    ~RMD5() override;
    /// Copies the whole state; returns the object.
    RMD5 &operator=(const RMD5 &o) = default;

    /// Bit count 0 and the standard initial chaining words; the last result stays readable.
    void Resetiraj() override;
    /// Pads, appends the length and stores the result.
    void Zakljuci() override;
    /// The 16 result bytes.
    int Zapisi(RTokPodatkov &tok) const override;
    /// Resetiraj, then 16 bytes into the result.
    int Preberi(RTokPodatkov &tok) override;

    /// The result of the last Zakljuci or Preberi.
    T_ODTIS_MD2 Vrni() const { return m_rezultat; }
    /// The result, as Vrni.
    operator T_ODTIS_MD2() const { return m_rezultat; }

  protected:
    /// The MD5 compression function over the buffer.
    void IzracunajBlok() override;
    /// The compression straight from the data, for this class only.
    bool IzracunajBloke(unsigned char const *podatki, size_t blokov) override;

    friend struct PreverjanjeRazporeditve;
    /// Chaining words A, B, C, D.
    unsigned int m_h[4];
    /// The result of the last Zakljuci or Preberi.
    T_ODTIS_MD2 m_rezultat;
};

#endif
