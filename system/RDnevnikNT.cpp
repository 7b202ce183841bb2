// The event-log log: event source, event reports, and the source's registration in the registry.
#include "frame/Lastnina.h"
#include "frame/Napake.h"
#include "frame/Oblikuj.h"
#include "frame/win.h"
#include <stdarg.h>
#include <zrno/strings.h>
#include <zrno/system/RDinTabela.h>
#include <zrno/system/RDnevnikNT.h>
#include <zrno/system/RRegister.h>

using namespace Zrno;
using Zrno::Notranje::Izid;

namespace {

// Event sources close with DeregisterEventSource; nothing closes them implicitly.
struct VirDogodkov : Notranje::Rocica {
    static int Zapri(void *v) { return Izid(DeregisterEventSource(v), NAP_ZAPIRANJE); }
};

constexpr char KLJUC_APLIKACIJ[] = "SYSTEM\\CurrentControlSet\\Services\\Eventlog\\Application\\";

WORD TipDogodka(T_DNEVNIKPRIORITETA prioriteta) {
    if (prioriteta <= DNEVNIK_NAPAKA)
        return EVENTLOG_ERROR_TYPE;
    if (prioriteta == DNEVNIK_OPOZORILO)
        return EVENTLOG_WARNING_TYPE;
    if (prioriteta == DNEVNIK_OBVESTILO)
        return EVENTLOG_INFORMATION_TYPE;
    return EVENTLOG_SUCCESS;
}

} // namespace

RDnevnikNT::RDnevnikNT(unsigned int kategorija, char const *vir, void *rocica)
    : RDnevnik(kategorija, vir), RSisElement(rocica) {}

RDnevnikNT::RDnevnikNT(const RDnevnikNT &o) : RElement(o), RDnevnik(o), RSisElement(o) {}

RDnevnikNT &RDnevnikNT::operator=(const RDnevnikNT &o) {
    RDnevnik::operator=(o);
    RSisElement::operator=(o);
    return *this;
}

RDnevnikNT::~RDnevnikNT() {}

int RDnevnikNT::Odpri(char const *streznik) {
    m_rocica = RegisterEventSourceA(streznik, m_vir);
    return Izid(m_rocica != nullptr, NAP_ODPIRANJE);
}

int RDnevnikNT::Zapri() { return Notranje::Lastnina<VirDogodkov>::Zapri(m_rocica, this); }

int RDnevnikNT::Porocaj(T_DNEVNIKPRIORITETA prioriteta, void *podatki, unsigned int velikost,
                        unsigned int dogodek, char const **nizi, unsigned int stevilo) {
    return Izid(ReportEventA(m_rocica, TipDogodka(prioriteta), static_cast<WORD>(m_kategorija), dogodek,
                             nullptr, static_cast<WORD>(stevilo), velikost, nizi,
                             velikost ? podatki : nullptr),
                NAP_PISANJE);
}

int RDnevnikNT::ZapisiP(T_DNEVNIKPRIORITETA prioriteta, void *podatki, unsigned int velikost,
                        unsigned int dogodek, char *nizi) {
    va_list argumenti;
    va_copy(argumenti, nizi);
    RDinTabela<char const *> tabela;
    int r = OK;
    for (char const *niz; r >= 0 && (niz = va_arg(argumenti, char const *)) != nullptr;)
        r = tabela.Dodaj(niz);
    va_end(argumenti);
    if (r < 0)
        return r;
    return Porocaj(prioriteta, podatki, velikost, dogodek, tabela.VrniPodatke(), tabela.VrniStevilo());
}

int RDnevnikNT::Zapisi(T_DNEVNIKPRIORITETA prioriteta, void *podatki, unsigned int velikost,
                       unsigned int dogodek, ...) {
    va_list nizi;
    va_start(nizi, dogodek);
    int r = ZapisiP(prioriteta, podatki, velikost, dogodek, nizi);
    va_end(nizi);
    return r;
}

int RDnevnikNT::ZapisiP(T_DNEVNIKPRIORITETA prioriteta, unsigned int sporocilo, char *nizi) {
    return ZapisiP(prioriteta, nullptr, 0, sporocilo, nizi);
}

int RDnevnikNT::ZapisiP(T_DNEVNIKPRIORITETA prioriteta, char const *oblika, char *argumenti) {
    RNizOP<char> besedilo = RNizOP<char>::OblikujSP(oblika, argumenti);
    if (Zrno::Notranje::Odrezano(besedilo, oblika, argumenti))
        return NAP_POMNILNIK;
    char const *niz = besedilo;
    return Porocaj(prioriteta, nullptr, 0, 0, &niz, 1);
}

int RDnevnikNT::Registriraj(char const *vir, unsigned int tipi, char const *sporocila, char const *parametri,
                            char const *kategorije, unsigned int steviloKategorij) {
    // Without a source name the path would be the Application key itself.
    if (!vir || !*vir)
        return NAP_PARAMETER;
    RNizA pot(KLJUC_APLIKACIJ);
    pot += vir;
    RRegister kljuc;
    const int r = kljuc.Ustvari(HKEY_LOCAL_MACHINE, pot, KEY_WRITE);
    if (r < 0)
        return r;
    if (sporocila)
        kljuc.Zapisi("EventMessageFile", sporocila);
    if (parametri)
        kljuc.Zapisi("ParameterMessageFile", parametri);
    if (kategorije) {
        kljuc.Zapisi("CategoryMessageFile", kategorije);
        kljuc.Zapisi("CategoryCount", static_cast<unsigned long>(steviloKategorij));
    }
    kljuc.Zapisi("TypesSupported", static_cast<unsigned long>(tipi));
    kljuc.Zapri();
    return r;
}

int RDnevnikNT::Odjavi(char const *vir) {
    // Without a source name the deletion would take the whole Application key.
    if (!vir || !*vir)
        return NAP_PARAMETER;
    RRegister kljuc;
    int r = kljuc.Odpri(HKEY_LOCAL_MACHINE, KLJUC_APLIKACIJ, KEY_WRITE);
    if (r < 0)
        return r;
    r = kljuc.BrisiPodkljuc(vir);
    kljuc.Zapri();
    return r;
}
