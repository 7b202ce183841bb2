// Input of the zrno subcommands: a named file or standard input ("-"), as a library stream, and the
// words for the failures a user meets when opening or reading one.
#ifndef ZRNO_TOOLS_VHOD_H
#define ZRNO_TOOLS_VHOD_H

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

/// Standard input ("-") or a disk file opened for reading; the state tells whether it opened. A pipe
/// whose writer has closed fails ReadFile with ERROR_BROKEN_PIPE, which here is the end of the data.
class Vhod : public RSisTokPodatkov {
  public:
    explicit Vhod(const char *ime) : m_datoteka(strcmp(ime, "-") != 0) {
        if (!m_datoteka) {
            Uporabi(GetStdHandle(STD_INPUT_HANDLE));
            return;
        }
        RFizDatoteka f(ime, DAT_BRANJE | DAT_DELI_BRANJE | DAT_BREZ_DEDOVANJA | DAT_ZAPOREDNO);
        if (f.JeKonec())
            NastaviStanje(f.VrniStanje());
        else
            Uporabi(f.Odpusti());
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
