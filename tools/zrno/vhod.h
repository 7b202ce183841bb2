// Input of the zrno subcommands: a named file or standard input ("-"), as a library stream, and the
// words for the failures a user meets when opening or reading one.
#ifndef ZRNO_TOOLS_VHOD_H
#define ZRNO_TOOLS_VHOD_H

#include "imena.h"
#include <string.h>
#include <windows.h>
#include <zrno/streams.h>

namespace zrno_orodje {

inline const char *OpisNapake(int koda) {
    switch (koda) {
    case Zrno::NAP_NIDATOTEKE: return "no such file";
    case Zrno::NAP_NIPOTI: return "no such directory";
    case Zrno::NAP_DOSTOP: return "access denied";
    case Zrno::NAP_SKUPNIDOSTOP: return "file is in use";
    case Zrno::NAP_IME: return "invalid name";
    default: return "cannot read";
    }
}

/// Standard input ("-") or a disk file opened for reading by its UTF-16 name; the state tells whether
/// it opened. A pipe whose writer has closed fails ReadFile with ERROR_BROKEN_PIPE, which here is the
/// end of the data.
class Vhod : public RSisTokPodatkov {
  public:
    explicit Vhod(const char *ime) : m_datoteka(strcmp(ime, "-") != 0) {
        int koda = 0;
        void *h = OdpriZaBranje(ime, &koda);
        if (h == INVALID_HANDLE_VALUE)
            NastaviStanje(koda);
        else
            Uporabi(h);
    }
    ~Vhod() override {
        if (m_datoteka && JeVeljaven())
            Zapri();
    }
    unsigned int Preberi(void *medpomnilnik, unsigned int stevilo) override {
        unsigned int n = RSisTokPodatkov::Preberi(medpomnilnik, stevilo);
        if (JeKonec() && GetLastError() == ERROR_BROKEN_PIPE)
            NastaviStanje(Zrno::NAP_KONECPODATKOV);
        return n;
    }

  private:
    bool m_datoteka;
};

} // namespace zrno_orodje

#endif
