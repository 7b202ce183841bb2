// RBazaVirov: the sorted list of resource modules, adding them one by one or by directory, the choice of
// a fallback by the user's language, loading, unloading and release; and the exported containers of
// its records.
#include "frame/locale.h"
#include "frame/scoped.h"
#include <ctype.h>
#include <stdlib.h>
#include <string.h>
#include <zrno/util/RBazaVirov.h>

// The export attribute sits on the extern declarations in the header.
template class RZbirka<T_KNJIZNICAVIROV>;
template class RSklad<T_KNJIZNICAVIROV>;
template class RSeznam<T_KNJIZNICAVIROV>;
template class RUrejenSeznam<T_KNJIZNICAVIROV>;

using namespace Zrno;
using Zrno::Notranje::ScopedBlock;

namespace {

HINSTANCE Nalozi(char const *datoteka) {
    return LoadLibraryExA(datoteka, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

char *Kopija(char const *besedilo) {
    unsigned int n = static_cast<unsigned int>(strlen(besedilo)) + 1;
    char *p = static_cast<char *>(RezervirajPomnilnik(nullptr, n));
    if (p)
        memcpy(p, besedilo, n);
    return p;
}

/// The module's string 0 on the private heap, in a buffer grown by 128 bytes while LoadStringA may have
/// cut it (its result is then the room minus the terminator).
int Opis(HINSTANCE modul, char *&opis) {
    ScopedBlock blok;
    int n = 0;
    for (unsigned int prostor = 128;; prostor += 128) {
        void *vecji = RezervirajPomnilnik(blok.get(), prostor);
        if (!vecji)
            return NAP_POMNILNIK;
        blok.release();
        blok.reset(vecji);
        n = LoadStringA(modul, 0, static_cast<char *>(vecji), static_cast<int>(prostor));
        if (n <= 0)
            return NAP_DODAJKNJIZNICO4;
        if (static_cast<unsigned int>(n) != prostor - 1)
            break;
    }
    char *p = static_cast<char *>(blok.get());
    if (p[n - 1] == 0) // a final zero stored with the text
        --n;
    p[n] = 0;
    // Shrinking in place hardly fails; if it does, the larger block serves as well.
    void *tocen = RezervirajPomnilnik(p, static_cast<unsigned int>(n) + 1);
    blok.release();
    opis = static_cast<char *>(tocen ? tocen : p);
    return OK;
}

/// The user's default LANGID; 0 when it cannot be read.
unsigned int JezikUporabnika() {
    char b[5];
    if (!GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_ILANGUAGE, b, sizeof b))
        return 0;
    return static_cast<unsigned int>(strtoul(b, nullptr, 16));
}

constexpr unsigned int Primarni(unsigned int jezik) { return jezik & 0x3FF; }

} // namespace

RBazaVirov::RBazaVirov() : RUrejenSeznam<T_KNJIZNICAVIROV>(64) {}
RBazaVirov::~RBazaVirov() {}

void RBazaVirov::Pozabi(T_KNJIZNICAVIROV &zapis) {
    if (zapis.Modul)
        FreeLibrary(zapis.Modul);
    SprostiPomnilnik(zapis.Opis);
    SprostiPomnilnik(zapis.Datoteka);
    zapis.Modul = nullptr;
    zapis.Opis = zapis.Datoteka = nullptr;
}

int RBazaVirov::Dodaj(char const *datoteka, T_KODAJEZIKA zelena, void *&vozel) {
    vozel = UstvariVozel();
    if (!vozel)
        return NAP_POMNILNIK;
    T_KNJIZNICAVIROV &z = VrniElement(vozel);
    z = T_KNJIZNICAVIROV{KJ_NOBENA, 0, nullptr, nullptr, nullptr};
    int r = OK;
    z.Modul = ::Nalozi(datoteka);
    if (!z.Modul)
        r = NAP_NALAGANJE;
    T_VRNIJEZIKMODULA vrni = nullptr;
    if (r == OK) {
        vrni = reinterpret_cast<T_VRNIJEZIKMODULA>(
            reinterpret_cast<void *>(GetProcAddress(z.Modul, "VrniJezikModula")));
        if (!vrni)
            r = NAP_DODAJKNJIZNICO1;
    }
    if (r == OK && !(z.Datoteka = Kopija(datoteka)))
        r = NAP_POMNILNIK;
    if (r == OK && vrni(&z.KodaJezika, &z.Jezik) < 0)
        r = NAP_DODAJKNJIZNICO3;
    if (r == OK)
        r = Opis(z.Modul, z.Opis);
    if (r < 0) {
        Pozabi(z);
        UniciVozel(vozel);
        vozel = nullptr;
        return r;
    }
    DodajVozel(vozel);
    if (z.KodaJezika == zelena)
        return OK;
    FreeLibrary(z.Modul);
    z.Modul = nullptr;
    return OK_NITEJEZIK;
}

int RBazaVirov::Dodaj(char const *imenik, char const *vzorec, T_KODAJEZIKA zelena, void *&vozel) {
    vozel = nullptr;
    RNizA pot(imenik ? imenik : "");
    if (!pot.JePrazen() && pot[pot.VrniDolzino() - 1] != '\\')
        pot += '\\';
    pot += vzorec;
    RIskalnikDatotek iskalnik;
    if (iskalnik.Odpri(pot) >= 0) {
        T_NAJDENADATOTEKA najdena;
        while (iskalnik.Poisci(&najdena) == 0) {
            if (najdena.Atributi & FILE_ATTRIBUTE_DIRECTORY)
                continue;
            void *v;
            // After the first module of the wanted language the rest are only filed.
            if (Dodaj(najdena.Pot, zelena, v) == OK && !vozel) {
                vozel = v;
                zelena = KJ_NOBENA;
            }
        }
        iskalnik.Zapri();
    }
    if (JePrazen())
        return NAP_DODAJKNJIZNICO2;
    if (vozel)
        return OK;

    unsigned int uporabnik = JezikUporabnika();
    auto Poisci = [this](auto ustreza) -> void * {
        for (void *v = VrniPrvega(); v; v = VrniNaslednjega(v))
            if (ustreza(VrniElement(v)))
                return v;
        return nullptr;
    };
    void *izbran = Poisci([&](T_KNJIZNICAVIROV const &z) { return z.Jezik == uporabnik; });
    if (!izbran && uporabnik >> 10)
        izbran = Poisci([&](T_KNJIZNICAVIROV const &z) { return Primarni(z.Jezik) == Primarni(uporabnik); });
    if (!izbran)
        izbran = Poisci([](T_KNJIZNICAVIROV const &z) { return Primarni(z.Jezik) == LANG_ENGLISH; });
    if (!izbran)
        izbran = VrniPrvega();
    // A record loaded by an earlier call keeps its one reference.
    T_KNJIZNICAVIROV &z = VrniElement(izbran);
    if (!z.Modul)
        z.Modul = ::Nalozi(z.Datoteka);
    vozel = izbran;
    return OK_NADOMESTNI;
}

int RBazaVirov::Nalozi(void *vozel, bool nalozi) {
    T_KNJIZNICAVIROV &z = VrniElement(vozel);
    if (nalozi) {
        if (z.Modul)
            return OK_ZENALOZEN;
        z.Modul = ::Nalozi(z.Datoteka);
        return z.Modul ? OK : NAP_NALAGANJE;
    }
    if (!z.Modul)
        return OK_NINALOZEN;
    if (!FreeLibrary(z.Modul))
        return NAP_SPROSTIMODUL;
    z.Modul = nullptr;
    return OK;
}

int RBazaVirov::Sprosti() {
    while (void *v = VrniPrvega()) {
        Pozabi(VrniElement(v));
        Brisi(v);
    }
    return OK;
}

int RBazaVirov::Primerjaj(T_KNJIZNICAVIROV const &a, T_KNJIZNICAVIROV const &b) const {
    _locale_t l = Zrno::Notranje::Locale();
    for (int i = 0;; ++i) {
        auto ca = static_cast<signed char>(_tolower_l(static_cast<unsigned char>(a.Opis[i]), l));
        auto cb = static_cast<signed char>(_tolower_l(static_cast<unsigned char>(b.Opis[i]), l));
        if (ca != cb)
            return ca > cb ? i + 1 : -(i + 1);
        if (!ca)
            return 0;
    }
}
