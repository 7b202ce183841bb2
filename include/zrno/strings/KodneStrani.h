/// \file
/// Zrno strings: the code pages by which text crosses between 8-bit and UTF-16 strings.
#ifndef ZRNO_STRINGS_KODNESTRANI_H
#define ZRNO_STRINGS_KODNESTRANI_H

/// A Windows code-page number, passed unchanged to MultiByteToWideChar/WideCharToMultiByte.
enum T_KODNASTRAN : unsigned int {
    KN_ANSI = 0,      ///< the system's ANSI code page (CP_ACP)
    KN_OEM = 1,       ///< the system's OEM code page (CP_OEMCP)
    KN_CP1250 = 1250, ///< Central European, the library's fixed choice
    KN_CP1251 = 1251, ///< Cyrillic
    KN_CP1252 = 1252, ///< Western European
    KN_UTF7 = 65000,  ///< UTF-7
    KN_UTF8 = 65001   ///< UTF-8
};

#endif
