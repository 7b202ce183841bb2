// The system's own hashes (CryptoAPI, ntdll's RtlComputeCrc32) as an independent oracle.
#ifndef ZRNO_TESTS_DIGESTS_POMOC_H
#define ZRNO_TESTS_DIGESTS_POMOC_H

#include <windows.h>

#include <gtest/gtest.h>
#include <random>
#include <stdio.h>
#include <string>
#include <type_traits>
#include <wincrypt.h>
#include <zrno/digests.h>
#include <zrno/streams.h>

inline std::string Hex(unsigned char const *b, size_t n) {
    static const char k[] = "0123456789abcdef";
    std::string s;
    for (size_t i = 0; i < n; ++i)
        s += k[b[i] >> 4], s += k[b[i] & 15];
    return s;
}

/// The digest's value in the usual printed form (the CRC as eight hex digits, most significant first).
template <class D> std::string Hex(const D &d) { return Hex(d.Vrni().Bajti, sizeof d.Vrni().Bajti); }
inline std::string Hex(unsigned long crc) {
    char b[9];
    snprintf(b, sizeof b, "%08lx", crc);
    return b;
}
inline std::string Hex(const RCRC32 &d) { return Hex(d.Vrni()); }

template <class D> std::string Odtis(std::string const &s) {
    D d;
    d.Izracunaj(s.data(), static_cast<unsigned int>(s.size()));
    d.Zakljuci();
    return Hex(d);
}

/// ntdll's CRC-32 (RtlComputeCrc32 takes and returns the finished value).
inline unsigned long Crc32Sistema(std::string const &s, unsigned long zacetni = 0) {
    using Funkcija = DWORD(WINAPI *)(DWORD, BYTE const *, INT);
    static const Funkcija f = reinterpret_cast<Funkcija>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "RtlComputeCrc32")));
    return f(zacetni, reinterpret_cast<BYTE const *>(s.data()), static_cast<INT>(s.size()));
}

/// The system's digest of data (fed krat times after predpona): the oracle for each digest class.
template <class D>
std::string Sistemski(std::string const &s, int krat = 1, std::string const &predpona = "") {
    if constexpr (std::is_same<D, RCRC32>::value)
        return Hex(Crc32Sistema(predpona + s));
    const ALG_ID alg = std::is_same<D, RMD5>::value    ? CALG_MD5
                       : std::is_same<D, RSHA1>::value ? CALG_SHA1
                                                       : CALG_SHA_256;
    HCRYPTPROV ponudnik = 0;
    HCRYPTHASH h = 0;
    BYTE b[32];
    DWORD n = sizeof b;
    EXPECT_TRUE(CryptAcquireContextA(&ponudnik, nullptr, nullptr, PROV_RSA_AES, CRYPT_VERIFYCONTEXT) &&
                CryptCreateHash(ponudnik, alg, 0, 0, &h) &&
                CryptHashData(h, reinterpret_cast<BYTE const *>(predpona.data()), DWORD(predpona.size()), 0));
    for (int i = 0; i < krat; ++i)
        EXPECT_TRUE(CryptHashData(h, reinterpret_cast<BYTE const *>(s.data()), DWORD(s.size()), 0));
    EXPECT_TRUE(CryptGetHashParam(h, HP_HASHVAL, b, &n, 0));
    CryptDestroyHash(h), CryptReleaseContext(ponudnik, 0);
    return Hex(b, n);
}

inline std::string Nakljucni(std::mt19937 &g, size_t n) {
    std::string s(n, 0);
    for (char &c : s)
        c = static_cast<char>(g());
    return s;
}

#endif
