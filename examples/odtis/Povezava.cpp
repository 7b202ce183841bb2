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
constexpr unsigned int k_cakanje = 250; // ms per receive, so that a stop is noticed

/// A socket that reads what has arrived instead of waiting for the whole request (the buffering
/// converter above it asks for a full buffer), and that gives up when the server stops: at once
/// between requests, after the deadline in the middle of one. A client silent for the idle time is
/// dropped wherever it is: in the middle of a body it would otherwise hold its thread for ever.
class Vticnica : public RVticnica {
  public:
    Vticnica(const Streznik &streznik, unsigned int vticnica)
        : RVticnica(vticnica), m_streznik(streznik),
          m_nedejavnost(streznik.VrniNastavitve().Nedejavnost * 1000 / k_cakanje) {
        NastaviParameter(PARAM_RCVTIMEO, &k_cakanje, sizeof k_cakanje);
        // A client that stops reading must not hold a thread for ever either.
        const unsigned int posiljanje = 10000;
        NastaviParameter(PARAM_SNDTIMEO, &posiljanje, sizeof posiljanje);
    }

    unsigned int Preberi(void *medpomnilnik, unsigned int stevilo) override {
        for (unsigned int prazni = 0;; ++prazni) {
            unsigned int n = Prejmi(medpomnilnik, stevilo, 0);
            // The library maps a receive time-out to its general read failure; the socket layer's
            // own code, still the thread's last error, tells it from a connection that failed.
            if (n || VrniStanje() >= 0 || WSAGetLastError() != WSAETIMEDOUT)
                return n;
            if (m_streznik.JeUstavljanje() && (!m_vZahtevi || m_streznik.JeRokPotekel()))
                return NastaviStanje(Zrno::NAP_PREKINI), 0;
            if (prazni == m_nedejavnost)
                return m_vZahtevi ? NastaviStanje(Zrno::NAP_CASOVNIROK), 0 : 0;
        }
    }

    bool m_vZahtevi = false;

  private:
    const Streznik &m_streznik;
    const unsigned long m_nedejavnost; ///< receive time-outs in a row
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

void Streznik::Postrezi(unsigned int stevilka) {
    Vticnica vticnica(*this, stevilka);
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
    while (podatki) {
        char vrstica[k_vrstica + 2];
        unsigned int znakov = 0;
        const Vrstica v = PreberiVrstico(kanal, vrstica, znakov);
        if (v == KONEC || v == IZGUBLJENA)
            break;
        unsigned __int64 dolzina;
        bool prevelika, jeSha256;
        if (v == NAPACNA || !Razcleni(vrstica, znakov, dolzina, prevelika, jeSha256)) {
            Zavrni(kanal, 400, SPR_ERR_VRSTICA);
            Zapisi(DNEVNIK_OPOZORILO, SPR_NAPACNA, odjemalec, vrata);
            break;
        }
        if (prevelika || dolzina > m_nastavitve.Omejitev) {
            // Refused by its announced length alone: nothing is read or kept for it.
            Zavrni(kanal, 413, SPR_ERR_OMEJITEV, static_cast<unsigned int>(m_nastavitve.Omejitev));
            Zapisi(DNEVNIK_OPOZORILO, SPR_PREVELIKA, odjemalec, vrata, strchr(vrstica, ' ') + 1,
                   static_cast<unsigned int>(m_nastavitve.Omejitev));
            break;
        }
        if (m_ustavljanje) {
            Zavrni(kanal, 503, SPR_ERR_USTAVLJANJE);
            Zapisi(DNEVNIK_OPOZORILO, SPR_ZAVRNJENA, odjemalec, vrata);
            break;
        }

        const DWORD zacetek = GetTickCount();
        vticnica.m_vZahtevi = true;
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
        vticnica.m_vZahtevi = false;
        if (prekinjena) {
            if (vticnica.VrniStanje() == Zrno::NAP_PREKINI)
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
    vticnica.Zapri();
}
