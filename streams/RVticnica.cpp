// The socket stream over Windows Sockets 1.1. The socket is kept in 32 bits; the system's SOCKET is
// pointer-sized on 64-bit Windows, so the invalid value is translated both ways rather than truncated.
#include "frame/win.h"
#include <string.h>
#include <zrno/streams/RVticnica.h>
#include <zrno/strings.h>

namespace {

constexpr unsigned int k_brez = 0xFFFFFFFF;

SOCKET Sistemska(unsigned int vticnica) { return vticnica == k_brez ? INVALID_SOCKET : vticnica; }

unsigned int Nasa(SOCKET vticnica) {
    return vticnica == INVALID_SOCKET ? k_brez : static_cast<unsigned int>(vticnica);
}

int Napaka(int privzeta) { return PretvoriNapako(static_cast<unsigned int>(WSAGetLastError()), privzeta); }

// The name forms build the 16-byte IPv4 record the address forms take.
int Naslov(char const *gostitelj, unsigned int vrata, sockaddr_in &naslov) {
    unsigned long ip = 0;
    const int r = RVticnica::PoisciNaslov(gostitelj, &ip);
    memset(&naslov, 0, sizeof naslov);
    naslov.sin_family = AF_INET;
    naslov.sin_port = htons(static_cast<u_short>(vrata));
    naslov.sin_addr.s_addr = ip;
    return r;
}

} // namespace

RVticnica::~RVticnica() {}

int RVticnica::Odpri(T_VTICDOMENA domena, T_VTICVRSTA vrsta, int protokol) {
    const SOCKET s = socket(domena, vrsta, protokol);
    if (s == INVALID_SOCKET)
        return m_stanje = Napaka(Zrno::NAP_ODPIRANJE);
    m_vticnica = Nasa(s);
    return m_stanje = 0;
}

int RVticnica::Privezi(sockaddr const *naslov, unsigned int dolzina) {
    if (bind(Sistemska(m_vticnica), naslov, static_cast<int>(dolzina)) == SOCKET_ERROR)
        return m_stanje = Napaka(Zrno::NAP_VEZAVA);
    return m_stanje = 0;
}

int RVticnica::Privezi(char const *gostitelj, unsigned int vrata) {
    sockaddr_in naslov;
    if (NastaviStanje(Naslov(gostitelj, vrata, naslov)) < 0)
        return m_stanje;
    return Privezi(reinterpret_cast<sockaddr const *>(&naslov), sizeof naslov);
}

int RVticnica::Povezi(sockaddr const *naslov, unsigned int dolzina) {
    if (connect(Sistemska(m_vticnica), naslov, static_cast<int>(dolzina)) == SOCKET_ERROR)
        return m_stanje = Napaka(Zrno::NAP_POVEZAVA);
    return m_stanje = 0;
}

int RVticnica::Povezi(char const *gostitelj, unsigned int vrata) {
    sockaddr_in naslov;
    if (NastaviStanje(Naslov(gostitelj, vrata, naslov)) < 0)
        return m_stanje;
    return Povezi(reinterpret_cast<sockaddr const *>(&naslov), sizeof naslov);
}

int RVticnica::Poslusaj(unsigned int zaostanek) {
    const int n = zaostanek == 0xFFFFFFFF ? 0x7FFFFFFF : static_cast<int>(zaostanek);
    if (listen(Sistemska(m_vticnica), n) == SOCKET_ERROR)
        return m_stanje = Napaka(Zrno::NAP_POSLUSANJE);
    return m_stanje = 0;
}

int RVticnica::Sprejmi(RVticnica &odjemalec, sockaddr *naslov, unsigned int *dolzina) {
    const SOCKET s = accept(Sistemska(m_vticnica), naslov, reinterpret_cast<int *>(dolzina));
    if (s == INVALID_SOCKET)
        return m_stanje = Napaka(Zrno::NAP_SPREJEM);
    odjemalec.Uporabi(Nasa(s));
    return m_stanje = 0;
}

unsigned int RVticnica::Poslji(void const *podatki, unsigned int dolzina, unsigned int zastavice) {
    const int n = send(Sistemska(m_vticnica), static_cast<char const *>(podatki), static_cast<int>(dolzina),
                       static_cast<int>(zastavice));
    if (n == SOCKET_ERROR)
        return m_stanje = Napaka(Zrno::NAP_PISANJE), 0u;
    m_stanje = 0;
    return static_cast<unsigned int>(n);
}

unsigned int RVticnica::Prejmi(void *medpomnilnik, unsigned int dolzina, unsigned int zastavice) {
    const int n = recv(Sistemska(m_vticnica), static_cast<char *>(medpomnilnik), static_cast<int>(dolzina),
                       static_cast<int>(zastavice));
    if (n == SOCKET_ERROR)
        return m_stanje = Napaka(Zrno::NAP_BRANJE), 0u;
    m_stanje = n ? 0 : Zrno::NAP_KONECPODATKOV;
    return static_cast<unsigned int>(n);
}

int RVticnica::Zakljuci(T_VTICNACINZAPIRANJA nacin) {
    if (shutdown(Sistemska(m_vticnica), nacin) == SOCKET_ERROR)
        return m_stanje = Napaka(Zrno::NAP_ZAPRIPOVEZAVO);
    return m_stanje = 0;
}

