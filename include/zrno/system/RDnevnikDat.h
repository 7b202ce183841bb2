/// \file
/// A log that writes one text line per message to any data stream (a disk file, a pipe, a memory
/// file), its writers serialised by a mutex of its own.
#ifndef ZRNO_SYSTEM_RDNEVNIKDAT_H
#define ZRNO_SYSTEM_RDNEVNIKDAT_H

#include <zrno/streams/RTokPodatkov.h>
#include <zrno/strings/Jeziki.h>
#include <zrno/strings/KodneStrani.h>
#include <zrno/system/RDnevnik.h>
#include <zrno/threads/RNevarenOdsek.h>

struct HINSTANCE__;

/// Each message becomes the line "yyyy/mm/dd<TAB>hh:mm:ss<TAB>priority<TAB>source: text<LF>", stamped
/// with the present UTC time. Control characters in the source or the text (0x00 to 0x1F and 0x7F)
/// are written as visible escapes, so that a message is one line whatever it holds and text from
/// outside can never forge a record: CR, LF and TAB as `\r`, `\n` and `\t`, the others as `\x` and
/// two lower-case hex digits (`\x1b`); a backslash stays as it is, so an escape cannot be told from
/// the same characters typed, but it never ends a line. The line is written with one Zapisi and
/// flushed while the mutex is held: lines of several threads never mix. The stream is not owned: the
/// caller attaches it with Uporabi, detaches it (Uporabi(nullptr)) before destroying it, and closes
/// it. A copy shares the stream and holds a duplicate handle of the same mutex, so copies serialise
/// with each other too. Writers on any thread may share one log.
class ZRNO_API RDnevnikDat : public RDnevnik {
  public:
    /// modul, jezik, kodnaStran: where message resources are loaded from, and the code page their
    /// UTF-16 text is converted to. No stream; creates the mutex.
    RDnevnikDat(unsigned int kategorija = 0, char const *vir = nullptr, HINSTANCE__ *modul = nullptr,
                T_KODAJEZIKA2 jezik = KJ2_PRIVZETI, T_KODNASTRAN kodnaStran = KN_CP1250);
    /// The copy shares the stream (not owned) and holds a duplicate handle of the same mutex.
    RDnevnikDat(const RDnevnikDat &o);
    /// Closes its own mutex handle, then shares the other's stream and mutex (the handle duplicated);
    /// returns the object.
    RDnevnikDat &operator=(const RDnevnikDat &o);
    /// Closes the mutex; the stream is left alone.
    ~RDnevnikDat() override;

    /// Replaces the output stream (null detaches) and returns the previous one. Waits for a line in
    /// progress, so the previous stream is no longer used once this returns.
    RTokPodatkov *Uporabi(RTokPodatkov *tok);

    using RDnevnik::Zapisi;
    /// Loads the message resource from the stored module and language, converted with the stored code
    /// page, and logs it as the format; a missing resource logs an empty text.
    int ZapisiP(T_DNEVNIKPRIORITETA prioriteta, unsigned int sporocilo, char *argumenti) override;
    /// Writes one line. 0; the stream's state when it took fewer bytes than the line holds; the mutex's
    /// failure; NAP_PARAMETER when no stream is attached, NAP_POMNILNIK when the line cannot be built
    /// (nothing is written then).
    int ZapisiP(T_DNEVNIKPRIORITETA prioriteta, char const *oblika, char *argumenti) override;

  protected:
    friend struct PreverjanjeRazporeditve;
    /// The output stream (not owned); null when detached.
    RTokPodatkov *m_tok;
    /// The mutex that serialises the writers.
    RNevarenOdsek m_odsek;
    HINSTANCE__ *m_modul; ///< HINSTANCE
    /// The language of the message resources.
    T_KODAJEZIKA2 m_jezik;
    /// The code page message resources are converted to.
    T_KODNASTRAN m_kodnaStran;
};

#endif
