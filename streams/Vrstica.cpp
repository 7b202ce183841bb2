// Reading a line, for both string types: a line ends at LF, which is not stored, and a CR directly before
// the LF is dropped; any other CR stays. The unit read is kept back by one step so that a CR can be
// judged by what follows it.
//
// Over the library's own buffered streams the units that the stream already holds are scanned in
// place: a read served whole from such a buffer has no effect but moving past the bytes and setting the
// state to 0, so taking them directly gives the same lines, states and positions as reading them one by
// one. Whatever is not buffered (a refill, the end, a unit split across a refill) goes through the
// stream's own Preberi, as for every other stream.
#include "streams/Zaloga.h"
#include <string.h>
#include <zrno/streams.h>
#include <zrno/strings.h>

using Zrno::Notranje::Zaloga;

namespace {

template <typename T> unsigned int NajdiLF(unsigned char const *p, unsigned int enot) {
    if (sizeof(T) == 1) {
        void const *lf = memchr(p, 10, enot);
        return lf ? static_cast<unsigned int>(static_cast<unsigned char const *>(lf) - p) : enot;
    }
    for (unsigned int i = 0; i < enot; ++i, p += sizeof(T)) {
        T u;
        memcpy(&u, p, sizeof u); // the buffer's units need not be aligned
        if (u == 10)
            return i;
    }
    return enot;
}

// Units gathered for the string. They are written straight into its buffer, a 0 unit like any other
// (a pointer append would stop there); single units are collected first and go in as one run.
template <typename T, typename Niz> class Zbiralnik {
  public:
    explicit Zbiralnik(Niz &niz) : m_niz(niz) {}
    void Dodaj(T enota) {
        if (m_v_kosu == k_kos)
            Izprazni();
        m_kos[m_v_kosu++] = enota;
    }
    void Dodaj(unsigned char const *p, unsigned int enot) {
        Izprazni();
        Pripni(p, enot);
    }
    unsigned int Izprazni() {
        Pripni(reinterpret_cast<unsigned char const *>(m_kos), m_v_kosu);
        m_v_kosu = 0;
        return m_niz.VrniDolzino();
    }

  private:
    void Pripni(unsigned char const *p, unsigned int enot) {
        if (enot == 0)
            return;
        const unsigned int dolzina = m_niz.VrniDolzino();
        T *niz = enot < 0xFFFFFFFEu - dolzina ? m_niz.Odpusti(dolzina + enot, false) : nullptr;
        if (niz) {
            memcpy(niz + dolzina, p, enot * sizeof(T));
            m_niz.Skrajsaj(dolzina + enot);
            return;
        }
        // No room for all: what fits goes in, in order, as appending one unit at a time would leave it.
        for (; enot; --enot, p += sizeof(T)) {
            T u;
            memcpy(&u, p, sizeof u);
            m_niz.Prilepi(u, 1);
        }
    }

    static constexpr unsigned int k_kos = 128;
    Niz &m_niz;
    T m_kos[k_kos];
    unsigned int m_v_kosu = 0;
};

template <typename T, typename Niz> unsigned int BeriVrstico(RTokPodatkov &tok, Niz &vrstica, Zaloga zaloga) {
    const T CR = 13, LF = 10;
    vrstica.Sprazni();
    {
        // The usual case, a whole line in the buffer, is one copy into the string: each call into the
        // string that the general path below makes per line costs as much as scanning a short line.
        unsigned char const *p;
        const unsigned int enot = zaloga.NaVoljo(p) / sizeof(T), lf = enot ? NajdiLF<T>(p, enot) : 0;
        if (lf < enot) {
            unsigned int pred = lf;
            T zadnja = 0;
            if (pred > 0)
                memcpy(&zadnja, p + (pred - 1) * sizeof(T), sizeof(T));
            pred -= zadnja == CR;
            T *niz = pred ? vrstica.Odpusti(pred, false) : nullptr;
            if (niz || pred == 0) {
                zaloga.Porabi((lf + 1) * sizeof(T));
                if (niz)
                    memcpy(niz, p, pred * sizeof(T)), vrstica.Skrajsaj(pred);
                return pred;
            }
        }
    }
    Zbiralnik<T, Niz> zbiralnik(vrstica);
    T prejsnja = 0, enota = 0;
    for (bool prva = true;; prva = false) {
        unsigned char const *p;
        unsigned int enot = zaloga.NaVoljo(p) / sizeof(T);
        if (enot > 0) {
            // Buffered units: up to and including the first LF, all taken as if read one by one.
            const unsigned int lf = NajdiLF<T>(p, enot);
            const bool konec = lf < enot;
            const unsigned int vzetih = konec ? lf + 1 : enot;
            zaloga.Porabi(vzetih * sizeof(T));
            if (!prva && !(konec && lf == 0 && prejsnja == CR))
                zbiralnik.Dodaj(prejsnja);
            if (konec) {
                // The units before the LF, but a CR just before it goes with it.
                unsigned int pred = lf;
                if (pred > 0) {
                    memcpy(&prejsnja, p + (pred - 1) * sizeof(T), sizeof(T));
                    if (prejsnja == CR)
                        --pred;
                }
                zbiralnik.Dodaj(p, pred);
                return zbiralnik.Izprazni();
            }
            zbiralnik.Dodaj(p, enot - 1);
            memcpy(&prejsnja, p + (enot - 1) * sizeof(T), sizeof(T));
            continue;
        }
        // A 16-bit unit may arrive in pieces.
        unsigned int dobljeno = 0;
        do
            dobljeno +=
                tok.Preberi(reinterpret_cast<unsigned char *>(&enota) + dobljeno, sizeof(T) - dobljeno);
        while (dobljeno < sizeof(T) && !tok.JeKonec());
        // When no whole unit came, the last unit that did arrive stands in for the one read, so it is
        // kept. A unit that came together with the end (a cache, a socket) still judges the CR.
        const T prebrana = dobljeno == sizeof(T) ? enota : prejsnja;
        if (!prva && !(prejsnja == CR && prebrana == LF))
            zbiralnik.Dodaj(prejsnja);
        if (tok.JeKonec() || prebrana == LF) {
            if (dobljeno == sizeof(T) && prebrana != LF) // it came with the end: the line's last unit
                zbiralnik.Dodaj(prebrana);
            return zbiralnik.Izprazni();
        }
        prejsnja = enota;
    }
}

} // namespace

unsigned int RTokPodatkov::PreberiVrstico(RNizA &vrstica) {
    return BeriVrstico<char>(*this, vrstica, Zaloga::Za(*this));
}

unsigned int RTokPodatkov::PreberiVrstico(RNizU &vrstica) {
    return BeriVrstico<unsigned short>(*this, vrstica, Zaloga::Za(*this));
}
