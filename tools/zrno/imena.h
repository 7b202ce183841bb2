// Names between the user and the system in UTF-16. The C runtime hands main() its arguments in the
// ANSI code page, where a character the page lacks has already become a look-alike (c for č) or '?':
// a name that is opened or printed must be taken from the UTF-16 command line instead, and a name that
// is printed in the code page is marked, never silently replaced, when the page lacks a character.
#ifndef ZRNO_TOOLS_IMENA_H
#define ZRNO_TOOLS_IMENA_H

#include <string>

namespace zrno_orodje {

/// Remembers main's arguments, whose elements Siroko recognises.
void ZapomniArgumente(int argc, char **argv);
/// The argument (an element of main's argv) as the user gave it, in UTF-16; any other text converted
/// from the ANSI code page.
std::wstring Siroko(const char *argument);
/// False when the argument lost a character on its way into the ANSI code page.
bool VKodniStrani(const char *argument);
/// UTF-16 text in the ANSI code page without best-fit look-alikes; *izgubljeno is set when a character
/// had no place there ('?' stands in its place), left alone otherwise.
std::string VKodnoStran(const wchar_t *besedilo, size_t n, bool *izgubljeno);
/// A name for the user: in the code page, followed by the mark Opomba() when a character was lost.
std::string Ime(const std::wstring &ime);
/// The name of an argument for the user, as Ime.
std::string Ime(const char *argument);
/// The mark of a name the code page cannot show whole: "   (the name is not in code page N)".
const char *Opomba();

/// Opens a file named by an argument (or "-" for standard input, which the caller then must not close)
/// for reading through the UTF-16 call; INVALID_HANDLE_VALUE and *koda (a library code) when it fails.
void *OdpriZaBranje(const char *argument, int *koda);

} // namespace zrno_orodje

#endif
