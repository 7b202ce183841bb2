// The memory file: one block that grows in 4096-byte steps, or a fixed view over the caller's memory.
#include "frame/Lastnina.h"
#include "frame/Oblikuj.h"
#include "frame/win.h"
#include "streams/Kopiraj.h"
#include "streams/Prenos.h"
#include "streams/Zaloga.h"
#include <stdarg.h>
#include <zrno/streams/RFizDatoteka.h>
#include <zrno/streams/RPomDatoteka.h>

using Zrno::Notranje::KopirajBajte;
using Lastnina = Zrno::Notranje::Lastnina<Zrno::Notranje::DeljenBlok>;

RPomDatoteka::RPomDatoteka()
    : m_podatki(nullptr), m_lastnik(true), m_polozaj(0), m_dolzina(0), m_rezervirano(0) {}

RPomDatoteka::RPomDatoteka(unsigned int rezerva)
    : m_podatki(nullptr), m_lastnik(true), m_polozaj(0), m_dolzina(0), m_rezervirano(0) {
    if (rezerva == 0)
        return;
    m_podatki = static_cast<unsigned char *>(Zrno::RezervirajPomnilnik(nullptr, rezerva));
    if (m_podatki)
        m_rezervirano = rezerva;
    else
        m_stanje = Zrno::NAP_POMNILNIK;
}

RPomDatoteka::RPomDatoteka(void *podatki, unsigned int velikost, bool lastnik)
    : m_podatki(static_cast<unsigned char *>(podatki)), m_lastnik(lastnik), m_polozaj(0), m_dolzina(velikost),
      m_rezervirano(velikost) {}

RPomDatoteka::RPomDatoteka(char const *ime, unsigned int zastavice)
    : m_podatki(nullptr), m_lastnik(true), m_polozaj(0), m_dolzina(0), m_rezervirano(0) {
    Nalozi(ime, zastavice);
}

RPomDatoteka::RPomDatoteka(const RPomDatoteka &o)
    : RElement(o), RIzpElement(o), RTokPodatkov(o), RDatoteka(o), m_podatki(o.m_podatki),
      m_lastnik(o.m_lastnik), m_polozaj(o.m_polozaj), m_dolzina(o.m_dolzina), m_rezervirano(o.m_rezervirano) {
    if (m_lastnik)
        Lastnina::Kopija(m_podatki, &o, this);
}

RPomDatoteka &RPomDatoteka::operator=(const RPomDatoteka &o) {
    if (this == &o)
        return *this;
    // Owned storage held before goes as with Zapri: freed by its last owner (never when it is the
    // block being taken over).
    if (m_podatki == o.m_podatki)
        Pozabi();
    else
        Zapri();
    if (o.m_lastnik)
        Lastnina::Kopija(o.m_podatki, &o, this);
    m_stanje = o.m_stanje;
    m_podatki = o.m_podatki;
    m_lastnik = o.m_lastnik;
    m_polozaj = o.m_polozaj;
    m_dolzina = o.m_dolzina;
    m_rezervirano = o.m_rezervirano;
    return *this;
}

RPomDatoteka::~RPomDatoteka() {
    if (m_podatki)
        Zapri();
}

void RPomDatoteka::Pozabi() {
    // The object stops being one of the owners of a shared block, without freeing it.
    if (m_lastnik)
        Lastnina::Pozabi(m_podatki, this);
    m_podatki = nullptr;
    m_polozaj = m_dolzina = m_rezervirano = 0;
    m_lastnik = true;
    m_stanje = 0;
}

int RPomDatoteka::RezervirajDolzino(unsigned int dolzina, bool natancno) {
    if (dolzina > m_rezervirano || (natancno && dolzina < m_rezervirano)) {
        if (!m_lastnik)
            return m_stanje = Zrno::NAP_TUJMEDPOMNILNIK;
        // Rounding up to 4096 must not wrap for lengths in the last page of the 32-bit range.
        unsigned int nova =
            natancno ? dolzina : (dolzina > 0xFFFFF000u ? 0xFFFFFFFFu : (dolzina + 4095) & ~4095u);
        if (nova == 0) {
            Lastnina::Izpusti(m_podatki, this);
        } else if (Lastnina::JeDeljena(m_podatki, this)) {
            // Copies share this block: resizing it in place would leave them a dangling pointer, so
            // this object moves to a block of its own and leaves the old one to them.
            void *p = Zrno::RezervirajPomnilnik(nullptr, nova);
            if (!p)
                return m_stanje = Zrno::NAP_POMNILNIK;
            KopirajBajte(p, m_podatki, nova < m_rezervirano ? nova : m_rezervirano);
            Lastnina::Pozabi(m_podatki, this);
            m_podatki = static_cast<unsigned char *>(p);
        } else {
            void *p = Zrno::RezervirajPomnilnik(m_podatki, nova);
            if (!p)
                return m_stanje = Zrno::NAP_POMNILNIK;
            m_podatki = static_cast<unsigned char *>(p);
        }
        m_rezervirano = nova;
    }
    if (m_dolzina > m_rezervirano)
        m_dolzina = m_rezervirano;
    return m_stanje = 0;
}

