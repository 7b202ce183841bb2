// UTF-16 text for the unsigned short interface: wide literals as its code units, ASCII widened unit by unit.
#ifndef ZRNO_TESTS_COMMON_SIROKO_H
#define ZRNO_TESTS_COMMON_SIROKO_H

#include <string>

inline unsigned short const *U(wchar_t const *s) { return reinterpret_cast<unsigned short const *>(s); }
inline unsigned short const *U(char16_t const *s) { return reinterpret_cast<unsigned short const *>(s); }

/// ASCII text (paths, names) as UTF-16 code units.
inline std::basic_string<unsigned short> Siroko(const std::string &s) { return {s.begin(), s.end()}; }

#endif
