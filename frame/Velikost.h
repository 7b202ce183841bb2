// Sizes in bytes computed from a count of elements and an element size. Every such product inside the
// library goes through Velikost: a product that wrapped would allocate, copy or read a small size for a
// large request and so run past a buffer.
#ifndef ZRNO_NOTRANJE_FRAME_VELIKOST_H
#define ZRNO_NOTRANJE_FRAME_VELIKOST_H

namespace Zrno::Notranje {

/// bajtov = stevilo × velikost; false when the product does not fit bajtov's type (bajtov is then
/// meaningless).
template <class N, class A, class B> inline bool Velikost(A stevilo, B velikost, N &bajtov) {
    return !__builtin_mul_overflow(stevilo, velikost, &bajtov);
}

} // namespace Zrno::Notranje

#endif