unsigned int RPomDatoteka::Preberi(void *medpomnilnik, unsigned int stevilo) {
    if (stevilo == 0) {
        m_stanje = 0;
        return 0;
    }
    unsigned int na_voljo = m_polozaj < m_dolzina ? m_dolzina - m_polozaj : 0;
    unsigned int n = stevilo < na_voljo ? stevilo : na_voljo;
    if (n == 0) {
        m_stanje = Zrno::NAP_KONECPODATKOV;
        return 0;
    }
    KopirajBajte(medpomnilnik, m_podatki + m_polozaj, n);
    m_polozaj += n;
    m_stanje = 0;
    return n;
}

unsigned int RPomDatoteka::Zapisi(void const *medpomnilnik, unsigned int stevilo) {
    unsigned int konec = m_polozaj + stevilo;
    if (konec < m_polozaj) { // beyond the 32-bit range of the memory file
        m_stanje = Zrno::NAP_POMNILNIK;
        return 0;
    }
    if (konec > m_rezervirano && RezervirajDolzino(konec, false) < 0)
        return 0;
    KopirajBajte(m_podatki + m_polozaj, medpomnilnik, stevilo);
    m_polozaj = konec;
    if (m_polozaj > m_dolzina)
        m_dolzina = m_polozaj;
    m_stanje = 0;
    return stevilo;
}

int RPomDatoteka::Zapri() {
    // A block shared with copies is freed only by its last owner.
    if (m_lastnik)
        Lastnina::Izpusti(m_podatki, this);
    m_podatki = nullptr;
    Pozabi();
    return 0;
}

int RPomDatoteka::Izplakni() { return m_stanje = 0; }

unsigned __int64 RPomDatoteka::Prestavi(__int64 odmik, T_DATNACINODMIKA izhodisce) {
    switch (izhodisce) {
    case ODMIK_ZAC: return PrestaviZac(static_cast<unsigned __int64>(odmik));
    case ODMIK_TREN: return PrestaviTren(odmik);
    case ODMIK_KON: return PrestaviKon(odmik);
    }
    return ~0ULL;
}

unsigned __int64 RPomDatoteka::VrniOdmik() { return m_polozaj; }

unsigned __int64 RPomDatoteka::VrniDolzino() const { return m_dolzina; }

// Moves the end up to a position beyond it. Room comes first: a length beyond the storage would let
// reads run past the block. The bytes between keep what the storage held (not cleared). False, with the
// growth failure in the state, when there is no room.
bool RPomDatoteka::DoPolozaja() {
    if (m_polozaj <= m_dolzina)
        return true;
    if (m_polozaj > m_rezervirano && RezervirajDolzino(m_polozaj, false) < 0)
        return false;
    m_dolzina = m_polozaj;
    return true;
}

int RPomDatoteka::PostaviKonec() {
    if (!DoPolozaja())
        return m_stanje;
    m_dolzina = m_polozaj;
    return m_stanje = 0;
}

int RPomDatoteka::Uporabi(void *podatki, unsigned int velikost, bool lastnik) {
    Pozabi();
    m_podatki = static_cast<unsigned char *>(podatki);
    m_rezervirano = m_dolzina = velikost;
    m_lastnik = lastnik;
    m_polozaj = 0;
    return m_stanje = 0;
}

int RPomDatoteka::Uporabi(tagSAFEARRAY *polje) {
    Pozabi();
    void *podatki = nullptr;
    if (FAILED(SafeArrayAccessData(polje, &podatki)))
        return m_stanje = Zrno::NAP_PARAMETER;
    // Without both bounds the length would be a guess, and reads could run past the array.
    LONG spodnja = 0, zgornja = -1;
    if (FAILED(SafeArrayGetLBound(polje, 1, &spodnja)) || FAILED(SafeArrayGetUBound(polje, 1, &zgornja))) {
        SafeArrayUnaccessData(polje);
        return m_stanje = Zrno::NAP_PARAMETER;
    }
    m_podatki = static_cast<unsigned char *>(podatki);
    m_rezervirano = m_dolzina = static_cast<unsigned int>(zgornja - spodnja + 1);
    m_lastnik = false;
    m_polozaj = 0;
    return m_stanje = 0;
}

void *RPomDatoteka::Odpusti() {
    // An owned block now belongs to the caller alone: copies that share it must no longer free it.
    void *p = m_lastnik ? Lastnina::Predaj(m_podatki, this) : m_podatki;
    m_podatki = nullptr;
    Pozabi();
    return p;
}

void RPomDatoteka::Odpusti(tagSAFEARRAY *polje) {
    Pozabi();
    SafeArrayUnaccessData(polje);
}

