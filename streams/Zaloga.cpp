// The enrolled buffered types, found by the stream's exact type.
#include "streams/Zaloga.h"
#include <atomic>

namespace Zrno::Notranje {
namespace {

// Filled while the module's static objects are built, read-only afterwards.
const Zaloga::Vpis *g_vpisi = nullptr;

} // namespace

Zaloga::Vpis::Vpis(const std::type_info &tip, void *(*kot)(RTokPodatkov &), const Opis &opis)
    : m_tip(tip), m_kot(kot), m_opis(opis), m_naslednji(g_vpisi) {
    g_vpisi = this;
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
        return Zaloga(&z->m_opis, z->m_kot(tok), &tok);
    for (const Vpis *v = g_vpisi; v; v = v->m_naslednji)
        if (&v->m_tip == &tip) {
            zadnji.store(v, std::memory_order_relaxed);
            return Zaloga(&v->m_opis, v->m_kot(tok), &tok);
        }
    for (const Vpis *v = g_vpisi; v; v = v->m_naslednji)
        if (v->m_tip == tip)
            return Zaloga(&v->m_opis, v->m_kot(tok), &tok);
    return Zaloga(nullptr, nullptr, &tok);
}

} // namespace Zrno::Notranje
