// A field the library wrote, read at its documented offset: tests/interface's layout checks, at run time.
#ifndef ZRNO_TESTS_COMMON_ODMIK_H
#define ZRNO_TESTS_COMMON_ODMIK_H

#include <cstring>

/// The T at offset x64 (x86_64) or x86 (i686) of the record.
template <class T> T NaOdmiku(void const *zapis, unsigned x64, unsigned x86) {
    T v;
    memcpy(&v, static_cast<char const *>(zapis) + (sizeof(void *) == 8 ? x64 : x86), sizeof v);
    return v;
}

#endif
