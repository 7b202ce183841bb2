/// \file
/// Zrno strings: the layered string family over 8-bit code-page text (char) and UTF-16 code units
/// (unsigned short). RNizP<T> holds the storage and the searching and editing operations, RNizNP<T>
/// adds case conversion and white-space trimming, RNizOP<T> printf/scanf-style formatting and
/// parsing, RNizVP<T> loads resource strings and formats with them; RNizA and RNizU are the concrete
/// classes.
///
/// Every layer is a virtual base of the next, so an RNizA or RNizU holds one storage part. Counts and
/// positions are in characters of T. A trailing `unsigned int` maximum of 0xFFFFFFFF means "all of it";
/// a search that finds nothing returns 0xFFFFFFFF.
///
/// Memory: the buffer lives on the library's private heap and grows in steps of 128 characters. When
/// the heap refuses to grow it, the string stays valid, terminated and unchanged, and the operation
/// that wanted the room takes only what fits in the present buffer: Nastavi, Prilepi, Vstavi, the
/// operators, the conversions and Oblikuj/PrilepiO keep as many characters as the capacity allows
/// (their result is the length actually reached), Odpusti returns null, Zamenjaj with a longer
/// replacement changes nothing and returns 0. Nothing is ever written past the buffer. A reserve
/// constructor whose size is refused falls back to the default 128 characters.
#ifndef ZRNO_STRINGS_H
#define ZRNO_STRINGS_H

#include <zrno/frame.h>

/// A Windows code-page number, passed unchanged to MultiByteToWideChar/WideCharToMultiByte.
enum T_KODNASTRAN : unsigned int {
    KN_ANSI = 0,      ///< the system's ANSI code page (CP_ACP)
    KN_OEM = 1,       ///< the system's OEM code page (CP_OEMCP)
    KN_CP1250 = 1250, ///< Central European, the library's fixed choice
    KN_CP1251 = 1251, ///< Cyrillic
    KN_CP1252 = 1252, ///< Western European
    KN_UTF7 = 65000,  ///< UTF-7
    KN_UTF8 = 65001   ///< UTF-8
};

namespace Zrno::Notranje {
template <class T> struct Urejanje;
template <class T> struct Pretvorba;
} // namespace Zrno::Notranje

