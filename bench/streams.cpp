// Streams: copying a 64 MiB file through the buffered handle stream in 1-byte,
// 100-byte and 64 KiB requests against raw ReadFile/WriteFile with 64 KiB
// requests (1-byte requests also against getc/putc), and reading a million short lines with PreberiVrstico
// against msvcrt's fgets. The files live in a temp directory removed at exit.
#include "harness.h"
#include <stdio.h>
#include <stdlib.h>
#include <string>
#include <windows.h>
#include <zrno/streams.h>
#include <zrno/strings.h>

namespace {

constexpr unsigned int k_velikost = 64u << 20;
constexpr unsigned int k_vrstic = 1000000;
// Small requests are served from 64 KiB buffers (one system call per 64 KiB, as
// the peer makes). A request must be larger than the buffer to bypass it, so 64
// KiB requests use 32 KiB buffers and go straight to the handle without a
// second copy.
template <unsigned int Zahteva> constexpr unsigned int Medpomnilnik() {
    return Zahteva < 32768 ? 65536 : 32768;
}
constexpr unsigned int k_medpomnilnik = 65536;

std::string g_imenik, g_vir, g_cilj, g_vrstice;

void Pocisti() {
    DeleteFileA(g_vir.c_str());
    DeleteFileA(g_cilj.c_str());
    DeleteFileA(g_vrstice.c_str());
    RemoveDirectoryA(g_imenik.c_str());
}

void Pripravi() {
    if (!g_imenik.empty())
        return;
    char tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, tmp);
    g_imenik = std::string(tmp) + "zrno_bench_streams_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(g_imenik.c_str(), nullptr);
    g_vir = g_imenik + "\\src.bin";
    g_cilj = g_imenik + "\\dst.bin";
    g_vrstice = g_imenik + "\\lines.txt";
    atexit(Pocisti);

    std::string blok(1 << 20, '\0');
    for (size_t i = 0; i < blok.size(); ++i)
        blok[i] = static_cast<char>(i * 131 + (i >> 9));
    HANDLE h = CreateFileA(g_vir.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD n;
    for (unsigned int i = 0; i < k_velikost / blok.size(); ++i)
        WriteFile(h, blok.data(), static_cast<DWORD>(blok.size()), &n, nullptr);
    CloseHandle(h);

    std::string vrstice;
    for (unsigned int i = 0; i < k_vrstic; ++i)
        vrstice += "line " + std::to_string(i) + (i % 3 ? "\r\n" : "\n");
    h = CreateFileA(g_vrstice.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    WriteFile(h, vrstice.data(), static_cast<DWORD>(vrstice.size()), &n, nullptr);
    CloseHandle(h);
}

HANDLE Odpri(const std::string &ime, bool pisanje) {
    return CreateFileA(ime.c_str(), pisanje ? GENERIC_WRITE : GENERIC_READ, FILE_SHARE_READ, nullptr,
                       pisanje ? CREATE_ALWAYS : OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
}

template <unsigned int Zahteva> void KopirajNase() {
    HANDLE v = Odpri(g_vir, false), c = Odpri(g_cilj, true);
    {
        RIzrSisTokPodatkov vir(v, Medpomnilnik<Zahteva>(), 0), cilj(c, 0, Medpomnilnik<Zahteva>());
        static char b[Zahteva];
        unsigned int n;
        while ((n = vir.Preberi(b, Zahteva)) != 0)
            cilj.Zapisi(b, n);
        cilj.Zapisi(nullptr, 0);
    }
    CloseHandle(v);
    CloseHandle(c);
}

void KopirajSurovo() {
    HANDLE v = Odpri(g_vir, false), c = Odpri(g_cilj, true);
    static char b[65536];
    DWORD n, w;
    while (ReadFile(v, b, sizeof b, &n, nullptr) && n)
        WriteFile(c, b, n, &w, nullptr);
    CloseHandle(v);
    CloseHandle(c);
}

// What a user of single bytes would pick: the runtime's own buffered FILE.
void KopirajGetc() {
    FILE *v = fopen(g_vir.c_str(), "rb"), *c = fopen(g_cilj.c_str(), "wb");
    int z;
    while ((z = getc(v)) != EOF)
        putc(z, c);
    fclose(v);
    fclose(c);
}

void VrsticeNase() {
    HANDLE h = Odpri(g_vrstice, false);
    RIzrSisTokPodatkov tok(h, k_medpomnilnik, 0);
    RNizA vrstica;
    unsigned int skupaj = 0;
    for (;;) {
        skupaj += tok.PreberiVrstico(vrstica);
        if (tok.JeKonec())
            break;
    }
    zrno_bench::Porabi(&skupaj);
    CloseHandle(h);
}

void VrsticeFgets() {
    FILE *f = fopen(g_vrstice.c_str(), "rb");
    char vrstica[256];
    unsigned int skupaj = 0;
    while (fgets(vrstica, sizeof vrstica, f))
        skupaj += static_cast<unsigned int>(strlen(vrstica));
    zrno_bench::Porabi(&skupaj);
    fclose(f);
}

} // namespace

ZRNO_BENCH_PRIPRAVA(kopija1, "RIzrSisTokPodatkov copy 64 MiB, 1-byte requests", "ReadFile/WriteFile 64 KiB",
                    KopirajNase<1>, KopirajSurovo, Pripravi)
ZRNO_BENCH_PRIPRAVA(kopija1c, "RIzrSisTokPodatkov copy 64 MiB, 1-byte requests", "msvcrt getc/putc",
                    KopirajNase<1>, KopirajGetc, Pripravi)
ZRNO_BENCH_PRIPRAVA(kopija100, "RIzrSisTokPodatkov copy 64 MiB, 100-byte requests",
                    "ReadFile/WriteFile 64 KiB", KopirajNase<100>, KopirajSurovo, Pripravi)
ZRNO_BENCH_PRIPRAVA(kopija64k, "RIzrSisTokPodatkov copy 64 MiB, 64 KiB requests", "ReadFile/WriteFile 64 KiB",
                    KopirajNase<65536>, KopirajSurovo, Pripravi)
ZRNO_BENCH_PRIPRAVA(vrstice, "PreberiVrstico over a buffered file, 1M lines", "msvcrt fgets", VrsticeNase,
                    VrsticeFgets, Pripravi)