int RVticnica::VrniParameter(T_VTICPARAMETER parameter, void *vrednost, unsigned int *dolzina,
                             T_VTICNIVOPARAM nivo) {
    if (getsockopt(Sistemska(m_vticnica), nivo, static_cast<int>(parameter), static_cast<char *>(vrednost),
                   reinterpret_cast<int *>(dolzina)) == SOCKET_ERROR)
        return m_stanje = Napaka(Zrno::NAP_BERIOPCIJO);
    return m_stanje = 0;
}

int RVticnica::NastaviParameter(T_VTICPARAMETER parameter, void const *vrednost, unsigned int dolzina,
                                T_VTICNIVOPARAM nivo) {
    if (setsockopt(Sistemska(m_vticnica), nivo, static_cast<int>(parameter),
                   static_cast<char const *>(vrednost), static_cast<int>(dolzina)) == SOCKET_ERROR)
        return m_stanje = Napaka(Zrno::NAP_NASTAVIOPCIJO);
    return m_stanje = 0;
}

int RVticnica::VrniNaslovVrstnika(sockaddr *naslov, unsigned int *dolzina) {
    if (getpeername(Sistemska(m_vticnica), naslov, reinterpret_cast<int *>(dolzina)) == SOCKET_ERROR)
        return m_stanje = Napaka(Zrno::NAP_NASPROTNIK);
    return m_stanje = 0;
}

int RVticnica::VrniNaslovVticnice(sockaddr *naslov, unsigned int *dolzina) {
    if (getsockname(Sistemska(m_vticnica), naslov, reinterpret_cast<int *>(dolzina)) == SOCKET_ERROR)
        return m_stanje = Napaka(Zrno::NAP_RAZRESITEV);
    return m_stanje = 0;
}

unsigned int RVticnica::Preberi(void *medpomnilnik, unsigned int stevilo) {
    m_stanje = 0;
    const SOCKET s = Sistemska(m_vticnica);
    char *cilj = static_cast<char *>(medpomnilnik);
    unsigned int opravljeno = 0;
    while (opravljeno < stevilo) {
        // recv takes an int count: a request beyond 2 GiB goes in pieces.
        const unsigned int kos = stevilo - opravljeno < 0x40000000u ? stevilo - opravljeno : 0x40000000u;
        const int n = recv(s, cilj + opravljeno, static_cast<int>(kos), 0);
        if (n == SOCKET_ERROR)
            return m_stanje = Napaka(Zrno::NAP_BRANJE), opravljeno;
        if (n == 0)
            return m_stanje = Zrno::NAP_KONECPODATKOV, opravljeno;
        opravljeno += static_cast<unsigned int>(n);
    }
    return opravljeno;
}

unsigned int RVticnica::Zapisi(void const *medpomnilnik, unsigned int stevilo) {
    m_stanje = 0;
    const SOCKET s = Sistemska(m_vticnica);
    char const *vir = static_cast<char const *>(medpomnilnik);
    unsigned int opravljeno = 0;
    while (opravljeno < stevilo) {
        const unsigned int kos = stevilo - opravljeno < 0x40000000u ? stevilo - opravljeno : 0x40000000u;
        const int n = send(s, vir + opravljeno, static_cast<int>(kos), 0);
        if (n == SOCKET_ERROR)
            return m_stanje = Napaka(Zrno::NAP_PISANJE), opravljeno;
        opravljeno += static_cast<unsigned int>(n);
    }
    return opravljeno;
}

int RVticnica::Zapri() {
    if (!JeVeljaven())
        return m_stanje = Zrno::OK_NICNAREDITI;
    if (closesocket(Sistemska(m_vticnica)) == SOCKET_ERROR)
        return m_stanje = Napaka(Zrno::NAP_ZAPIRANJE);
    m_vticnica = k_brez;
    return m_stanje = 0;
}

int RVticnica::Izplakni() { return m_stanje = 0; }

int RVticnica::Uporabi(unsigned int vticnica) {
    m_vticnica = vticnica;
    return m_stanje = 0;
}

unsigned int RVticnica::Odpusti() {
    const unsigned int vticnica = m_vticnica;
    m_vticnica = k_brez;
    m_stanje = 0;
    return vticnica;
}

int RVticnica::PoisciNaslov(char const *gostitelj, unsigned long *naslov) {
    const hostent *h = gethostbyname(gostitelj);
    if (!h)
        return Napaka(Zrno::NAP_RAZRESITEV);
    if (h->h_addrtype != AF_INET || !h->h_addr_list[0])
        return Zrno::NAP_RAZRESITEV;
    memcpy(naslov, h->h_addr_list[0], 4);
    return 0;
}

int RVticnica::VrniNaslov(char const *naslov, unsigned int vrata, sockaddr_in *rezultat) {
    memset(rezultat, 0, sizeof *rezultat);
    rezultat->sin_family = AF_INET;
    rezultat->sin_port = htons(static_cast<u_short>(vrata));
    if (!naslov)
        return 0; // INADDR_ANY
    const unsigned long ip = inet_addr(naslov);
    if (ip == INADDR_NONE)
        return Zrno::NAP_RAZRESITEV;
    rezultat->sin_addr.s_addr = ip;
    return 0;
}

int RVticnica::VrniIme(sockaddr_in const *naslov, RNizA &besedilo, unsigned int *vrata) {
    besedilo.Nastavi(inet_ntoa(naslov->sin_addr));
    if (vrata)
        *vrata = ntohs(naslov->sin_port);
    return 0;
}
