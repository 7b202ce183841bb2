// Digests over 256 MiB in memory against zlib's crc32, libgcrypt's MD5, SHA-1 and SHA-256 (linked
// statically into this program only) and CryptoAPI's MD5 and SHA-1; and the digesting converter over a
// buffered 256 MiB disk file against the same buffered read without it.
#include "harness.h"
#include <stdio.h>
#include <string>
#include <type_traits>
#include <windows.h>

#include <wincrypt.h> // after windows.h, which it needs
#include <zrno/digests.h>
#include <zrno/streams.h>
#ifdef ZRNO_BENCH_ZLIB
#include <zlib.h>
#endif
#ifdef ZRNO_BENCH_GCRYPT
#include <gcrypt.h>
#endif

namespace {

constexpr unsigned int k_velikost = 256u << 20;
unsigned char *g_podatki;
std::string g_datoteka;

void Pocisti() { DeleteFileA(g_datoteka.c_str()); }

void Pripravi() {
    if (g_podatki)
        return;
    g_podatki = static_cast<unsigned char *>(VirtualAlloc(nullptr, k_velikost, MEM_COMMIT, PAGE_READWRITE));
    unsigned int x = 2463534242u;
    for (unsigned int i = 0; i < k_velikost; i += 4) {
        x ^= x << 13, x ^= x >> 17, x ^= x << 5;
        memcpy(g_podatki + i, &x, 4);
    }
#ifdef ZRNO_BENCH_GCRYPT
    gcry_check_version(nullptr);
    gcry_control(GCRYCTL_INITIALIZATION_FINISHED, 0);
#endif
}

void PripraviDatoteko() {
    Pripravi();
    if (!g_datoteka.empty())
        return;
    char tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, tmp);
    g_datoteka = std::string(tmp) + "zrno_bench_digests_" + std::to_string(GetCurrentProcessId()) + ".bin";
    atexit(Pocisti);
    HANDLE h = CreateFileA(g_datoteka.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD n;
    WriteFile(h, g_podatki, k_velikost, &n, nullptr);
    CloseHandle(h);
}

template <class D> void Nas() {
    D d;
    d.Izracunaj(g_podatki, k_velikost);
    d.Zakljuci();
    zrno_bench::Porabi(&d);
}

void CryptoApi(ALG_ID alg) {
    HCRYPTPROV p;
    HCRYPTHASH h;
    CryptAcquireContextA(&p, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT);
    CryptCreateHash(p, alg, 0, 0, &h);
    CryptHashData(h, g_podatki, k_velikost, 0);
    BYTE b[20];
    DWORD n = sizeof b;
    CryptGetHashParam(h, HP_HASHVAL, b, &n, 0);
    zrno_bench::Porabi(b);
    CryptDestroyHash(h);
    CryptReleaseContext(p, 0);
}
void CryptoApiMd5() { CryptoApi(CALG_MD5); }
void CryptoApiSha1() { CryptoApi(CALG_SHA1); }

#ifdef ZRNO_BENCH_ZLIB
void Zlib() {
    static unsigned long c;
    c = crc32(0, g_podatki, k_velikost);
    zrno_bench::Porabi(&c);
}
#endif

#ifdef ZRNO_BENCH_GCRYPT
template <int Alg> void Gcrypt() {
    static unsigned char b[32];
    gcry_md_hash_buffer(Alg, b, g_podatki, k_velikost);
    zrno_bench::Porabi(b);
}
#endif

// The file in 64 KiB requests through a buffered handle stream, with or without a digesting converter
// on top (D is void for the plain read).
template <class D> void BeriDatoteko() {
    constexpr bool Filter = !std::is_void<D>::value;
    static unsigned char b[65536];
    RFizDatoteka f(g_datoteka.c_str(), DAT_BRANJE | DAT_ZAPOREDNO);
    RIzravnalnik izr(&f, 32768, 0);
    std::conditional_t<Filter, D, RCRC32> odtis;
    ROdtisnikToka filter(odtis);
    RTokPodatkov *tok = &izr;
    if (Filter) {
        filter.Uporabi(&izr);
        tok = &filter;
    }
    do
        tok->Preberi(b, sizeof b);
    while (!tok->JeKonec());
    filter.Odpusti();
    zrno_bench::Porabi(&odtis);
}

// The digest's own share: the plain read, and the CRC of each piece right after it arrives.
void BeriInRacunaj() {
    static unsigned char b[65536];
    RFizDatoteka f(g_datoteka.c_str(), DAT_BRANJE | DAT_ZAPOREDNO);
    RIzravnalnik izr(&f, 32768, 0);
    RCRC32 odtis;
    unsigned int n;
    while ((n = izr.Preberi(b, sizeof b)) != 0)
        odtis.Izracunaj(b, n);
    zrno_bench::Porabi(&odtis);
}

} // namespace

#ifdef ZRNO_BENCH_ZLIB
ZRNO_BENCH_PRIPRAVA(crc32, "RCRC32 256 MiB in memory", "zlib crc32", Nas<RCRC32>, Zlib, Pripravi)
#endif
#ifdef ZRNO_BENCH_GCRYPT
ZRNO_BENCH_PRIPRAVA(md5, "RMD5 256 MiB in memory", "libgcrypt MD5", Nas<RMD5>, Gcrypt<GCRY_MD_MD5>, Pripravi)
ZRNO_BENCH_PRIPRAVA(sha1, "RSHA1 256 MiB in memory", "libgcrypt SHA-1", Nas<RSHA1>, Gcrypt<GCRY_MD_SHA1>,
                    Pripravi)
ZRNO_BENCH_PRIPRAVA(sha256, "RSHA256 256 MiB in memory", "libgcrypt SHA-256", Nas<RSHA256>,
                    Gcrypt<GCRY_MD_SHA256>, Pripravi)
#endif
ZRNO_BENCH_PRIPRAVA(md5capi, "RMD5 256 MiB in memory", "CryptoAPI MD5", Nas<RMD5>, CryptoApiMd5, Pripravi)
ZRNO_BENCH_PRIPRAVA(sha1capi, "RSHA1 256 MiB in memory", "CryptoAPI SHA-1", Nas<RSHA1>, CryptoApiSha1,
                    Pripravi)
ZRNO_BENCH_PRIPRAVA(md5filter, "ROdtisnikToka(RMD5) buffered 256 MiB file", "same read, no filter",
                    BeriDatoteko<RMD5>, BeriDatoteko<void>, PripraviDatoteko)
ZRNO_BENCH_PRIPRAVA(crcfilter, "ROdtisnikToka(RCRC32) buffered 256 MiB file", "same read, no filter",
                    BeriDatoteko<RCRC32>, BeriDatoteko<void>, PripraviDatoteko)
ZRNO_BENCH_PRIPRAVA(crcfilter_sam, "ROdtisnikToka(RCRC32) buffered 256 MiB file", "read, then RCRC32",
                    BeriDatoteko<RCRC32>, BeriInRacunaj, PripraviDatoteko)
