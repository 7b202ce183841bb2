// File-system helpers: file version, deleting a file, the current directory, the module path and the
// creation of directory trees. The narrow and wide forms share one body each; Sistem<C> picks the
// system's A or W call.
#include "frame/Napake.h"
#include "frame/scoped.h"
#include "frame/win.h"
#include <string.h>
#include <zrno/frame.h>

using Zrno::Notranje::Izid;

namespace {

using Zrno::Notranje::ScopedBlock;

template <typename C> struct Sistem;

template <> struct Sistem<char> {
    static DWORD VelikostVerzije(const char *f) {
        DWORD rocica;
        return GetFileVersionInfoSizeA(f, &rocica);
    }
    static BOOL Verzija(const char *f, DWORD n, void *p) { return GetFileVersionInfoA(f, 0, n, p); }
    static BOOL Koren(void *p, void **v, UINT *n) { return VerQueryValueA(p, "\\", v, n); }
    static BOOL Zbrisi(const char *f) { return DeleteFileA(f); }
    static BOOL NastaviImenik(const char *f) { return SetCurrentDirectoryA(f); }
    static DWORD Imenik(DWORD n, char *b) { return GetCurrentDirectoryA(n, b); }
    static DWORD PotModula(HMODULE m, char *b, DWORD n) { return GetModuleFileNameA(m, b, n); }
};

template <> struct Sistem<unsigned short> {
    static const wchar_t *W(const unsigned short *s) { return reinterpret_cast<const wchar_t *>(s); }
    static wchar_t *W(unsigned short *s) { return reinterpret_cast<wchar_t *>(s); }
    static DWORD VelikostVerzije(const unsigned short *f) {
        DWORD rocica;
        return GetFileVersionInfoSizeW(W(f), &rocica);
    }
    static BOOL Verzija(const unsigned short *f, DWORD n, void *p) {
        return GetFileVersionInfoW(W(f), 0, n, p);
    }
    static BOOL Koren(void *p, void **v, UINT *n) { return VerQueryValueW(p, L"\\", v, n); }
    static BOOL Zbrisi(const unsigned short *f) { return DeleteFileW(W(f)); }
    static BOOL NastaviImenik(const unsigned short *f) { return SetCurrentDirectoryW(W(f)); }
    static DWORD Imenik(DWORD n, unsigned short *b) { return GetCurrentDirectoryW(n, W(b)); }
    static DWORD PotModula(HMODULE m, unsigned short *b, DWORD n) { return GetModuleFileNameW(m, W(b), n); }
};

// The version data lives in zero-filled global memory, as GetFileVersionInfo expects of its buffer.
struct GlobalniBlok : Zrno::Notranje::Blok {
    static int Zapri(void *p) { return GlobalFree(p), Zrno::OK; }
};

// A version call may fail without setting an error, and the mapped error of 0 would then read as
// success with nothing stored.
int NapakaVerzije() {
    int r = PretvoriNapako(GetLastError(), Zrno::NAP_VERZIJADATOTEKE);
    return r < 0 ? r : Zrno::NAP_VERZIJADATOTEKE;
}

template <typename C>
int VerzijaDatoteke(const C *datoteka, unsigned int *major, unsigned int *minor, unsigned int *tretja,
                    unsigned int *cetrta) {
    DWORD n = Sistem<C>::VelikostVerzije(datoteka);
    if (n == 0)
        return NapakaVerzije();
    Zrno::Notranje::Scoped<GlobalniBlok, HGLOBAL> podatki(GlobalAlloc(GPTR, n));
    if (!podatki)
        return Zrno::NAP_POMNILNIK;
    VS_FIXEDFILEINFO *info = nullptr;
    UINT dolzina = 0;
    if (!Sistem<C>::Verzija(datoteka, n, podatki.get()) ||
        !Sistem<C>::Koren(podatki.get(), reinterpret_cast<void **>(&info), &dolzina))
        return NapakaVerzije();
    // The root query succeeded, so there is no error to map; a root shorter than the fixed information
    // (empty included) would have the fields read past it.
    if (dolzina < sizeof(VS_FIXEDFILEINFO))
        return Zrno::NAP_VERZIJADATOTEKE;
    if (major)
        *major = HIWORD(info->dwFileVersionMS);
    if (minor)
        *minor = LOWORD(info->dwFileVersionMS);
    if (tretja)
        *tretja = HIWORD(info->dwFileVersionLS);
    if (cetrta)
        *cetrta = LOWORD(info->dwFileVersionLS);
    return Zrno::OK;
}

template <typename C> int Zbrisi(const C *datoteka) {
    return Izid(Sistem<C>::Zbrisi(datoteka), Zrno::NAP_BRISANJE);
}

template <typename C> int NastaviImenik(const C *imenik) {
    return Izid(Sistem<C>::NastaviImenik(imenik), Zrno::NAP_NASTAVIIMENIK);
}

// GetCurrentDirectory answers a too small buffer with the size it needs (terminator included) and writes
// nothing; only a 0 answer is a failure.
template <typename C> int Imenik(C *medpomnilnik, unsigned int *velikost) {
    if (!velikost)
        return Zrno::NAP_PARAMETER;
    DWORD n = Sistem<C>::Imenik(*velikost, medpomnilnik);
    DWORD napaka = GetLastError();
    if (n < *velikost)
        *velikost = n;
    return *velikost ? Zrno::OK : PretvoriNapako(napaka, Zrno::NAP_TRENUTNIIMENIK);
}

// GetModuleFileName truncates to a buffer that is too small and then reports the truncated length.
template <typename C> int PotModula(void *modul, C *medpomnilnik, unsigned int *velikost) {
    if (!velikost)
        return Zrno::NAP_PARAMETER;
    DWORD n = Sistem<C>::PotModula(static_cast<HMODULE>(modul), medpomnilnik, *velikost);
    DWORD napaka = GetLastError();
    *velikost = n;
    return n ? Zrno::OK : PretvoriNapako(napaka, Zrno::NAP_POTMODULA);
}

int UstvariEnega(const char *imenik, const char *predloga) {
    BOOL ok = predloga ? CreateDirectoryExA(predloga, imenik, nullptr) : CreateDirectoryA(imenik, nullptr);
    return Izid(ok, Zrno::NAP_USTVARIIMENIK);
}

} // namespace

