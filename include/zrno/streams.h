// Zrno data streams: the abstract stream with its non-sticky state and its helpers, the seekable file,
// the stream over a system handle, the disk file, the memory file and the stream converters (the
// transparent base, the buffering converter and the buffered handle stream).
//
// Every stream records the outcome of its last operation in its state: 0 success, 1 nothing to close,
// NAP_KONECPODATKOV (0x8000005F) end of data, any other negative value a failure. The state is not
// sticky: the next operation overwrites it. Counts are bytes unless a member says otherwise.
#ifndef ZRNO_STREAMS_H
#define ZRNO_STREAMS_H

#include <stdint.h> // __int64 on mingw
#include <zrno/frame.h>

struct tagSAFEARRAY;
class RNizA;
class RNizU;

/// Seek origins; the values are the system's FILE_BEGIN, FILE_CURRENT and FILE_END.
enum T_DATNACINODMIKA { ODMIK_ZAC = 0, ODMIK_TREN = 1, ODMIK_KON = 2 };

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

/// The abstract stream: read, write, close, flush, and the state of the last operation.
class ZRNO_API RTokPodatkov : public virtual RIzpElement {
  public:
    RTokPodatkov() : m_stanje(0) {}
    RTokPodatkov(const RTokPodatkov &o) : RElement(o), RIzpElement(o), m_stanje(o.m_stanje) {}
    ~RTokPodatkov() override;
    RTokPodatkov &operator=(const RTokPodatkov &o) {
        m_stanje = o.m_stanje;
        return *this;
    }

    /// Reads up to stevilo bytes; returns the count delivered. A non-zero request either delivers at
    /// least one byte or leaves a negative state.
    virtual unsigned int Preberi(void *medpomnilnik, unsigned int stevilo) = 0;
    /// Writes stevilo bytes; returns the count accepted.
    virtual unsigned int Zapisi(void const *medpomnilnik, unsigned int stevilo) = 0;
    /// Closes the stream; the result is also the state.
    virtual int Zapri() = 0;

    int VrniStanje() const { return m_stanje; }
    /// True after end of data or a failure (state < 0).
    bool JeKonec() const { return m_stanje < 0; }
    void ResetirajStanje() { m_stanje = 0; }

    /// Reads stevilo elements of velikost bytes, looping until done or the state turns negative;
    /// returns whole elements read (a partial last element stays in the buffer, uncounted).
    unsigned int PreberiTab(void *medpomnilnik, unsigned int velikost, unsigned int stevilo);
    /// One Zapisi of velikost * stevilo bytes; returns whole elements accepted.
    unsigned int ZapisiTab(void const *medpomnilnik, unsigned int velikost, unsigned int stevilo);
    /// Reads one byte; meaningless when the state is negative afterwards.
    unsigned char PreberiBajt();
    /// Writes one byte; returns the state afterwards.
    int ZapisiBajt(unsigned char vrednost);
    /// Reads one line of code-page text up to LF (not stored; a CR just before it is dropped);
    /// returns its length. At the end of data the state is negative and the text read so far is kept.
    unsigned int PreberiVrstico(RNizA &vrstica);
    /// UTF-16 twin of the above: the units are 16-bit code units in machine order.
    unsigned int PreberiVrstico(RNizU &vrstica);
    /// Copies up to stevilo bytes from vir (all of it for 0xFFFFFFFFFFFFFFFF) in chunks of at most
    /// 4096; returns bytes written. The source's end of data leaves this state at 0, its failure is
    /// taken over; NAP_POMNILNIK when the transfer buffer cannot be had.
    unsigned __int64 ZapisiTok(RTokPodatkov &vir, unsigned __int64 stevilo);
    /// Writes the bytes of a one-dimensional VT_UI1 array; NAP_PARAMETER in the state when it cannot
    /// be locked.
    unsigned int ZapisiSAFEARRAY(tagSAFEARRAY *polje);
    /// Writes printf-style formatted code-page text (no terminator); returns characters written.
    unsigned int ZapisiObl(char const *oblika, ...);
    /// Writes printf-style formatted UTF-16 text (%s UTF-16, %S code-page); returns characters written.
    unsigned int ZapisiObl(unsigned short const *oblika, ...);
    /// ZapisiObl with an argument list (a va_list).
    unsigned int ZapisiOblP(char const *oblika, char *argumenti);
    unsigned int ZapisiOblP(unsigned short const *oblika, char *argumenti);

