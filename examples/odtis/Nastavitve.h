// The sample service's settings, read from the registry key
// HKLM\SYSTEM\CurrentControlSet\Services\<service>\Parameters; a missing value keeps its default.
#ifndef ODTIS_NASTAVITVE_H
#define ODTIS_NASTAVITVE_H

#include <zrno/strings.h>

struct Nastavitve {
    unsigned long Vrata = 7878; ///< "Port" (REG_DWORD); 0 lets the system choose
    RNizA Dnevnik;              ///< "LogFile" (REG_SZ or REG_EXPAND_SZ); default odtis.log beside the program
    RNizA Jezik; ///< "Language" (REG_SZ), two letters such as "sl"; default the user's language
    unsigned long Omejitev = 64ul << 20; ///< "MaxRequest" (REG_DWORD), the largest request in bytes
    unsigned long Niti = 64;             ///< "Threads" (REG_DWORD), connections served at once

    /// Reads the key of the service ime (code-page text). 0, or 1 when the key does not exist (all
    /// defaults); a value of the wrong type gives its failure code.
    int Preberi(char const *ime);
    /// Fills the defaults that depend on the program (the log file's place).
    void DopolniPrivzete();
};

#endif
