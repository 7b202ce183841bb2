/// \file
/// Zrno data streams: the stream over one system handle, with the file-attribute functions.
#ifndef ZRNO_STREAMS_RSISTOKPODATKOV_H
#define ZRNO_STREAMS_RSISTOKPODATKOV_H

#include <zrno/streams/RTokPodatkov.h>

/// A stream over one system handle (file, pipe, console, device): ReadFile, WriteFile,
/// FlushFileBuffers. Copies share the raw handle; the destructor releases it without closing.
/// Also carries the file-attribute functions.
class ZRNO_API RSisTokPodatkov : public virtual RTokPodatkov, public virtual RSisElement {
  public:
    // The handle is stored in the body: a virtual base is built by the most derived class only.
    /// Takes a handle (none by default); the destructor never closes it.
    RSisTokPodatkov(void *rocica = reinterpret_cast<void *>(-1)) { m_rocica = rocica; }
    /// Copies share the raw handle (and so the system file pointer) and copy the state.
    RSisTokPodatkov(const RSisTokPodatkov &o)
        : RElement(o), RIzpElement(o), RTokPodatkov(o), RSisElement(o) {}
    ~RSisTokPodatkov() override;
    /// Shares the other's raw handle (the one held before is not closed) and copies the state.
    RSisTokPodatkov &operator=(const RSisTokPodatkov &o) {
        RTokPodatkov::operator=(o);
        RSisElement::operator=(o);
        return *this;
    }

    using RSisElement::Podvoji;
    using RSisElement::Zapri;

    /// ReadFile; a successful read of 0 bytes is end of data. Failure default NAP_BRANJE.
    unsigned int Preberi(void *medpomnilnik, unsigned int stevilo) override;
    /// WriteFile (also for 0 bytes). Failure default NAP_PISANJE.
    unsigned int Zapisi(void const *medpomnilnik, unsigned int stevilo) override;
    /// FlushFileBuffers. Failure default NAP_IZPLAKNI.
    int Izplakni() override;
    /// Closes the handle: 0, 1 when none is held, or the mapped failure (default NAP_ZAPIRANJE).
    int Zapri() override;
    /// Adopts a handle (the previous one is neither closed nor released); returns 0.
    int Uporabi(void *rocica) override;
    /// Gives the handle up without closing it; the state becomes 0.
    void *Odpusti() override;

    /// Attribute bits of a file by name (code-page text); 0 when they cannot be read.
    static unsigned int VrniAtribute(char const *ime);
    /// Attribute bits of the held handle; 0 when they cannot be read.
    unsigned int VrniAtribute();
    /// Attributes, times (RDatum milliseconds, UTC) and size by name (code-page text); every pointer may
    /// be null.
    /// On failure all given outputs are 0 and the result is the mapped error (default NAP_BERIATRIBUTE).
    static int VrniAtribute(char const *ime, unsigned int *atributi, __int64 *ustvarjena, __int64 *dostop,
                            __int64 *pisanje, unsigned __int64 *velikost);
    /// The same by the held handle. The state is not touched.
    int VrniAtribute(unsigned int *atributi, __int64 *ustvarjena, __int64 *dostop, __int64 *pisanje,
                     unsigned __int64 *velikost);
    /// Sets the attributes selected by maska to vrednosti on the file named ime (code-page text). COMPRESSED
    /// and SPARSE_FILE go through device control calls whose outcome is not reported; ENCRYPTED, DIRECTORY
    /// and SYSTEM are never changed. Failure of SetFileAttributesA: mapped error, default
    /// NAP_NASTAVIATRIBUTE.
    static int NastaviAtribute(char const *ime, unsigned int maska, unsigned int vrednosti);
};

#endif
