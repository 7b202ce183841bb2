/// \file
/// The log interface: messages with a priority, given as a printf-style format or as the number of a
/// message resource, passed on to the log's own ZapisiP with the argument list.
#ifndef ZRNO_SYSTEM_RDNEVNIK_H
#define ZRNO_SYSTEM_RDNEVNIK_H

#include <zrno/frame/Elementi.h>

/// A message's priority: smaller is more severe. A file log prints the number; the event log maps 3
/// and below to an error, 4 to a warning, 5 to information and 6 and above to success.
enum T_DNEVNIKPRIORITETA : int {
    DNEVNIK_NUJNO = 0,         ///< emergency
    DNEVNIK_PREPLAH = 1,       ///< alert
    DNEVNIK_KRITICNO = 2,      ///< critical
    DNEVNIK_NAPAKA = 3,        ///< error
    DNEVNIK_OPOZORILO = 4,     ///< warning
    DNEVNIK_OBVESTILO = 5,     ///< notice
    DNEVNIK_INFORMACIJA = 6,   ///< information
    DNEVNIK_RAZHROSCEVANJE = 7 ///< debugging
};

/// A log: a category (used by the event log as the event category) and a source name (a private copy
/// on the library's heap, null when none was given). Copies hold copies of the name.
/// Each derived class says which threads may share it.
class ZRNO_API RDnevnik : public virtual RElement {
  public:
    /// vir: code-page text, or null for none.
    RDnevnik(unsigned int kategorija = 0, char const *vir = nullptr);
    /// The copy holds its own copy of the source name.
    RDnevnik(const RDnevnik &o);
    /// Replaces the source name by a copy of the other's; returns the object.
    RDnevnik &operator=(const RDnevnik &o);
    /// Frees the copy of the source name.
    ~RDnevnik() override;

    /// Logs the message formatted by printf rules (code-page text); returns the log's result.
    int Zapisi(T_DNEVNIKPRIORITETA prioriteta, char const *oblika, ...);
    /// Logs the message resource sporocilo with the arguments; returns the log's result.
    int Zapisi(T_DNEVNIKPRIORITETA prioriteta, unsigned int sporocilo, ...);

    /// A message given by resource number; argumenti is a va_list.
    virtual int ZapisiP(T_DNEVNIKPRIORITETA prioriteta, unsigned int sporocilo, char *argumenti) = 0;
    /// A message given as a printf-style format; argumenti is a va_list.
    virtual int ZapisiP(T_DNEVNIKPRIORITETA prioriteta, char const *oblika, char *argumenti) = 0;

    /// The category.
    unsigned int VrniKategorijo() const { return m_kategorija; }
    /// The source name; null when the log has none.
    char const *VrniVir() const { return m_vir; }

  protected:
    friend struct PreverjanjeRazporeditve;
    /// The category (the event log's event category).
    unsigned int m_kategorija;
    /// The source name on the private heap; null when none.
    char *m_vir;
};

#endif