  protected:
    /// Records a result in the state and returns it.
    int NastaviStanje(int rezultat) { return m_stanje = rezultat; }

    int m_stanje;

  private:
    template <typename T> unsigned int ZapisiOblT(T const *oblika, char *argumenti);
};

/// A stream with a position: 64-bit seeking, length, truncation and region locks.
class ZRNO_API RDatoteka : public virtual RTokPodatkov {
  public:
    RDatoteka() {}
    RDatoteka(const RDatoteka &o) : RElement(o), RIzpElement(o), RTokPodatkov(o) {}
    ~RDatoteka() override;
    RDatoteka &operator=(const RDatoteka &o) {
        RTokPodatkov::operator=(o);
        return *this;
    }

    /// Moves the position; returns the new one.
    virtual unsigned __int64 Prestavi(__int64 odmik, T_DATNACINODMIKA izhodisce) = 0;
    /// The current position.
    virtual unsigned __int64 VrniOdmik() = 0;
    /// Locks a byte range; this default reports NAP_ZAKLEPANJE (no locking available).
    virtual int ZakleniObmocje(unsigned __int64 odmik, unsigned __int64 dolzina);
    /// Unlocks a byte range; this default reports NAP_ODKLEPANJE (no locking available).
    virtual int OdkleniObmocje(unsigned __int64 odmik, unsigned __int64 dolzina);
    /// The length in bytes.
    virtual unsigned __int64 VrniDolzino() const = 0;
    /// Makes the current position the end of the file.
    virtual int PostaviKonec() = 0;

    unsigned __int64 PrestaviZac(unsigned __int64 odmik) {
        return Prestavi(static_cast<__int64>(odmik), ODMIK_ZAC);
    }
    unsigned __int64 PrestaviTren(__int64 odmik) { return Prestavi(odmik, ODMIK_TREN); }
    unsigned __int64 PrestaviKon(__int64 odmik) { return Prestavi(odmik, ODMIK_KON); }

    /// The whole file (low 32 bits of its length) as a new VT_UI1 array that the caller destroys;
    /// null with NAP_POMNILNIK when it cannot be made. The position is left where the read stopped.
    tagSAFEARRAY *VrniSAFEARRAY();
};

/// A stream over one system handle (file, pipe, console, device): ReadFile, WriteFile,
/// FlushFileBuffers. Copies share the raw handle; the destructor releases it without closing.
/// Also carries the file-attribute functions.
class ZRNO_API RSisTokPodatkov : public virtual RTokPodatkov, public virtual RSisElement {
  public:
    // The handle is stored in the body: a virtual base is built by the most derived class only.
    RSisTokPodatkov(void *rocica = reinterpret_cast<void *>(-1)) { m_rocica = rocica; }
    RSisTokPodatkov(const RSisTokPodatkov &o)
        : RElement(o), RIzpElement(o), RTokPodatkov(o), RSisElement(o) {}
    ~RSisTokPodatkov() override;
    RSisTokPodatkov &operator=(const RSisTokPodatkov &o) {
        RTokPodatkov::operator=(o);
        RSisElement::operator=(o);
        return *this;
    }

    using RSisElement::Podvoji;
    using RSisElement::Zapri;

