// A scripted source/sink that records its calls, trickles, fails after n bytes, and reports its end with an
// empty read (disk and memory files) or with the last bytes (cache, socket); and the checks that go
// with it; Base64 text both ways through buffers held to their documented sizes. The temporary files of
// stream tests come along (ZacasniImenik.h).
#ifndef ZRNO_TESTS_COMMON_TESTNITOK_H
#define ZRNO_TESTS_COMMON_TESTNITOK_H

#include "ZacasniImenik.h"
#include <algorithm>
#include <stdint.h>
#include <vector>
#include <zrno/streams.h>

using Velikosti = std::vector<unsigned int>;
using Par = std::pair<unsigned __int64, unsigned __int64>;

inline Par Mesto(RDatoteka &f) { return Par(f.VrniOdmik(), f.VrniDolzino()); }
inline std::string Vsebina(const RPomDatoteka &f) {
    return std::string(static_cast<const char *>(f.VrniPodatke()), size_t(f.VrniDolzino()));
}

/// Expects tok.klic to return rezultat and to leave the state stanje.
#define EXPECT_IZID(tok, klic, rezultat, stanje)                                                             \
    do {                                                                                                     \
        EXPECT_EQ(rezultat, (tok).klic);                                                                     \
        EXPECT_EQ(stanje, (tok).VrniStanje());                                                               \
    } while (0)

class TestniTok : public RTokPodatkov {
  public:
    explicit TestniTok(std::string vsebina = std::string()) : m_vir(std::move(vsebina)) {}

    unsigned int Preberi(void *medpomnilnik, unsigned int stevilo) override {
        zahteve.push_back(stevilo);
        if (stevilo == 0 || m_poz >= napakaPri)
            return NastaviStanje(stevilo ? napaka : 0), 0u;
        size_t n =
            std::min({m_vir.size() - m_poz, size_t(stevilo), size_t(najvecNaBranje), napakaPri - m_poz});
        memcpy(medpomnilnik, m_vir.data() + m_poz, n);
        m_poz += n;
        NastaviStanje(n == 0 || (konecZZadnjimi && m_poz == m_vir.size()) ? Zrno::NAP_KONECPODATKOV : 0);
        return static_cast<unsigned int>(n);
    }
    unsigned int Zapisi(void const *medpomnilnik, unsigned int stevilo) override {
        velikostiPisanj.push_back(stevilo);
        unsigned int n = std::min(stevilo, sprejmeNaPisanje);
        zapisano.append(static_cast<char const *>(medpomnilnik), n);
        return NastaviStanje(n < stevilo ? Zrno::NAP_PISANJE : 0), n;
    }
    int Zapri() override { return dogodki += 'Z', NastaviStanje(0); }
    int Izplakni() override { return dogodki += 'I', NastaviStanje(0); }
    size_t Prebrano() const { return m_poz; }

    unsigned int najvecNaBranje = ~0u, sprejmeNaPisanje = ~0u;
    size_t napakaPri = SIZE_MAX;
    int napaka = Zrno::NAP_BRANJE;
    bool konecZZadnjimi = false;
    // What happened: the sizes asked of every read and write, the bytes written, 'I' flush, 'Z' close.
    std::vector<unsigned int> zahteve, velikostiPisanj;
    std::string zapisano, dogodki;

  private:
    std::string m_vir;
    size_t m_poz = 0;
};

/// Bytes 0 to 250 over and over (0, CR and LF among them): a prime period shows an offset gone wrong.
inline std::string Zaporedje(size_t n) {
    std::string s(n, 0);
    for (size_t i = 0; i < n; ++i)
        s[i] = static_cast<char>(i % 251);
    return s;
}

/// Encodes with the codec into a buffer of the documented size, whose terminator must be there.
inline std::string Kodiraj(RBase64 &b, std::string const &s, bool koncno) {
    std::string o(b.VrniKodDolzino(static_cast<unsigned int>(s.size())) + 1, '?');
    unsigned int n = b.Kodiraj(s.data(), static_cast<unsigned int>(s.size()), &o[0], koncno);
    EXPECT_EQ(0, o[n]);
    return o.substr(0, n);
}

/// Decodes into a buffer of exactly the documented size followed by guard bytes that must survive.
inline std::string Dekodiraj(RBase64 &b, std::string const &t, bool &konec) {
    const unsigned int prostor = b.VrniDeKodDolzino(static_cast<unsigned int>(t.size()));
    std::string o(prostor + 64, '\xA5');
    unsigned int n = b.DeKodiraj(t.c_str(), &o[0], konec);
    EXPECT_LE(n, prostor);
    EXPECT_EQ(std::string(64, '\xA5'), o.substr(prostor)) << "written past the buffer";
    return o.substr(0, n);
}

inline std::string Dekodiraj(std::string const &t) {
    RBase64 b;
    bool konec;
    return Dekodiraj(b, t, konec);
}

#endif
