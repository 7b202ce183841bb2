/// \file
/// Zrno strings: RNizU, UTF-16 text, the concrete class over all string layers.
#ifndef ZRNO_STRINGS_RNIZU_H
#define ZRNO_STRINGS_RNIZU_H

#include <zrno/strings/RNizA.h>
#include <zrno/strings/RNizVP.h>

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
    /// Replace with / append SGML text as in RNizA::NastaviSGML, references stored as UTF-16 as they are
    /// and other bytes converted one at a time from the system's ANSI code page. Return the new length.
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
