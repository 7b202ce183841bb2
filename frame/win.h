// The one internal header that brings in the Windows interface. Everything in the library that talks to
// the system includes this, so the target version and the trimming macros are fixed in one place.
#ifndef ZRNO_NOTRANJE_FRAME_WIN_H
#define ZRNO_NOTRANJE_FRAME_WIN_H

// mingw-w64 picks its own default; the library is written against the XP-era interface and must not
// silently start using newer calls.
#ifdef _WIN32_WINNT
#undef _WIN32_WINNT
#endif
#define _WIN32_WINNT 0x0501
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif

#include <winsock.h> // Windows Sockets 1.1 (WSOCK32), before windows.h pulls in anything else
#include <windows.h>
#include <oleauto.h>

#endif
