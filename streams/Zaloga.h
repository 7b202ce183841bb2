// The bytes that one of the library's buffered streams holds ready for reading: bytes that its Preberi
// would hand out with no other effect than moving past them and setting the state to 0. The line reader
// and the Base64 converter scan them in place instead of reading them one unit at a time. The same
// streams also offer the room that their Zapisi would fill with no other effect than a copy, which the
// Base64 converter fills in place instead of writing one byte at a time.
//
// A buffered class opts in from its own source file: it describes its buffers in an Opis (a
// specialisation of Dostop, which its friend declaration lets read its fields) and enrols each exact
// type that reads and writes by those buffers with a Vpis. Every other stream, and every class derived
// from an enrolled one (it may override Preberi), goes through Preberi and Zapisi.
#ifndef ZRNO_NOTRANJE_STREAMS_ZALOGA_H
#define ZRNO_NOTRANJE_STREAMS_ZALOGA_H

#include <atomic>
#include <stddef.h>
#include <typeinfo>
#include <zrno/streams.h>

namespace Zrno::Notranje {

class Zaloga {
  public:
    /// A read window that is a block, a position in it and an end, all fields of the object: the
    /// reader then scans and moves past bytes without a call per line.
    struct Okno {
        unsigned char *const *blok = nullptr;
        unsigned int *polozaj = nullptr;
        unsigned int const *konec = nullptr;
    };
    /// A buffered class's buffers, each function given the object as that class.
    struct Opis {
        /// Points p at the ready bytes and returns their number (0: none).
        unsigned int (*naVoljo)(void const *tok, unsigned char const *&p);
        /// Moves past n of the ready bytes, as reads served from the buffer do (the state is reset here).
        void (*porabi)(void *tok, unsigned int n);
        /// Points p at the room that writes fill by copying alone and returns its size (0: none; a write
        /// then goes through Zapisi); null for a class that offers none.
        unsigned int (*prostor)(void const *tok, unsigned char *&p);
        /// Takes n bytes placed in the room as written, as Zapisi calls that copy them would, the state
        /// included.
        void (*zapisano)(void *tok, unsigned int n, RTokPodatkov &osnova);
        /// A write buffer's target (null: none), the buffer's size and its pending bytes, none of them
        /// passed on yet. The pending bytes and text that fills the buffer up, placed straight in the
        /// target, with more to follow in the same call, have the effect of the write that overflows it.
        RTokPodatkov *(*skozi)(void const *tok, unsigned int &velikost, unsigned char const *&p,
                               unsigned int &n);
        /// After such a placing: the buffer empty and the state that write would have taken from the target.
        void (*oddano)(void *tok);
        /// Where the ready bytes are a window (Okno), its fields; null: naVoljo and porabi serve.
        void (*okno)(void *tok, Okno &o) = nullptr;
    };
    /// Specialised by each buffered class's own file; holds `static const Opis k_opis`.
    template <typename Razred> struct Dostop;
    /// Opis::okno for a class whose window is the fields Blok, Polozaj and Konec.
    template <typename Razred, unsigned char *Razred::*Blok, unsigned int Razred::*Polozaj,
              unsigned int Razred::*Konec>
    static void OknoPolj(void *tok, Okno &o) {
        Razred &t = *static_cast<Razred *>(tok);
        o.blok = &(t.*Blok);
        o.polozaj = &(t.*Polozaj);
        o.konec = &(t.*Konec);
    }

    /// Enrols an exact type whose reads and writes are those of its buffered base Razred. Entries are
    /// static objects: they link themselves when the module loads and stay until it unloads.
    class Vpis {
      public:
        template <typename Tip, typename Razred> static Vpis Za() {
            return Vpis(typeid(Tip), &Kot<Tip, Razred>, Dostop<Razred>::k_opis);
        }
        Vpis(const Vpis &) = delete; // built in place, where it links itself

      private:
        friend class Zaloga;
        Vpis(const std::type_info &tip, void *(*kot)(RTokPodatkov &), const Opis &opis);
        template <typename Tip, typename Razred> static void *Kot(RTokPodatkov &tok) {
            return static_cast<Razred *>(dynamic_cast<Tip *>(&tok));
        }
        /// The stream's buffers, from the distances below.
        Zaloga Daj(RTokPodatkov &tok) const;

        const std::type_info &m_tip;
        void *(*m_kot)(RTokPodatkov &);
        const Opis &m_opis;
        const Vpis *m_naslednji;
        // Within a complete object of a given type every base lies at a fixed distance from every other,
        // and so do the window's fields: the distances from the stream base are learnt from the first
        // object and serve every later one (a cast across virtual bases walks the type tree, and the
        // calls through Kot and Opis::okno would cost more per line than the line's own scan). Any
        // thread may learn them; all find the same values.
        mutable std::atomic<bool> m_znano{false};
        mutable std::atomic<ptrdiff_t> m_razred{0}, m_blok{0}, m_polozaj{0}, m_konec{0};
    };

    /// The stream's buffers when its exact type is enrolled; nothing (every transfer goes through
    /// Preberi and Zapisi) for any other stream.
    static Zaloga Za(RTokPodatkov &tok);

    unsigned int NaVoljo(unsigned char const *&p) const {
        if (m_okno.polozaj) {
            const unsigned int polozaj = *m_okno.polozaj, konec = *m_okno.konec;
            if (polozaj >= konec)
                return 0;
            p = *m_okno.blok + polozaj;
            return konec - polozaj;
        }
        return m_opis ? m_opis->naVoljo(m_tok, p) : 0;
    }
    void Porabi(unsigned int n) {
        if (m_okno.polozaj) {
            *m_okno.polozaj += n;
            m_osnova->ResetirajStanje();
        } else if (m_opis) {
            m_opis->porabi(m_tok, n);
            m_osnova->ResetirajStanje();
        }
    }
    unsigned int Prostor(unsigned char *&p) const {
        return m_opis && m_opis->prostor ? m_opis->prostor(m_tok, p) : 0;
    }
    void Zapisano(unsigned int n) {
        if (m_opis)
            m_opis->zapisano(m_tok, n, *m_osnova);
    }
    RTokPodatkov *Skozi(unsigned int &velikost, unsigned char const *&p, unsigned int &n) const {
        return m_opis && m_opis->skozi ? m_opis->skozi(m_tok, velikost, p, n) : nullptr;
    }
    void Oddano() { m_opis->oddano(m_tok); }

  private:
    Zaloga(const Opis *opis, void *tok, RTokPodatkov *osnova) : m_opis(opis), m_tok(tok), m_osnova(osnova) {}

    const Opis *m_opis;
    void *m_tok;
    RTokPodatkov *m_osnova;
    Okno m_okno;
};

} // namespace Zrno::Notranje

#endif
