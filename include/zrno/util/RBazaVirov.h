/// \file
/// RBazaVirov: the list of an application's resource modules, one per language. Each module tells its
/// language through its export "VrniJezikModula" and describes itself in its string 0; the list keeps
/// them sorted by description and loads the module of the wanted language, falling back to the user's
/// language, then English, then the first. The static loaders read strings, data, icons and bitmaps from
/// any module handle in a given language.
#ifndef ZRNO_UTIL_RBAZAVIROV_H
#define ZRNO_UTIL_RBAZAVIROV_H

#include <zrno/strings/Jeziki.h>
#include <zrno/strings/KodneStrani.h>
#include <zrno/strings/RNizU.h>
#include <zrno/util/Zbirke.h>

class RTokPodatkov;

/// The language code by which a resource module identifies itself; the values are agreed between the
/// application and its modules. The library only compares codes; KJ_NOBENA is a code no module has.
enum T_KODAJEZIKA : int { KJ_NOBENA = -1 };

/// One resource module. The container copies it whole; its strings belong to the list's RBazaVirov and
/// are released by Sprosti.
struct T_KNJIZNICAVIROV {
    T_KODAJEZIKA KodaJezika; ///< as the module's VrniJezikModula reported it
    unsigned int Jezik;      ///< the module's LANGID, as VrniJezikModula reported it
    HINSTANCE__ *Modul;      ///< the loaded module; null while it is not loaded
    char *Opis;              ///< the module's string 0 (code-page text), on the private heap; the sort key
    char *Datoteka;          ///< the path it was loaded by, on the private heap
};

/// The module's export: fills in the code and the LANGID, returns a negative value on failure.
typedef int(__stdcall *T_VRNIJEZIKMODULA)(T_KODAJEZIKA *koda, unsigned int *jezik);

extern template class ZRNO_API RZbirka<T_KNJIZNICAVIROV>;
extern template class ZRNO_API RSklad<T_KNJIZNICAVIROV>;
extern template class ZRNO_API RSeznam<T_KNJIZNICAVIROV>;
extern template class ZRNO_API RUrejenSeznam<T_KNJIZNICAVIROV>;

// Result codes of the resource libraries (remarks).
namespace Zrno {
constexpr int OK_NITEJEZIK = 5;  ///< module added, but not of the wanted language (unloaded)
constexpr int OK_NADOMESTNI = 6; ///< no module of the wanted language; a fallback was loaded
constexpr int OK_ZENALOZEN = 7;  ///< the module was already loaded
constexpr int OK_NINALOZEN = 8;  ///< the module was not loaded
} // namespace Zrno

/// The list of resource modules. Not copyable: its records own module references and strings. The
/// destructor releases nothing; the owner calls Sprosti. One thread at a time.
class ZRNO_API RBazaVirov : public RUrejenSeznam<T_KNJIZNICAVIROV> {
  public:
    RBazaVirov();
    RBazaVirov(RBazaVirov const &) = delete;
    RBazaVirov &operator=(RBazaVirov const &) = delete;
    ~RBazaVirov() override;

    /// Loads one module (code-page path) and files its record. 0: its code is `zelena` and it stays
    /// loaded; OK_NITEJEZIK: filed unloaded. Failures leave no record and a null node: NAP_NALAGANJE
    /// (not loadable), NAP_DODAJKNJIZNICO1 (no VrniJezikModula), NAP_DODAJKNJIZNICO3 (it failed),
    /// NAP_DODAJKNJIZNICO4 (no string 0), NAP_POMNILNIK.
    int Dodaj(char const *datoteka, T_KODAJEZIKA zelena, void *&vozel);
    /// Adds every module of the directory matching the pattern (such as "*.dll"); the first of the
    /// wanted code stays loaded (0). Without one, a record of the whole list is loaded instead (
    /// OK_NADOMESTNI): the user's LANGID, the user's primary language, English, the first by
    /// description. NAP_DODAJKNJIZNICO2 when the list is empty.
    int Dodaj(char const *imenik, char const *vzorec, T_KODAJEZIKA zelena, void *&vozel);
    /// Loads (0, OK_ZENALOZEN, NAP_NALAGANJE) or unloads (0, OK_NINALOZEN, NAP_SPROSTIMODUL) a record's
    /// module.
    int Nalozi(void *vozel, bool nalozi);
    /// Releases every record: its module and its strings. Returns 0.
    int Sprosti();
    /// Descriptions without regard to case (the library's locale): (i + 1) or -(i + 1) at the first
    /// difference i, a's character greater or smaller as a signed byte; 0 when equal.
    int Primerjaj(T_KNJIZNICAVIROV const &a, T_KNJIZNICAVIROV const &b) const override;

