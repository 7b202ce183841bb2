/// \file
/// Zrno strings: the language of a resource lookup (strings from resources, resource libraries, logs).
#ifndef ZRNO_STRINGS_JEZIKI_H
#define ZRNO_STRINGS_JEZIKI_H

/// A Windows language identifier (LANGID: primary language in bits 0 to 9, sublanguage in bits 10 to
/// 15), passed unchanged as the language of a resource lookup. Any LANGID may be given.
enum T_KODAJEZIKA2 : unsigned int {
    KJ2_PRIVZETI = 0x0400,    ///< neutral, default sublanguage: the system picks the user's language
    KJ2_ANGLESKI = 0x0409,    ///< English (United States)
    KJ2_ITALIJANSKI = 0x0410, ///< Italian
    KJ2_SLOVENSKI = 0x0424    ///< Slovenian
};

#endif