/// Storage, search, comparison, editing and parts of a string of T (char or unsigned short).
/// The buffer is always terminated; it may hold 0 characters before its end: copies from a string
/// object take its length, copies from a pointer stop at the first 0. Not synchronised: one thread
/// at a time per string.
template <class T> class ZRNO_API RNizP : public virtual RElement {
  public:
    /// Empty string with room for at least `rezerva` characters (capacity at least 128).
    explicit RNizP(unsigned int rezerva = 0);
    /// At most `najvec` characters of the text (stopping at its 0).
    RNizP(T const *niz, unsigned int najvec = 0xFFFFFFFF);
    /// The first min(najvec, length) characters of the other string; also the copy constructor.
    RNizP(RNizP<T> const &drugi, unsigned int najvec = 0xFFFFFFFF);
    /// `stevilo` copies of the character.
    RNizP(T znak, unsigned int stevilo);
    virtual ~RNizP();

    /// Replace the content with at most `najvec` characters of the text; return the new length.
    unsigned int Nastavi(T const *niz, unsigned int najvec = 0xFFFFFFFF);
    /// The first min(najvec, length) characters of another string.
    unsigned int Nastavi(RNizP<T> const &drugi, unsigned int najvec = 0xFFFFFFFF);
    /// `stevilo` copies of the character.
    unsigned int Nastavi(T znak, unsigned int stevilo);
    /// Append at most `najvec` characters of the text; return the new length.
    unsigned int Prilepi(T const *niz, unsigned int najvec = 0xFFFFFFFF);
    /// Append the first min(najvec, length) characters of another string.
    unsigned int Prilepi(RNizP<T> const &drugi, unsigned int najvec = 0xFFFFFFFF);
    /// Append `stevilo` copies of the character.
    unsigned int Prilepi(T znak, unsigned int stevilo);

    /// As Nastavi with the whole string; returns the buffer. Copies are independent: the characters
    /// are copied into this string's own buffer.
    T const *operator=(RNizP<T> const &drugi);
    /// As Nastavi with the whole text; returns the buffer.
    T const *operator=(T const *niz);
    /// A one-character string; returns the buffer.
    T const *operator=(T znak);
    /// As Prilepi with the whole string; returns the buffer.
    T const *operator+=(RNizP<T> const &drugi);
    /// As Prilepi with the whole text; returns the buffer.
    T const *operator+=(T const *niz);
    /// Appends one character; returns the buffer.
    T const *operator+=(T znak);

    /// The buffer, terminated; valid until the string changes or goes.
    operator T const *() const;
    /// No bounds test: the index must be below the capacity.
    T &operator[](unsigned int indeks);
    /// The same for an int index, so that s[0] is not ambiguous with the built-in pointer subscript.
    T &operator[](int indeks);
    /// The character at the index (no bounds test).
    T VrniZnak(unsigned int indeks) const;
    /// Stores a character at the index; the length is not changed (no bounds test).
    void NastaviZnak(unsigned int indeks, T znak);
    /// Number of characters in use, terminator not counted.
    unsigned int VrniDolzino() const;
    /// Characters the buffer holds, terminator included.
    unsigned int VrniKapaciteto() const;
    /// True when the length is 0.
    bool JePrazen() const;
    /// Length 0; the buffer is kept.
    void Sprazni();
    /// Set the length (below the capacity) and terminate there; also declares how much of a buffer
    /// obtained with Odpusti was filled.
    unsigned int Skrajsaj(unsigned int dolzina);
    /// Shrink the buffer to length + 1 characters.
    void SprostiOdvecne();
    /// Adopt `buffer` of velikost + 1 characters from the private heap (Zrno::RezervirajPomnilnik);
    /// with `sprosti` the current buffer is freed first, otherwise it stays the caller's.
    unsigned int Uporabi(T *buffer, unsigned int velikost, bool sprosti);
    /// The buffer with room for `velikost` characters plus a terminator. Without `izpusti` the string
    /// keeps it (write, then Skrajsaj); with it the caller owns it (free with Zrno::SprostiPomnilnik)
    /// and the string starts afresh, empty. Null when the heap refuses the room (nothing changed).
    T *Odpusti(unsigned int velikost, bool izpusti);

    /// Searches from `zacetek` over at most `stevilo` candidate positions (stopping at a 0); a match
    /// may run past the window. Return the position from the string's start, or 0xFFFFFFFF. Najdi gives
    /// the first match, NajdiNazaj the last; the I forms ignore case (the library's locale).
    unsigned int Najdi(T const *kaj, unsigned int zacetek = 0, unsigned int stevilo = 0xFFFFFFFF) const;
    /// The first occurrence of a character.
    unsigned int Najdi(T kaj, unsigned int zacetek = 0, unsigned int stevilo = 0xFFFFFFFF) const;
    /// The first occurrence of the text, ignoring case.
    unsigned int NajdiI(T const *kaj, unsigned int zacetek = 0, unsigned int stevilo = 0xFFFFFFFF) const;
    /// The first occurrence of a character, ignoring case.
    unsigned int NajdiI(T kaj, unsigned int zacetek = 0, unsigned int stevilo = 0xFFFFFFFF) const;
    /// The last occurrence of the text.
    unsigned int NajdiNazaj(T const *kaj, unsigned int zacetek = 0, unsigned int stevilo = 0xFFFFFFFF) const;
    /// The last occurrence of a character.
    unsigned int NajdiNazaj(T kaj, unsigned int zacetek = 0, unsigned int stevilo = 0xFFFFFFFF) const;
    /// The last occurrence of the text, ignoring case.
    unsigned int NajdiNazajI(T const *kaj, unsigned int zacetek = 0, unsigned int stevilo = 0xFFFFFFFF) const;
    /// The last occurrence of a character, ignoring case.
    unsigned int NajdiNazajI(T kaj, unsigned int zacetek = 0, unsigned int stevilo = 0xFFFFFFFF) const;

    /// Compare from `zacetek` with the text over at most `stevilo` characters: 0 equal; k > 0 this
    /// string greater with the first difference at offset k - 1; ~k < 0 smaller, difference at k.
    /// Narrow characters order as signed bytes, wide ones as unsigned units. A start beyond the
    /// length compares as an empty string. PrimerjajI and PrimerjajLI (the same) ignore case.
    int Primerjaj(T const *drugi, unsigned int zacetek = 0, unsigned int stevilo = 0xFFFFFFFF) const;
    /// Primerjaj ignoring case (the library's locale).
    int PrimerjajI(T const *drugi, unsigned int zacetek = 0, unsigned int stevilo = 0xFFFFFFFF) const;
    /// The same as PrimerjajI.
    int PrimerjajLI(T const *drugi, unsigned int zacetek = 0, unsigned int stevilo = 0xFFFFFFFF) const;

    /// Replace every non-overlapping occurrence; return the count. Works up to the first 0. The I forms
    /// match without regard to case; a replacement character is written unchanged.
    unsigned int Zamenjaj(T const *vzorec, T const *zamenjava);
    /// Zamenjaj finding the occurrences without regard to case.
    unsigned int ZamenjajI(T const *vzorec, T const *zamenjava);
    /// Overwrites every occurrence of a character in place; returns the count.
    unsigned int Zamenjaj(T znak, T zamenjava);
    /// The same matching either case; the replacement is written unchanged.
    unsigned int ZamenjajI(T znak, T zamenjava);
    /// Remove every occurrence of the character (OdstraniI: in either case); return the count.

    unsigned int Odstrani(T znak);
    /// Odstrani matching the character in either case.
    unsigned int OdstraniI(T znak);
    /// Insert before `polozaj` (0 to length; beyond the length appends); return the new length.
    unsigned int Vstavi(unsigned int polozaj, T const *niz, unsigned int najvec = 0xFFFFFFFF);
    /// Insert `stevilo` copies of the character; return the new length.
    unsigned int Vstavi(unsigned int polozaj, T znak, unsigned int stevilo);
    /// Delete `stevilo` characters at `polozaj` (a range running past the end cuts the string there);
    /// return the new length.
    unsigned int Zbrisi(unsigned int polozaj, unsigned int stevilo);
    /// Remove the characters of the set `mnozica` from the left end; return the new length.
    unsigned int PoravnajLevo(T const *mnozica);
    /// Remove the characters of the set from the right end; return the new length.
    unsigned int PoravnajDesno(T const *mnozica);
    /// Remove the characters of the set from both ends; return the new length.
    unsigned int Poravnaj(T const *mnozica);
    /// Remove the character from the left end; return the new length.
    unsigned int PoravnajLevo(T znak);
    /// Remove the character from the right end; return the new length.
    unsigned int PoravnajDesno(T znak);
    /// Remove the character from both ends; return the new length.
    unsigned int Poravnaj(T znak);
    /// Reverse the characters (code units for wide strings).
    void Prezrcali();
    /// New strings of the first, last or middle characters; counts beyond the text are clamped.
    RNizP<T> Levo(unsigned int stevilo) const;
    /// The last `stevilo` characters.
    RNizP<T> Desno(unsigned int stevilo) const;
    /// `stevilo` characters from `zacetek`.
    RNizP<T> Sredina(unsigned int zacetek, unsigned int stevilo) const;

  protected:
    /// Make the capacity hold n characters plus the terminator: in steps of 128, or exactly n + 1
    /// (which may shrink and cut the text). Zrno::NAP_POMNILNIK when the heap refuses; then
    /// nothing has changed.
    virtual int RezervirajDolzino(unsigned int n, bool natancno);
    /// Free the buffer on the private heap; the fields are not touched.
    virtual void Sprosti();

    /// Room for a text of `dolzina` characters; returns `dolzina`, or what fits when the heap refuses.
    unsigned int Zagotovi(unsigned int dolzina);

    friend struct PreverjanjeRazporeditve;
    T *m_niz;                  ///< the buffer on the private heap, always terminated
    unsigned int m_dolzina;    ///< characters in use, terminator not counted
    unsigned int m_kapaciteta; ///< characters the buffer holds, terminator included

  private:
    friend struct Zrno::Notranje::Urejanje<T>;
    friend struct Zrno::Notranje::Pretvorba<T>;
};

