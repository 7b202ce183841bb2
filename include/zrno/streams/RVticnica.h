/// \file
/// A socket of Windows Sockets 1.1 (started by the library's start-up) as a stream, with the socket
/// operations themselves (bind, connect, listen, accept, send and receive with flags, options, addresses)
/// and static IPv4 name and address helpers. The address records are the system's sockaddr and
/// sockaddr_in, from winsock.h or winsock2.h.
#ifndef ZRNO_STREAMS_RVTICNICA_H
#define ZRNO_STREAMS_RVTICNICA_H

#include <zrno/streams/RTokPodatkov.h>

struct sockaddr;
struct sockaddr_in;

/// A socket. Every operation stores its result in the state as well as returning it; failures are the
/// socket layer's last error mapped with the operation's default code. Copies share the socket, and
/// nothing closes it but Zapri: the destructor leaves it open.
/// One thread may read while another writes, as the socket layer allows; the shared state then
/// holds whichever result was stored last.
class ZRNO_API RVticnica : public RTokPodatkov {
  public:
    /// Address family (the system's AF_ values).
    enum T_VTICDOMENA { DOMENA_NEDOLOCENA = 0, DOMENA_INET = 2 };
    /// Socket type (the system's SOCK_ values).
    enum T_VTICVRSTA { VRSTA_TOK = 1, VRSTA_DATAGRAM = 2, VRSTA_SUROVA = 3, VRSTA_RDM = 4, VRSTA_PAKETI = 5 };
    /// What Zakljuci shuts down.
    enum T_VTICNACINZAPIRANJA { ZAPIRANJE_BRANJE = 0, ZAPIRANJE_PISANJE = 1, ZAPIRANJE_OBOJE = 2 };
    /// Option names (the system's SO_ and TCP_ codes; TCP_NODELAY shares its value with SO_DEBUG and is
    /// told apart by the level).
    enum T_VTICPARAMETER : unsigned int {
        PARAM_DEBUG = 0x0001,
        PARAM_ACCEPTCONN = 0x0002,
        PARAM_REUSEADDR = 0x0004,
        PARAM_KEEPALIVE = 0x0008,
        PARAM_DONTROUTE = 0x0010,
        PARAM_BROADCAST = 0x0020,
        PARAM_USELOOPBACK = 0x0040,
        PARAM_LINGER = 0x0080,
        PARAM_OOBINLINE = 0x0100,
        PARAM_DONTLINGER = 0xFFFFFF7F,
        PARAM_SNDBUF = 0x1001,
        PARAM_RCVBUF = 0x1002,
        PARAM_SNDLOWAT = 0x1003,
        PARAM_RCVLOWAT = 0x1004,
        PARAM_SNDTIMEO = 0x1005,
        PARAM_RCVTIMEO = 0x1006,
        PARAM_ERROR = 0x1007,
        PARAM_TYPE = 0x1008,
        PARAM_TCP_NODELAY = 0x0001
    };
    /// Option levels (SOL_SOCKET, IPPROTO_IP, IPPROTO_TCP).
    enum T_VTICNIVOPARAM { NIVO_VTICNICA = 0xFFFF, NIVO_IP = 0, NIVO_TCP = 6 };

    /// Takes a socket (none by default); the state is 0.
    RVticnica(unsigned int vticnica = 0xFFFFFFFF) : m_vticnica(vticnica) {}
    /// Copies share the socket and copy the state; nothing is duplicated or closed.
    RVticnica(const RVticnica &o) : RElement(o), RIzpElement(o), RTokPodatkov(o), m_vticnica(o.m_vticnica) {}
    ~RVticnica() override;
    /// Shares the other's socket (the one held before is not closed) and copies the state.
    RVticnica &operator=(const RVticnica &o) {
        RTokPodatkov::operator=(o);
        m_vticnica = o.m_vticnica;
        return *this;
    }

