// Internal view of the SGML entity vocabulary, for the codec in sgml.cpp: the name lookup used by both
// decoders and the lengths of the names the encoder writes.
#ifndef ZRNO_STRINGS_SGML_H
#define ZRNO_STRINGS_SGML_H

namespace Zrno::Notranje {

/// Number of records of sgml_unicode, the sentinel at index 0 included.
constexpr unsigned int k_zapisovSGML = 1002;

/// Code point of the entity named by the n bytes at ime (not terminated), or 0 when no entity has that name.
unsigned int PoisciEntitetoSGML(char const *ime, unsigned int n);

/// Lengths of the names of sgml_unicode, by record; 0 for the sentinel.
struct DolzineImenSGML {
    unsigned char n[k_zapisovSGML];
};
extern DolzineImenSGML const dolzineImenSGML;

} // namespace Zrno::Notranje

#endif
