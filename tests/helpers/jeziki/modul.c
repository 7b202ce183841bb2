/* A resource module of the tests: string tables and a few data resources in one language, and the
   export by which it reports its language code and LANGID. Built without the C runtime. */
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
