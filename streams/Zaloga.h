// The bytes that one of the library's buffered streams holds ready for reading: bytes that its Preberi
// would hand out with no other effect than moving past them and setting the state to 0. The line reader
// and the Base64 converter scan them in place instead of reading them one unit at a time. The same
// streams also offer the room that their Zapisi would fill with no other effect than a copy, which the
// Base64 converter fills in place instead of writing one byte at a time.
#ifndef ZRNO_STREAMS_ZALOGA_H
#define ZRNO_STREAMS_ZALOGA_H

#include <zrno/streams.h>

namespace Zrno::Notranje {

class Zaloga {
  public:
    /// The stream's buffer when its exact type is one of the buffered classes whose reads are the
    /// library's own; nothing (every read goes through Preberi) for any other stream, derived classes
    /// included, since they may read differently.
    static Zaloga Za(RTokPodatkov &tok);

    /// Points p at the ready bytes and returns their number (0: none).
    unsigned int NaVoljo(unsigned char const *&p) const {
        switch (m_vrsta) {
        case Vrsta::Izravnalnik: {
            RIzravnalnik &t = *static_cast<RIzravnalnik *>(m_tok);
            p = t.m_branje + t.m_indeksBranja;
            return t.m_polnBranja - t.m_indeksBranja;
        }
        case Vrsta::Medpomnilnik: {
            RMedpomnilnik &t = *static_cast<RMedpomnilnik *>(m_tok);
            const unsigned __int64 d = t.m_polozaj - t.m_odmikBloka;
            if (d >= t.m_drzano)
                return 0;
            p = t.m_medpomnilnik + d;
            return t.m_drzano - static_cast<unsigned int>(d);
        }
        case Vrsta::PomDatoteka: {
            RPomDatoteka &t = *static_cast<RPomDatoteka *>(m_tok);
            if (t.m_polozaj >= t.m_dolzina)
                return 0;
            p = t.m_podatki + t.m_polozaj;
            return t.m_dolzina - t.m_polozaj;
        }
        case Vrsta::Brez: break;
        }
        return 0;
    }
    /// Moves past n of the ready bytes, as reads served from the buffer do; the state becomes 0.
    void Porabi(unsigned int n) {
        switch (m_vrsta) {
        case Vrsta::Izravnalnik: static_cast<RIzravnalnik *>(m_tok)->m_indeksBranja += n; break;
        case Vrsta::Medpomnilnik: static_cast<RMedpomnilnik *>(m_tok)->m_polozaj += n; break;
        case Vrsta::PomDatoteka: static_cast<RPomDatoteka *>(m_tok)->m_polozaj += n; break;
        case Vrsta::Brez: return;
        }
        m_osnova->ResetirajStanje();
    }

    /// Points p at the room that writes fill by copying alone and returns its size (0: none; a write
    /// then goes through Zapisi). Only the buffering converter and the memory file offer any.
    unsigned int Prostor(unsigned char *&p) const {
        switch (m_vrsta) {
        case Vrsta::Izravnalnik: {
            RIzravnalnik &t = *static_cast<RIzravnalnik *>(m_tok);
            if (!t.m_pisanje)
                return 0;
            p = t.m_pisanje + t.m_polnPisanja;
            return t.m_velPisanja - t.m_polnPisanja;
        }
        case Vrsta::PomDatoteka: {
            RPomDatoteka &t = *static_cast<RPomDatoteka *>(m_tok);
            if (t.m_polozaj >= t.m_rezervirano)
                return 0;
            p = t.m_podatki + t.m_polozaj;
            return t.m_rezervirano - t.m_polozaj;
        }
        default: return 0;
        }
    }
    /// Takes n bytes placed in the room as written, as Zapisi calls that copy them would.
    void Zapisano(unsigned int n) {
        switch (m_vrsta) {
        case Vrsta::Izravnalnik: static_cast<RIzravnalnik *>(m_tok)->m_polnPisanja += n; break; // state kept
        case Vrsta::PomDatoteka: {
            RPomDatoteka &t = *static_cast<RPomDatoteka *>(m_tok);
            t.m_polozaj += n;
            if (t.m_polozaj > t.m_dolzina)
                t.m_dolzina = t.m_polozaj;
            m_osnova->ResetirajStanje();
            break;
        }
        default: break;
        }
    }

  private:
    enum class Vrsta { Brez, Izravnalnik, Medpomnilnik, PomDatoteka };
    Zaloga(Vrsta vrsta, void *tok, RTokPodatkov *osnova) : m_vrsta(vrsta), m_tok(tok), m_osnova(osnova) {}

    Vrsta m_vrsta;
    void *m_tok;
    RTokPodatkov *m_osnova;
};

} // namespace Zrno::Notranje

#endif
