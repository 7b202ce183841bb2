// The exported SGML entity tables and the name lookup. Both tables are constant data: the names and code
// points are written once in sgml_tabela.inc, and the reverse table and the name lengths are computed
// from those rows by the compiler, so the DLL carries them in read-only data with no start-up code.
#include "frame/win.h"
#include "strings/sgml.h"
#include <zrno/strings.h>

namespace {

using Zrno::Notranje::k_zapisovSGML;

constexpr T_SGML_ENTITETA k_zapisi[] = {
    {nullptr, 0}, // index 0 of unicode_sgml means "no entity"
#define ZRNO_SGML_ENTITETA(ime, koda) {ime, koda},
#include "strings/sgml_tabela.inc"
#undef ZRNO_SGML_ENTITETA
};
static_assert(sizeof k_zapisi / sizeof k_zapisi[0] == k_zapisovSGML, "entity count changed");

constexpr unsigned int k_znakov = 0x10000;

constexpr int Primerjaj(char const *a, char const *b) {
    for (;; ++a, ++b) {
        if (*a != *b)
            return static_cast<unsigned char>(*a) < static_cast<unsigned char>(*b) ? -1 : 1;
        if (!*a)
            return 0;
    }
}

// The decoder bisects the rows, so an unsorted or duplicated name must not get past the compiler.
constexpr bool JeUrejena() {
    for (unsigned int i = 2; i < k_zapisovSGML; ++i)
        if (Primerjaj(k_zapisi[i - 1].ime, k_zapisi[i].ime) >= 0)
            return false;
    for (unsigned int i = 1; i < k_zapisovSGML; ++i)
        if (k_zapisi[i].koda == 0 || k_zapisi[i].koda >= k_znakov)
            return false;
    return true;
}
static_assert(JeUrejena(), "entity names must be unique, in byte order, with code points 1 to 0xFFFF");

struct Obratna {
    unsigned int indeks[k_znakov];
};

// Walking from the last row to the first leaves, for a code point with several names, the smallest index.
constexpr Obratna ZgradiObratno() {
    Obratna o{};
    for (unsigned int i = k_zapisovSGML - 1; i != 0; --i)
        o.indeks[k_zapisi[i].koda] = i;
    return o;
}
constexpr Obratna k_obratna = ZgradiObratno();

constexpr Zrno::Notranje::DolzineImenSGML IzracunajDolzine() {
    Zrno::Notranje::DolzineImenSGML d{};
    for (unsigned int i = 1; i < k_zapisovSGML; ++i) {
        unsigned char n = 0;
        while (k_zapisi[i].ime[n])
            ++n;
        d.n[i] = n;
    }
    return d;
}
} // namespace

// extern: a const object at namespace scope is otherwise internal, and an export must be external.
extern ZRNO_API T_SGML_ENTITETA const *const sgml_unicode = k_zapisi;
extern ZRNO_API unsigned int const *const unicode_sgml = k_obratna.indeks;

namespace Zrno::Notranje {

extern constexpr DolzineImenSGML dolzineImenSGML = IzracunajDolzine();

unsigned int PoisciEntitetoSGML(char const *ime, unsigned int n) {
    unsigned int spodaj = 1, zgoraj = k_zapisovSGML;
    while (spodaj < zgoraj) {
        unsigned int sredina = (spodaj + zgoraj) / 2;
        char const *zapis = k_zapisi[sredina].ime;
        // Signed byte comparison: a byte from 0x80 up orders below every name (they are all ASCII).
        int razlika = 0;
        unsigned int k = 0;
        for (; k < n; ++k) {
            signed char a = static_cast<signed char>(zapis[k]), b = static_cast<signed char>(ime[k]);
            if (a != b) {
                razlika = a > b ? 1 : -1;
                break;
            }
            if (!a) { // both end here: the given name goes on past a zero, so it is the greater
                razlika = -1;
                break;
            }
        }
        if (k == n)
            razlika = zapis[n] ? 1 : 0;
        if (razlika == 0)
            return k_zapisi[sredina].koda;
        if (razlika > 0)
            zgoraj = sredina;
        else
            spodaj = sredina + 1;
    }
    return 0;
}

} // namespace Zrno::Notranje
