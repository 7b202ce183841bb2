/// \file
/// Zrno module frame: RIskalnikDatotek, the file search, and the directory entries it delivers.
#ifndef ZRNO_FRAME_RISKALNIKDATOTEK_H
#define ZRNO_FRAME_RISKALNIKDATOTEK_H

#include <zrno/frame/Elementi.h>

/// One directory entry found by RIskalnikDatotek. The times are UTC on the RDatum scale (milliseconds,
/// Julian-day based; the system's file time / 10 000 + 199 222 329 600 000).
struct T_NAJDENADATOTEKA {
    unsigned int Atributi;       ///< FILE_ATTRIBUTE_* bits as the system reports them
    unsigned long long Velikost; ///< size in bytes
    long long CasUstvarjanja;    ///< creation time
    long long CasDostopa;        ///< last access time
    long long CasSpremembe;      ///< last write time

    char KratkoIme[14]; ///< the 8.3 name; empty when the system gives none
    char Pot[260];      ///< the pattern's directory part followed by the name (at most 259 characters)
    char *Ime;          ///< points into Pot at the name
};

/// Enumerates the directory entries matching a pattern ("." and ".." included), in the system's order.
/// Copies continue the same system search. The destructor does not close the search; Zapri does.
/// One thread at a time per finder.
class ZRNO_API RIskalnikDatotek : public RSisElement {
  public:
    RIskalnikDatotek();
    /// Copies share the search handle and the entry waiting to be delivered; only one of them closes.
    RIskalnikDatotek(const RIskalnikDatotek &o);
    ~RIskalnikDatotek() override;
    /// Shares the other's search (the one held before is not closed) and its waiting entry.
    RIskalnikDatotek &operator=(const RIskalnikDatotek &o);

    /// Starts a search (code-page pattern, such as `C:\dir\*.txt`). Failure: the mapped error, default
    /// NAP_NINAJDENO (NAP_NIDATOTEKE when nothing matches). A search still open is not closed first.
    int Odpri(char const *vzorec);
    /// Delivers the next entry: 0, or NAP_NIVEC when there is none.
    int Poisci(T_NAJDENADATOTEKA *najdena);
    using RSisElement::Zapri;
    /// Ends the search: 0, 1 when none is open, or the mapped error (default NAP_ZAPIRANJE).
    int Zapri() override;

  private:
    friend struct PreverjanjeRazporeditve;
    char m_imenik[260];
    unsigned int m_dolzinaImenika;
    alignas(4) unsigned char m_cakajoci[320]; ///< the system's WIN32_FIND_DATAA of the next entry
    bool m_konec;
};

#endif
