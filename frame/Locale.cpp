// The library's private C runtime locale. msvcrt's _create_locale builds a whole locale at once, so
// changing one category rebuilds it from the composite name "LC_COLLATE=..;LC_CTYPE=..;...", which the
// runtime accepts as setlocale does.
//
// This is the one file that reads the runtime's private locale layout (<xlocinfo.h>: the category
// names in locinfo->lc_category and the time names in lc_time_curr): msvcrt has no call that names the
// categories of a _locale_t or formats dates with one. The layout is msvcrt.dll's, which mingw's
// header mirrors; a build against another runtime (the UCRT) must replace these reads.
#include "frame/locale.h"
#include <stdio.h>
#include <string.h>
#include <xlocinfo.h>
#include <zrno/frame.h>

namespace {

// "C" until a start asks for code page 1250. Made by the static initialisation, which runs before the
// entry point and so before any caller (an application's static object included); NastaviLocale
// replaces it as a whole.
_locale_t volatile g_locale = _create_locale(LC_ALL, "C");
char g_ime[512]; // the last name handed out, as setlocale keeps its own
unsigned short g_sirokoIme[512];

// The runtime's own order of the categories in a composite name.
const struct {
    int kategorija;
    const char *ime;
} k_kategorije[] = {{LC_COLLATE, "LC_COLLATE"},
                    {LC_CTYPE, "LC_CTYPE"},
                    {LC_MONETARY, "LC_MONETARY"},
                    {LC_NUMERIC, "LC_NUMERIC"},
                    {LC_TIME, "LC_TIME"}};

const char *ImeKategorije(_locale_t l, int kategorija) {
    const char *ime = l->locinfo->lc_category[kategorija].locale;
    return ime ? ime : "C";
}

// The composite name "LC_COLLATE=..;LC_CTYPE=..;..." of l with locale in place of kategorija's name (no
// category: LC_ALL), in a buffer whose last byte is never written, so a cut name stays terminated; false
// when it was cut. Shared as setlocale's own result is.
char g_sestavljeno[512];
bool Sestavi(_locale_t l, int kategorija = LC_ALL, const char *locale = nullptr) {
    size_t n = 0;
    for (const auto &k : k_kategorije) {
        _snprintf(g_sestavljeno + n, sizeof g_sestavljeno - 1 - n, "%s%s=%s", n ? ";" : "", k.ime,
                  k.kategorija == kategorija ? locale : ImeKategorije(l, k.kategorija));
        n += strlen(g_sestavljeno + n);
    }
    return n < sizeof g_sestavljeno - 1;
}

// The name setlocale(category, NULL) would give for l: one name when all categories agree.
const char *Ime(_locale_t l, int kategorija) {
    if (kategorija != LC_ALL)
        return ImeKategorije(l, kategorija);
    bool enaki = true;
    for (const auto &k : k_kategorije)
        enaki = enaki && strcmp(ImeKategorije(l, k.kategorija), ImeKategorije(l, LC_CTYPE)) == 0;
    if (enaki)
        return ImeKategorije(l, LC_CTYPE);
    Sestavi(l); // the categories' names are short: never cut
    return g_sestavljeno;
}

bool Enaka(_locale_t a, _locale_t b) {
    for (const auto &k : k_kategorije)
        if (strcmp(ImeKategorije(a, k.kategorija), ImeKategorije(b, k.kategorija)) != 0)
            return false;
    return true;
}

_locale_t Ustvari(int kategorija, const char *locale) {
    if (kategorija == LC_ALL)
        return _create_locale(LC_ALL, locale);
    return Sestavi(Zrno::Notranje::Locale(), kategorija, locale) ? _create_locale(LC_ALL, g_sestavljeno)
                                                                 : nullptr;
}

} // namespace

_locale_t Zrno::Notranje::Locale() { return g_locale; }

// msvcrt has no _strftime_l (that came with msvcr80), but its _Strftime takes the time-names table
// directly, and the library's private locale carries one: the names follow the library's locale
// without touching the application's.
size_t Zrno::Notranje::Strftime(char *medpomnilnik, size_t velikost, const char *oblika, const tm *cas) {
    _locale_t l = Locale();
    return _Strftime(medpomnilnik, velikost, oblika, cas,
                     l && l->locinfo ? l->locinfo->lc_time_curr : nullptr);
}

char const *Zrno::NastaviLocale(int category, char const *locale) {
    if (category < LC_ALL || category > LC_MAX)
        return nullptr;
    if (locale) {
        _locale_t nov = Ustvari(category, locale);
        if (!nov)
            return nullptr;
        // Other threads may be formatting with the locale in use, and msvcrt's _locale_t is not
        // reference-counted for us: a request that changes nothing (every Vzpostavi asks for ".1250"
        // again) keeps it rather than freeing it under them.
        _locale_t stari = Notranje::Locale();
        if (stari && Enaka(nov, stari)) {
            _free_locale(nov);
        } else {
            // Published as a whole: other threads read the old one or the new one.
            stari = static_cast<_locale_t>(
                InterlockedExchangePointer(reinterpret_cast<void *volatile *>(&g_locale), nov));
            if (stari)
                _free_locale(stari);
        }
    }
    lstrcpynA(g_ime, Ime(Notranje::Locale(), category), sizeof g_ime);
    return g_ime;
}

unsigned short const *Zrno::NastaviLocale(int category, unsigned short const *locale) {
    // Locale names are ASCII; anything else cannot name a locale and is refused.
    char ozko[256];
    const char *p = nullptr;
    if (locale) {
        size_t i = 0;
        for (; locale[i] && i < sizeof ozko - 1; ++i) {
            if (locale[i] > 0x7F)
                return nullptr;
            ozko[i] = static_cast<char>(locale[i]);
        }
        if (locale[i])
            return nullptr;
        ozko[i] = 0;
        p = ozko;
    }
    const char *ime = NastaviLocale(category, p);
    if (!ime)
        return nullptr;
    if (!MultiByteToWideChar(CP_ACP, 0, ime, -1, reinterpret_cast<wchar_t *>(g_sirokoIme), 512))
        g_sirokoIme[0] = 0;
    return g_sirokoIme;
}
