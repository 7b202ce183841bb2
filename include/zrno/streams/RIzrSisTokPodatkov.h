/// \file
/// Zrno data streams: the buffered stream over a system handle.
#ifndef ZRNO_STREAMS_RIZRSISTOKPODATKOV_H
#define ZRNO_STREAMS_RIZRSISTOKPODATKOV_H

#include <zrno/streams/RIzravnalnik.h>
#include <zrno/streams/RSisTokPodatkov.h>

/// A buffered stream over a system handle: an RIzravnalnik whose target is a contained
/// RSisTokPodatkov. The destructor writes out pending data and releases (does not close) the handle;
/// Zapri writes out and closes it.
class ZRNO_API RIzrSisTokPodatkov : public virtual RIzravnalnik {
  public:
    /// Buffers of `branje` and `pisanje` bytes (0: none in that direction) over a handle (none by default).
    RIzrSisTokPodatkov(void *rocica = reinterpret_cast<void *>(-1), unsigned int branje = 256,
                       unsigned int pisanje = 256);
    /// Copies share the buffers (freed by the last owner) and the contained stream's raw handle.
    RIzrSisTokPodatkov(const RIzrSisTokPodatkov &o);
    ~RIzrSisTokPodatkov() override;
    /// Copies the converter fields and the contained stream (the handle shared); returns the object.
    RIzrSisTokPodatkov &operator=(const RIzrSisTokPodatkov &o);

    /// Gives the contained stream a handle (its Uporabi); does not re-attach after Zapri.
    int UporabiRocico(void *rocica);
    /// Writes out pending data (its outcome is not reported), then takes the handle back, not closed.
    void *OdpustiRocico();
    /// The contained handle stream.
    RSisTokPodatkov &VrniSisTok() { return m_tok; }

  private:
    friend struct PreverjanjeRazporeditve;
    RSisTokPodatkov m_tok;
};

#endif
