/// \file
/// An incremental Base64 codec (RFC 4648 alphabet, "=" padding): input that does not fill a group stays
/// in the object and is completed by the next call, in both directions.
#ifndef ZRNO_STREAMS_RBASE64_H
#define ZRNO_STREAMS_RBASE64_H

#include <zrno/frame/Elementi.h>

class RNizA;
class RTokPodatkov;

/// Encodes bytes into Base64 text and decodes it back. Decoding skips every character outside the
/// alphabet (line breaks, spaces, anything foreign) and stops at the first group with padding.
class ZRNO_API RBase64 : public virtual RElement {
  public:
    RBase64() : m_kodStevilo(0), m_dekStevilo(0) {}
    /// Copies both carries: the copy goes on from the same point on its own.
    RBase64(const RBase64 &o);
    ~RBase64() override;
    /// Copies both carries; returns the object.
    RBase64 &operator=(const RBase64 &o);

    /// Encodes into izhod and terminates it; returns the characters written (terminator not counted).
    /// izhod must hold VrniKodDolzino(velikost) + 1 characters. Without koncno, the last 0 to 2 bytes
    /// wait for the next call; with it they are written as a padded group. When the text would not
    /// fit in 32 bits (VrniKodDolzino all bits set) nothing is written, not even the terminator: 0.
    unsigned int Kodiraj(void const *podatki, unsigned int velikost, char *izhod, bool koncno);
    /// Appends the code-page text to izhod; returns the characters appended (fewer when the string
    /// cannot grow).
    unsigned int Kodiraj(void const *podatki, unsigned int velikost, RNizA &izhod, bool koncno);
    /// Writes the text to a stream, one byte per Zapisi; returns the characters produced. Write
    /// failures show in the stream's state only.
    unsigned int Kodiraj(void const *podatki, unsigned int velikost, RTokPodatkov &izhod, bool koncno);
    /// Decodes a zero-terminated text into izhod, which must hold VrniDeKodDolzino(strlen(besedilo))
    /// bytes; returns the bytes written. konec becomes true when a padded group ended the data (the
    /// rest of the text is not looked at). An unfinished group waits for the next call.
    unsigned int DeKodiraj(char const *besedilo, void *izhod, bool &konec);
    /// The same, writing each byte to a stream with its own Zapisi; returns the bytes produced.
    unsigned int DeKodiraj(char const *besedilo, RTokPodatkov &izhod, bool &konec);
    /// Characters that Kodiraj with koncno produces for velikost more bytes; all bits set when that
    /// count and its terminator do not fit in 32 bits (from about 3 GiB of input), never a wrapped,
    /// smaller size.
    unsigned int VrniKodDolzino(unsigned int velikost) const {
        const unsigned long long n = (m_kodStevilo + 2ULL + velikost) / 3 * 4;
        return n < 0xFFFFFFFFull ? static_cast<unsigned int>(n) : 0xFFFFFFFFu;
    }
    /// An upper bound of the bytes that dolzina more characters decode to.
    unsigned int VrniDeKodDolzino(unsigned int dolzina) const {
        return static_cast<unsigned int>((m_dekStevilo + static_cast<unsigned long long>(dolzina)) / 4 * 3);
    }
    /// Discards both carries.
    void Sprazni() { m_kodStevilo = m_dekStevilo = 0; }

  protected:
    friend struct PreverjanjeRazporeditve;
    unsigned char m_kodPrenos[3]; ///< input bytes not yet encoded
    unsigned int m_kodStevilo;    ///< bytes in m_kodPrenos (0 to 3)
    unsigned char m_dekPrenos[4]; ///< 6-bit values not yet decoded; 64 stands for "="
    unsigned int m_dekStevilo;    ///< values in m_dekPrenos (0 to 4)

  private:
    unsigned int KodirajBrezKonca(unsigned char const *podatki, unsigned int velikost, char *izhod,
                                  bool koncno);
};

#endif