    /// ReadFile; a successful read of 0 bytes is end of data. Failure default NAP_BRANJE.
    unsigned int Preberi(void *medpomnilnik, unsigned int stevilo) override;
    /// WriteFile (also for 0 bytes). Failure default NAP_PISANJE.
    unsigned int Zapisi(void const *medpomnilnik, unsigned int stevilo) override;
    /// FlushFileBuffers. Failure default NAP_IZPLAKNI.
    int Izplakni() override;
    /// Closes the handle: 0, 1 when none is held, or the mapped failure (default NAP_ZAPIRANJE).
    int Zapri() override;
    /// Adopts a handle (the previous one is neither closed nor released); returns 0.
    int Uporabi(void *rocica) override;
    /// Gives the handle up without closing it; the state becomes 0.
    void *Odpusti() override;

    /// Attribute bits of a file by name (code-page text); 0 when they cannot be read.
    static unsigned int VrniAtribute(char const *ime);
    /// Attribute bits of the held handle; 0 when they cannot be read.
    unsigned int VrniAtribute();
    /// Attributes, times (RDatum milliseconds, UTC) and size by name (code-page text); every pointer may
    /// be null.
    /// On failure all given outputs are 0 and the result is the mapped error (default NAP_BERIATRIBUTE).
    static int VrniAtribute(char const *ime, unsigned int *atributi, __int64 *ustvarjena, __int64 *dostop,
                            __int64 *pisanje, unsigned __int64 *velikost);
    /// The same by the held handle. The state is not touched.
    int VrniAtribute(unsigned int *atributi, __int64 *ustvarjena, __int64 *dostop, __int64 *pisanje,
                     unsigned __int64 *velikost);
    /// Sets the attributes selected by maska to vrednosti on the file named ime (code-page text). COMPRESSED
    /// and SPARSE_FILE go through device control calls whose outcome is not reported; ENCRYPTED, DIRECTORY
    /// and SYSTEM are never changed. Failure of SetFileAttributesA: mapped error, default
    /// NAP_NASTAVIATRIBUTE.
    static int NastaviAtribute(char const *ime, unsigned int maska, unsigned int vrednosti);
};

/// A disk file. Copies share the raw handle; the destructor (and an assignment over a held handle)
/// closes it once, however many copies share it: the last owner closes.
class ZRNO_API RFizDatoteka : public virtual RDatoteka, public virtual RSisTokPodatkov {
  public:
    RFizDatoteka(void *rocica = reinterpret_cast<void *>(-1)) { m_rocica = rocica; }
    /// Opens ime (code-page text) with the DAT_ flags; the outcome is in the state.
    RFizDatoteka(char const *ime, unsigned int zastavice);
    RFizDatoteka(const RFizDatoteka &o);
    ~RFizDatoteka() override;
    RFizDatoteka &operator=(const RFizDatoteka &o);

    /// Opens a file by name (code-page text) with the DAT_ flags. A handle held before is overwritten
    /// without being closed. Failure: mapped error, default NAP_ODPIRANJE.
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
    __int64 VrniDatumStvaritve() const;
    __int64 VrniDatumDostopa() const;
    __int64 VrniDatumPisanja() const;
};

/// A file held in one block of memory: growable storage of its own, or a fixed view over memory the
/// caller owns (a plain block or a locked SAFEARRAY). Positions and lengths are 32-bit inside.
class ZRNO_API RPomDatoteka : public virtual RDatoteka {
  public:
    /// No storage; the first write allocates.
    RPomDatoteka();
    /// Storage of rezerva bytes (none, reserved 0, state NAP_POMNILNIK when refused).
    explicit RPomDatoteka(unsigned int rezerva);
    /// Adopts a block as the whole file; lastnik true: a private-heap block this object may resize
    /// and free; false: the caller's memory, never resized or freed here.
    RPomDatoteka(void *podatki, unsigned int velikost, bool lastnik);
    /// Loads a whole disk file named ime (code-page text; see Nalozi); the outcome is in the state.
    RPomDatoteka(char const *ime, unsigned int zastavice);
    /// Copies share the storage; owned storage is freed once, by the last owner (also when an
    /// assignment replaces it). A copy that grows moves to storage of its own.
    RPomDatoteka(const RPomDatoteka &o);
    ~RPomDatoteka() override;
    RPomDatoteka &operator=(const RPomDatoteka &o);

