/// \file
/// Zrno module frame: file-system helpers: file version, deleting a file, the current directory, the
/// module path and directory trees. Narrow forms take code-page text and use the system's A calls; wide
/// forms take UTF-16 and use the W calls. All return 0 or a failure code mapped from the system error.
#ifndef ZRNO_FRAME_DATOTEKE_H
#define ZRNO_FRAME_DATOTEKE_H

#include <zrno/frame/Izvoz.h>

namespace Zrno {

/// Reads the four parts of a file's version (any pointer may be null; nothing is written on failure).
/// Failure: the mapped error, default NAP_VERZIJADATOTEKE; NAP_POMNILNIK without working memory.
///@{
ZRNO_API int VrniVerzijoDatoteke(char const *datoteka, unsigned int *major, unsigned int *minor,
                                 unsigned int *tretja, unsigned int *cetrta);
ZRNO_API int VrniVerzijoDatoteke(unsigned short const *datoteka, unsigned int *major, unsigned int *minor,
                                 unsigned int *tretja, unsigned int *cetrta);
///@}
/// Deletes a file; failure default NAP_BRISANJE.
///@{
ZRNO_API int ZbrisiDatoteko(char const *datoteka);
ZRNO_API int ZbrisiDatoteko(unsigned short const *datoteka);
///@}
/// Sets the process's current directory; failure default NAP_NASTAVIIMENIK.
///@{
ZRNO_API int NastaviTrenutniImenik(char const *imenik);
ZRNO_API int NastaviTrenutniImenik(unsigned short const *imenik);
///@}
/// Reads the current directory into a buffer of *velikost characters. *velikost then holds the smaller
/// of that size and the system's answer: the length written, or the size needed (terminator included)
/// when the buffer is too small, in which case nothing is written. Failure default NAP_TRENUTNIIMENIK.
///@{
ZRNO_API int VrniTrenutniImenik(char *medpomnilnik, unsigned int *velikost);
ZRNO_API int VrniTrenutniImenik(unsigned short *medpomnilnik, unsigned int *velikost);
///@}
/// The full path of a module (null: the executable) into a buffer of *velikost characters; *velikost
/// receives the system's count (the truncated length when the buffer is too small). Failure default
/// NAP_POTMODULA.
///@{
ZRNO_API int VrniPotModula(void *modul, char *medpomnilnik, unsigned int *velikost);
ZRNO_API int VrniPotModula(void *modul, unsigned short *medpomnilnik, unsigned int *velikost);
///@}
/// Creates every directory along a path (backslashes separate; a trailing one is allowed), taking the
/// attributes of predloga when given. Returns the outcome of the last directory: 0, NAP_OBSTAJA when it
/// existed, NAP_DOSTOP, or the failure (default NAP_USTVARIIMENIK) that stopped the walk.
ZRNO_API int UstvariImenik(char const *pot, char const *predloga);

} // namespace Zrno

#endif
