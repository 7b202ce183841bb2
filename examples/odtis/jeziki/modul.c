/* A language module of the sample service: its string tables (odtis_<code>.rc) and the export by
   which it tells the service its language. No code of interest, so no C runtime. */
#include <windows.h>

__declspec(dllexport) int __stdcall VrniJezikModula(int *koda, unsigned int *jezik) {
    *koda = KODA;
    *jezik = JEZIK;
    return 0;
}

BOOL WINAPI Vstop(HINSTANCE modul, DWORD razlog, LPVOID rezervirano) {
    (void)modul;
    (void)razlog;
    (void)rezervirano;
    return TRUE;
}
