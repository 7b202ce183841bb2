/// \file
/// The digest interface: a digest is fed byte ranges, finished, and then read out; its value can be
/// written to and read back from a stream. CRC-32, MD5 and SHA-1 implement it.
#ifndef ZRNO_DIGESTS_RODTISNIK_H
#define ZRNO_DIGESTS_RODTISNIK_H

#include <zrno/frame/Elementi.h>

class RTokPodatkov;

/// The abstract digest; it holds no data. Calling order: Resetiraj (or a fresh object), Izracunaj any
/// number of times, Zakljuci, then the derived class's Vrni.
/// A digest object belongs to one thread at a time.
class ZRNO_API ROdtisnik : public RElement {
  public:
    ROdtisnik() {}
    /// Copies nothing: the digest state lives in the derived classes.
    ROdtisnik(const ROdtisnik &o) : RElement(o) {}
    ~ROdtisnik() override;
    /// Copies nothing; returns the object.
    ROdtisnik &operator=(const ROdtisnik &) { return *this; }

    /// Starts a new computation.
    virtual void Resetiraj() = 0;
    /// Feeds dolzina bytes (0 allowed).
    virtual void Izracunaj(void const *podatki, unsigned int dolzina) = 0;
    /// Finishes the computation so that the value can be read. Feeding more afterwards continues from
    /// the finished state; a new computation starts with Resetiraj.
    virtual void Zakljuci() = 0;
    /// Writes the value to tok in one Zapisi; returns the stream's state afterwards.
    virtual int Zapisi(RTokPodatkov &tok) const = 0;
    /// Reads a value written by Zapisi; returns the stream's state afterwards. A short read keeps the
    /// bytes that arrived.
    virtual int Preberi(RTokPodatkov &tok) = 0;
};

#endif
