/// \file
/// Zrno module frame: start-up and shut-down of the library, the operating-system classification, version
/// queries, the library's own locale and the (switched off) diagnostic output.
#ifndef ZRNO_FRAME_ZAGON_H
#define ZRNO_FRAME_ZAGON_H

#include <zrno/frame/Izvoz.h>

/// Operating-system classification: platform family in the upper 16 bits (1 Win32s, 2 Windows 95
/// family, 3 NT family), release within the family in bits 8 to 15.
enum T_VERZIJAOS : unsigned int {
    OS_WIN32S = 0x10100,  ///< Win32s
    OS_WIN95 = 0x20100,   ///< Windows 95
    OS_WIN98 = 0x20200,   ///< Windows 98
    OS_WINME = 0x20300,   ///< Windows Me
    OS_NT3 = 0x30100,     ///< Windows NT 3.x
    OS_NT4 = 0x30200,     ///< Windows NT 4.0
    OS_WIN2000 = 0x30300, ///< Windows 2000
    OS_WINXP = 0x30400,   ///< Windows XP
    OS_WIN2003 = 0x30500  ///< Windows Server 2003 and every later NT release
};

namespace Zrno {

/// Starts the library (reference-counted) and sets its locale to code page 1250 on every call.
/// Returns 0, or NAP_VTICNICE / NAP_VERZIJAOS when the first start fails.
ZRNO_API int Vzpostavi();
/// Undoes one start; the last one stops the socket layer. Returns 1 when the library is not started.
ZRNO_API int Zakljuci();
/// The classification made by the first start (kept across shut-down); 0 before it.
ZRNO_API T_VERZIJAOS VrniVerzijoOS();
/// Reports the version 1.18.0.0; any pointer may be null. *text points at a constant the caller must
/// not free. Returns 0.
ZRNO_API int VrniVerzijo(unsigned int *packed, unsigned int *major, unsigned int *minor, unsigned int *third,
                         unsigned int *fourth, char **const text);
/// Sets the library's own C runtime locale as setlocale does (locale null only queries); returns the
/// locale's name or null when refused. The application's locale is not touched.
ZRNO_API char const *NastaviLocale(int category, char const *locale);
/// Wide twin of NastaviLocale; UTF-16 names.
ZRNO_API unsigned short const *NastaviLocale(int category, unsigned short const *locale);
/// Diagnostic output is switched off: does nothing and returns 0 (code-page text format).
ZRNO_API unsigned int IzpisiDiagnosticnoSp(char const *format, ...);
/// Diagnostic output is switched off: does nothing and returns 0 (UTF-16 format).
ZRNO_API unsigned int IzpisiDiagnosticnoSp(unsigned short const *format, ...);

} // namespace Zrno

#endif
