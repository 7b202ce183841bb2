// Zrno strings: narrow and wide strings and the SGML entity tables.
#ifndef ZRNO_STRINGS_H
#define ZRNO_STRINGS_H

#include <zrno/frame.h>

// ---- SGML entity tables (strings/sgml_tabeli.cpp) ----

/// One named SGML entity: the name without "&" and ";" (ASCII, case significant) and its UTF-16 code unit.
struct T_SGML_ENTITETA {
    char const *ime;
    unsigned int koda;
};

/// 1002 records: record 0 is a sentinel (null name, code point 0), records 1 to 1001 are the named
/// entities sorted by name in byte order.
extern ZRNO_API T_SGML_ENTITETA const *const sgml_unicode;
/// 65536 entries, one per UTF-16 code unit: the index in sgml_unicode of the entity for that code point
/// (the first in byte order where there are several), 0 when it has none.
extern ZRNO_API unsigned int const *const unicode_sgml;

// ---- end of SGML entity tables ----

#endif
