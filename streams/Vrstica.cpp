// Reading a line one unit at a time, for both string types: a line ends at LF, which is not stored, and
// a CR directly before the LF is dropped; any other CR stays. The unit read is kept back by one step so
// that a CR can be judged by what follows it.
#include <zrno/streams.h>
#include <zrno/strings.h>

namespace {

// Units gathered for the string: appended in runs, one call per run rather than one per unit. A pointer
// append stops at a 0 unit, so a 0 goes in on its own.
template <typename T, typename Niz> class Zbiralnik {
  public:
    explicit Zbiralnik(Niz &niz) : m_niz(niz) {}
    void Dodaj(T enota) {
        if (enota == 0) {
            Izprazni();
            m_dolzina = m_niz.Prilepi(enota, 1);
            return;
        }
        if (m_v_kosu == sizeof m_kos / sizeof m_kos[0])
            Izprazni();
        m_kos[m_v_kosu++] = enota;
    }
    unsigned int Izprazni() {
        if (m_v_kosu)
            m_dolzina = m_niz.Prilepi(m_kos, m_v_kosu);
        m_v_kosu = 0;
        return m_dolzina;
    }

  private:
    Niz &m_niz;
    T m_kos[128];
    unsigned int m_v_kosu = 0, m_dolzina = 0;
};

template <typename T, typename Niz> unsigned int BeriVrstico(RTokPodatkov &tok, Niz &vrstica) {
    const T CR = 13, LF = 10;
    vrstica.Sprazni();
    Zbiralnik<T, Niz> zbiralnik(vrstica);
    T prejsnja = 0, enota = 0;
    for (bool prva = true;; prva = false) {
        // A 16-bit unit may arrive in pieces.
        unsigned int dobljeno = 0;
        do
            dobljeno +=
                tok.Preberi(reinterpret_cast<unsigned char *>(&enota) + dobljeno, sizeof(T) - dobljeno);
        while (dobljeno < sizeof(T) && !tok.JeKonec());
        // When no whole unit came, the last unit that did arrive stands in for the one read, so it is
        // kept. A unit that came together with the end (a cache, a socket) still judges the CR.
        const T prebrana = dobljeno == sizeof(T) ? enota : prejsnja;
        if (!prva && !(prejsnja == CR && prebrana == LF))
            zbiralnik.Dodaj(prejsnja);
        if (tok.JeKonec() || prebrana == LF)
            return zbiralnik.Izprazni();
        prejsnja = enota;
    }
}

} // namespace

unsigned int RTokPodatkov::PreberiVrstico(RNizA &vrstica) { return BeriVrstico<char>(*this, vrstica); }

unsigned int RTokPodatkov::PreberiVrstico(RNizU &vrstica) {
    return BeriVrstico<unsigned short>(*this, vrstica);
}
