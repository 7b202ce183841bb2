/// \file
/// SHA-1 (FIPS 180-1).
#ifndef ZRNO_DIGESTS_RSHA1_H
#define ZRNO_DIGESTS_RSHA1_H

#include <zrno/digests/RBlokovniOdtisnik.h>

/// The 20-octet SHA-1 digest in the standard's output order.
struct T_ODTIS_SHA {
    /// The digest bytes, first byte first.
    unsigned char Bajti[20];
};

/// SHA-1 over the bytes fed: Vrni gives the digest after Zakljuci. One thread at a time per object.
class ZRNO_API RSHA1 : public RBlokovniOdtisnik {
  public:
    RSHA1();
    /// Copies the whole state, so a copy taken mid-message can be finished on its own.
    RSHA1(const RSHA1 &o) = default;
    ~RSHA1() override;
    /// Copies the whole state; returns the object.
    RSHA1 &operator=(const RSHA1 &o) = default;

    /// Bit count 0 and the standard initial chaining words; the last result stays readable.
    void Resetiraj() override;
    /// Pads, appends the length and stores the result.
    void Zakljuci() override;
    /// The 20 result bytes.
    int Zapisi(RTokPodatkov &tok) const override;
    /// Resetiraj, then 20 bytes into the result.
    int Preberi(RTokPodatkov &tok) override;

    /// The result of the last Zakljuci or Preberi.
    T_ODTIS_SHA Vrni() const { return m_rezultat; }
    /// The result, as Vrni.
    operator T_ODTIS_SHA() const { return m_rezultat; }

  protected:
    /// The SHA-1 compression function over the buffer (words big-endian).
    void IzracunajBlok() override;
    /// The compression straight from the data, for this class only.
    bool IzracunajBloke(unsigned char const *podatki, size_t blokov) override;

    friend struct PreverjanjeRazporeditve;
    /// Chaining words H0 to H4.
    unsigned int m_h[5];
    /// The result of the last Zakljuci or Preberi.
    T_ODTIS_SHA m_rezultat;
};

#endif
