// Test streams: a scripted source/sink that counts the calls made on it, delivers at most a given
// number of bytes per read, can fail after a given number of bytes, and can report its end either with
// an empty read (disk files, memory files) or together with the last bytes (cache, socket). Plus a
// temporary directory for disk-file tests.
#ifndef ZRNO_TESTS_STREAMS_TESTNITOK_H
#define ZRNO_TESTS_STREAMS_TESTNITOK_H

#include <string.h>
#include <string>
#include <vector>
#include <windows.h>
#include <zrno/streams.h>

class TestniTok : public RTokPodatkov {
  public:
    explicit TestniTok(std::string vsebina = std::string()) : m_vir(std::move(vsebina)) {}

    unsigned int Preberi(void *medpomnilnik, unsigned int stevilo) override {
        ++branja;
        zahteve.push_back(stevilo);
        if (stevilo == 0)
            return static_cast<unsigned int>(NastaviStanje(0));
        if (m_poz >= napakaPri) {
            NastaviStanje(napaka);
            return 0;
        }
        size_t n = m_vir.size() - m_poz;
        if (n > stevilo)
            n = stevilo;
        if (n > najvecNaBranje)
            n = najvecNaBranje;
        if (m_poz + n > napakaPri)
            n = napakaPri - m_poz;
        memcpy(medpomnilnik, m_vir.data() + m_poz, n);
        m_poz += n;
        if (n == 0)
            NastaviStanje(Zrno::NAP_KONECPODATKOV);
        else
            NastaviStanje(konecZZadnjimi && m_poz == m_vir.size() ? Zrno::NAP_KONECPODATKOV : 0);
        return static_cast<unsigned int>(n);
    }

    unsigned int Zapisi(void const *medpomnilnik, unsigned int stevilo) override {
        ++pisanja;
        velikostiPisanj.push_back(stevilo);
        unsigned int n = stevilo < sprejmeNaPisanje ? stevilo : sprejmeNaPisanje;
        if (n)
            zapisano.append(static_cast<char const *>(medpomnilnik), n);
        NastaviStanje(n < stevilo ? napakaPisanja : 0);
        return n;
    }

    int Zapri() override {
        ++zapiranja;
        dogodki += 'Z';
        return NastaviStanje(0);
    }

    int Izplakni() override {
        ++izplakovanja;
        dogodki += 'I';
        return NastaviStanje(0);
    }

    size_t Prebrano() const { return m_poz; }

    // Behaviour knobs.
    unsigned int najvecNaBranje = 0xFFFFFFFFu;
    size_t napakaPri = static_cast<size_t>(-1);
    int napaka = Zrno::NAP_BRANJE;
    bool konecZZadnjimi = false;
    unsigned int sprejmeNaPisanje = 0xFFFFFFFFu;
    int napakaPisanja = Zrno::NAP_PISANJE;

    // What happened.
    unsigned int branja = 0, pisanja = 0, zapiranja = 0, izplakovanja = 0;
    std::vector<unsigned int> zahteve, velikostiPisanj;
    std::string zapisano, dogodki;

  private:
    std::string m_vir;
    size_t m_poz = 0;
};

/// A fresh directory under the temp path, removed with everything in it at the end of the test.
class ZacasniImenik {
  public:
    ZacasniImenik() {
        char tmp[MAX_PATH];
        GetTempPathA(MAX_PATH, tmp);
        static unsigned int stevec = 0;
        m_pot = std::string(tmp) + "zrno_streams_" + std::to_string(GetCurrentProcessId()) + "_" +
                std::to_string(++stevec);
        CreateDirectoryA(m_pot.c_str(), nullptr);
    }
    ~ZacasniImenik() {
        WIN32_FIND_DATAA d;
        HANDLE h = FindFirstFileA((m_pot + "\\*").c_str(), &d);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                std::string ime = m_pot + "\\" + d.cFileName;
                SetFileAttributesA(ime.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(ime.c_str());
            } while (FindNextFileA(h, &d));
            FindClose(h);
        }
        RemoveDirectoryA(m_pot.c_str());
    }
    std::string Pot(const char *ime) const { return m_pot + "\\" + ime; }

  private:
    std::string m_pot;
};

/// Writes bytes to a file with plain Win32 calls.
inline void NapisiDatoteko(const std::string &ime, const std::string &vsebina) {
    HANDLE h =
        CreateFileA(ime.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD n = 0;
    if (!vsebina.empty())
        WriteFile(h, vsebina.data(), static_cast<DWORD>(vsebina.size()), &n, nullptr);
    CloseHandle(h);
}

/// Reads a whole file with plain Win32 calls.
inline std::string PreberiDatoteko(const std::string &ime) {
    HANDLE h = CreateFileA(ime.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    std::string s;
    char b[4096];
    DWORD n = 0;
    while (ReadFile(h, b, sizeof b, &n, nullptr) && n)
        s.append(b, n);
    CloseHandle(h);
    return s;
}

#endif
