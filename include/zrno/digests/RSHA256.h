/// \file
/// SHA-256 (FIPS 180-4).
#ifndef ZRNO_DIGESTS_RSHA256_H
#define ZRNO_DIGESTS_RSHA256_H

#include <zrno/digests/RBlokovniOdtisnik.h>

/// The 32-octet SHA-256 digest in the standard's output order.
struct T_ODTIS_SHA256 {
    /// The digest bytes, first byte first.
    unsigned char Bajti[32];
};

/// SHA-256 over the bytes fed: Vrni gives the digest after Zakljuci. One thread at a time per object.
class ZRNO_API RSHA256 : public RBlokovniOdtisnik {
  public:
    RSHA256();
    /// Copies the whole state, so a copy taken mid-message can be finished on its own.
    RSHA256(const RSHA256 &o) = default;
    ~RSHA256() override;
    /// Copies the whole state; returns the object.
    RSHA256 &operator=(const RSHA256 &o) = default;

    /// Bit count 0 and the standard initial hash value; the last result stays readable.
    void Resetiraj() override;
    /// Pads, appends the length and stores the result.
    void Zakljuci() override;
    /// The 32 result bytes.
    int Zapisi(RTokPodatkov &tok) const override;
    /// Resetiraj, then 32 bytes into the result.
    int Preberi(RTokPodatkov &tok) override;

    /// The result of the last Zakljuci or Preberi.
    T_ODTIS_SHA256 Vrni() const { return m_rezultat; }
    /// The result, as Vrni.
    operator T_ODTIS_SHA256() const { return m_rezultat; }

  protected:
    /// The SHA-256 compression function over the buffer (words big-endian).
    void IzracunajBlok() override;
    /// The compression straight from the data, for this class only.
    bool IzracunajBloke(unsigned char const *podatki, size_t blokov) override;

    /// Chaining words H0 to H7.
    unsigned int m_h[8];
    /// The result of the last Zakljuci or Preberi.
    T_ODTIS_SHA256 m_rezultat;
};

#endif