int RPomDatoteka::Nalozi(char const *ime, unsigned int zastavice) {
    RFizDatoteka datoteka(ime, zastavice | DAT_BRANJE | DAT_ZAPOREDNO);
    if ((m_stanje = datoteka.VrniStanje()) < 0)
        return m_stanje;
    if (RezervirajDolzino(static_cast<unsigned int>(datoteka.VrniDolzino()), false) < 0)
        return m_stanje; // the file closes with the object
    m_dolzina = m_polozaj = 0;
    ZapisiTok(datoteka, ~0ULL);
    if (m_stanje >= 0)
        m_polozaj = 0;
    datoteka.Zapri();
    return m_stanje;
}

// The base's copy, reading straight into the storage. Room comes before each read: where the storage
// cannot grow, the copy stops with the growth failure and the source keeps its bytes.
unsigned __int64 RPomDatoteka::ZapisiTok(RTokPodatkov &vir, unsigned __int64 stevilo) {
    struct Pomnilnik {
        RPomDatoteka &f;
        unsigned char *Mesto(unsigned int n) {
            const unsigned int konec = f.m_polozaj + n;
            if (konec < f.m_polozaj) { // the 32-bit range is exhausted
                f.m_stanje = Zrno::NAP_POMNILNIK;
                return nullptr;
            }
            if (konec > f.m_rezervirano && f.RezervirajDolzino(konec, false) < 0)
                return nullptr;
            return f.m_podatki + f.m_polozaj;
        }
        unsigned int Zapisano(unsigned int n) {
            f.m_polozaj += n;
            if (f.m_polozaj > f.m_dolzina)
                f.m_dolzina = f.m_polozaj;
            f.m_stanje = 0;
            return n;
        }
        unsigned int Zapisi(void const *p, unsigned int n) { return f.Zapisi(p, n); }
    } cilj{*this};
    const unsigned __int64 skupaj = Zrno::Notranje::Prenesi(cilj, m_stanje, &vir == this, vir, stevilo);
    if (m_stanje >= 0)
        DoPolozaja(); // nothing was asked for or read, at a position beyond the end
    return skupaj;
}

void RPomDatoteka::Shrani(unsigned __int64 odmik, void const *v, unsigned int sirina) {
    KopirajBajte(m_podatki + static_cast<unsigned int>(odmik), v, sirina);
}

void RPomDatoteka::Dobi(unsigned __int64 odmik, void *v, unsigned int sirina) const {
    KopirajBajte(v, m_podatki + static_cast<unsigned int>(odmik), sirina);
}

// The base's formatted write, so that both types give one outcome; a short output, the common case, is
// copied in from the stack either way.
unsigned int RPomDatoteka::ZapisiOblP(char const *oblika, char *argumenti) {
    return RTokPodatkov::ZapisiOblP(oblika, argumenti);
}

unsigned int RPomDatoteka::ZapisiOblP(unsigned short const *oblika, char *argumenti) {
    return RTokPodatkov::ZapisiOblP(oblika, argumenti);
}

ZRNO_ZAPISIOBL(RPomDatoteka)

// The storage as the in-place readers and writers see it.
namespace Zrno::Notranje {
template <> struct Zaloga::Dostop<RPomDatoteka> {
    static constexpr Opis k_opis = {
        [](void const *tok, unsigned char const *&p) {
            const RPomDatoteka &t = *static_cast<const RPomDatoteka *>(tok);
            if (t.m_polozaj >= t.m_dolzina)
                return 0u;
            p = t.m_podatki + t.m_polozaj;
            return t.m_dolzina - t.m_polozaj;
        },
        [](void *tok, unsigned int n) { static_cast<RPomDatoteka *>(tok)->m_polozaj += n; },
        [](void const *tok, unsigned char *&p) {
            const RPomDatoteka &t = *static_cast<const RPomDatoteka *>(tok);
            if (t.m_polozaj >= t.m_rezervirano)
                return 0u;
            p = t.m_podatki + t.m_polozaj;
            return t.m_rezervirano - t.m_polozaj;
        },
        [](void *tok, unsigned int n, RTokPodatkov &osnova) {
            RPomDatoteka &t = *static_cast<RPomDatoteka *>(tok);
            t.m_polozaj += n;
            if (t.m_polozaj > t.m_dolzina)
                t.m_dolzina = t.m_polozaj;
            osnova.ResetirajStanje();
        },
        nullptr,
        nullptr,
        &OknoPolj<RPomDatoteka, &RPomDatoteka::m_podatki, &RPomDatoteka::m_polozaj,
                  &RPomDatoteka::m_dolzina>};
};
namespace {
const Zaloga::Vpis k_zaloga = Zaloga::Vpis::Za<RPomDatoteka, RPomDatoteka>();
}
} // namespace Zrno::Notranje
