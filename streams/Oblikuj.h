// The runtime's bounded formatter for both character widths, with the library's locale. It writes at
// most count characters and returns the output length (terminated), exactly count (unterminated), or a
// negative number when the output does not fit.
#ifndef ZRNO_STREAMS_OBLIKUJ_H
#define ZRNO_STREAMS_OBLIKUJ_H

#include <stddef.h>

namespace Zrno::Notranje {

int OmejenoOblikuj(char *cilj, size_t stevilo, char const *oblika, char *argumenti);
int OmejenoOblikuj(unsigned short *cilj, size_t stevilo, unsigned short const *oblika, char *argumenti);
/// True when the formatter fails for a reason other than room (for instance a character that cannot be
/// converted), so that a growth loop must stop.
bool OblikaNapacna(char const *oblika, char *argumenti);
bool OblikaNapacna(unsigned short const *oblika, char *argumenti);

} // namespace Zrno::Notranje

#endif
