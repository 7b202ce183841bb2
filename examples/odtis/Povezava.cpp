// One connection: requests "MD5 <length>\n" or "SHA256 <length>\n" followed by that many bytes, each
// answered with "OK <Base64 of the 16-byte MD5 or 32-byte SHA-256 and the 8-byte length>\n", until the
// client closes.
#include "Sporocila.h"
#include "Streznik.h"
#include <new>
#include <stdio.h>
#include <string.h>
#include <zrno/digests.h>

namespace {

constexpr unsigned int k_medpomnilnik = 64 * 1024;
constexpr unsigned int k_vrstica = 31;  // the longest request line, without the LF and a CR before it
constexpr unsigned int k_cakanje = 250; // ms: the longest single wait for the client
/// From the idle time after its request line on, a body must have come at least this fast on average
/// (bytes per second).
constexpr unsigned int k_najmanjsaHitrost = 64 * 1024;

/// A socket that reads what has arrived instead of waiting for the whole request (the buffering
/// converter above it asks for a full buffer), and whose every wait runs against a deadline that the
/// client cannot move: no single receive or send waits longer than k_cakanje, and between any two the
/// deadlines are checked, none of which a byte of the client's puts off. A request line must be
/// complete within the idle time of the previous answer (of the connection's start for the first); a
/// body must keep the average rate above; an answer must be taken within the idle time; a stop ends
/// the connection at once between requests and at its deadline within one; a new client that takes
/// the thread over ends it at once.
class Vticnica : public RVticnica {
  public:
    enum Razlog { NIC, CAS, USTAVLJANJE, IZRINJENA };

    Vticnica(const Streznik &streznik, unsigned int vticnica, volatile LONG &umakni)
        : RVticnica(vticnica), m_streznik(streznik), m_umakni(umakni),
          m_nedejavnost(streznik.VrniNastavitve().Nedejavnost * 1000) {
        NastaviParameter(PARAM_RCVTIMEO, &k_cakanje, sizeof k_cakanje);
        NastaviParameter(PARAM_SNDTIMEO, &k_cakanje, sizeof k_cakanje);
    }

    /// The next request line is awaited from now.
    void Vrstica() { m_telo = false, m_zacetek = GetTickCount(); }
    /// A request's body is read from now.
    void Telo() { m_telo = true, m_zacetek = GetTickCount(), m_prejeto = 0; }
    /// Why the connection was ended, NIC when the client ended it.
    Razlog VrniRazlog() const { return m_razlog; }

    /// After a refusal: closing over bytes not yet read resets the connection, and the reset can destroy
    /// answers the client has not read yet. So the sending side is shut first, and what still comes is
    /// read and dropped until the client closes, for a second at most (less when the thread is wanted).
    void Izprazni() {
        Zakljuci(ZAPIRANJE_PISANJE);
        char odvec[4096];
        for (const DWORD zacetek = GetTickCount();
             GetTickCount() - zacetek < 1000 && !m_umakni && !m_streznik.JeRokPotekel();)
            if (!Prejmi(odvec, sizeof odvec, 0) && (VrniStanje() >= 0 || WSAGetLastError() != WSAETIMEDOUT))
                break;
    }

    unsigned int Preberi(void *medpomnilnik, unsigned int stevilo) override {
        while (!Preveri()) {
            const unsigned int n = Prejmi(medpomnilnik, stevilo, 0);
            // The library maps a receive time-out to its general read failure; the socket layer's
            // own code, still the thread's last error, tells it from a connection that failed.
            if (n || VrniStanje() >= 0 || WSAGetLastError() != WSAETIMEDOUT)
                return m_prejeto += n, n;
        }
        return 0;
    }

    unsigned int Zapisi(void const *podatki, unsigned int stevilo) override {
        NastaviStanje(0);
        const DWORD zacetek = GetTickCount();
        for (unsigned int poslano = 0; poslano < stevilo;) {
            // Sent once there is room (the answers are short), so that no send blocks on a client
            // that does not read; its time is then bounded here.
            fd_set pisanje;
            FD_ZERO(&pisanje);
            FD_SET(static_cast<SOCKET>(Vrni()), &pisanje);
            timeval cakanje = {0, static_cast<long>(k_cakanje * 1000)};
            const int s = select(0, nullptr, &pisanje, nullptr, &cakanje);
            if (s < 0 || (s == 0 && (m_umakni || m_streznik.JeRokPotekel(k_cakanje * 2) ||
                                     GetTickCount() - zacetek >= m_nedejavnost)))
                return NastaviStanje(s < 0 ? Zrno::NAP_PISANJE : Zrno::NAP_CASOVNIROK), poslano;
            const unsigned int n =
                s ? Poslji(static_cast<char const *>(podatki) + poslano, stevilo - poslano, 0) : 0;
            if (s && !n)
                return poslano;
            poslano += n;
        }
        return stevilo;
    }

