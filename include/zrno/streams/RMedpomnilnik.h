/// \file
/// The caching buffer: one block of an underlying file held in memory, with its own logical position, so
/// that small reads and writes cost a copy and the file sees only block loads, write-backs of a changed
/// block and requests larger than the block. RMedFizDatoteka is the usual pairing with a disk file.
#ifndef ZRNO_STREAMS_RMEDPOMNILNIK_H
#define ZRNO_STREAMS_RMEDPOMNILNIK_H

#include <zrno/streams/RFizDatoteka.h>

/// A one-block cache over another RDatoteka. The file is not owned, but Zapri closes it. Nobody else
/// may move or write the file while the cache is attached: it seeks the file before every transfer,
/// and a transfer whose seek the file refuses (or does not reach) stops with that failure, so no byte
/// is read from or written to another place. A read that reaches the end of the file reports
/// NAP_KONECPODATKOV together with the last bytes: copy with the count a read returned before looking
/// at the state (ROdtisnikToka does not; put an RIzravnalnik between them).
class ZRNO_API RMedpomnilnik : public virtual RDatoteka {
  public:
    /// Detached.
    RMedpomnilnik();
    /// Attaches with Uporabi; the outcome is in the state.
    RMedpomnilnik(RDatoteka *datoteka, unsigned int velikost);
    /// Copies share the block buffer and the file but keep their own block and position: a copy that
    /// only reads loads its blocks into the shared buffer, over the original's unwritten changes.
    /// Izplakni before copying and use one copy at a time. The buffer is freed once, by the last owner.
    RMedpomnilnik(const RMedpomnilnik &o);
    /// Writes a changed block back (unreported) and frees the buffer; the file is not closed.
    ~RMedpomnilnik() override;
    /// Detaches from the file held before (writing back), then copies.
    RMedpomnilnik &operator=(const RMedpomnilnik &o);

    /// Attaches to datoteka with a block of velikost bytes from the private heap (0: no buffer, every
    /// request goes straight to the file). The position becomes the file's own, or 0 when the file's
    /// state is negative; the result is the file's state, or NAP_POMNILNIK when the buffer cannot be
    /// had. A cache attached before is detached first.
    int Uporabi(RDatoteka *datoteka, unsigned int velikost);
    /// Writes a changed block back (a failure is not reported), frees the buffer, leaves the file's own
    /// pointer at the cache's position and detaches; returns the file.
    RDatoteka *Odpusti();
    /// The attached file; null when detached.
    RDatoteka *VrniDatoteko() const { return m_datoteka; }

    unsigned int Preberi(void *medpomnilnik, unsigned int stevilo) override;
    unsigned int Zapisi(void const *medpomnilnik, unsigned int stevilo) override;
    /// Detaches and closes the file, returning its result (the cache's own state stays 0); 1 when
    /// detached.
    int Zapri() override;
    /// Writes a changed block back, then flushes the file. A negative state left by an earlier
    /// operation is returned without touching the file.
    int Izplakni() override;
    /// Only moves the cache's position (an unknown origin returns all bits set and changes nothing);
    /// without a buffer, the file's own seek. A position before the start or beyond 2^63 - 1 is
    /// refused as the disk file refuses it: all bits set, NAP_POLOZAJ in the state, the position kept
    /// (otherwise the state is not touched).
    unsigned __int64 Prestavi(__int64 odmik, T_DATNACINODMIKA izhodisce) override;
    unsigned __int64 VrniOdmik() override;
    /// The file's region locks; the held block is not written back first.
    int ZakleniObmocje(unsigned __int64 odmik, unsigned __int64 dolzina) override;
    int OdkleniObmocje(unsigned __int64 odmik, unsigned __int64 dolzina) override;
    /// The file's length, or the end of the held block when that lies further (unwritten changes count).
    unsigned __int64 VrniDolzino() const override;
    /// Cuts the held block at the position, then makes the position the file's end (the seek's failure
    /// when the file cannot be sought there).
    int PostaviKonec() override;

  protected:
    /// Writes the held block back; on failure the block stays changed and the file's state is returned.
    int IzplakniMedpomnilnik();
    /// Writes back a changed block, then forgets the block.
    int RazveljaviMedpomnilnik();
    /// Writes back a changed block, then loads the block at odmik (short or empty at the file's end).
    int ZamenjajMedpomnilnik(unsigned __int64 odmik);

    friend struct PreverjanjeRazporeditve;
    /// The attached file (not owned); null when detached.
    RDatoteka *m_datoteka;
    /// The block buffer (private heap); null without one.
    unsigned char *m_medpomnilnik;
    unsigned int m_drzano;   ///< valid bytes of the block
    unsigned int m_velikost; ///< capacity of the buffer, the block size
    bool m_spremenjen;       ///< the held bytes differ from the file's
    /// The file offset of the held block.
    unsigned __int64 m_odmikBloka;
    /// The cache's logical position.
    unsigned __int64 m_polozaj;

  private:
    friend class Zrno::Notranje::Zaloga; // the line reader scans the block in place
    void SprostiMedpomnilnik();
    unsigned int PreberiPocasi(unsigned char *cilj, unsigned int stevilo);
    unsigned int ZapisiPocasi(unsigned char const *vir, unsigned int stevilo);
};

/// A cache over a disk file of its own. Read access is added whenever write access is asked for, so
/// blocks can be loaded. Zapri keeps the buffer, so the object can be opened again with Odpri.
class ZRNO_API RMedFizDatoteka : public virtual RMedpomnilnik {
  public:
    /// Opens ime (code-page text) with the DAT_ flags; the outcome is in the state.
    RMedFizDatoteka(char const *ime, unsigned int zastavice, unsigned int velikost);
    /// Adopts a handle (none by default).
    RMedFizDatoteka(void *rocica = reinterpret_cast<void *>(-1), unsigned int velikost = 512);
    /// Copies share the buffer and, by the disk file's rules, the handle (closed by its last owner).
    RMedFizDatoteka(const RMedFizDatoteka &o);
    /// Writes back, frees the buffer and closes the file.
    ~RMedFizDatoteka() override;
    /// Copies the cache fields and the contained file by their rules; returns the object.
    RMedFizDatoteka &operator=(const RMedFizDatoteka &o);

    /// Opens the contained file (code-page text); the cache's position keeps its value, also with
    /// DAT_NA_KONEC: append by seeking with PrestaviKon(0) afterwards.
    int Odpri(char const *ime, unsigned int zastavice);
    /// Gives the contained file a handle.
    int Uporabi(void *rocica);
    /// Writes a changed block back and forgets it, then gives up the handle, neither closed nor flushed.
    void *Odpusti();
    /// Writes a changed block back and forgets it, rewinds the position and closes the file.
    int Zapri() override;

    /// The file's times as RDatum milliseconds (UTC); 0 when they cannot be read.
    ///@{
    __int64 VrniDatumStvaritve() const { return m_datotekaFiz.VrniDatumStvaritve(); }
    __int64 VrniDatumDostopa() const { return m_datotekaFiz.VrniDatumDostopa(); }
    __int64 VrniDatumPisanja() const { return m_datotekaFiz.VrniDatumPisanja(); }
    ///@}
    /// The contained file holds a valid handle.
    bool JeVeljaven() const { return m_datotekaFiz.JeVeljaven(); }

  private:
    int Pozabi();

    friend struct PreverjanjeRazporeditve;
    RFizDatoteka m_datotekaFiz;
};

#endif
