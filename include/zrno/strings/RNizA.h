/// \file
/// Zrno strings: RNizA, 8-bit text in a Windows code page, the concrete class over all string layers.
#ifndef ZRNO_STRINGS_RNIZA_H
#define ZRNO_STRINGS_RNIZA_H

#include <zrno/strings/RNizVP.h>

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
    /// "&#xN;" become one byte of code page kn (a zero byte when it needs more than one), unknown names
    /// and the value 0 the currency sign U+00A4; other bytes are copied. Return the new length.
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

#endif