  private:
    /// True, with the reason kept and the state set, when a deadline has passed.
    bool Preveri() {
        const DWORD minilo = GetTickCount() - m_zacetek;
        const Razlog r =
            m_umakni                                                               ? IZRINJENA
            : m_streznik.JeUstavljanje() && (!m_telo || m_streznik.JeRokPotekel()) ? USTAVLJANJE
            : (m_telo ? minilo > m_nedejavnost &&
                            m_prejeto < (minilo - m_nedejavnost) *
                                            static_cast<unsigned __int64>(k_najmanjsaHitrost) / 1000
                      : minilo >= m_nedejavnost)
                ? CAS
                : NIC;
        if (r != NIC)
            m_razlog = r, NastaviStanje(r == CAS ? Zrno::NAP_CASOVNIROK : Zrno::NAP_PREKINI);
        return r != NIC;
    }

    const Streznik &m_streznik;
    volatile LONG &m_umakni;
    const DWORD m_nedejavnost; ///< the idle time in ms
    bool m_telo = false;
    DWORD m_zacetek = GetTickCount(); ///< when the line or the body began to be awaited
    unsigned __int64 m_prejeto = 0;   ///< bytes received since the body began
    Razlog m_razlog = NIC;
};

enum Vrstica { VRSTICA, KONEC, NAPACNA, IZGUBLJENA };

/// Reads the request line into vrstica (without the LF and a CR before it, then a zero) and its length
/// into n. A line over k_vrstica characters is refused as soon as that is known.
Vrstica PreberiVrstico(RTokPodatkov &kanal, char (&vrstica)[k_vrstica + 2], unsigned int &n) {
    for (unsigned int i = 0;; ++i) {
        char znak;
        if (kanal.Preberi(&znak, 1) != 1)
            return i == 0 && kanal.VrniStanje() == Zrno::NAP_KONECPODATKOV ? KONEC : IZGUBLJENA;
        if (znak == '\n') {
            n = i && vrstica[i - 1] == '\r' ? i - 1 : i;
            vrstica[n] = 0;
            return n <= k_vrstica ? VRSTICA : NAPACNA;
        }
        if (i == k_vrstica + 1) // the longest line and a CR came, and no LF
            return NAPACNA;
        vrstica[i] = znak;
    }
}

/// "MD5 " or "SHA256 " and decimal digits only, all n characters of the line (a zero byte among them
/// is not a digit); a number too long to hold counts as over any limit.
bool Razcleni(char const *vrstica, unsigned int n, unsigned __int64 &dolzina, bool &prevelika, bool &sha256) {
    sha256 = n >= 7 && strncmp(vrstica, "SHA256 ", 7) == 0;
    const unsigned int glava = sha256 ? 7 : 4;
    if (n <= glava || (!sha256 && strncmp(vrstica, "MD5 ", 4) != 0))
        return false;
    dolzina = 0;
    prevelika = false;
    for (char const *p = vrstica + glava; p < vrstica + n; ++p) {
        if (*p < '0' || *p > '9')
            return false;
        prevelika = prevelika || dolzina > 0xFFFFFFFFull;
        dolzina = dolzina * 10 + static_cast<unsigned int>(*p - '0');
    }
    return true;
}

void Hex(unsigned char const *odtis, unsigned int n, char (&besedilo)[65]) {
    for (unsigned int i = 0; i < n; ++i)
        sprintf(besedilo + 2 * i, "%02x", odtis[i]);
}

} // namespace

