/// \file
/// Zrno strings: the layered string family over 8-bit code-page text (char) and UTF-16 code units
/// (unsigned short). RNizP<T> holds the storage and the searching and editing operations, RNizNP<T>
/// adds case conversion and white-space trimming, RNizOP<T> printf/scanf-style formatting and
/// parsing, RNizVP<T> loads resource strings and formats with them; RNizA and RNizU are the concrete
/// classes.
///
/// Every layer is a virtual base of the next, so an RNizA or RNizU holds one storage part. Counts and
/// positions are in characters of T. A trailing `unsigned int` maximum of 0xFFFFFFFF means "all of it";
/// a search that finds nothing returns 0xFFFFFFFF.
///
/// Memory: the buffer lives on the library's private heap and grows in steps of 128 characters. When
/// the heap refuses to grow it, the string stays valid, terminated and unchanged, and the operation
/// that wanted the room takes only what fits in the present buffer: Nastavi, Prilepi, Vstavi, the
/// operators, the conversions and Oblikuj/PrilepiO keep as many characters as the capacity allows
/// (their result is the length actually reached), Odpusti returns null, Zamenjaj with a longer
/// replacement changes nothing and returns 0. Nothing is ever written past the buffer. A reserve
/// constructor whose size is refused falls back to the default 128 characters.
///
/// One header per concept: the code pages, the languages of resource lookups, the four layers, the SGML
/// entity tables and the two concrete classes.
#ifndef ZRNO_STRINGS_H
#define ZRNO_STRINGS_H

#include <zrno/strings/Jeziki.h>
#include <zrno/strings/KodneStrani.h>
#include <zrno/strings/RNizA.h>
#include <zrno/strings/RNizNP.h>
#include <zrno/strings/RNizOP.h>
#include <zrno/strings/RNizP.h>
#include <zrno/strings/RNizU.h>
#include <zrno/strings/RNizVP.h>
#include <zrno/strings/SGMLTabele.h>

#endif
