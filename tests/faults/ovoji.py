#!/usr/bin/env python3
"""Writes the fault injector's wrappers for every function that Zrno.dll imports.

Usage: ovoji.py OBJDUMP DLL OUT.inc

The names come from the DLL's real import table (objdump -p); how each function fails comes from the
table below. Each row: name, failure value, last error, how the error is reported, group.
  value  the return value of a failure: an integer (0 is null, FALSE, 0; -1 is INVALID_HANDLE_VALUE,
         WAIT_FAILED, INVALID_FILE_SIZE, SOCKET_ERROR, INVALID_SOCKET), or 'e' to return the error itself
  how    L SetLastError, W WSASetLastError, R nothing (the error is the return value), C errno and
         SetLastError (the C runtime)
A function listed in PASS is called straight through and never failed: it cannot fail, it frees
memory (fails only on a block that is not one), or only the statically linked GCC runtime calls it
(the library allocates on its own heap, never with malloc). The closers of handles do fail: the
library must keep a handle whose close failed and close it again later.
A function in neither list is written out as unknown, and the injector's test fails on it.
"""
import re, subprocess, sys

ROWS = """
# kernel32: files and directories
CreateFileA -1 5 L datoteke
ReadFile 0 30 L datoteke
WriteFile 0 112 L datoteke
SetFilePointer -1 131 L datoteke
GetFileSize -1 6 L datoteke
SetEndOfFile 0 112 L datoteke
FlushFileBuffers 0 29 L datoteke
LockFile 0 33 L datoteke
UnlockFile 0 158 L datoteke
GetFileTime 0 6 L datoteke
GetFileInformationByHandle 0 6 L datoteke
GetFileAttributesExA 0 5 L datoteke
SetFileAttributesA 0 5 L datoteke
DeviceIoControl 0 1 L datoteke
DeleteFileA 0 5 L datoteke
DeleteFileW 0 5 L datoteke
CreateDirectoryA 0 5 L datoteke
CreateDirectoryExA 0 5 L datoteke
FindFirstFileA -1 5 L datoteke
FindNextFileA 0 8 L datoteke
FindClose 0 6 L zapiranje
GetCurrentDirectoryA 0 8 L datoteke
GetCurrentDirectoryW 0 8 L datoteke
SetCurrentDirectoryA 0 3 L datoteke
SetCurrentDirectoryW 0 3 L datoteke
GetModuleFileNameA 0 8 L moduli
GetModuleFileNameW 0 8 L moduli
GetSystemDirectoryA 0 8 L moduli
ExpandEnvironmentStringsA 0 8 L nizi
GlobalAlloc 0 8 L pomnilnik
# kernel32: handles, pipes, synchronisation and threads
CloseHandle 0 6 L zapiranje
DuplicateHandle 0 8 L rocice
CreatePipe 0 8 L kanali
CreateNamedPipeA -1 231 L kanali
ConnectNamedPipe 0 232 L kanali
DisconnectNamedPipe 0 6 L kanali
GetNamedPipeHandleStateA 0 6 L kanali
CreateEventA 0 8 L sinhronizacija
CreateMutexA 0 8 L sinhronizacija
CreateSemaphoreA 0 8 L sinhronizacija
CreateWaitableTimerA 0 8 L sinhronizacija
SetEvent 0 6 L sinhronizacija
ResetEvent 0 6 L sinhronizacija
PulseEvent 0 6 L sinhronizacija
ReleaseMutex 0 288 L sinhronizacija
ReleaseSemaphore 0 298 L sinhronizacija
SetWaitableTimer 0 6 L sinhronizacija
CancelWaitableTimer 0 6 L sinhronizacija
WaitForSingleObject -1 6 L cakanje
WaitForMultipleObjects -1 6 L cakanje
GetExitCodeThread 0 6 L niti
ResumeThread -1 6 L niti
SuspendThread -1 5 L niti
TerminateThread 0 5 L niti
SetThreadPriority 0 87 L niti
GetThreadPriority 0x7FFFFFFF 6 L niti
# kernel32: heaps, modules, resources, text, time
HeapCreate 0 8 L pomnilnik
HeapAlloc 0 8 L pomnilnik
HeapReAlloc 0 8 L pomnilnik
HeapSize -1 87 L pomnilnik
HeapLock 0 6 L pomnilnik
HeapUnlock 0 6 L pomnilnik
HeapWalk 0 87 L pomnilnik
LoadLibraryExA 0 126 L moduli
FreeLibrary 0 6 L zapiranje
GetProcAddress 0 127 L moduli
FindResourceExA 0 1814 L moduli
LoadResource 0 8 L moduli
SizeofResource 0 8 L moduli
GetVersionExA 0 87 L moduli
MultiByteToWideChar 0 8 L nizi
WideCharToMultiByte 0 8 L nizi
GetCPInfo 0 87 L nizi
GetLocaleInfoA 0 87 L nizi
FileTimeToLocalFileTime 0 87 L cas
LocalFileTimeToFileTime 0 87 L cas
# advapi32
RegOpenKeyExA e 5 R register
RegCreateKeyExA e 5 R register
RegCloseKey e 6 R zapiranje
RegQueryValueExA e 1016 R register
RegSetValueExA e 1016 R register
RegDeleteValueA e 5 R register
RegDeleteKeyA e 5 R register
RegEnumKeyExA e 8 R register
RegFlushKey e 1016 R register
RegNotifyChangeKeyValue e 8 R register
RegisterEventSourceA 0 5 L dnevnik
DeregisterEventSource 0 6 L zapiranje
ReportEventA 0 1502 L dnevnik
OpenSCManagerA 0 5 L servisi
OpenServiceA 0 1060 L servisi
CreateServiceA 0 5 L servisi
DeleteService 0 1072 L servisi
StartServiceA 0 1058 L servisi
ControlService 0 1052 L servisi
QueryServiceStatus 0 6 L servisi
CloseServiceHandle 0 6 L zapiranje
GetServiceDisplayNameA 0 1060 L servisi
GetServiceKeyNameA 0 1060 L servisi
StartServiceCtrlDispatcherA 0 1063 L servisi
RegisterServiceCtrlHandlerA 0 1063 L servisi
SetServiceStatus 0 6 L servisi
# user32
PostThreadMessageA 0 1816 L sporocila
GetMessageA -1 1400 L sporocila
LoadStringA 0 1814 L moduli
MessageBoxA 0 8 L moduli
# oleaut32 (HRESULTs: E_OUTOFMEMORY, DISP_E_ARRAYISLOCKED, DISP_E_BADINDEX, E_UNEXPECTED)
SafeArrayCreateVector 0 0 R pomnilnik
SafeArrayAccessData e 0x8007000E R pomnilnik
SafeArrayUnaccessData e 0x8000FFFF R pomnilnik
SafeArrayDestroy e 0x8002000D R zapiranje
SafeArrayGetLBound e 0x8002000B R pomnilnik
SafeArrayGetUBound e 0x8002000B R pomnilnik
SysAllocStringLen 0 0 R pomnilnik
SystemTimeToVariantTime 0 0 R cas
VariantTimeToSystemTime 0 0 R cas
# version
GetFileVersionInfoSizeA 0 1813 L moduli
GetFileVersionInfoSizeW 0 1813 L moduli
GetFileVersionInfoA 0 1813 L moduli
GetFileVersionInfoW 0 1813 L moduli
VerQueryValueA 0 1813 L moduli
VerQueryValueW 0 1813 L moduli
# wsock32
WSAStartup e 10091 R vticnice
WSACleanup -1 10093 W vticnice
socket -1 10024 W vticnice
bind -1 10048 W vticnice
listen -1 10048 W vticnice
accept -1 10024 W vticnice
connect -1 10061 W vticnice
send -1 10054 W vticnice
recv -1 10054 W vticnice
shutdown -1 10057 W vticnice
closesocket -1 10038 W zapiranje
getsockopt -1 10042 W vticnice
setsockopt -1 10042 W vticnice
getpeername -1 10057 W vticnice
getsockname -1 10022 W vticnice
gethostbyname 0 11001 W vticnice
# msvcrt: the one runtime call of the library that can fail (EAGAIN)
_beginthreadex 0 11 C niti
"""

