// Internal view of the SGML entity codec: the vocabulary (sgml_tabeli.cpp) and the conversions on plain
// buffers (sgml_kodek.cpp). The string members in sgml.cpp only size the strings and call these.
#ifndef ZRNO_NOTRANJE_STRINGS_SGML_H
#define ZRNO_NOTRANJE_STRINGS_SGML_H

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

/// Decodes n bytes of SGML text (no zero among them) into izhod, writing at most prostor characters (n
/// are always enough: the result is never longer than its source). Ordinary bytes are copied; each
/// reference becomes one byte of code page kodnastran. Returns the number of bytes written. izhod may
/// be vhod itself, or lie wholly behind the input: nothing is written over a byte not yet read.
unsigned int DekodirajSGML(char const *vhod, unsigned int n, char *izhod, unsigned int prostor,
                           unsigned int kodnastran);
/// The same into UTF-16: ordinary bytes are converted from the system's ANSI code page one at a time.
unsigned int DekodirajSGML(char const *vhod, unsigned int n, unsigned short *izhod, unsigned int prostor);

/// Gives the encoder a buffer for dolzina characters plus a terminator, or null when there is no memory.
using RezervirajSGML = char *(*)(void *kontekst, unsigned int dolzina);

/// Encodes n characters (no zero among them) of code page kodnastran: measures the result, asks
/// rezerviraj for exactly that much room and writes it there without a terminator. Returns the length
/// written, or 0xFFFFFFFF when the result would not fit in 32 bits or rezerviraj returned null.
unsigned int KodirajSGML(char const *vhod, unsigned int n, unsigned int nacin, unsigned int kodnastran,
                         RezervirajSGML rezerviraj, void *kontekst);
/// The same from UTF-16 code units.
unsigned int KodirajSGML(unsigned short const *vhod, unsigned int n, unsigned int nacin,
                         RezervirajSGML rezerviraj, void *kontekst);

} // namespace Zrno::Notranje

#endif
