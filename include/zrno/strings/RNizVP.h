/// \file
/// Zrno strings: RNizVP<T>, the layer of strings loaded from a module's string resources.
#ifndef ZRNO_STRINGS_RNIZVP_H
#define ZRNO_STRINGS_RNIZVP_H

#include <zrno/strings/Jeziki.h>
#include <zrno/strings/KodneStrani.h>
#include <zrno/strings/RNizOP.h>

struct HINSTANCE__;

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

extern template class ZRNO_API RNizVP<char>;
extern template class ZRNO_API RNizVP<unsigned short>;

#endif