    unsigned int Preberi(void *medpomnilnik, unsigned int stevilo) override;
    /// Writes at the position, growing owned storage in steps of 4096 bytes; 0 with
    /// NAP_TUJMEDPOMNILNIK (foreign storage) or NAP_POMNILNIK when there is no room.
    unsigned int Zapisi(void const *medpomnilnik, unsigned int stevilo) override;
    /// Frees owned storage and leaves an empty owning file; returns 0.
    int Zapri() override;
    /// Nothing is buffered; returns 0.
    int Izplakni() override;
    /// Only the low 32 bits count; an unknown origin returns all bits set. The state is not touched.
    unsigned __int64 Prestavi(__int64 odmik, T_DATNACINODMIKA izhodisce) override;
    unsigned __int64 VrniOdmik() override;
    unsigned __int64 VrniDolzino() const override;
    /// Length = position (cutting, or extending with uncleared bytes).
    int PostaviKonec() override;

    /// Makes room for dolzina bytes: without natancno the reservation only grows, to a multiple of
    /// 4096; with it the reservation becomes exactly dolzina (a shrink cuts the file).
    /// NAP_TUJMEDPOMNILNIK for foreign storage, NAP_POMNILNIK when refused (nothing changes then).
    int RezervirajDolzino(unsigned int dolzina, bool natancno);
    /// Adopts a block as the whole file (see the constructor); storage held before is forgotten,
    /// not freed. Returns 0.
    int Uporabi(void *podatki, unsigned int velikost, bool lastnik);
    /// Adopts the data of a one-dimensional VT_UI1 array, keeping it locked until Odpusti(polje);
    /// NAP_PARAMETER (and an empty file) when it cannot be locked.
    int Uporabi(tagSAFEARRAY *polje);
    /// Gives up the storage without freeing it; owned storage then belongs to the caller
    /// (Zrno::SprostiPomnilnik).
    void *Odpusti();
    /// Gives up storage adopted from polje and unlocks the array.
    void Odpusti(tagSAFEARRAY *polje);
    /// Replaces the contents with the whole disk file ime (code-page text; opened with zastavice | DAT_BRANJE
    /// | DAT_ZAPOREDNO); the position ends at 0. Result: the open, growth or read failure, else 0.
    int Nalozi(char const *ime, unsigned int zastavice);
    void const *VrniPodatke() const { return m_podatki; }

    /// Reads straight from vir into the storage, up to stevilo bytes (all of it for all bits set);
    /// returns bytes copied. The source's end of data leaves the state at 0.
    unsigned __int64 ZapisiTok(RTokPodatkov &vir, unsigned __int64 stevilo);
    /// Formats code-page text straight into the storage at the position; returns characters written
    /// (0 with the growth failure in the state when there is no room).
    unsigned int ZapisiObl(char const *oblika, ...);
    unsigned int ZapisiObl(unsigned short const *oblika, ...);
    unsigned int ZapisiOblP(char const *oblika, char *argumenti);
    unsigned int ZapisiOblP(unsigned short const *oblika, char *argumenti);

    unsigned __int64 PrestaviZac(unsigned __int64 odmik) {
        return m_polozaj = static_cast<unsigned int>(odmik);
    }
    unsigned __int64 PrestaviTren(__int64 odmik) { return m_polozaj += static_cast<unsigned int>(odmik); }
    unsigned __int64 PrestaviKon(__int64 odmik) {
        return m_polozaj = m_dolzina + static_cast<unsigned int>(odmik);
    }

