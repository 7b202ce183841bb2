/// \file
/// Zrno data streams: the disk file and its open flags.
#ifndef ZRNO_STREAMS_RFIZDATOTEKA_H
#define ZRNO_STREAMS_RFIZDATOTEKA_H

#include <zrno/streams/RDatoteka.h>
#include <zrno/streams/RSisTokPodatkov.h>

/// Open flags of RFizDatoteka::Odpri (a bit set; bits not listed are ignored).
constexpr unsigned int DAT_BRANJE = 0x0001;         ///< read access
constexpr unsigned int DAT_PISANJE = 0x0002;        ///< write access
constexpr unsigned int DAT_DELI_BRANJE = 0x0004;    ///< others may read
constexpr unsigned int DAT_DELI_PISANJE = 0x0008;   ///< others may write
constexpr unsigned int DAT_DELI_BRISANJE = 0x0010;  ///< others may delete or rename
constexpr unsigned int DAT_BREZ_DEDOVANJA = 0x0020; ///< the handle is not inheritable
constexpr unsigned int DAT_USTVARI = 0x0040;       ///< create (truncating), or with DAT_OHRANI open or create
constexpr unsigned int DAT_OHRANI = 0x0080;        ///< with DAT_USTVARI: keep existing contents
constexpr unsigned int DAT_NA_KONEC = 0x0100;      ///< start at the end of the file
constexpr unsigned int DAT_TAKOJ_NA_DISK = 0x0400; ///< write-through
constexpr unsigned int DAT_BREZ_PREDPOMNJENJA = 0x0800; ///< no system caching (sector-aligned transfers)
constexpr unsigned int DAT_NAKLJUCNO = 0x1000;          ///< random-access hint
constexpr unsigned int DAT_ZAPOREDNO = 0x2000;          ///< sequential-scan hint

/// A disk file. Copies share the raw handle; the destructor (and an assignment over a held handle)
/// closes it once, however many copies share it: the last owner closes. One thread at a time per
/// object; objects sharing a handle share the system file pointer.
class ZRNO_API RFizDatoteka : public virtual RDatoteka, public virtual RSisTokPodatkov {
  public:
    /// Takes a handle (none by default); it is closed by the last owner.
    RFizDatoteka(void *rocica = reinterpret_cast<void *>(-1)) { m_rocica = rocica; }
    /// Opens ime (code-page text) with the DAT_ flags; the outcome is in the state.
    RFizDatoteka(char const *ime, unsigned int zastavice);
    /// Copies share the raw handle and the state; the handle is closed once, by the last owner.
    RFizDatoteka(const RFizDatoteka &o);
    ~RFizDatoteka() override;
    /// Closes the handle held before when this was its last owner, then shares the other's.
    RFizDatoteka &operator=(const RFizDatoteka &o);

    /// Opens a file by name (code-page text) with the DAT_ flags. A handle held before is overwritten
    /// without being closed. Failure: mapped error, default NAP_ODPIRANJE. With DAT_NA_KONEC a file
    /// whose end cannot be reached is closed again and NAP_POLOZAJ returned, rather than opened at its
    /// start where appended bytes would overwrite it.
    int Odpri(char const *ime, unsigned int zastavice);
    using RSisElement::Zapri;
    /// As RSisTokPodatkov::Zapri. A copy whose shared handle another copy has already closed fails
    /// with NAP_ROCICA without a system call: the value may by now name another object.
    int Zapri() override;
    /// As RSisTokPodatkov::Uporabi; the object stops sharing the handle it held.
    int Uporabi(void *rocica) override;
    /// As RSisTokPodatkov::Odpusti; the object stops sharing the handle with its copies.
    void *Odpusti() override;

    /// SetFilePointer; NAP_ROCICA (returns 0) without a handle, NAP_POLOZAJ (returns all bits set)
    /// when the system refuses.
    unsigned __int64 Prestavi(__int64 odmik, T_DATNACINODMIKA izhodisce) override;
    unsigned __int64 VrniOdmik() override;
    /// Exclusive, non-waiting lock; 0 or NAP_ZAKLEPANJE.
    int ZakleniObmocje(unsigned __int64 odmik, unsigned __int64 dolzina) override;
    /// 0 or NAP_ODKLEPANJE.
    int OdkleniObmocje(unsigned __int64 odmik, unsigned __int64 dolzina) override;
    /// GetFileSize; all bits set when it fails. The state is not touched.
    unsigned __int64 VrniDolzino() const override;
    /// SetEndOfFile; 0 or NAP_KONECDATOTEKE.
    int PostaviKonec() override;

    /// File times as RDatum milliseconds (UTC); 0 when they cannot be read.
    ///@{
    __int64 VrniDatumStvaritve() const;
    __int64 VrniDatumDostopa() const;
    __int64 VrniDatumPisanja() const;
    ///@}
};

#endif
