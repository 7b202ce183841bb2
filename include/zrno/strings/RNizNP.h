/// \file
/// Zrno strings: RNizNP<T>, the layer of case conversion and white-space trimming.
#ifndef ZRNO_STRINGS_RNIZNP_H
#define ZRNO_STRINGS_RNIZNP_H

#include <zrno/strings/RNizP.h>

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

extern template class ZRNO_API RNizNP<char>;
extern template class ZRNO_API RNizNP<unsigned short>;

#endif
