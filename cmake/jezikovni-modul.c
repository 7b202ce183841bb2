/* A resource module: string tables and data in one language (its .rc files), and the export by which
   it reports its language code and LANGID. No code of interest, so no C runtime. */
#include <windows.h>

#ifndef BREZ_IZVOZA
__declspec(dllexport) int __stdcall VrniJezikModula(int *koda, unsigned int *jezik) {
#ifdef NEUSPEH
    (void)koda;
    (void)jezik;
    return -1;
#else
    *koda = KODA;
    *jezik = JEZIK;
    return 0;
#endif
}
#endif

BOOL WINAPI Vstop(HINSTANCE modul, DWORD razlog, LPVOID rezervirano) {
    (void)modul;
    (void)razlog;
    (void)rezervirano;
    return TRUE;
}
