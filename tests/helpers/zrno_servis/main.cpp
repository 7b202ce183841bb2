// The service host of the system tests. It hosts two services:
//  - ZrnoTestA runs on a message thread of its own (RServisImpl::Odpri). Its first argument after the
//    name is a log file, where RDnevnikDat notes its start with the arguments, its stop and its end. A
//    stop reports one check point and then ends the loop; the other requests take the library's course.
//  - ZrnoTestB runs on the dispatcher's thread (RServisImpl::Pozeni); its start-up fails with
//    NAP_ODPIRANJE, so the system sees it stopped with exit code 1066.
#include <string>
#include <vector>
#include <windows.h>
#include <zrno/streams.h>
#include <zrno/system.h>

namespace {

RRegisterServisov g_register;
void *g_kljucA;

class ServisA : public RServisImpl {
  public:
    ServisA() : m_dnevnik(0, "ZrnoTestA") {}

  protected:
    int ObZagonu() override {
        if (m_stevilo < 2)
            return Zrno::NAP_PARAMETER;
        int r = m_datoteka.Odpri(m_argumenti[1], DAT_PISANJE | DAT_USTVARI | DAT_OHRANI | DAT_DELI_BRANJE |
                                                     DAT_DELI_PISANJE | DAT_BREZ_DEDOVANJA);
        if (r < 0)
            return r;
        m_datoteka.PrestaviKon(0);
        m_dnevnik.Uporabi(&m_datoteka);
        std::string argumenti;
        for (unsigned int i = 2; i < m_stevilo; ++i)
            argumenti += std::string(i > 2 ? "|" : "") + m_argumenti[i];
        return m_dnevnik.Zapisi(DNEVNIK_OBVESTILO, "start %s %u [%s]", m_argumenti[0], m_stevilo,
                                argumenti.c_str());
    }
    int ObZaustavitvi() override {
        m_dnevnik.Zapisi(DNEVNIK_OBVESTILO, "stop");
        SporociNaslednjiKorak(3000);
        return Sporoci(0, 0, nullptr);
    }
    int ObZakljucku() override {
        m_dnevnik.Zapisi(DNEVNIK_OBVESTILO, "end");
        m_dnevnik.Uporabi(nullptr);
        m_datoteka.Zapri();
        return 0;
    }

  private:
    RFizDatoteka m_datoteka;
    RDnevnikDat m_dnevnik;
};

class ServisB : public RServisImpl {
  public:
    using RServisImpl::Pozeni;

  protected:
    int ObZagonu() override { return Zrno::NAP_ODPIRANJE; }
};

ServisA g_a;
ServisB g_b;
// The dispatcher frees the arguments when a main function returns; A's thread outlives its main.
std::vector<std::string> g_besedilaA;
std::vector<char const *> g_argumentiA;

void __stdcall RokovalnikA(unsigned long koda) { g_a.Sporoci(koda, 0, nullptr); }
void __stdcall RokovalnikB(unsigned long koda) { g_b.Sporoci(koda, 0, nullptr); }

void __stdcall GlavnaA(unsigned long argc, char **argv) {
    g_besedilaA.assign(argv, argv + argc);
    g_argumentiA.clear();
    for (const std::string &s : g_besedilaA)
        g_argumentiA.push_back(s.c_str());
    if (g_a.Odpri(argc, g_argumentiA.data(), 0, reinterpret_cast<void *>(RokovalnikA)) < 0)
        return;
    void *nit;
    if (g_a.Podvoji(false, &nit) >= 0)
        g_register.RegistrirajNitServisa(g_kljucA, nit);
}

void __stdcall GlavnaB(unsigned long argc, char **argv) {
    g_b.Pozeni(argc, const_cast<char const **>(argv), RokovalnikB);
}

} // namespace

int main() {
    g_kljucA = g_register.RegistrirajServis("ZrnoTestA", GlavnaA);
    g_register.RegistrirajServis("ZrnoTestB", GlavnaB);
    return g_register.PozeniRokovalnikServisov() < 0 ? 1 : 0;
}