int Zrno::VrniVerzijoDatoteke(char const *datoteka, unsigned int *major, unsigned int *minor,
                              unsigned int *tretja, unsigned int *cetrta) {
    return VerzijaDatoteke(datoteka, major, minor, tretja, cetrta);
}
int Zrno::VrniVerzijoDatoteke(unsigned short const *datoteka, unsigned int *major, unsigned int *minor,
                              unsigned int *tretja, unsigned int *cetrta) {
    return VerzijaDatoteke(datoteka, major, minor, tretja, cetrta);
}
int Zrno::ZbrisiDatoteko(char const *datoteka) { return Zbrisi(datoteka); }
int Zrno::ZbrisiDatoteko(unsigned short const *datoteka) { return Zbrisi(datoteka); }
int Zrno::NastaviTrenutniImenik(char const *imenik) { return NastaviImenik(imenik); }
int Zrno::NastaviTrenutniImenik(unsigned short const *imenik) { return NastaviImenik(imenik); }
int Zrno::VrniTrenutniImenik(char *medpomnilnik, unsigned int *velikost) {
    return Imenik(medpomnilnik, velikost);
}
int Zrno::VrniTrenutniImenik(unsigned short *medpomnilnik, unsigned int *velikost) {
    return Imenik(medpomnilnik, velikost);
}
int Zrno::VrniPotModula(void *modul, char *medpomnilnik, unsigned int *velikost) {
    return PotModula(modul, medpomnilnik, velikost);
}
int Zrno::VrniPotModula(void *modul, unsigned short *medpomnilnik, unsigned int *velikost) {
    return PotModula(modul, medpomnilnik, velikost);
}

// Walks the path one backslash at a time, creating each prefix. An existing directory, or one the system
// refuses access to (a drive root), lets the walk go on; any other failure ends it.
int Zrno::UstvariImenik(char const *pot, char const *predloga) {
    if (!pot)
        return NAP_PARAMETER;
    size_t n = strlen(pot) + 1;
    if (n > 0xFFFFFFFFu)
        return NAP_POMNILNIK;
    ScopedBlock blok(RezervirajPomnilnik(nullptr, static_cast<unsigned int>(n)));
    if (!blok)
        return NAP_POMNILNIK;
    char *kopija = static_cast<char *>(blok.get());
    memcpy(kopija, pot, n);
    int rezultat = OK;
    for (char *p = kopija;;) {
        char *locilo = strchr(p, '\\');
        if (locilo)
            *locilo = 0;
        rezultat = UstvariEnega(kopija, predloga);
        if (rezultat < 0 && rezultat != NAP_OBSTAJA && rezultat != NAP_DOSTOP)
            break;
        if (!locilo)
            break;
        *locilo = '\\';
        p = locilo + 1;
        if (!*p)
            break;
    }
    return rezultat;
}
