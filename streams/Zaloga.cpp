// Choosing the buffer the line reader may scan in place.
#include "streams/Zaloga.h"
#include <stddef.h>
#include <typeinfo>

namespace Zrno::Notranje {
namespace {

// Within a complete object of a given type every base lies at a fixed distance from every other, so
// the distance from the stream base to the buffered class is found once per type (a cast across
// virtual bases walks the type tree every time, which would cost more than reading the line).
template <typename Tip, typename Osnova> Osnova *Kot(RTokPodatkov &tok) {
    static const ptrdiff_t razdalja =
        reinterpret_cast<char *>(static_cast<Osnova *>(dynamic_cast<Tip *>(&tok))) -
        reinterpret_cast<char *>(&tok);
    return reinterpret_cast<Osnova *>(reinterpret_cast<char *>(&tok) + razdalja);
}

} // namespace

Zaloga Zaloga::Za(RTokPodatkov &tok) {
    // The exact type only: a class derived from these may override Preberi, and its reads stay its own.
    const std::type_info &tip = typeid(tok);
    if (tip == typeid(RIzrSisTokPodatkov))
        return Zaloga(Vrsta::Izravnalnik, Kot<RIzrSisTokPodatkov, RIzravnalnik>(tok), &tok);
    if (tip == typeid(RMedFizDatoteka))
        return Zaloga(Vrsta::Medpomnilnik, Kot<RMedFizDatoteka, RMedpomnilnik>(tok), &tok);
    if (tip == typeid(RPomDatoteka))
        return Zaloga(Vrsta::PomDatoteka, Kot<RPomDatoteka, RPomDatoteka>(tok), &tok);
    if (tip == typeid(RIzravnalnik))
        return Zaloga(Vrsta::Izravnalnik, Kot<RIzravnalnik, RIzravnalnik>(tok), &tok);
    if (tip == typeid(RMedpomnilnik))
        return Zaloga(Vrsta::Medpomnilnik, Kot<RMedpomnilnik, RMedpomnilnik>(tok), &tok);
    return Zaloga(Vrsta::Brez, nullptr, &tok);
}

} // namespace Zrno::Notranje
