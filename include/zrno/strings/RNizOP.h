/// \file
/// Zrno strings: RNizOP<T>, the layer of printf-style formatting and scanf-style parsing.
#ifndef ZRNO_STRINGS_RNIZOP_H
#define ZRNO_STRINGS_RNIZOP_H

#include <zrno/strings/RNizNP.h>

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
    /// cannot produce (a character its code page lacks) leaves what it wrote before failing. The
    /// format is the C runtime's, `%n` included, which writes through its pointer argument: a format
    /// from an untrusted source can write anywhere. Format such text as an argument (`"%s"`, text).
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

extern template class ZRNO_API RNizOP<char>;
extern template class ZRNO_API RNizOP<unsigned short>;

#endif
