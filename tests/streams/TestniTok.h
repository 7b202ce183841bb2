// A scripted source/sink that records its calls, trickles, fails after n bytes, and reports its end with an
// empty read (disk and memory files) or with the last bytes (cache, socket). Plus temporary files.
#ifndef ZRNO_TESTS_STREAMS_TESTNITOK_H
#define ZRNO_TESTS_STREAMS_TESTNITOK_H

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <windows.h>
#include <zrno/streams.h>

using Velikosti = std::vector<unsigned int>;
using Par = std::pair<unsigned __int64, unsigned __int64>;

/// Position and length of a file, to check both at once.
inline Par Mesto(RDatoteka &f) { return Par(f.VrniOdmik(), f.VrniDolzino()); }

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
        if (n)
            zapisano.append(static_cast<char const *>(medpomnilnik), n);
        NastaviStanje(n < stevilo ? Zrno::NAP_PISANJE : 0);
        return n;
    }
    int Zapri() override { return dogodki += 'Z', NastaviStanje(0); }
    int Izplakni() override { return dogodki += 'I', NastaviStanje(0); }
    size_t Prebrano() const { return m_poz; }

    // Behaviour knobs.
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

/// Temporary files named after the process; they are removed (read-only ones too) at the end of the test.
class ZacasneDatoteke {
  public:
    ~ZacasneDatoteke() {
        for (const std::string &ime : m_imena) {
            SetFileAttributesA(ime.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(ime.c_str());
        }
    }
    std::string Pot(const char *ime) {
        char tmp[MAX_PATH];
        GetTempPathA(MAX_PATH, tmp);
        m_imena.push_back(tmp + ("zrno_streams_" + std::to_string(GetCurrentProcessId()) + "_" + ime));
        return m_imena.back();
    }
    /// Writes a file with the plain runtime and returns its path.
    std::string Nova(const char *ime, const std::string &vsebina) {
        std::string pot = Pot(ime);
        std::ofstream(pot, std::ios::binary) << vsebina;
        return pot;
    }

  private:
    std::vector<std::string> m_imena;
};

/// Reads a whole file with the plain runtime (which shares reading and writing with other handles).
inline std::string PreberiDatoteko(const std::string &ime) {
    std::ifstream f(ime, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

#endif
