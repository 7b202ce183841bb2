/// \file
/// Zrno data streams: the memory file, growable storage of its own or a view over the caller's memory.
#ifndef ZRNO_STREAMS_RPOMDATOTEKA_H
#define ZRNO_STREAMS_RPOMDATOTEKA_H

#include <zrno/frame/Pomnilnik.h>
#include <zrno/streams/RDatoteka.h>

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
    /// Shares the other's storage as a copy does; owned storage held before is freed by its last owner.
    RPomDatoteka &operator=(const RPomDatoteka &o);

    unsigned int Preberi(void *medpomnilnik, unsigned int stevilo) override;
    /// Writes at the position, growing owned storage in steps of 4096 bytes; 0 with
    /// NAP_TUJMEDPOMNILNIK (foreign storage) or NAP_POMNILNIK when there is no room.
    ///
    /// A write beyond the end (as formatted text, ZapisiTok and PostaviKonec beyond it) does not clear
    /// the gap between the old end and the position: those bytes read back as whatever the storage
    /// held, bytes cut off earlier included (write 5000 bytes, PostaviKonec at 0, write 1 byte at 100:
    /// bytes 0 to 99 are the old ones). When that content matters, fill the gap yourself: seek to the
    /// end (PrestaviKon(0)) and write zeros up to the position before writing beyond it.
    unsigned int Zapisi(void const *medpomnilnik, unsigned int stevilo) override;
    /// Frees owned storage and leaves an empty owning file; returns 0.
    int Zapri() override;
    /// Nothing is buffered; returns 0.
    int Izplakni() override;
    /// Only the low 32 bits count; an unknown origin returns all bits set. The state is not touched.
    unsigned __int64 Prestavi(__int64 odmik, T_DATNACINODMIKA izhodisce) override;
    unsigned __int64 VrniOdmik() override;
    unsigned __int64 VrniDolzino() const override;
    /// Length = position: cuts, or extends with uncleared bytes (see Zapisi); room comes first, so a
    /// growth failure leaves the length as it was.
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
    /// The storage (null when there is none); valid until it grows, is freed or given up.
    void const *VrniPodatke() const { return m_podatki; }

    /// RTokPodatkov::ZapisiTok, reading straight into the storage where it has or can get room: the
    /// same outcome as through an RTokPodatkov reference, without the copy.
    unsigned __int64 ZapisiTok(RTokPodatkov &vir, unsigned __int64 stevilo);
    /// RTokPodatkov::ZapisiObl and ZapisiOblP: the same outcome through either type (0 with the growth
    /// failure in the state when there is no room).
    ///@{
    unsigned int ZapisiObl(char const *oblika, ...);
    unsigned int ZapisiObl(unsigned short const *oblika, ...);
    unsigned int ZapisiOblP(char const *oblika, char *argumenti);
    unsigned int ZapisiOblP(unsigned short const *oblika, char *argumenti);
    ///@}

    /// Sets the position (low 32 bits) from the start, the current position or the end, without a test
    /// and without touching the state; returns it.
    ///@{
    unsigned __int64 PrestaviZac(unsigned __int64 odmik) {
        return m_polozaj = static_cast<unsigned int>(odmik);
    }
    unsigned __int64 PrestaviTren(__int64 odmik) { return m_polozaj += static_cast<unsigned int>(odmik); }
    unsigned __int64 PrestaviKon(__int64 odmik) {
        return m_polozaj = m_dolzina + static_cast<unsigned int>(odmik);
    }
    ///@}

    /// Typed access at a byte offset (low 32 bits), little-endian, unaligned, without bounds checks:
    /// the caller keeps offset + width within the reservation. Position, length and state stay.
    ///@{
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
    ///@}
    /// Reads a value of the type at a byte offset (low 32 bits), little-endian, unaligned, without
    /// bounds checks.
    ///@{
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
    ///@}

  private:
    friend class Zrno::Notranje::Zaloga; // the line reader scans the storage in place
    void Shrani(unsigned __int64 odmik, void const *v, unsigned int sirina);
    void Dobi(unsigned __int64 odmik, void *v, unsigned int sirina) const;
    void Pozabi();
    bool DoPolozaja();

    friend struct PreverjanjeRazporeditve;
    unsigned char *m_podatki;
    bool m_lastnik;
    unsigned int m_polozaj;
    unsigned int m_dolzina;
    unsigned int m_rezervirano;
};

#endif