void Streznik::Postrezi(unsigned int stevilka, volatile LONG &umakni) {
    Vticnica vticnica(*this, stevilka, umakni);
    sockaddr_in naslov;
    unsigned int dolzinaNaslova = sizeof naslov;
    RNizA ip;
    unsigned int vrata = 0;
    if (vticnica.VrniNaslovVrstnika(reinterpret_cast<sockaddr *>(&naslov), &dolzinaNaslova) >= 0)
        RVticnica::VrniIme(&naslov, ip, &vrata);
    char const *odjemalec = ip;

    // Reads come in large pieces and the short answer leaves in one send.
    RIzravnalnik kanal(&vticnica, k_medpomnilnik, 64);
    char *podatki = new (std::nothrow) char[k_medpomnilnik];
    RMD5 md5;
    RSHA256 sha256;
    ROdtisnikToka odtisMd5(md5), odtisSha256(sha256);
    bool zavrnjena = false;
    // A client whose thread a new one took over is told why.
    auto izrinjena = [&] {
        Zavrni(kanal, 503, SPR_ERR_ZASEDENO);
        Zapisi(DNEVNIK_OPOZORILO, SPR_ZASEDENO, odjemalec, vrata,
               static_cast<unsigned int>(m_nastavitve.Niti));
    };
    while (podatki) {
        char vrstica[k_vrstica + 2];
        unsigned int znakov = 0;
        vticnica.Vrstica();
        const Vrstica v = PreberiVrstico(kanal, vrstica, znakov);
        if (v == IZGUBLJENA && vticnica.VrniRazlog() == Vticnica::IZRINJENA)
            izrinjena();
        if (v == KONEC || v == IZGUBLJENA)
            break;
        unsigned __int64 dolzina;
        bool prevelika, jeSha256;
        if (v == NAPACNA || !Razcleni(vrstica, znakov, dolzina, prevelika, jeSha256)) {
            Zavrni(kanal, 400, SPR_ERR_VRSTICA);
            Zapisi(DNEVNIK_OPOZORILO, SPR_NAPACNA, odjemalec, vrata);
            zavrnjena = true;
            break;
        }
        if (prevelika || dolzina > m_nastavitve.Omejitev) {
            // Refused by its announced length alone: nothing is read or kept for it.
            Zavrni(kanal, 413, SPR_ERR_OMEJITEV, static_cast<unsigned int>(m_nastavitve.Omejitev));
            Zapisi(DNEVNIK_OPOZORILO, SPR_PREVELIKA, odjemalec, vrata, strchr(vrstica, ' ') + 1,
                   static_cast<unsigned int>(m_nastavitve.Omejitev));
            zavrnjena = true;
            break;
        }
        if (m_ustavljanje) {
            Zavrni(kanal, 503, SPR_ERR_USTAVLJANJE);
            Zapisi(DNEVNIK_OPOZORILO, SPR_ZAVRNJENA, odjemalec, vrata);
            zavrnjena = true;
            break;
        }
        if (umakni) { // a line that was already buffered
            izrinjena();
            break;
        }

        const DWORD zacetek = GetTickCount();
        vticnica.Telo();
        ROdtisnikToka &odtis = jeSha256 ? odtisSha256 : odtisMd5;
        odtis.Uporabi(&kanal); // starts a new digest
        unsigned int ostanek = static_cast<unsigned int>(dolzina);
        while (ostanek) {
            const unsigned int n =
                odtis.Preberi(podatki, ostanek < k_medpomnilnik ? ostanek : k_medpomnilnik);
            if (!n && odtis.JeKonec())
                break;
            ostanek -= n;
        }
        const bool prekinjena = odtis.JeKonec() && ostanek;
        odtis.Odpusti(); // finishes the digest
        if (prekinjena && vticnica.VrniRazlog() == Vticnica::IZRINJENA) {
            izrinjena();
            break;
        }
        if (prekinjena) {
            if (vticnica.VrniRazlog() == Vticnica::USTAVLJANJE)
                Zavrni(kanal, 503, SPR_ERR_USTAVLJANJE);
            Zapisi(DNEVNIK_OPOZORILO, SPR_PREKINJENA, odjemalec, vrata,
                   static_cast<unsigned int>(dolzina) - ostanek, static_cast<unsigned int>(dolzina));
            break;
        }

        // The answer record: the digest, then the length as 64 bits, low byte first.
        unsigned char zapis[40];
        const unsigned int velikost = jeSha256 ? 32 : 16;
        memcpy(zapis, jeSha256 ? sha256.Vrni().Bajti : md5.Vrni().Bajti, velikost);
        for (unsigned int i = 0; i < 8; ++i)
            zapis[velikost + i] = static_cast<unsigned char>(dolzina >> (8 * i));
        kanal.Zapisi("OK ", 3);
        {
            RBase64Tok base64(19, &kanal);
            base64.Zapisi(zapis, velikost + 8);
            base64.Odpusti(); // the last group, had the record not filled it
        }
        kanal.Zapisi("\n", 1);
        kanal.Zapisi(nullptr, 0);
        if (kanal.JeKonec())
            break;
        InterlockedIncrement(&m_zahtev);
        char hex[65];
        Hex(zapis, velikost, hex);
        Zapisi(DNEVNIK_OBVESTILO, jeSha256 ? SPR_ZAHTEVA256 : SPR_ZAHTEVA, odjemalec, vrata,
               static_cast<unsigned int>(dolzina), hex, static_cast<unsigned int>(GetTickCount() - zacetek));
    }
    delete[] podatki;
    kanal.Odpusti();
    if (zavrnjena)
        vticnica.Izprazni();
    vticnica.Zapri();
}
