// Shared by the digest tests: the system's own hashes as an independent oracle (CryptoAPI MD5 and
// SHA-1, ntdll's RtlComputeCrc32), hex forms of the three digest values, and random data.
#ifndef ZRNO_TESTS_DIGESTS_POMOC_H
#define ZRNO_TESTS_DIGESTS_POMOC_H

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <windows.h>
#include <wincrypt.h>
#include <zrno/digests.h>

inline std::string Hex(unsigned char const *b, size_t n) {
    static const char k[] = "0123456789abcdef";
    std::string s;
    for (size_t i = 0; i < n; ++i)
        s += k[b[i] >> 4], s += k[b[i] & 15];
    return s;
}

/// The digest's value in the usual printed form (the CRC as eight hex digits, most significant first).
inline std::string Hex(const RMD5 &d) { return Hex(d.Vrni().Bajti, 16); }
inline std::string Hex(const RSHA1 &d) { return Hex(d.Vrni().Bajti, 20); }
inline std::string Hex(const RCRC32 &d) {
    unsigned long v = d.Vrni();
    unsigned char b[4] = {(unsigned char)(v >> 24), (unsigned char)(v >> 16), (unsigned char)(v >> 8),
                          (unsigned char)v};
    return Hex(b, 4);
}

/// The digest of data in one call of a fresh object.
template <class D> std::string Odtis(std::string const &s) {
    D d;
    d.Izracunaj(s.data(), static_cast<unsigned int>(s.size()));
    d.Zakljuci();
    return Hex(d);
}

/// A CryptoAPI hash fed in pieces by the caller, finished by Vrednost.
class Prerok {
  public:
    explicit Prerok(ALG_ID alg) {
        EXPECT_TRUE(CryptAcquireContextA(&m_ponudnik, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT));
        EXPECT_TRUE(CryptCreateHash(m_ponudnik, alg, 0, 0, &m_zgoscevanje));
    }
    ~Prerok() {
        CryptDestroyHash(m_zgoscevanje);
        CryptReleaseContext(m_ponudnik, 0);
    }
    void Dodaj(void const *p, DWORD n) { EXPECT_TRUE(CryptHashData(m_zgoscevanje, static_cast<BYTE const *>(p), n, 0)); }
    std::string Vrednost() {
        BYTE b[20];
        DWORD n = sizeof b;
        EXPECT_TRUE(CryptGetHashParam(m_zgoscevanje, HP_HASHVAL, b, &n, 0));
        return Hex(b, n);
    }

  private:
    HCRYPTPROV m_ponudnik = 0;
    HCRYPTHASH m_zgoscevanje = 0;
};

/// ntdll's CRC-32 (RtlComputeCrc32 takes and returns the finished value).
inline std::string Crc32Sistema(std::string const &s) {
    using Funkcija = DWORD(WINAPI *)(DWORD, BYTE const *, INT);
    static const Funkcija f =
        reinterpret_cast<Funkcija>(reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "RtlComputeCrc32")));
    EXPECT_NE(nullptr, f);
    DWORD v = f(0, reinterpret_cast<BYTE const *>(s.data()), static_cast<INT>(s.size()));
    unsigned char b[4] = {(unsigned char)(v >> 24), (unsigned char)(v >> 16), (unsigned char)(v >> 8),
                          (unsigned char)v};
    return Hex(b, 4);
}

/// The system's digest of data: the oracle for each digest class.
template <class D> std::string Sistemski(std::string const &s);
template <> inline std::string Sistemski<RCRC32>(std::string const &s) { return Crc32Sistema(s); }
template <> inline std::string Sistemski<RMD5>(std::string const &s) {
    Prerok p(CALG_MD5);
    p.Dodaj(s.data(), static_cast<DWORD>(s.size()));
    return p.Vrednost();
}
template <> inline std::string Sistemski<RSHA1>(std::string const &s) {
    Prerok p(CALG_SHA1);
    p.Dodaj(s.data(), static_cast<DWORD>(s.size()));
    return p.Vrednost();
}

inline std::string Nakljucni(std::mt19937 &g, size_t n) {
    std::string s(n, 0);
    for (char &c : s)
        c = static_cast<char>(g());
    return s;
}

#endif
