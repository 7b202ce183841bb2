/// \file
/// CRC-32 of IEEE 802.3 (reflected polynomial 0xEDB88320, initial value and final XOR 0xFFFFFFFF).
#ifndef ZRNO_DIGESTS_RCRC32_H
#define ZRNO_DIGESTS_RCRC32_H

#include <zrno/digests/ROdtisnik.h>

/// The CRC-32 of IEEE 802.3 over the bytes fed: Vrni gives it after Zakljuci. One thread at a time per
/// object.
class ZRNO_API RCRC32 : public ROdtisnik {
  public:
    /// The register starts as ~zacetek: the default gives the standard CRC; a CRC finished earlier
    /// continues over further data.
    RCRC32(unsigned long zacetek = 0) : m_register(~zacetek) {}
    /// Copies the register, so a copy taken mid-message can be finished on its own.
    RCRC32(const RCRC32 &o) : ROdtisnik(o), m_register(o.m_register) {}
    ~RCRC32() override;
    /// Copies the register; returns the object.
    RCRC32 &operator=(const RCRC32 &o) {
        m_register = o.m_register;
        return *this;
    }

    /// Register 0xFFFFFFFF, whatever the constructor was given.
    void Resetiraj() override;
    void Izracunaj(void const *podatki, unsigned int dolzina) override;
    /// Complements the register (twice gives back the unfinished register).
    void Zakljuci() override;
    /// 4 bytes, the register least significant byte first.
    int Zapisi(RTokPodatkov &tok) const override;
    /// 4 bytes into the register (not reset first).
    int Preberi(RTokPodatkov &tok) override;

    /// The register: the CRC after Zakljuci.
    unsigned long Vrni() const { return m_register; }
    /// The register, as Vrni.
    operator unsigned long() const { return m_register; }

  protected:
    friend struct PreverjanjeRazporeditve;
    /// The running register (the CRC after Zakljuci).
    unsigned long m_register;
};

#endif
