// Streams II: the cached file against direct ReadFile/WriteFile/SetFilePointerEx (100 000 random 64-byte
// reads and writes within a 64 MiB file, and sequential 64 KiB reads), the FIFO between a producer and
// a consumer thread, and 256 MiB through a loopback socket and through a named pipe against the raw
// calls on the same connection. Files live in a temp directory removed at exit.
#include "harness.h"
#include <stdlib.h>
#include <string>
#include <vector>
#include <windows.h>
#include <winsock.h>
#include <zrno/streams.h>

namespace {

constexpr unsigned int k_datoteka = 64u << 20;
constexpr unsigned int k_nakljucnih = 100000, k_zapis = 64, k_kos = 65536;
constexpr unsigned int k_prenos = 256u << 20;

std::string g_imenik, g_datoteka;
std::vector<unsigned int> g_odmiki; // random 64-byte slots; odd entries are writes
std::vector<char> g_kos(k_kos);

void Pocisti() {
    DeleteFileA(g_datoteka.c_str());
    RemoveDirectoryA(g_imenik.c_str());
}

void PripraviDatoteko() {
    if (!g_imenik.empty())
        return;
    char tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, tmp);
    g_imenik = std::string(tmp) + "zrno_bench_streams2_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(g_imenik.c_str(), nullptr);
    g_datoteka = g_imenik + "\\cache.bin";
    atexit(Pocisti);
    for (unsigned int i = 0; i < k_kos; ++i)
        g_kos[i] = static_cast<char>(i * 131 + (i >> 9));
    HANDLE h = CreateFileA(g_datoteka.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD n;
    for (unsigned int i = 0; i < k_datoteka / k_kos; ++i)
        WriteFile(h, g_kos.data(), k_kos, &n, nullptr);
    CloseHandle(h);
    unsigned int x = 12345;
    for (unsigned int i = 0; i < k_nakljucnih; ++i) {
        x = x * 1103515245u + 12345u;
        g_odmiki.push_back((x >> 8) % (k_datoteka / k_zapis) * k_zapis);
    }
}

// One block over the whole working set: every access after the first load is a copy, and the changed
// bytes go back in one write when the file is closed. The object is opened and closed in every run;
// its buffer stays allocated across Zapri and Odpri, so a fresh 64 MiB allocation (page faults) is paid
// once, in the preparation.
RMedFizDatoteka *g_medpomnjena;

void NakljucnoNase() {
    RMedFizDatoteka &f = *g_medpomnjena;
    f.Odpri(g_datoteka.c_str(), DAT_BRANJE | DAT_PISANJE);
    char b[k_zapis];
    f.Preberi(b, 1); // the block starts where the first access falls: place it over the whole file
    for (unsigned int i = 0; i < k_nakljucnih; ++i) {
        f.PrestaviZac(g_odmiki[i]);
        if (i & 1)
            f.Zapisi(g_kos.data() + (i & 1023), k_zapis);
        else
            f.Preberi(b, k_zapis);
    }
    f.Zapri();
    zrno_bench::Porabi(b);
}

void PripraviMedpomnjeno() {
    PripraviDatoteko();
    if (g_medpomnjena)
        return;
    g_medpomnjena = new RMedFizDatoteka(reinterpret_cast<void *>(-1), k_datoteka);
    NakljucnoNase();
}

void NakljucnoSurovo() {
    HANDLE h =
        CreateFileA(g_datoteka.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    char b[k_zapis];
    DWORD n;
    for (unsigned int i = 0; i < k_nakljucnih; ++i) {
        LARGE_INTEGER odmik;
        odmik.QuadPart = g_odmiki[i];
        SetFilePointerEx(h, odmik, nullptr, FILE_BEGIN);
        if (i & 1)
            WriteFile(h, g_kos.data() + (i & 1023), k_zapis, &n, nullptr);
        else
            ReadFile(h, b, k_zapis, &n, nullptr);
    }
    CloseHandle(h);
    zrno_bench::Porabi(b);
}

// The default block (512 bytes): 64 KiB requests bypass it.
void ZaporednoNase() {
    RMedFizDatoteka f(g_datoteka.c_str(), DAT_BRANJE | DAT_ZAPOREDNO, 512);
    static char b[k_kos];
    while (f.Preberi(b, k_kos) == k_kos) {
    }
    f.Zapri();
    zrno_bench::Porabi(b);
}

void ZaporednoSurovo() {
    HANDLE h = CreateFileA(g_datoteka.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                           FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    static char b[k_kos];
    DWORD n;
    while (ReadFile(h, b, k_kos, &n, nullptr) && n) {
    }
    CloseHandle(h);
    zrno_bench::Porabi(b);
}

// What the cache's order of calls asks of the disk file for every request larger than its block: a
// seek to the cache's position, then the read.
void ZaporednoSeek() {
    HANDLE h = CreateFileA(g_datoteka.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                           FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    static char b[k_kos];
    DWORD n;
    LONG polozaj = 0;
    do {
        SetFilePointer(h, polozaj, nullptr, FILE_BEGIN);
        polozaj += k_kos;
    } while (ReadFile(h, b, k_kos, &n, nullptr) && n);
    CloseHandle(h);
    zrno_bench::Porabi(b);
}

// --- FIFO: 64 MiB in 4 KiB writes from a producer thread, read under the same lock in 64 KiB pieces.

constexpr unsigned int k_fifo = 64u << 20, k_fifoZapis = 4096;

struct Vrsta {
    CRITICAL_SECTION odsek;
    CONDITION_VARIABLE podatki;
    RFifoTokPodatkov fifo;
    bool konec;
};

DWORD WINAPI Proizvajalec(void *p) {
    Vrsta &v = *static_cast<Vrsta *>(p);
    for (unsigned int i = 0; i < k_fifo / k_fifoZapis; ++i) {
        EnterCriticalSection(&v.odsek);
        v.fifo.Zapisi(g_kos.data() + (i & 15) * k_fifoZapis, k_fifoZapis);
        LeaveCriticalSection(&v.odsek);
        WakeConditionVariable(&v.podatki);
    }
    EnterCriticalSection(&v.odsek);
    v.konec = true;
    LeaveCriticalSection(&v.odsek);
    WakeConditionVariable(&v.podatki);
    return 0;
}

void FifoNase() {
    Vrsta v;
    InitializeCriticalSection(&v.odsek);
    InitializeConditionVariable(&v.podatki);
    v.konec = false;
    HANDLE nit = CreateThread(nullptr, 0, Proizvajalec, &v, 0, nullptr);
    static char b[k_kos];
    unsigned int skupaj = 0;
    EnterCriticalSection(&v.odsek);
    for (;;) {
        unsigned int n = v.fifo.Preberi(b, k_kos);
        skupaj += n;
        if (n == 0) {
            if (v.konec)
                break;
            SleepConditionVariableCS(&v.podatki, &v.odsek, INFINITE);
        }
    }
    LeaveCriticalSection(&v.odsek);
    WaitForSingleObject(nit, INFINITE);
    CloseHandle(nit);
    DeleteCriticalSection(&v.odsek);
    zrno_bench::Porabi(&skupaj);
}

DWORD WINAPI PisecCevi(void *p) {
    HANDLE h = p;
    DWORD n;
    for (unsigned int i = 0; i < k_fifo / k_fifoZapis; ++i)
        WriteFile(h, g_kos.data() + (i & 15) * k_fifoZapis, k_fifoZapis, &n, nullptr);
    CloseHandle(h);
    return 0;
}

void FifoCev() {
    HANDLE beri, pisi;
    CreatePipe(&beri, &pisi, nullptr, 0);
    HANDLE nit = CreateThread(nullptr, 0, PisecCevi, pisi, 0, nullptr);
    static char b[k_kos];
    DWORD n;
    unsigned int skupaj = 0;
    while (ReadFile(beri, b, k_kos, &n, nullptr) && n)
        skupaj += n;
    WaitForSingleObject(nit, INFINITE);
    CloseHandle(nit);
    CloseHandle(beri);
    zrno_bench::Porabi(&skupaj);
}

// --- 256 MiB in 64 KiB writes over one loopback connection and over one named pipe, the reading end on
// a thread of its own. Both sides of a pair use the library, or both the raw calls.

SOCKET g_poslji = INVALID_SOCKET, g_prejmi = INVALID_SOCKET;
HANDLE g_streznik = INVALID_HANDLE_VALUE, g_odjemalec = INVALID_HANDLE_VALUE;

void PripraviVticnici() {
    PripraviDatoteko();
    if (g_poslji != INVALID_SOCKET)
        return;
    RVticnica poslusalec, a, b;
    poslusalec.Odpri(RVticnica::DOMENA_INET, RVticnica::VRSTA_TOK, 0);
    poslusalec.Privezi("127.0.0.1", 0);
    poslusalec.Poslusaj(1);
    sockaddr_in naslov;
    unsigned int dolzina = sizeof naslov;
    poslusalec.VrniNaslovVticnice(reinterpret_cast<sockaddr *>(&naslov), &dolzina);
    a.Odpri(RVticnica::DOMENA_INET, RVticnica::VRSTA_TOK, 0);
    a.Povezi(reinterpret_cast<sockaddr *>(&naslov), sizeof naslov);
    poslusalec.Sprejmi(b, nullptr, nullptr);
    poslusalec.Zapri();
    g_poslji = a.Odpusti();
    g_prejmi = b.Odpusti();
}

void PripraviKanal() {
    PripraviDatoteko();
    if (g_streznik != INVALID_HANDLE_VALUE)
        return;
    const std::string ime = "\\\\.\\pipe\\zrno_bench_" + std::to_string(GetCurrentProcessId());
    RImenovanKanal kanal;
    kanal.Ustvari(ime.c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE | PIPE_WAIT, 1, 1u << 20, 1u << 20, 0);
    g_odjemalec = CreateFileA(ime.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    kanal.Sprejmi();
    g_streznik = kanal.Odpusti();
}

template <bool Nasa> DWORD WINAPI BeriVticnico(void *) {
    static char b[k_kos];
    RVticnica v(static_cast<unsigned int>(g_prejmi));
    for (unsigned int skupaj = 0; skupaj < k_prenos;) {
        int n = Nasa ? static_cast<int>(v.Preberi(b, k_kos)) : recv(g_prejmi, b, k_kos, 0);
        if (n <= 0)
            break;
        skupaj += static_cast<unsigned int>(n);
    }
    return 0;
}

template <bool Nasa> void Vticnica() {
    HANDLE nit = CreateThread(nullptr, 0, BeriVticnico<Nasa>, nullptr, 0, nullptr);
    RVticnica v(static_cast<unsigned int>(g_poslji));
    for (unsigned int i = 0; i < k_prenos / k_kos; ++i)
        if (Nasa)
            v.Zapisi(g_kos.data(), k_kos);
        else
            for (int poslano = 0; poslano < static_cast<int>(k_kos);) {
                int n = send(g_poslji, g_kos.data() + poslano, k_kos - poslano, 0);
                if (n <= 0)
                    break;
                poslano += n;
            }
    WaitForSingleObject(nit, INFINITE);
    CloseHandle(nit);
}

template <bool Nasa> DWORD WINAPI BeriKanal(void *) {
    static char b[k_kos];
    RSisTokPodatkov tok(g_odjemalec);
    DWORD n = 0;
    for (unsigned int skupaj = 0; skupaj < k_prenos; skupaj += n)
        if (Nasa ? (n = tok.Preberi(b, k_kos)) == 0 : !ReadFile(g_odjemalec, b, k_kos, &n, nullptr) || n == 0)
            break;
    return 0;
}

template <bool Nasa> void Kanal() {
    HANDLE nit = CreateThread(nullptr, 0, BeriKanal<Nasa>, nullptr, 0, nullptr);
    RImenovanKanal kanal(g_streznik);
    DWORD n;
    for (unsigned int i = 0; i < k_prenos / k_kos; ++i)
        if (Nasa)
            kanal.Zapisi(g_kos.data(), k_kos);
        else
            WriteFile(g_streznik, g_kos.data(), k_kos, &n, nullptr);
    WaitForSingleObject(nit, INFINITE);
    CloseHandle(nit);
}

} // namespace

ZRNO_BENCH_PRIPRAVA(medpomnilnik, "RMedFizDatoteka 100k random 64 B r/w, 64 MiB block", "Read/WriteFile+seek",
                    NakljucnoNase, NakljucnoSurovo, PripraviMedpomnjeno)
ZRNO_BENCH_PRIPRAVA(zaporedno, "RMedFizDatoteka sequential 64 KiB reads, 64 MiB", "ReadFile 64 KiB",
                    ZaporednoNase, ZaporednoSurovo, PripraviDatoteko)
ZRNO_BENCH_PRIPRAVA(zaporedno_seek, "RMedFizDatoteka sequential 64 KiB reads, 64 MiB", "seek+ReadFile 64K",
                    ZaporednoNase, ZaporednoSeek, PripraviDatoteko)
ZRNO_BENCH_PRIPRAVA(fifo, "RFifoTokPodatkov producer/consumer 64 MiB, 4 KiB", "anonymous pipe", FifoNase,
                    FifoCev, PripraviDatoteko)
ZRNO_BENCH_PRIPRAVA(vticnica, "RVticnica loopback 256 MiB, 64 KiB writes", "send/recv", Vticnica<true>,
                    Vticnica<false>, PripraviVticnici)
ZRNO_BENCH_PRIPRAVA(kanal, "RImenovanKanal 256 MiB, 64 KiB writes", "WriteFile/ReadFile", Kanal<true>,
                    Kanal<false>, PripraviKanal)
