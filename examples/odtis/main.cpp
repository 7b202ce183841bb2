// odtis.exe, the sample service: MD5 digests of whatever its clients send (see Streznik.h).
//   odtis.exe                   as started by the service manager (install it with `zrno service`)
//   odtis.exe --console [NAME]  the same work in the console, with NAME's settings, until Enter
#include "Streznik.h"
#include <stdio.h>
#include <string.h>

namespace {

constexpr char k_ime[] = "ZrnoOdtis";

class Servis : public RServisImpl, private Napredek {
  public:
    unsigned int Pozeni(unsigned int stevilo, char const **argumenti,
                        void(__stdcall *rokovalnik)(unsigned long)) {
        // The control handler's Sporoci must reach the loop that runs on this thread.
        Uporabi(RNit::VrniTrenutnoNit(), RNit::VrniKodoTrenutneNiti(), 0);
        return RServisImpl::Pozeni(stevilo, argumenti, rokovalnik);
    }

  protected:
    void PredRegistracijoServisa() override {
        m_status.SprejeteKontrole = SERVICE_ACCEPT_STOP | SERVICE_ACCEPT_SHUTDOWN;
    }
    int ObZagonu() override {
        char const *ime = m_stevilo ? m_argumenti[0] : k_ime;
        Nastavitve nastavitve;
        const int r = nastavitve.Preberi(ime);
        if (r >= 0)
            return m_streznik.Zazeni(ime, nastavitve);
        // The log is not open yet: its place is among the settings.
        RDnevnikNT dogodki(0, ime);
        dogodki.Odpri();
        dogodki.Zapisi(DNEVNIK_NAPAKA, "cannot start: %s", static_cast<char const *>(nastavitve.Napaka));
        dogodki.Zapri();
        return r;
    }
    int ObZaustavitvi() override {
        SporociNaslednjiKorak(3000);
        m_streznik.Ustavi(this);
        return Sporoci(0, 0, nullptr);
    }

  private:
    void Korak(unsigned int cakalniNamig) override { SporociNaslednjiKorak(cakalniNamig); }

    Streznik m_streznik;
};

Servis g_servis;

void __stdcall Rokovalnik(unsigned long koda) { g_servis.Sporoci(koda, 0, nullptr); }

// The dispatcher's thread runs the service in place, so the arguments live as long as it does.
void __stdcall Glavna(unsigned long stevilo, char **argumenti) {
    g_servis.Pozeni(stevilo, const_cast<char const **>(argumenti), Rokovalnik);
}

int Konzola(char const *ime) {
    Nastavitve nastavitve;
    int r = nastavitve.Preberi(ime);
    Streznik streznik;
    if (r >= 0)
        r = streznik.Zazeni(ime, nastavitve);
    if (r < 0) {
        char const *zakaj = nastavitve.Napaka.JePrazen() ? streznik.VrniNapako()
                                                         : static_cast<char const *>(nastavitve.Napaka);
        fprintf(stderr, "odtis: cannot start (0x%08x)%s%s\n", static_cast<unsigned int>(r),
                *zakaj ? ": " : "", zakaj);
        return 1;
    }
    RNizA dnevnik;
    ImeZaSporocilo(nastavitve.Dnevnik, dnevnik);
    printf("odtis: %s on 127.0.0.1:%u, log %s; Enter stops\n", ime, streznik.VrniVrata(),
           static_cast<char const *>(dnevnik));
    fflush(stdout);
    getchar();
    streznik.Ustavi(nullptr);
    return 0;
}

} // namespace

int main(int argc, char **argv) {
    if (argc > 1 && !strcmp(argv[1], "--console"))
        return Konzola(argc > 2 ? argv[2] : k_ime);
    RRegisterServisov servisi;
    servisi.RegistrirajServis(k_ime, Glavna);
    const int r = servisi.PozeniRokovalnikServisov();
    if (r < 0)
        fprintf(stderr, "odtis: not started by the service manager (0x%08x); try --console\n",
                static_cast<unsigned int>(r));
    return r < 0 ? 1 : 0;
}