# The last lines: what only the i686 runtime imports (its unwinder and locale start-up), and what the
# coverage build's gcov runtime does (it writes its counters at exit).
PASS = """
GetLastError SetLastError WSAGetLastError GetCurrentProcess GetCurrentProcessId GetCurrentThread
GetCurrentThreadId GetTickCount GetTickCount64 GetSystemTime GetSystemTimeAsFileTime GetProcessHeap
Sleep MulDiv IsDBCSLeadByteEx lstrcpynA LockResource PeekMessageA htons ntohs inet_addr inet_ntoa
HeapFree HeapDestroy GlobalFree EnterCriticalSection LeaveCriticalSection TryEnterCriticalSection
InitializeCriticalSection DeleteCriticalSection
AddVectoredExceptionHandler RemoveVectoredExceptionHandler GetModuleHandleW GetProcessAffinityMask
SetProcessAffinityMask GetThreadContext SetThreadContext GetHandleInformation OpenProcess
OutputDebugStringA IsDebuggerPresent RaiseException RtlCaptureContext RtlLookupFunctionEntry
RtlUnwindEx RtlVirtualUnwind TlsAlloc TlsFree TlsGetValue TlsSetValue VirtualProtect VirtualQuery
__C_specific_handler _Strftime ___lc_codepage_func ___mb_cur_max_func __iob_func _amsg_exit _endthreadex
_errno _initterm _isctype_l _iswspace_l _lock _unlock _pctype _setjmp _snprintf _snscanf_l _snwscanf_l
_strtoul_l _tolower_l _toupper_l _towlower_l _towupper_l _ultoa _vscprintf_l _vscwprintf_l
_vsnprintf_l _vsnwprintf_l abort calloc clock exit fprintf fputc fputs free fwrite localeconv malloc
memchr memcmp memcpy memmove memset printf realloc signal strchr strcmp strerror strlen strncmp strrchr
strtoul vfprintf wcslen longjmp _strdup _fmode _commode __setusermatherr __dllonexit _onexit
_vsnprintf _vsnwprintf _snscanf _snwscanf _beginthread
GetModuleHandleA LoadLibraryA __mb_cur_max _iob _setjmp3 atoi setlocale
_locking fclose fopen fread fseek getenv strcat _open _mkdir _getpid _fdopen _close _access
"""


