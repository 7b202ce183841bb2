/// \file
/// The server end of a named pipe, as a handle stream: create an instance, wait for a client, disconnect
/// it to serve the next. Clients open the pipe by name with CreateFile.
#ifndef ZRNO_STREAMS_RIMENOVANKANAL_H
#define ZRNO_STREAMS_RIMENOVANKANAL_H

#include <zrno/streams/RSisTokPodatkov.h>

/// One instance of a named pipe. Reading, writing, flushing and closing are the handle stream's; the
/// destructor releases the handle without closing it.
class ZRNO_API RImenovanKanal : public RSisTokPodatkov {
  public:
    /// Takes a pipe handle (none by default); the destructor never closes it.
    RImenovanKanal(void *rocica = reinterpret_cast<void *>(-1)) { m_rocica = rocica; }
    /// Copies share the raw handle and the state; nothing is duplicated or closed.
    RImenovanKanal(const RImenovanKanal &o)
        : RElement(o), RIzpElement(o), RTokPodatkov(o), RSisElement(o), RSisTokPodatkov(o) {}
    ~RImenovanKanal() override;
    /// Shares the other's raw handle (the one held before is not closed) and copies the state.
    RImenovanKanal &operator=(const RImenovanKanal &o) {
        RSisTokPodatkov::operator=(o);
        return *this;
    }

    /// Creates an instance of the pipe ime (code-page text, "\\.\pipe\name"); the modes, the instance
    /// limit, the buffer sizes and the default time-out in ms go to CreateNamedPipe unchanged. A handle
    /// held before is not closed. 0, or NAP_ODPIRANJE.
    int Ustvari(char const *ime, unsigned int nacinOdpiranja, unsigned int nacinKanala,
                unsigned int primerkov, unsigned int izhodniMedpomnilnik, unsigned int vhodniMedpomnilnik,
                unsigned int casovniRok);
    /// Waits for a client to connect; 0 also when one connected before the call. Default NAP_SPREJEM.
    int Sprejmi();
    /// Disconnects the client so that the instance can accept another; default NAP_ZAPRIPOVEZAVO.
    int Zakljuci();
    /// The connected client's user name (at most 256 characters) into ime; on failure ime is empty and
    /// the result the mapped error (default NAP_RAZRESITEV). The state is not touched.
    int VrniNaslovVrstnika(RNizA &ime) const;
};

#endif
