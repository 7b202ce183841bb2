// The file log: one formatted, UTC-stamped line per message, written and flushed under its mutex.
#include "frame/Oblikuj.h"
#include "frame/win.h"
#include <string.h>
#include <zrno/system/RDnevnikDat.h>
#include <zrno/util.h>

namespace {

// A handle of the same mutex for a copy of the log, so that each copy closes only its own handle.
void *Podvojen(const RNevarenOdsek &odsek) {
    void *kopija;
    RSisElement::Podvoji(odsek.VrniRocico(), false, &kopija);
    return kopija;
}

bool Kontrolni(unsigned char c) { return c < 0x20 || c == 0x7F; }

// The text to print: s itself when it holds no control character (the usual case costs one scan),
// else its copy in izhod with each one written as the visible escape the header describes; null when
// that copy could not grow.
char const *Vidno(char const *s, unsigned int n, RNizA &izhod) {
    static char const k_hex[] = "0123456789abcdef";
    unsigned int i = 0;
    while (i < n && !Kontrolni(static_cast<unsigned char>(s[i])))
        ++i;
    if (i == n)
        return s ? s : ""; // an empty string may have no storage at all
    unsigned int od = 0, dolzina = 0;
    izhod.Nastavi("");
    for (; i < n; ++i) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (!Kontrolni(c))
            continue;
        char e[4] = {'\\', 'x', k_hex[c >> 4], k_hex[c & 15]};
        const unsigned int m = c == '\n' || c == '\r' || c == '\t' ? 2 : 4;
        if (m == 2)
            e[1] = c == '\n' ? 'n' : c == '\r' ? 'r' : 't';
        izhod.Prilepi(s + od, i - od);
        izhod.Prilepi(e, m);
        dolzina += i - od + m;
        od = i + 1;
    }
    izhod.Prilepi(s + od, n - od);
    return izhod.VrniDolzino() == dolzina + n - od ? static_cast<char const *>(izhod) : nullptr;
}

} // namespace

RDnevnikDat::RDnevnikDat(unsigned int kategorija, char const *vir, HINSTANCE__ *modul, T_KODAJEZIKA2 jezik,
                         T_KODNASTRAN kodnaStran)
    : RDnevnik(kategorija, vir), m_tok(nullptr), m_odsek(), m_modul(modul), m_jezik(jezik),
      m_kodnaStran(kodnaStran) {}

RDnevnikDat::RDnevnikDat(const RDnevnikDat &o)
    : RElement(o), RDnevnik(o), m_tok(o.m_tok), m_odsek(Podvojen(o.m_odsek)), m_modul(o.m_modul),
      m_jezik(o.m_jezik), m_kodnaStran(o.m_kodnaStran) {}

RDnevnikDat &RDnevnikDat::operator=(const RDnevnikDat &o) {
    if (this != &o) {
        RDnevnik::operator=(o);
        m_odsek.Zapri();
        m_odsek.Uporabi(Podvojen(o.m_odsek));
        m_tok = o.m_tok;
        m_modul = o.m_modul;
        m_jezik = o.m_jezik;
        m_kodnaStran = o.m_kodnaStran;
    }
    return *this;
}

RDnevnikDat::~RDnevnikDat() {}

RTokPodatkov *RDnevnikDat::Uporabi(RTokPodatkov *tok) {
    const int zaklep = m_odsek.Zakleni(INFINITE);
    RTokPodatkov *prejsnji = m_tok;
    m_tok = tok;
    if (zaklep >= 0)
        m_odsek.Odkleni();
    return prejsnji;
}

int RDnevnikDat::ZapisiP(T_DNEVNIKPRIORITETA prioriteta, unsigned int sporocilo, char *argumenti) {
    RNizA oblika(m_modul, sporocilo, m_jezik, m_kodnaStran);
    return ZapisiP(prioriteta, static_cast<char const *>(oblika), argumenti);
}

int RDnevnikDat::ZapisiP(T_DNEVNIKPRIORITETA prioriteta, char const *oblika, char *argumenti) {
    RNizA besedilo, sporocilo, vir, vrstica;
    besedilo.OblikujP(oblika, argumenti);
    if (Zrno::Notranje::Odrezano(besedilo, oblika, argumenti))
        return Zrno::NAP_POMNILNIK;
    // A message (or a source name) from outside must not end its line early and forge a record.
    char const *const s = Vidno(besedilo, besedilo.VrniDolzino(), sporocilo);
    char const *const v = m_vir ? Vidno(m_vir, static_cast<unsigned int>(strlen(m_vir)), vir) : nullptr;
    if (!s || (m_vir && !v))
        return Zrno::NAP_POMNILNIK;
    unsigned char dan, mesec, ura, minuta, sekunda;
    long leto;
    RDatum::PretvoriJulVGre(RDatum::VrniTrenutniCas(), &dan, &mesec, &leto, &ura, &minuta, &sekunda, nullptr);
    const unsigned int dolzina =
        vrstica.Oblikuj("%04i/%02u/%02u\t%02u:%02u:%02u\t%u\t%s: %s\n", static_cast<int>(leto),
                        unsigned{mesec}, unsigned{dan}, unsigned{ura}, unsigned{minuta}, unsigned{sekunda},
                        static_cast<unsigned int>(prioriteta), v, s);
    // A string the heap would not grow keeps only what fitted: never write a line without its end.
    if (dolzina == 0 || vrstica.VrniZnak(dolzina - 1) != '\n')
        return Zrno::NAP_POMNILNIK;

    const int zaklep = m_odsek.Zakleni(INFINITE);
    if (zaklep < 0)
        return zaklep;
    int r = Zrno::OK;
    if (!m_tok)
        r = Zrno::NAP_PARAMETER;
    else if (m_tok->Zapisi(static_cast<char const *>(vrstica), dolzina) < dolzina)
        r = m_tok->VrniStanje();
    else
        m_tok->Izplakni();
    m_odsek.Odkleni();
    return r;
}
