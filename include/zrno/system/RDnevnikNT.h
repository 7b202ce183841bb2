/// \file
/// A log that reports its messages to the system event log as an event source, and the registration
/// of event sources under the Eventlog key of the registry.
#ifndef ZRNO_SYSTEM_RDNEVNIKNT_H
#define ZRNO_SYSTEM_RDNEVNIKNT_H

#include <zrno/frame/Elementi.h>
#include <zrno/system/RDnevnik.h>

/// The event source handle is RSisElement's (-1 when none). Odpri registers the source named by the
/// log's source name; the destructor leaves it registered, so the owner calls Zapri. Copies share the
/// handle. After an event number the variadic arguments are insertion strings (char const *, code-page
/// text) ended by a null pointer, not printf arguments. Each report carries the log's category (low
/// 16 bits) and the event type of its priority: 3 and below error, 4 warning, 5 information, 6 and
/// above success.
/// It holds no lock: one thread at a time per object.
class ZRNO_API RDnevnikNT : public virtual RDnevnik, public virtual RSisElement {
  public:
    /// rocica: an event source handle, or -1 for none.
    RDnevnikNT(unsigned int kategorija = 0, char const *vir = nullptr,
               void *rocica = reinterpret_cast<void *>(-1));
    /// Copies share the event source handle and hold their own copy of the source name.
    RDnevnikNT(const RDnevnikNT &o);
    /// Shares the other's event source handle (the one held before is not closed); returns the object.
    RDnevnikNT &operator=(const RDnevnikNT &o);
    /// Does not deregister the source.
    ~RDnevnikNT() override;

    /// Registers the event source on the server (null: this computer; code-page text) and keeps the
    /// handle; 0, or the mapped error, default NAP_ODPIRANJE.
    int Odpri(char const *streznik = nullptr);
    /// 1 without a handle; otherwise deregisters the source and makes the handle -1: 0, or the mapped
    /// error (default NAP_ZAPIRANJE) with the handle kept.
    int Zapri() override;

    using RDnevnik::Zapisi;
    /// Reports event dogodek with velikost bytes of raw data and the insertion strings in the list.
    int Zapisi(T_DNEVNIKPRIORITETA prioriteta, void *podatki, unsigned int velikost, unsigned int dogodek,
               ...);
    /// Reports one event: 0, NAP_POMNILNIK when the strings cannot be collected, or the mapped error,
    /// default NAP_PISANJE. nizi is a va_list of insertion strings ended by a null pointer.
    int ZapisiP(T_DNEVNIKPRIORITETA prioriteta, void *podatki, unsigned int velikost, unsigned int dogodek,
                char *nizi);
    /// Reports event sporocilo without data.
    int ZapisiP(T_DNEVNIKPRIORITETA prioriteta, unsigned int sporocilo, char *nizi) override;
    /// Reports event 0 whose only insertion string is the formatted text.
    int ZapisiP(T_DNEVNIKPRIORITETA prioriteta, char const *oblika, char *argumenti) override;

    /// Registers the source (code-page text) under the local machine's
    /// `SYSTEM\CurrentControlSet\Services\Eventlog\Application`: "EventMessageFile" and
    /// "ParameterMessageFile" (REG_SZ) when given, "CategoryMessageFile" (REG_SZ) with "CategoryCount"
    /// (REG_DWORD) when given, and always "TypesSupported" (REG_DWORD). Returns the result of creating
    /// the key; the values are written on a best-effort basis. A null or empty source: NAP_PARAMETER.
    static int Registriraj(char const *vir, unsigned int tipi, char const *sporocila, char const *parametri,
                           char const *kategorije, unsigned int steviloKategorij);
    /// Deletes the source's registration; 0, or the failure of opening the Application key or of the
    /// deletion. A null or empty source: NAP_PARAMETER.
    static int Odjavi(char const *vir);

  private:
    int Porocaj(T_DNEVNIKPRIORITETA prioriteta, void *podatki, unsigned int velikost, unsigned int dogodek,
                char const **nizi, unsigned int stevilo);
};

#endif