/// Case conversion and white-space trimming, through the library's own locale (code page 1250
/// after start-up; Zrno::NastaviLocale changes it), never the application's.
template <class T> class ZRNO_API RNizNP : public virtual RNizP<T> {
  public:
    /// Empty string with room for at least `rezerva` characters.
    explicit RNizNP(unsigned int rezerva = 0);
    /// Copies the characters: the two strings are independent.
    RNizNP(RNizNP<T> const &drugi);
    /// Copies the characters; returns the object.
    RNizNP<T> &operator=(RNizNP<T> const &drugi);
    /// The storage layer's text, string and character assignments, which this one would otherwise hide.
    using RNizP<T>::operator=;

    /// To upper or lower case, character by character (toupper / towupper of the library's locale).
    void VVelike();
    /// To lower case (tolower / towlower of the library's locale).
    void VMale();
    using RNizP<T>::PoravnajLevo;
    using RNizP<T>::PoravnajDesno;
    using RNizP<T>::Poravnaj;
    /// Remove white space (isspace / iswspace of the library's locale); return the new length.
    unsigned int PoravnajLevo();
    /// Remove white space from the right end; return the new length.
    unsigned int PoravnajDesno();
    /// Remove white space from both ends; return the new length.
    unsigned int Poravnaj();
};

