// The sample service's settings, read from the registry key
// HKLM\SYSTEM\CurrentControlSet\Services\<service>\Parameters; a missing value keeps its default, a
// value of the wrong type or out of its range stops the start.
#ifndef ODTIS_NASTAVITVE_H
#define ODTIS_NASTAVITVE_H

#include <zrno/strings.h>

struct Nastavitve {
    unsigned long Vrata = 7878; ///< "Port" (REG_DWORD), 0 to 65535; 0 lets the system choose
    RNizU Dnevnik; ///< "LogFile" (REG_SZ or REG_EXPAND_SZ, in UTF-16); default odtis.log beside the program
    RNizA Jezik;   ///< "Language" (REG_SZ), two letters such as "sl"; default the user's language
    unsigned long Omejitev = 64ul << 20; ///< "MaxRequest" (REG_DWORD), the largest request in bytes
    unsigned long Niti = 64;             ///< "Threads" (REG_DWORD), 1 to 1024 connections served at once
    unsigned long Nedejavnost = 30;      ///< "IdleTimeout" (REG_DWORD), 1 to 3600 s: for a line, an answer
    RNizA Napaka;                        ///< after a failed Preberi: which value is wrong and why (English)

    /// Reads the key of the service ime (code-page text). 0, or 1 when the key does not exist (all
    /// defaults); a value of the wrong type (NAP_TIPVREDNOSTI) or out of its range (NAP_PARAMETER), or
    /// a key that cannot be read, gives its failure code and the text in Napaka.
    int Preberi(char const *ime);
    /// Fills the defaults that depend on the program (the log file's place).
    void DopolniPrivzete();
};

/// A name (UTF-16) as messages show it, in code page 1250: a character the page lacks is written as
/// <U+XXXX>, which no file name can hold, instead of a look-alike or a question mark.
void ImeZaSporocilo(unsigned short const *ime, RNizA &besedilo);

#endif
