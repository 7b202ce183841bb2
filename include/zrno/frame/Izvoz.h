/// \file
/// Zrno module frame: the export macro that every public declaration carries, and the integer types the
/// interface speaks. Every other public header stands on this one.
#ifndef ZRNO_FRAME_IZVOZ_H
#define ZRNO_FRAME_IZVOZ_H

// The interface speaks __int64, which mingw defines in its runtime headers, not in the compiler.
#include <stdint.h>

#ifdef ZRNO_BUILD
#define ZRNO_API __declspec(dllexport)
#else
/// Marks what the DLL exports: dllexport while building it, dllimport for its users.
#define ZRNO_API __declspec(dllimport)
#endif

#endif