/// printf-style formatting into the string and scanf-style parsing of it, by the Microsoft runtime
/// (narrow: `%s`/`%c` narrow, `%S`/`%C` wide; wide: `%s`/`%c` wide, `%S`/`%C` narrow). `args` is a
/// va_list. The P forms take the argument list, the S forms return a new string.

template <class T> class ZRNO_API RNizOP : public virtual RNizNP<T> {
  public:
    /// Empty string with room for at least `rezerva` characters.
    explicit RNizOP(unsigned int rezerva = 0);
    /// Copies the characters: the two strings are independent.
    RNizOP(RNizOP<T> const &drugi);
    /// Copies the characters; returns the object.
    RNizOP<T> &operator=(RNizOP<T> const &drugi);
    using RNizP<T>::operator=;

    /// Replace the text with the formatted output; return the new length. An output the runtime
    /// cannot produce (a character its code page lacks) leaves what it wrote before failing.
    unsigned int Oblikuj(T const *oblika, ...);
    /// Oblikuj with an argument list.
    unsigned int OblikujP(T const *oblika, char *args);
    /// A new string holding the formatted output.
    static RNizOP<T> OblikujS(T const *oblika, ...);
    /// OblikujS with an argument list.
    static RNizOP<T> OblikujSP(T const *oblika, char *args);
    /// Append the formatted output; return the new total length.
    unsigned int PrilepiO(T const *oblika, ...);
    /// PrilepiO with an argument list.
    unsigned int PrilepiOP(T const *oblika, char *args);
    /// Parse exactly the string's length of characters; return the fields assigned (0 when the
    /// input ends first). At most 32 receiving pointers are passed on to the runtime.
    unsigned int Razcleni(T const *oblika, ...) const;
    /// Razcleni with an argument list of receiving pointers.
    unsigned int RazcleniP(T const *oblika, char *args) const;

  protected:
    /// Formats at index od (0 replaces the text, the length appends); returns the new length.
    unsigned int OblikujOd(unsigned int od, T const *oblika, char *args);
};

struct HINSTANCE__;

/// A Windows language identifier (LANGID: primary language in bits 0 to 9, sublanguage in bits 10 to
/// 15), passed unchanged as the language of a resource lookup. Any LANGID may be given.
enum T_KODAJEZIKA2 : unsigned int {
    KJ2_PRIVZETI = 0x0400,    ///< neutral, default sublanguage: the system picks the user's language
    KJ2_ANGLESKI = 0x0409,    ///< English (United States)
    KJ2_ITALIJANSKI = 0x0410, ///< Italian
    KJ2_SLOVENSKI = 0x0424    ///< Slovenian
};