    /// Typed access at a byte offset (low 32 bits), little-endian, unaligned, without bounds checks:
    /// the caller keeps offset + width within the reservation. Position, length and state stay.
    void Nastavi(unsigned __int64 odmik, char v) { Shrani(odmik, &v, sizeof v); }
    void Nastavi(unsigned __int64 odmik, signed char v) { Shrani(odmik, &v, sizeof v); }
    void Nastavi(unsigned __int64 odmik, unsigned char v) { Shrani(odmik, &v, sizeof v); }
    void Nastavi(unsigned __int64 odmik, short v) { Shrani(odmik, &v, sizeof v); }
    void Nastavi(unsigned __int64 odmik, unsigned short v) { Shrani(odmik, &v, sizeof v); }
    void Nastavi(unsigned __int64 odmik, long v) { Shrani(odmik, &v, sizeof v); }
    void Nastavi(unsigned __int64 odmik, unsigned int v) { Shrani(odmik, &v, sizeof v); }
    void Nastavi(unsigned __int64 odmik, unsigned long v) { Shrani(odmik, &v, sizeof v); }
    void Nastavi(unsigned __int64 odmik, float v) { Shrani(odmik, &v, sizeof v); }
    void Nastavi(unsigned __int64 odmik, __int64 v) { Shrani(odmik, &v, sizeof v); }
    void Nastavi(unsigned __int64 odmik, unsigned __int64 v) { Shrani(odmik, &v, sizeof v); }
    void Nastavi(unsigned __int64 odmik, double v) { Shrani(odmik, &v, sizeof v); }
    void Vrni(unsigned __int64 odmik, char &v) const { Dobi(odmik, &v, sizeof v); }
    void Vrni(unsigned __int64 odmik, signed char &v) const { Dobi(odmik, &v, sizeof v); }
    void Vrni(unsigned __int64 odmik, unsigned char &v) const { Dobi(odmik, &v, sizeof v); }
    void Vrni(unsigned __int64 odmik, short &v) const { Dobi(odmik, &v, sizeof v); }
    void Vrni(unsigned __int64 odmik, unsigned short &v) const { Dobi(odmik, &v, sizeof v); }
    void Vrni(unsigned __int64 odmik, long &v) const { Dobi(odmik, &v, sizeof v); }
    void Vrni(unsigned __int64 odmik, unsigned int &v) const { Dobi(odmik, &v, sizeof v); }
    void Vrni(unsigned __int64 odmik, unsigned long &v) const { Dobi(odmik, &v, sizeof v); }
    void Vrni(unsigned __int64 odmik, float &v) const { Dobi(odmik, &v, sizeof v); }
    void Vrni(unsigned __int64 odmik, __int64 &v) const { Dobi(odmik, &v, sizeof v); }
    void Vrni(unsigned __int64 odmik, unsigned __int64 &v) const { Dobi(odmik, &v, sizeof v); }
    void Vrni(unsigned __int64 odmik, double &v) const { Dobi(odmik, &v, sizeof v); }

  private:
    void Shrani(unsigned __int64 odmik, void const *v, unsigned int sirina);
    void Dobi(unsigned __int64 odmik, void *v, unsigned int sirina) const;
    void Pozabi();
    template <typename T> unsigned int OblikujP(T const *oblika, char *argumenti);

    unsigned char *m_podatki;
    bool m_lastnik;
    unsigned int m_polozaj;
    unsigned int m_dolzina;
    unsigned int m_rezervirano;
};

/// A transparent converter: forwards every operation to its target stream. It does not own the
/// target object, but Zapri closes the target. The destructor detaches without flushing or closing.
class ZRNO_API RPretvornikToka : public virtual RTokPodatkov {
  public:
    /// Attaches cilj when given.
    RPretvornikToka(RTokPodatkov *cilj = nullptr);
    RPretvornikToka(const RPretvornikToka &o)
        : RElement(o), RIzpElement(o), RTokPodatkov(o), m_cilj(o.m_cilj) {}
    ~RPretvornikToka() override;
    RPretvornikToka &operator=(const RPretvornikToka &o) {
        RTokPodatkov::operator=(o);
        m_cilj = o.m_cilj;
        return *this;
    }

    /// Attaches a target (replacing any other); returns the target's state, which becomes this one's.
    virtual int Uporabi(RTokPodatkov *cilj);
    /// Detaches and returns the former target; the state becomes 0.
    virtual RTokPodatkov *Odpusti();

