// The log interface: the category, the source name's copy and the variadic entry points.
#include <stdarg.h>
#include <string.h>
#include <zrno/frame/Pomnilnik.h>
#include <zrno/system/RDnevnik.h>

namespace {

// A copy of the text on the private heap; null for null, and when the heap refuses (the log then
// carries no name rather than failing its construction).
char *Kopija(char const *besedilo) {
    if (!besedilo)
        return nullptr;
    const size_t n = strlen(besedilo) + 1;
    char *kopija = static_cast<char *>(Zrno::RezervirajPomnilnik(nullptr, static_cast<unsigned int>(n)));
    if (kopija)
        memcpy(kopija, besedilo, n);
    return kopija;
}

} // namespace

RDnevnik::RDnevnik(unsigned int kategorija, char const *vir) : m_kategorija(kategorija), m_vir(Kopija(vir)) {}

RDnevnik::RDnevnik(const RDnevnik &o) : RElement(o), m_kategorija(o.m_kategorija), m_vir(Kopija(o.m_vir)) {}

RDnevnik &RDnevnik::operator=(const RDnevnik &o) {
    if (this != &o) {
        Zrno::SprostiPomnilnik(m_vir);
        m_kategorija = o.m_kategorija;
        m_vir = Kopija(o.m_vir);
    }
    return *this;
}

RDnevnik::~RDnevnik() { Zrno::SprostiPomnilnik(m_vir); }

int RDnevnik::Zapisi(T_DNEVNIKPRIORITETA prioriteta, char const *oblika, ...) {
    va_list argumenti;
    va_start(argumenti, oblika);
    int r = ZapisiP(prioriteta, oblika, argumenti);
    va_end(argumenti);
    return r;
}

int RDnevnik::Zapisi(T_DNEVNIKPRIORITETA prioriteta, unsigned int sporocilo, ...) {
    va_list argumenti;
    va_start(argumenti, sporocilo);
    int r = ZapisiP(prioriteta, sporocilo, argumenti);
    va_end(argumenti);
    return r;
}