/// Strings from the string resources of a module (by module handle, id and language), and resource
/// texts as the formats of formatting and parsing. A missing string is an empty text: loading gives
/// the length 0 (appending leaves the text), formatting an empty text, parsing 0. Narrow strings
/// receive the UTF-16 resource text in code page 1250 (RNizA's U forms take another); characters the
/// page lacks become its default character.
template <class T> class ZRNO_API RNizVP : public virtual RNizOP<T> {
  public:
    /// Empty string with room for at least `rezerva` characters.
    explicit RNizVP(unsigned int rezerva = 0);
    /// A string holding the resource text (NastaviV).
    RNizVP(HINSTANCE__ *modul, unsigned int id, T_KODAJEZIKA2 jezik);
    /// Copies the characters: the two strings are independent.
    RNizVP(RNizVP<T> const &drugi);
    /// Copies the characters; returns the object.
    RNizVP<T> &operator=(RNizVP<T> const &drugi);
    using RNizP<T>::operator=;

    /// Replace with the resource text; return the new length.
    unsigned int NastaviV(HINSTANCE__ *modul, unsigned int id, T_KODAJEZIKA2 jezik);
    /// Append the resource text; return the new length.
    unsigned int PrilepiV(HINSTANCE__ *modul, unsigned int id, T_KODAJEZIKA2 jezik);
    /// Oblikuj with the resource text as the format; return the new length.
    unsigned int OblikujV(HINSTANCE__ *modul, unsigned int id, T_KODAJEZIKA2 jezik, ...);
    /// OblikujV with an argument list.
    unsigned int OblikujVP(HINSTANCE__ *modul, unsigned int id, T_KODAJEZIKA2 jezik, char *args);
    /// A new string formatted with the resource text as the format.
    static RNizVP<T> OblikujVS(HINSTANCE__ *modul, unsigned int id, T_KODAJEZIKA2 jezik, ...);
    /// OblikujVS with an argument list.
    static RNizVP<T> OblikujVSP(HINSTANCE__ *modul, unsigned int id, T_KODAJEZIKA2 jezik, char *args);
    /// Append the output formatted with the resource text; return the new length.
    unsigned int PrilepiVO(HINSTANCE__ *modul, unsigned int id, T_KODAJEZIKA2 jezik, ...);
    /// PrilepiVO with an argument list.
    unsigned int PrilepiVOP(HINSTANCE__ *modul, unsigned int id, T_KODAJEZIKA2 jezik, char *args);
    /// Razcleni with the resource text as the format: the fields assigned.
    unsigned int RazcleniV(HINSTANCE__ *modul, unsigned int id, T_KODAJEZIKA2 jezik, ...) const;
    /// RazcleniV with an argument list of receiving pointers.
    unsigned int RazcleniVP(HINSTANCE__ *modul, unsigned int id, T_KODAJEZIKA2 jezik, char *args) const;

  protected:
    /// Writes the resource text at index od (0 replaces, the length appends), narrow text in code page
    /// kn; returns the new length.
    unsigned int NaloziOd(unsigned int od, HINSTANCE__ *modul, unsigned int id, T_KODAJEZIKA2 jezik,
                          T_KODNASTRAN kn);
    /// Formats at index od with the resource text (in code page kn) as the format.
    unsigned int OblikujVOd(unsigned int od, HINSTANCE__ *modul, unsigned int id, T_KODAJEZIKA2 jezik,
                            T_KODNASTRAN kn, char *args);
    /// Parses the string with the resource text (in code page kn) as the format; the fields assigned.
    unsigned int RazcleniVOd(HINSTANCE__ *modul, unsigned int id, T_KODAJEZIKA2 jezik, T_KODNASTRAN kn,
                             char *args) const;
};

extern template class ZRNO_API RNizP<char>;
extern template class ZRNO_API RNizP<unsigned short>;
extern template class ZRNO_API RNizNP<char>;
extern template class ZRNO_API RNizNP<unsigned short>;
extern template class ZRNO_API RNizOP<char>;
extern template class ZRNO_API RNizOP<unsigned short>;
extern template class ZRNO_API RNizVP<char>;
extern template class ZRNO_API RNizVP<unsigned short>;

// ---- SGML entities (strings/sgml*.cpp) ----

/// One named SGML entity: the name without "&" and ";" (ASCII, case significant) and its UTF-16 code unit.
struct T_SGML_ENTITETA {
    char const *ime;   ///< the name, such as "amp"
    unsigned int koda; ///< the UTF-16 code unit it stands for
};

