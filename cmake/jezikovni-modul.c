/* A resource module: string tables and data in one language (its .rc files), and the export by which
   it reports its language code and LANGID. No code of interest, so no C runtime. */
#include <windows.h>

#ifndef BREZ_IZVOZA
__declspec(dllexport) int __stdcall VrniJezikModula(int *koda, unsigned int *jezik) {
#ifdef NEUSPEH
    return (void)koda, (void)jezik, -1;
#else
    return *koda = KODA, *jezik = JEZIK, 0;
#endif
}
#endif

BOOL WINAPI Vstop(HINSTANCE modul, DWORD razlog, LPVOID rezervirano) {
    return (void)modul, (void)razlog, (void)rezervirano, TRUE;
}
