/// \file
/// Zrno strings: RNizP<T>, the storage layer of the string family, with searching, comparing and
/// editing. Counts and positions are in characters of T. A trailing `unsigned int` maximum of 0xFFFFFFFF
/// means "all of it"; a search that finds nothing returns 0xFFFFFFFF.
///
/// Memory: the buffer lives on the library's private heap and grows in steps of 128 characters. When
/// the heap refuses to grow it, the string stays valid, terminated and unchanged, and the operation
/// that wanted the room takes only what fits in the present buffer: Nastavi, Prilepi, Vstavi, the
/// operators, the conversions and Oblikuj/PrilepiO keep as many characters as the capacity allows
/// (their result is the length actually reached), Odpusti returns null, Zamenjaj with a longer
/// replacement changes nothing and returns 0. Nothing is ever written past the buffer. A reserve
/// constructor whose size is refused falls back to the default 128 characters.
#ifndef ZRNO_STRINGS_RNIZP_H
#define ZRNO_STRINGS_RNIZP_H

#include <zrno/frame/Elementi.h>
#include <zrno/frame/Pomnilnik.h>

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

    /// Replace every non-overlapping occurrence; return the count. The I forms match without regard to
    /// case; a replacement character is written unchanged.
    ///
    /// Which occurrences are taken depends on the lengths: a replacement no longer than the pattern
    /// takes them from the left, a longer one from the right. A pattern that can overlap itself (a
    /// proper prefix equal to a suffix) so gives results that differ by the replacement's length: in
    /// aaa, aa by X gives Xa but aa by XYZ gives aXYZ; in ababa, aba by XYZW gives abXYZW. Replace with
    /// a pattern that cannot overlap itself, or build the result in a new string (Najdi, Prilepi) when
    /// the leftmost occurrences must be taken whatever the lengths.
    ///
    /// Works on the text up to its first 0, and the string ends there afterwards: a string with an
    /// embedded 0 is cut at it even when nothing is replaced (only an empty pattern, and a replacement
    /// longer than the pattern that finds nothing, leave it whole). Keep binary data with zero
    /// characters out of these edits: edit it by positions and lengths (Zbrisi, Skrajsaj, Prilepi of
    /// another string) or hold it in a memory file (RPomDatoteka).
    unsigned int Zamenjaj(T const *vzorec, T const *zamenjava);
    /// Zamenjaj finding the occurrences without regard to case.
    unsigned int ZamenjajI(T const *vzorec, T const *zamenjava);
    /// Overwrites every occurrence of a character in place up to the first 0 (the length is kept);
    /// returns the count.
    unsigned int Zamenjaj(T znak, T zamenjava);
    /// The same matching either case; the replacement is written unchanged.
    unsigned int ZamenjajI(T znak, T zamenjava);
    /// Remove every occurrence of the character (OdstraniI: in either case); return the count. Works up
    /// to the first 0 and the string ends there afterwards, even when nothing is removed: ab, 0, cd
    /// becomes ab. Keep binary data with zero characters out of it (see Zamenjaj).
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

extern template class ZRNO_API RNizP<char>;
extern template class ZRNO_API RNizP<unsigned short>;

#endif