/// 1002 records: record 0 is a sentinel (null name, code point 0), records 1 to 1001 are the named
/// entities sorted by name in byte order.
extern ZRNO_API T_SGML_ENTITETA const *const sgml_unicode;
/// 65536 entries, one per UTF-16 code unit: the index in sgml_unicode of the entity for that code point
/// (the first in byte order where there are several), 0 when it has none.
extern ZRNO_API unsigned int const *const unicode_sgml;

// ---- end of SGML entities ----

/// 8-bit text in a Windows code page. Conversions without a code-page argument use 1250.
class ZRNO_API RNizA : public virtual RNizVP<char> {
  public:
    /// An empty string with room for `rezerva` characters, at most `najvec` characters of a code-page text or
    /// string, or `stevilo` copies of a character.
    ///@{
    explicit RNizA(unsigned int rezerva = 0);
    RNizA(char const *niz, unsigned int najvec = 0xFFFFFFFF);
    RNizA(RNizP<char> const &drugi, unsigned int najvec = 0xFFFFFFFF);
    RNizA(char znak, unsigned int stevilo);
    ///@}
    /// UTF-16 sources, converted with code page 1250.
    ///@{
    RNizA(unsigned short const *niz, unsigned int najvec = 0xFFFFFFFF);
    RNizA(RNizP<unsigned short> const &drugi, unsigned int najvec = 0xFFFFFFFF);
    RNizA(unsigned short znak, unsigned int stevilo);
    ///@}
    /// Copies the characters: the two strings are independent.
    RNizA(RNizA const &drugi);
    /// The resource text in code page kn.
    RNizA(HINSTANCE__ *modul, unsigned int id, T_KODAJEZIKA2 jezik, T_KODNASTRAN kn = KN_CP1250);
    virtual ~RNizA();

    /// The resource-string operations of RNizVP with the UTF-16 resource text converted by code page kn.
    ///@{
    unsigned int NastaviVU(HINSTANCE__ *modul, unsigned int id, T_KODAJEZIKA2 jezik, T_KODNASTRAN kn);
    unsigned int PrilepiVU(HINSTANCE__ *modul, unsigned int id, T_KODAJEZIKA2 jezik, T_KODNASTRAN kn);
    unsigned int OblikujVU(HINSTANCE__ *modul, unsigned int id, T_KODAJEZIKA2 jezik, T_KODNASTRAN kn, ...);
    unsigned int OblikujVUP(HINSTANCE__ *modul, unsigned int id, T_KODAJEZIKA2 jezik, T_KODNASTRAN kn,
                            char *args);
    static RNizA OblikujVUS(HINSTANCE__ *modul, unsigned int id, T_KODAJEZIKA2 jezik, T_KODNASTRAN kn, ...);
    static RNizA OblikujVUSP(HINSTANCE__ *modul, unsigned int id, T_KODAJEZIKA2 jezik, T_KODNASTRAN kn,
                             char *args);
    unsigned int PrilepiVUO(HINSTANCE__ *modul, unsigned int id, T_KODAJEZIKA2 jezik, T_KODNASTRAN kn, ...);
    unsigned int PrilepiVUOP(HINSTANCE__ *modul, unsigned int id, T_KODAJEZIKA2 jezik, T_KODNASTRAN kn,
                             char *args);
    unsigned int RazcleniVU(HINSTANCE__ *modul, unsigned int id, T_KODAJEZIKA2 jezik, T_KODNASTRAN kn,
                            ...) const;
    unsigned int RazcleniVUP(HINSTANCE__ *modul, unsigned int id, T_KODAJEZIKA2 jezik, T_KODNASTRAN kn,
                             char *args) const;
    ///@}

