/// \file
/// Zrno module frame: the library's private heap, which holds every variable-size buffer of the library
/// and the blocks that its objects hand over to the caller.
#ifndef ZRNO_FRAME_POMNILNIK_H
#define ZRNO_FRAME_POMNILNIK_H

#include <zrno/frame/Izvoz.h>

namespace Zrno {

/// The one reallocation primitive on the private heap: size 0 frees, a null block allocates. Returns
/// null when refused, and the old block then stays valid and unchanged.
ZRNO_API void *RezervirajPomnilnik(void *block, unsigned int size);
/// Returns a block to the private heap; null does nothing.
ZRNO_API void SprostiPomnilnik(void *block);

} // namespace Zrno

/// The private heap's handle, created on first use (serialised, growable, never destroyed).
ZRNO_API void *zgetheap();

#endif
