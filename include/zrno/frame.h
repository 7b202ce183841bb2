/// \file
/// Zrno module frame, one header per concept: the export macro, start-up and shut-down with the version
/// queries and the library's locale, the private heap, result codes and the mapping of system errors,
/// the three roots of the class tree (RElement, RIzpElement, RSisElement), the file-system helpers and
/// the file search.
#ifndef ZRNO_FRAME_H
#define ZRNO_FRAME_H

#include <zrno/frame/Datoteke.h>
#include <zrno/frame/Elementi.h>
#include <zrno/frame/Izvoz.h>
#include <zrno/frame/Napake.h>
#include <zrno/frame/Pomnilnik.h>
#include <zrno/frame/RIskalnikDatotek.h>
#include <zrno/frame/Zagon.h>

#endif
