/// \file
/// Zrno data streams: the seekable file (64-bit positions, length, truncation, region locks).
#ifndef ZRNO_STREAMS_RDATOTEKA_H
#define ZRNO_STREAMS_RDATOTEKA_H

#include <zrno/streams/RTokPodatkov.h>

/// Seek origins; the values are the system's FILE_BEGIN, FILE_CURRENT and FILE_END.
enum T_DATNACINODMIKA { ODMIK_ZAC = 0, ODMIK_TREN = 1, ODMIK_KON = 2 };

/// A stream with a position: 64-bit seeking, length, truncation and region locks.
class ZRNO_API RDatoteka : public virtual RTokPodatkov {
  public:
    RDatoteka() {}
    /// Copies the state only.
    RDatoteka(const RDatoteka &o) : RElement(o), RIzpElement(o), RTokPodatkov(o) {}
    ~RDatoteka() override;
    /// Copies the state only; returns the object.
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

    /// Prestavi from the start, the current position or the end.
    ///@{
    unsigned __int64 PrestaviZac(unsigned __int64 odmik) {
        return Prestavi(static_cast<__int64>(odmik), ODMIK_ZAC);
    }
    unsigned __int64 PrestaviTren(__int64 odmik) { return Prestavi(odmik, ODMIK_TREN); }
    unsigned __int64 PrestaviKon(__int64 odmik) { return Prestavi(odmik, ODMIK_KON); }
    ///@}

    /// The whole file (low 32 bits of its length) as a new VT_UI1 array that the caller destroys;
    /// null with NAP_POMNILNIK when it cannot be made. The position is left where the read stopped.
    tagSAFEARRAY *VrniSAFEARRAY();
};

#endif