    /// Transfers and flushes need an attached target.
    unsigned int Preberi(void *medpomnilnik, unsigned int stevilo) override;
    unsigned int Zapisi(void const *medpomnilnik, unsigned int stevilo) override;
    int Izplakni() override;
    /// Detaches (a buffering converter writes out first) and closes the target, returning its result;
    /// 1 without a target.
    int Zapri() override;

    RTokPodatkov *VrniCilj() const { return m_cilj; }

  protected:
    RTokPodatkov *m_cilj;
};

/// A buffering converter: a read-ahead and a write-behind buffer in front of the target, so that many
/// small transfers become few large ones. Pending writes leave by Izplakni, Odpusti, Zapri, an empty
/// Zapisi (a push) or an overflowing write; the destructor alone drops them.
class ZRNO_API RIzravnalnik : public virtual RPretvornikToka {
  public:
    /// A size of 0 makes that direction pass straight through. NAP_POMNILNIK in the state when a
    /// buffer cannot be had (the converter then works without it).
    RIzravnalnik(RTokPodatkov *cilj = nullptr, unsigned int branje = 256, unsigned int pisanje = 256);
    /// Copies share both buffers and the target; the buffers are freed once, by the last owner.
    RIzravnalnik(const RIzravnalnik &o);
    ~RIzravnalnik() override;
    RIzravnalnik &operator=(const RIzravnalnik &o);

    /// Discards buffered data of the previous target (pending writes too: detach first) and attaches.
    int Uporabi(RTokPodatkov *cilj) override;
    /// Writes out pending data, then detaches.
    RTokPodatkov *Odpusti() override;
    unsigned int Preberi(void *medpomnilnik, unsigned int stevilo) override;
    /// Buffers; a write of 0 bytes pushes pending data and an empty write down the chain. Returns the
    /// bytes accepted (taken into the buffer counts as accepted).
    unsigned int Zapisi(void const *medpomnilnik, unsigned int stevilo) override;
    /// Writes out pending data, then flushes the target.
    int Izplakni() override;

  protected:
    /// Passes the write buffer's pending bytes to the target; a short write keeps the rest pending
    /// and returns the target's state.
    int IzplakniIzravnalnik();

    unsigned char *m_branje;
    unsigned int m_velBranja;
    unsigned int m_polnBranja;
    unsigned int m_indeksBranja;
    unsigned char *m_pisanje;
    unsigned int m_velPisanja;
    unsigned int m_polnPisanja;
    unsigned int m_oddanoPisanja;

  private:
    void Deli(const RIzravnalnik &o);
    void Sprosti();
    unsigned int PreberiPocasi(unsigned char *cilj, unsigned int stevilo);
    unsigned int ZapisiPocasi(unsigned char const *vir, unsigned int stevilo);
};

/// A buffered stream over a system handle: an RIzravnalnik whose target is a contained
/// RSisTokPodatkov. The destructor writes out pending data and releases (does not close) the handle;
/// Zapri writes out and closes it.
class ZRNO_API RIzrSisTokPodatkov : public virtual RIzravnalnik {
  public:
    RIzrSisTokPodatkov(void *rocica = reinterpret_cast<void *>(-1), unsigned int branje = 256,
                       unsigned int pisanje = 256);
    RIzrSisTokPodatkov(const RIzrSisTokPodatkov &o);
    ~RIzrSisTokPodatkov() override;
    RIzrSisTokPodatkov &operator=(const RIzrSisTokPodatkov &o);

    /// Gives the contained stream a handle (its Uporabi); does not re-attach after Zapri.
    int UporabiRocico(void *rocica);
    /// Writes out pending data (its outcome is not reported), then takes the handle back, not closed.
    void *OdpustiRocico();
    /// The contained handle stream.
    RSisTokPodatkov &VrniSisTok() { return m_tok; }

  private:
    RSisTokPodatkov m_tok;
};

// Concepts with headers of their own.
#include <zrno/streams/RMedpomnilnik.h>

#endif