    /// String `id` of the module in the language into a buffer of `velikost` UTF-16 units: terminated
    /// when shorter than the buffer, else its first `velikost` units without a terminator. A final zero
    /// unit stored with the text is dropped. 0, or NAP_NIVIRA (missing block or empty entry).
    static int NaloziNiz(HINSTANCE__ *modul, unsigned int id, unsigned short *medpomnilnik,
                         unsigned int velikost, T_KODAJEZIKA2 jezik);
    /// The same into `velikost` bytes of code page kn (one byte per unit).
    static int NaloziNiz(HINSTANCE__ *modul, unsigned int id, char *medpomnilnik, unsigned int velikost,
                         T_KODAJEZIKA2 jezik, T_KODNASTRAN kn);
    /// The same into a string, which takes exactly the resource string's characters.
    static int NaloziNiz(HINSTANCE__ *modul, unsigned int id, RNizU &niz, T_KODAJEZIKA2 jezik);
    /// The text inside the module's image, not terminated; its stored length (a final zero unit
    /// included) is the 16-bit value before it. Valid while the module is loaded.
    static int NaloziNiz(HINSTANCE__ *modul, unsigned int id, unsigned short const *&niz,
                         T_KODAJEZIKA2 jezik);

    /// Resource `id` of a type (RT_* number or name) in the language: its data inside the module's image
    /// (valid while it is loaded) and size. 0; NAP_NINAJDENO, NAP_NIVIRA, NAP_NALAGANJE. Resource
    /// numbers have 16 bits and only the low 16 bits of `id` are used: an id above 0xFFFF loads the
    /// resource of its low bits with success (0x10001 gives resource 1). Pass ids up to 0xFFFF; refuse a
    /// larger number before calling when it comes from outside. The same holds for every loader below.
    static int NaloziPodatke(HINSTANCE__ *modul, char const *tip, unsigned int id, void **podatki,
                             unsigned int *velikost, T_KODAJEZIKA2 jezik);
    /// The same written to a stream: NAP_POMNILNIK when the stream takes less than all of it.
    static int NaloziPodatke(HINSTANCE__ *modul, char const *tip, unsigned int id, RTokPodatkov &tok,
                             T_KODAJEZIKA2 jezik);
    /// NaloziPodatke of RT_ICON (NaloziIkono), RT_GROUP_ICON (NaloziZbirkoIkone) and RT_BITMAP
    /// (NaloziSliko), into memory of the module or to a stream.
    ///@{
    static int NaloziIkono(HINSTANCE__ *modul, unsigned int id, void **podatki, unsigned int *velikost,
                           T_KODAJEZIKA2 jezik);
    static int NaloziIkono(HINSTANCE__ *modul, unsigned int id, RTokPodatkov &tok, T_KODAJEZIKA2 jezik);
    static int NaloziZbirkoIkone(HINSTANCE__ *modul, unsigned int id, void **podatki, unsigned int *velikost,
                                 T_KODAJEZIKA2 jezik);
    static int NaloziZbirkoIkone(HINSTANCE__ *modul, unsigned int id, RTokPodatkov &tok, T_KODAJEZIKA2 jezik);
    static int NaloziSliko(HINSTANCE__ *modul, unsigned int id, void **podatki, unsigned int *velikost,
                           T_KODAJEZIKA2 jezik);
    static int NaloziSliko(HINSTANCE__ *modul, unsigned int id, RTokPodatkov &tok, T_KODAJEZIKA2 jezik);
    ///@}

  private:
    void Pozabi(T_KNJIZNICAVIROV &zapis);
};

#endif
