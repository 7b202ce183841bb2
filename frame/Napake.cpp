// The one mapping from system error codes to the library's result codes.
#include "frame/win.h"
#include <zrno/frame.h>

using namespace Zrno;

int PretvoriNapako(unsigned int system_error, int default_code) {
    switch (system_error) {
    case 0: return OK;
    case 1: return NAP_NIPODPRTO;         // ERROR_INVALID_FUNCTION
    case 2: return NAP_NIDATOTEKE;        // ERROR_FILE_NOT_FOUND
    case 3: return NAP_NIPOTI;            // ERROR_PATH_NOT_FOUND
    case 4: return NAP_PREVECDATOTEK;     // ERROR_TOO_MANY_OPEN_FILES
    case 5: return NAP_DOSTOP;            // ERROR_ACCESS_DENIED
    case 6: return NAP_ROCICA;            // ERROR_INVALID_HANDLE
    case 8: return NAP_POMNILNIK;         // ERROR_NOT_ENOUGH_MEMORY
    case 19: return NAP_ZASCITAPISANJA;   // ERROR_WRITE_PROTECT
    case 21: return NAP_NIPRIPRAVLJEN;    // ERROR_NOT_READY
    case 22: return NAP_NIPODPRTO;        // ERROR_BAD_COMMAND
    case 23: return NAP_CRC;              // ERROR_CRC
    case 27: return NAP_SEKTOR;           // ERROR_SECTOR_NOT_FOUND
    case 29: return NAP_PISANJE;          // ERROR_WRITE_FAULT
    case 30: return NAP_BRANJE;           // ERROR_READ_FAULT
    case 32: return NAP_SKUPNIDOSTOP;     // ERROR_SHARING_VIOLATION
    case 33: return NAP_ZAKLENJENO;       // ERROR_LOCK_VIOLATION
    case 39: return NAP_DISKPOLN;         // ERROR_HANDLE_DISK_FULL
    case 50: return NAP_NIPODPRTO;        // ERROR_NOT_SUPPORTED
    case 52: return NAP_OBSTAJA;          // ERROR_DUP_NAME
    case 87: return NAP_PARAMETER;        // ERROR_INVALID_PARAMETER
    case 123: return NAP_IME;             // ERROR_INVALID_NAME
    case 183: return NAP_OBSTAJA;         // ERROR_ALREADY_EXISTS
    case 259: return NAP_NIVEC;           // ERROR_NO_MORE_ITEMS
    case 1055: return NAP_ZAKLENJENO;     // ERROR_SERVICE_DATABASE_LOCKED
    case 1056: return NAP_SERVISTECE;     // ERROR_SERVICE_ALREADY_RUNNING
    case 1057: return NAP_RACUN;          // ERROR_INVALID_SERVICE_ACCOUNT
    case 1059: return NAP_KROZNAODVISNOST; // ERROR_CIRCULAR_DEPENDENCY
    case 1060: return NAP_NISERVISA;      // ERROR_SERVICE_DOES_NOT_EXIST
    case 1065: return NAP_NIBAZE;         // ERROR_DATABASE_DOES_NOT_EXIST
    case 1069: return NAP_PRIJAVASERVISA; // ERROR_SERVICE_LOGON_FAILED
    case 1072: return NAP_ZABRISANJE;     // ERROR_SERVICE_MARKED_FOR_DELETE
    case 1073: return NAP_OBSTAJA;        // ERROR_SERVICE_EXISTS
    case 1444: return NAP_NITID;          // ERROR_INVALID_THREAD_ID
    case 1814: return NAP_NIVIRA;         // ERROR_RESOURCE_NAME_NOT_FOUND
    case 10061: return NAP_ZAVRNJENO;     // WSAECONNREFUSED
    case 12002: return NAP_CASOVNIROK;    // ERROR_INTERNET_TIMEOUT
    case 12007: return NAP_RAZRESITEV;    // ERROR_INTERNET_NAME_NOT_RESOLVED
    case 0x8009000C: return NAP_STANJEZGOSCEVANJA; // NTE_BAD_HASH_STATE
    case 0x8009000E: return NAP_POMNILNIK;         // NTE_NO_MEMORY
    case 0x8009000F: return NAP_OBSTAJA;           // NTE_EXISTS
    case 0x80090016: return NAP_KLJUCI;            // NTE_BAD_KEYSET
    case 0x80090019: return NAP_NIKLJUCEV;         // NTE_KEYSET_NOT_DEF
    case 0x8009001A: return NAP_KLJUCI;            // NTE_KEYSET_ENTRY_BAD
    default: return default_code;
    }
}