    /// Creates a socket and holds it (one held before is not closed); default NAP_ODPIRANJE.
    int Odpri(T_VTICDOMENA domena, T_VTICVRSTA vrsta, int protokol);
    /// Binds; default NAP_VEZAVA.
    int Privezi(sockaddr const *naslov, unsigned int dolzina);
    /// Binds to the IPv4 address PoisciNaslov finds for gostitelj (code-page text) and the port; a
    /// failed look-up is returned as it came.
    int Privezi(char const *gostitelj, unsigned int vrata);
    /// Connects; default NAP_POVEZAVA (a refused connection is NAP_ZAVRNJENO).
    int Povezi(sockaddr const *naslov, unsigned int dolzina);
    /// Connects to gostitelj (code-page text) and the port, looked up as Privezi does.
    int Povezi(char const *gostitelj, unsigned int vrata);
    /// Listens; a backlog of 0xFFFFFFFF asks for the largest (0x7FFFFFFF). Default NAP_POSLUSANJE.
    int Poslusaj(unsigned int zaostanek);
    /// Accepts one connection and gives its socket to odjemalec (Uporabi); the address and its length
    /// as the system fills them (both may be null). Default NAP_SPREJEM.
    int Sprejmi(RVticnica &odjemalec, sockaddr *naslov, unsigned int *dolzina);
    /// One send with the flags; returns the bytes sent, 0 on failure (default NAP_PISANJE).
    unsigned int Poslji(void const *podatki, unsigned int dolzina, unsigned int zastavice);
    /// One receive with the flags; returns the bytes received. A closed connection returns 0 with
    /// NAP_KONECPODATKOV, a failure 0 with the mapped error (default NAP_BRANJE).
    unsigned int Prejmi(void *medpomnilnik, unsigned int dolzina, unsigned int zastavice);
    /// Shuts down receiving, sending or both; default NAP_ZAPRIPOVEZAVO.
    int Zakljuci(T_VTICNACINZAPIRANJA nacin);
    /// Reads an option into vrednost; *dolzina in: its room, out: the length. Default NAP_BERIOPCIJO.
    int VrniParameter(T_VTICPARAMETER parameter, void *vrednost, unsigned int *dolzina,
                      T_VTICNIVOPARAM nivo = NIVO_VTICNICA);
    /// Sets an option; default NAP_NASTAVIOPCIJO.
    int NastaviParameter(T_VTICPARAMETER parameter, void const *vrednost, unsigned int dolzina,
                         T_VTICNIVOPARAM nivo = NIVO_VTICNICA);
    /// The peer's address; default NAP_NASPROTNIK.
    int VrniNaslovVrstnika(sockaddr *naslov, unsigned int *dolzina);
    /// The socket's own address; default NAP_RAZRESITEV.
    int VrniNaslovVticnice(sockaddr *naslov, unsigned int *dolzina);

    /// Receives until stevilo bytes have come; fewer when the peer closes (NAP_KONECPODATKOV, in the
    /// same call as the last bytes) or a receive fails (default NAP_BRANJE).
    unsigned int Preberi(void *medpomnilnik, unsigned int stevilo) override;
    /// Sends until all bytes are gone; fewer when a send fails (default NAP_PISANJE).
    unsigned int Zapisi(void const *medpomnilnik, unsigned int stevilo) override;
    /// Closes the socket: 0, 1 when none is held, or the mapped error (default NAP_ZAPIRANJE) with the
    /// socket kept.
    int Zapri() override;
    /// Nothing is buffered; returns 0.
    int Izplakni() override;
    /// Takes a socket; the one held before is not closed. Returns 0.
    int Uporabi(unsigned int vticnica);
    /// Gives the socket up without closing it.
    unsigned int Odpusti();
    /// True when a socket is held.
    bool JeVeljaven() const { return m_vticnica != 0xFFFFFFFF; }
    /// The socket (0xFFFFFFFF when none).
    unsigned int Vrni() const { return m_vticnica; }
    /// The socket, as Vrni.
    operator unsigned int() const { return m_vticnica; }

    /// Looks a host name (code-page text; a dotted address also serves) up with the socket layer and
    /// stores its first IPv4 address in network order. 0, or the mapped error (default NAP_RAZRESITEV).
    static int PoisciNaslov(char const *gostitelj, unsigned long *naslov);
    /// Fills a 16-byte IPv4 address record: family 2, the port in network order and the dotted address
    /// (null: the any-address 0). 0, or NAP_RAZRESITEV when the text is not a dotted address (so also
    /// for 255.255.255.255, which the system cannot tell from a failure).
    static int VrniNaslov(char const *naslov, unsigned int vrata, sockaddr_in *rezultat);
    /// The address as dotted text and the port in host order (vrata may be null); no look-up.
    /// Returns 0.
    static int VrniIme(sockaddr_in const *naslov, RNizA &besedilo, unsigned int *vrata);

  private:
    friend struct PreverjanjeRazporeditve;
    unsigned int m_vticnica;
};

#endif
