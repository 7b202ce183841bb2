/// \file
/// An anonymous pipe as two handle streams: the write end and the read end.
#ifndef ZRNO_STREAMS_RKANAL_H
#define ZRNO_STREAMS_RKANAL_H

#include <zrno/streams/RSisTokPodatkov.h>

/// The two ends of an anonymous pipe. Neither the ends nor the destructor close a handle: the owner
/// closes each end with its Zapri.
class ZRNO_API RKanal : public RElement {
  public:
    /// Wraps existing handles (none by default).
    RKanal(void *pisanje = reinterpret_cast<void *>(-1), void *branje = reinterpret_cast<void *>(-1))
        : Pisanje(pisanje), Branje(branje) {}
    /// Copies share both raw handles; nothing is duplicated or closed.
    RKanal(const RKanal &o) : RElement(o), Pisanje(o.Pisanje), Branje(o.Branje) {}
    ~RKanal() override;
    /// Shares the other's raw handles (those held before are not closed); returns the object.
    RKanal &operator=(const RKanal &o) {
        Pisanje = o.Pisanje;
        Branje = o.Branje;
        return *this;
    }

    /// Creates an anonymous pipe (velikost: the buffer size suggested to the system, 0 its default)
    /// and gives its write handle to pisanje and its read handle to branje (handles held before are
    /// not closed). 0, or NAP_ODPIRANJE when the pipe cannot be made.
    static int Odpri(RSisTokPodatkov &pisanje, RSisTokPodatkov &branje, unsigned int velikost);
    /// Creates a pipe between this object's two ends.
    int Odpri(unsigned int velikost) { return Odpri(Pisanje, Branje, velikost); }

    RSisTokPodatkov Pisanje; ///< the write end
    RSisTokPodatkov Branje;  ///< the read end
};

#endif
