// The enrolled buffered types, found by the stream's exact type.
#include "streams/Zaloga.h"

namespace Zrno::Notranje {
namespace {

// Filled while the module's static objects are built, read-only afterwards.
const Zaloga::Vpis *g_vpisi = nullptr;

} // namespace

Zaloga::Vpis::Vpis(const std::type_info &tip, void *(*kot)(RTokPodatkov &), const Opis &opis)
    : m_tip(tip), m_kot(kot), m_opis(opis), m_naslednji(g_vpisi) {
    g_vpisi = this;
}

Zaloga Zaloga::Vpis::Daj(RTokPodatkov &tok) const {
    char *const osnova = reinterpret_cast<char *>(&tok);
    if (!m_znano.load(std::memory_order_acquire)) {
        void *const razred = m_kot(tok);
        Okno o;
        if (m_opis.okno)
            m_opis.okno(razred, o);
        const auto Razdalja = [osnova](const void *p) {
            return p ? static_cast<const char *>(p) - osnova : 0;
        };
        m_razred.store(Razdalja(razred), std::memory_order_relaxed);
        m_blok.store(Razdalja(o.blok), std::memory_order_relaxed);
        m_polozaj.store(Razdalja(o.polozaj), std::memory_order_relaxed);
        m_konec.store(Razdalja(o.konec), std::memory_order_relaxed);
        m_znano.store(true, std::memory_order_release);
    }
    Zaloga z(&m_opis, osnova + m_razred.load(std::memory_order_relaxed), &tok);
    if (m_opis.okno) {
        z.m_okno.blok =
            reinterpret_cast<unsigned char *const *>(osnova + m_blok.load(std::memory_order_relaxed));
        z.m_okno.polozaj =
            reinterpret_cast<unsigned int *>(osnova + m_polozaj.load(std::memory_order_relaxed));
        z.m_okno.konec =
            reinterpret_cast<unsigned int const *>(osnova + m_konec.load(std::memory_order_relaxed));
    }
    return z;
}

Zaloga Zaloga::Za(RTokPodatkov &tok) {
    // The library's classes carry the library's own type records, so the addresses tell; comparing the
    // records compares their names (mingw does not merge them across modules), which a line read each
    // time would feel, so that only follows for a type no address matched.
    const std::type_info &tip = typeid(tok);
    // A reader asks again and again for the same stream, so the last match is tried first. Entries never
    // change: any entry is a valid guess, whichever thread stored it.
    static std::atomic<const Vpis *> zadnji{nullptr};
    const Vpis *z = zadnji.load(std::memory_order_relaxed);
    if (z && &z->m_tip == &tip)
        return z->Daj(tok);
    for (const Vpis *v = g_vpisi; v; v = v->m_naslednji)
        if (&v->m_tip == &tip) {
            zadnji.store(v, std::memory_order_relaxed);
            return v->Daj(tok);
        }
    for (const Vpis *v = g_vpisi; v; v = v->m_naslednji)
        if (v->m_tip == tip)
            return v->Daj(tok);
    return Zaloga(nullptr, nullptr, &tok);
}

} // namespace Zrno::Notranje