def main():
    objdump, dll, out = sys.argv[1:4]
    dump = subprocess.run([objdump, '-p', dll], check=True, capture_output=True, text=True).stdout
    rows = {}
    for line in ROWS.splitlines():
        f = line.split()
        if f and not f[0].startswith('#'):
            rows[f[0]] = f[1:]
    passing = set(PASS.split())
    lines, unknown, dllname = [], [], None
    section = dump[dump.find('The Import Tables'):]
    section = section[:section.find('The Export Tables')] if 'The Export Tables' in section else section
    for line in section.splitlines():
        m = re.match(r'\s*DLL Name: (\S+)', line)
        if m:
            dllname = m.group(1)
            continue
        m = re.match(r'\s+[0-9a-f]+\s+[0-9]+\s+(\S+)\s*$', line)
        if not m or not dllname:
            continue
        name = m.group(1)
        if name in rows:
            value, error, how, group = rows[name]
            value = 'ZRNO_NAPAKA_VRNI' if value == 'e' else value
            lines.append(f'ZRNO_OVOJ("{dllname}", {name}, {value}, {error}, \'{how}\', "{group}")')
        elif name in passing:
            lines.append(f'ZRNO_MIMO("{dllname}", "{name}")')
        else:
            unknown.append(name)
            lines.append(f'ZRNO_NEZNAN("{dllname}", "{name}")')
    if not lines:
        sys.exit(f'no imports found in {dll}')
    text = '// Generated by ovoji.py from ' + dll + '\n' + '\n'.join(lines) + '\n'
    try:
        if open(out).read() == text:
            return
    except OSError:
        pass
    open(out, 'w').write(text)
    for name in unknown:
        print(f'ovoji.py: {dll} imports {name}, which the fault table does not know', file=sys.stderr)


main()