    /// Replace with / append the conversion of UTF-16 text: one byte per code unit for single-byte
    /// code pages. Return the new length.
    ///@{
    unsigned int NastaviU(unsigned short const *niz, unsigned int najvec = 0xFFFFFFFF,
                          T_KODNASTRAN kn = KN_CP1250);
    unsigned int NastaviU(RNizP<unsigned short> const &drugi, unsigned int najvec = 0xFFFFFFFF,
                          T_KODNASTRAN kn = KN_CP1250);
    unsigned int NastaviU(unsigned short znak, unsigned int stevilo, T_KODNASTRAN kn = KN_CP1250);
    unsigned int PrilepiU(unsigned short const *niz, unsigned int najvec = 0xFFFFFFFF,
                          T_KODNASTRAN kn = KN_CP1250);
    unsigned int PrilepiU(RNizP<unsigned short> const &drugi, unsigned int najvec = 0xFFFFFFFF,
                          T_KODNASTRAN kn = KN_CP1250);
    unsigned int PrilepiU(unsigned short znak, unsigned int stevilo, T_KODNASTRAN kn = KN_CP1250);
    ///@}

    /// Copies the characters; returns the object.
    RNizA &operator=(RNizA const &drugi);
    /// Nastavi / Prilepi with the whole source (one character for the character forms), UTF-16 sources
    /// converted with code page 1250; return the buffer.
    ///@{
    char const *operator=(char const *niz);
    char const *operator=(RNizP<char> const &drugi);
    char const *operator=(char znak);
    char const *operator=(unsigned short const *niz);
    char const *operator=(RNizP<unsigned short> const &drugi);
    char const *operator=(unsigned short znak);
    char const *operator+=(char const *niz);
    char const *operator+=(RNizP<char> const &drugi);
    char const *operator+=(char znak);
    char const *operator+=(unsigned short const *niz);
    char const *operator+=(RNizP<unsigned short> const &drugi);
    char const *operator+=(unsigned short znak);
    ///@}

    /// A new BSTR of min(najvec, length) characters converted with the code page; null when it
    /// cannot be allocated. Free it with SysFreeString.
    unsigned short *VrniBSTR(unsigned int najvec = 0xFFFFFFFF, T_KODNASTRAN kn = KN_CP1250) const;

    // ---- SGML entities (strings/sgml.cpp) ----
    /// Replace with / append SGML text: the input ends at najvec or at its first 0; "&name;", "&#N;" and
    /// "&#xN;" become one byte of code page kn (its default character when it lacks the character, a
    /// zero byte when it needs more than one), unknown names, 0 and numbers past U+10FFFF the currency
    /// sign U+00A4; other bytes are copied. Return the new length.
    ///@{
    unsigned int NastaviSGML(char const *besedilo, unsigned int najvec, T_KODNASTRAN kn);
    unsigned int PrilepiSGML(char const *besedilo, unsigned int najvec, T_KODNASTRAN kn);
    ///@}
    /// Text of code page kn as pure ASCII with references. Mode 1: every character with a name as
    /// "&name;", other characters from 0x80 on as "&#xhex;". Other modes: "&" and characters from 0x80
    /// on; bit 2 adds < > " ', bit 4 adds \ " '. An empty string when the heap cannot hold the result.
    static RNizA VrniSGML(char const *besedilo, unsigned int najvec, unsigned int nacin, T_KODNASTRAN kn);
    /// The static form applied to this string's text (up to its first 0).
    RNizA VrniSGML(unsigned int najvec, unsigned int nacin, T_KODNASTRAN kn) const;
    // ---- end of SGML entities ----

    /// New strings of the first, last or middle characters; counts beyond the text are clamped.
    ///@{
    RNizA Levo(unsigned int stevilo) const;
    RNizA Desno(unsigned int stevilo) const;
    RNizA Sredina(unsigned int zacetek, unsigned int stevilo) const;
    ///@}

    /// Newline conversions; each returns the number of replacements.
    ///@{
    unsigned int PretvoriCRLFvNL();
    unsigned int PretvoriLFCRvNL();
    unsigned int PretvoriNLvCRLF();
    unsigned int PretvoriNLvLFCR();
    ///@}
};

