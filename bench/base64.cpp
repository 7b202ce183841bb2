// Base64 of 256 MiB in memory against crypt32's CryptBinaryToStringA / CryptStringToBinaryA (one line,
// no breaks, both sides), and the converter through a buffering converter on 16 MiB, both ways, against
// crypt32 and against the in-memory codec on the same data.
#include "harness.h"
#include <windows.h>

#include <wincrypt.h> // after windows.h, which it needs
#include <zrno/streams.h>

namespace {

constexpr unsigned int k_velikost = 256u << 20;
constexpr unsigned int k_besedilo = k_velikost / 3 * 4 + 4;
constexpr unsigned int k_tok = 16u << 20;
constexpr unsigned int k_tokBesedilo = k_tok / 3 * 4 + k_tok / 57 + 16; // with a LF every 76 characters
unsigned char *g_podatki, *g_nazaj;
char *g_besedilo, *g_tokBesedilo;
unsigned int g_tokDolzina;

void *Rezerviraj(unsigned int n) { return VirtualAlloc(nullptr, n, MEM_COMMIT, PAGE_READWRITE); }

void Pripravi() {
    if (g_podatki)
        return;
    g_podatki = static_cast<unsigned char *>(Rezerviraj(k_velikost));
    g_nazaj = static_cast<unsigned char *>(Rezerviraj(k_velikost));
    g_besedilo = static_cast<char *>(Rezerviraj(k_besedilo + 16));
    unsigned int x = 2463534242u;
    for (unsigned int i = 0; i < k_velikost; i += 4) {
        x ^= x << 13, x ^= x >> 17, x ^= x << 5;
        memcpy(g_podatki + i, &x, 4);
    }
    RBase64 b;
    b.Kodiraj(g_podatki, k_velikost, g_besedilo, true);
    // The converter's own text, its lines included, for the decoding runs; the sink of the encoding
    // runs is this block too, touched once here so that no run pays for fresh pages.
    g_tokBesedilo = static_cast<char *>(Rezerviraj(k_tokBesedilo));
    RPomDatoteka f(g_tokBesedilo, k_tokBesedilo, false);
    RBase64Tok tok(19, &f);
    tok.Zapisi(g_podatki, k_tok);
    tok.Odpusti();
    g_tokDolzina = static_cast<unsigned int>(f.VrniOdmik());
}

void KodirajNase() {
    RBase64 b;
    zrno_bench::Porabi(reinterpret_cast<void *>(b.Kodiraj(g_podatki, k_velikost, g_besedilo, true)));
}

void KodirajCrypt32() {
    DWORD n = k_besedilo + 16;
    CryptBinaryToStringA(g_podatki, k_velikost, CRYPT_STRING_BASE64 | CRYPT_STRING_NOCRLF, g_besedilo, &n);
    zrno_bench::Porabi(g_besedilo);
}

void DekodirajNase() {
    RBase64 b;
    bool konec;
    zrno_bench::Porabi(reinterpret_cast<void *>(b.DeKodiraj(g_besedilo, g_nazaj, konec)));
}

void DekodirajCrypt32() {
    DWORD n = k_velikost;
    CryptStringToBinaryA(g_besedilo, 0, CRYPT_STRING_BASE64, g_nazaj, &n, nullptr, nullptr);
    zrno_bench::Porabi(g_nazaj);
}

// The converter writes one byte per target call by design: a buffering converter behind it gathers them.
void TokNas() {
    RPomDatoteka f(g_tokBesedilo, k_tokBesedilo, false);
    RIzravnalnik izr(&f, 0, 65536);
    RBase64Tok tok(19, &izr);
    tok.Zapisi(g_podatki, k_tok);
    tok.Zapri();
    zrno_bench::Porabi(f.VrniPodatke());
}

void TokCrypt32() {
    DWORD n = k_besedilo + 16;
    CryptBinaryToStringA(g_podatki, k_tok, CRYPT_STRING_BASE64, g_besedilo, &n);
    zrno_bench::Porabi(g_besedilo);
}

void TokKodiraj() {
    RBase64 b;
    zrno_bench::Porabi(reinterpret_cast<void *>(b.Kodiraj(g_podatki, k_tok, g_besedilo, true)));
}

// The converter's text read back through a buffering converter, in 64 KiB requests.
void TokBeriNas() {
    RPomDatoteka f(g_tokBesedilo, g_tokDolzina, false);
    RIzravnalnik izr(&f, 65536, 0);
    RBase64Tok tok(19, &izr);
    while (tok.Preberi(g_nazaj, 65536) == 65536) {
    }
    zrno_bench::Porabi(g_nazaj);
}

void TokBeriCrypt32() {
    DWORD n = k_tok;
    CryptStringToBinaryA(g_tokBesedilo, g_tokDolzina, CRYPT_STRING_BASE64, g_nazaj, &n, nullptr, nullptr);
    zrno_bench::Porabi(g_nazaj);
}

void TokDekodiraj() {
    RBase64 b;
    bool konec;
    g_tokBesedilo[g_tokDolzina] = 0;
    zrno_bench::Porabi(reinterpret_cast<void *>(b.DeKodiraj(g_tokBesedilo, g_nazaj, konec)));
}

} // namespace

ZRNO_BENCH_PRIPRAVA(b64kod, "RBase64 encode 256 MiB", "CryptBinaryToStringA", KodirajNase, KodirajCrypt32,
                    Pripravi)
ZRNO_BENCH_PRIPRAVA(b64dek, "RBase64 decode 256 MiB", "CryptStringToBinaryA", DekodirajNase, DekodirajCrypt32,
                    Pripravi)
ZRNO_BENCH_PRIPRAVA(b64tok, "RBase64Tok encode 16 MiB via RIzravnalnik", "CryptBinaryToStringA", TokNas,
                    TokCrypt32, Pripravi)
ZRNO_BENCH_PRIPRAVA(b64tokm, "RBase64Tok encode 16 MiB via RIzravnalnik", "RBase64::Kodiraj", TokNas,
                    TokKodiraj, Pripravi)
ZRNO_BENCH_PRIPRAVA(b64tokd, "RBase64Tok decode 16 MiB via RIzravnalnik", "CryptStringToBinaryA", TokBeriNas,
                    TokBeriCrypt32, Pripravi)
ZRNO_BENCH_PRIPRAVA(b64tokdm, "RBase64Tok decode 16 MiB via RIzravnalnik", "RBase64::DeKodiraj", TokBeriNas,
                    TokDekodiraj, Pripravi)
