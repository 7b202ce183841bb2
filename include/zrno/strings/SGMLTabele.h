/// \file
/// Zrno strings: the tables of the named SGML entities, which the SGML operations of RNizA and RNizU use.
#ifndef ZRNO_STRINGS_SGMLTABELE_H
#define ZRNO_STRINGS_SGMLTABELE_H

#include <zrno/frame/Izvoz.h>

/// One named SGML entity: the name without "&" and ";" (ASCII, case significant) and its UTF-16 code unit.
struct T_SGML_ENTITETA {
    char const *ime;   ///< the name, such as "amp"
    unsigned int koda; ///< the UTF-16 code unit it stands for
};

/// 1002 records: record 0 is a sentinel (null name, code point 0), records 1 to 1001 are the named
/// entities sorted by name in byte order.
extern ZRNO_API T_SGML_ENTITETA const *const sgml_unicode;
/// 65536 entries, one per UTF-16 code unit: the index in sgml_unicode of the entity for that code point
/// (the first in byte order where there are several), 0 when it has none.
extern ZRNO_API unsigned int const *const unicode_sgml;

#endif