/// UTF-16 text. Conversions without a code-page argument use 1250.
class ZRNO_API RNizU : public virtual RNizVP<unsigned short> {
  public:
    /// An empty string with room for `rezerva` characters, at most `najvec` code units of a UTF-16 text or
    /// string, or `stevilo` copies of a code unit.
    ///@{
    explicit RNizU(unsigned int rezerva = 0);
    RNizU(unsigned short const *niz, unsigned int najvec = 0xFFFFFFFF);
    RNizU(RNizP<unsigned short> const &drugi, unsigned int najvec = 0xFFFFFFFF);
    RNizU(unsigned short znak, unsigned int stevilo);
    ///@}
    /// 8-bit sources, converted with code page 1250.
    ///@{
    RNizU(char const *niz, unsigned int najvec = 0xFFFFFFFF);
    RNizU(RNizP<char> const &drugi, unsigned int najvec = 0xFFFFFFFF);
    RNizU(char znak, unsigned int stevilo);
    ///@}
    /// Copies the code units: the two strings are independent.
    RNizU(RNizU const &drugi);
    /// The resource text.
    RNizU(HINSTANCE__ *modul, unsigned int id, T_KODAJEZIKA2 jezik);
    virtual ~RNizU();

    /// Replace with / append the conversion of 8-bit text in the code page. Return the new length.
    ///@{
    unsigned int NastaviA(char const *niz, unsigned int najvec = 0xFFFFFFFF, T_KODNASTRAN kn = KN_CP1250);
    unsigned int NastaviA(RNizP<char> const &drugi, unsigned int najvec = 0xFFFFFFFF,
                          T_KODNASTRAN kn = KN_CP1250);
    unsigned int NastaviA(char znak, unsigned int stevilo, T_KODNASTRAN kn = KN_CP1250);
    unsigned int PrilepiA(char const *niz, unsigned int najvec = 0xFFFFFFFF, T_KODNASTRAN kn = KN_CP1250);
    unsigned int PrilepiA(RNizP<char> const &drugi, unsigned int najvec = 0xFFFFFFFF,
                          T_KODNASTRAN kn = KN_CP1250);
    unsigned int PrilepiA(char znak, unsigned int stevilo, T_KODNASTRAN kn = KN_CP1250);
    ///@}

    /// Copies the code units; returns the object.
    RNizU &operator=(RNizU const &drugi);
    /// Nastavi / Prilepi with the whole source (one character for the character forms), 8-bit sources
    /// converted with code page 1250; return the buffer.
    ///@{
    unsigned short const *operator=(unsigned short const *niz);
    unsigned short const *operator=(RNizP<unsigned short> const &drugi);
    unsigned short const *operator=(unsigned short znak);
    unsigned short const *operator=(char const *niz);
    unsigned short const *operator=(RNizP<char> const &drugi);
    unsigned short const *operator=(char znak);
    unsigned short const *operator+=(unsigned short const *niz);
    unsigned short const *operator+=(RNizP<unsigned short> const &drugi);
    unsigned short const *operator+=(unsigned short znak);
    unsigned short const *operator+=(char const *niz);
    unsigned short const *operator+=(RNizP<char> const &drugi);
    unsigned short const *operator+=(char znak);
    ///@}

    /// A new BSTR (SysAllocStringLen) of the first min(najvec, length) code units.
    unsigned short *VrniBSTR(unsigned int najvec = 0xFFFFFFFF) const;

    // ---- SGML entities (strings/sgml.cpp) ----
    /// Replace with / append SGML text as in RNizA::NastaviSGML, references stored as UTF-16 (a
    /// character above U+FFFF as its surrogate pair) and other bytes converted one at a time from the
    /// system's ANSI code page. Return the new length.
    ///@{
    unsigned int NastaviSGML(char const *besedilo, unsigned int najvec);
    unsigned int PrilepiSGML(char const *besedilo, unsigned int najvec);
    ///@}
    /// UTF-16 text as pure ASCII with references, modes as in RNizA::VrniSGML.
    static RNizA VrniSGML(unsigned short const *besedilo, unsigned int najvec, unsigned int nacin);
    /// The static form applied to this string's text (up to its first 0).
    RNizA VrniSGML(unsigned int najvec, unsigned int nacin) const;
    // ---- end of SGML entities ----

    /// New strings of the first, last or middle code units; counts beyond the text are clamped.
    ///@{
    RNizU Levo(unsigned int stevilo) const;
    RNizU Desno(unsigned int stevilo) const;
    RNizU Sredina(unsigned int zacetek, unsigned int stevilo) const;
    ///@}
};

#endif
