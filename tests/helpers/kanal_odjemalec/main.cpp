// The client end of the named-pipe tests, in a process of its own: opens the pipe with CreateFile,
// signals the named event once connected, then either echoes everything back until the server
// disconnects or reads n bytes and dies without closing anything.
//   kanal_odjemalec <pipe name> <event name> odmev|umri [n]
#include <stdlib.h>
#include <string.h>
#include <windows.h>

int main(int argc, char **argv) {
    if (argc < 4 || !WaitNamedPipeA(argv[1], 20000))
        return argc < 4 ? 2 : 1;
    HANDLE kanal = CreateFileA(argv[1], GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    HANDLE dogodek = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[2]);
    if (kanal == INVALID_HANDLE_VALUE || !dogodek || !SetEvent(dogodek))
        return 1;
    static char b[65536];
    DWORD n, w;
    if (strcmp(argv[3], "umri") == 0) {
        unsigned long ostane = argc > 4 ? strtoul(argv[4], nullptr, 10) : 0;
        while (ostane && ReadFile(kanal, b, ostane < sizeof b ? ostane : sizeof b, &n, nullptr) && n)
            ostane -= n;
        TerminateProcess(GetCurrentProcess(), 3); // mid-transfer, nothing closed
    }
    // One piece in flight each way: the server writes a chunk, then reads it back.
    while (ReadFile(kanal, b, sizeof b, &n, nullptr) && n)
        if (!WriteFile(kanal, b, n, &w, nullptr) || w != n)
            return 1;
    return CloseHandle(kanal), 0;
}
