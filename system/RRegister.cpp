// RRegister: opening, creating and closing keys, raw reads, writes, deletion, enumeration and change
// notification. Registry calls return their error code; the last error is never read after them.
#include "frame/Lastnina.h"
#include "frame/scoped.h"
#include "system/RRegisterNotranje.h"
#include <string.h>
#include <zrno/strings.h>
#include <zrno/system/RRegister.h>

using namespace Zrno;
using Zrno::Notranje::Kljuc;
using Zrno::Notranje::ScopedBlock;

namespace {

// A key closes with RegCloseKey, which returns its error. A closed key is 0, also after a failed close,
// and only 0 counts as no key: the default -1 is handed to the system, whose verdict decides.
struct KljucRegistra : Zrno::Notranje::Rocica {
    static constexpr bool pozabiObNeuspehu = true;
    static bool JePrazna(void const *v) { return v == nullptr; }
    static void *Prazna() { return nullptr; }
    static int Zapri(void *v) { return PretvoriNapako(RegCloseKey(Kljuc(v)), NAP_ZAPIRANJE); }
};

} // namespace

RRegister::RRegister(void *kljuc) : RSisElement(kljuc) {}
RRegister::RRegister(RRegister const &drugi) : RElement(drugi), RSisElement(drugi), RIzpElement(drugi) {}
RRegister::~RRegister() {}

RRegister &RRegister::operator=(RRegister const &drugi) {
    RSisElement::operator=(drugi);
    return *this;
}

int RRegister::Odpri(void *stars, char const *pot, unsigned int dostop) {
    HKEY k;
    LONG e = RegOpenKeyExA(Kljuc(stars), pot, 0, dostop, &k);
    if (e != ERROR_SUCCESS)
        return PretvoriNapako(e, NAP_ODPIRANJE);
    m_rocica = k;
    return OK;
}

int RRegister::Ustvari(void *stars, char const *pot, unsigned int dostop) {
    HKEY k;
    LONG e =
        RegCreateKeyExA(Kljuc(stars), pot, 0, nullptr, REG_OPTION_NON_VOLATILE, dostop, nullptr, &k, nullptr);
    if (e != ERROR_SUCCESS)
        return PretvoriNapako(e, NAP_USTVARI);
    m_rocica = k;
    return OK;
}

int RRegister::Zapri() { return Zrno::Notranje::Lastnina<KljucRegistra>::Zapri(m_rocica, this); }

int RRegister::Izplakni() { return PretvoriNapako(RegFlushKey(Kljuc(m_rocica)), NAP_IZPLAKNI); }

int RRegister::Preberi(char const *ime, void *medpomnilnik, unsigned int velikost, T_REGTIP *tip,
                       unsigned int *dolzina) {
    DWORD t, n = velikost;
    LONG e = RegQueryValueExA(Kljuc(m_rocica), ime, nullptr, &t, static_cast<BYTE *>(medpomnilnik), &n);
    if (e != ERROR_SUCCESS)
        return PretvoriNapako(e, NAP_BRANJE);
    if (tip)
        *tip = static_cast<T_REGTIP>(t);
    if (dolzina)
        *dolzina = n;
    return OK;
}

T_REGTIP RRegister::VrniTip(char const *ime) {
    DWORD t;
    LONG e = RegQueryValueExA(Kljuc(m_rocica), ime, nullptr, &t, nullptr, nullptr);
    return static_cast<T_REGTIP>(e == ERROR_SUCCESS ? t : 0);
}

unsigned int RRegister::VrniDolzino(char const *ime) const {
    DWORD n;
    LONG e = RegQueryValueExA(Kljuc(m_rocica), ime, nullptr, nullptr, nullptr, &n);
    return e == ERROR_SUCCESS ? n : 0;
}

int RRegister::VrniPodkljuc(unsigned int indeks, RNizA &ime) {
    constexpr unsigned int k_prostor = 4096;
    char *p = ime.Odpusti(k_prostor, false);
    if (!p) {
        ime.Sprazni();
        return NAP_POMNILNIK;
    }
    DWORD n = k_prostor + 1; // the room counts the terminator, the answer does not
    LONG e = RegEnumKeyExA(Kljuc(m_rocica), indeks, p, &n, nullptr, nullptr, nullptr, nullptr);
    ime.Skrajsaj(e == ERROR_SUCCESS ? n : 0);
    return PretvoriNapako(e, NAP_NINAJDENO);
}

namespace {

int Zapisi(void *kljuc, char const *ime, DWORD tip, void const *podatki, unsigned int velikost) {
    return PretvoriNapako(
        RegSetValueExA(Kljuc(kljuc), ime, 0, tip, static_cast<BYTE const *>(podatki), velikost), NAP_PISANJE);
}

} // namespace

int RRegister::Zapisi(char const *ime, char const *besedilo) {
    if (!besedilo)
        besedilo = "";
    return ::Zapisi(m_rocica, ime, REG_SZ, besedilo, static_cast<unsigned int>(strlen(besedilo)) + 1);
}

int RRegister::Zapisi(char const *ime, unsigned long vrednost) {
    DWORD v = vrednost;
    return ::Zapisi(m_rocica, ime, REG_DWORD, &v, sizeof v);
}

int RRegister::Zapisi(char const *ime, void const *podatki, unsigned int velikost) {
    return ::Zapisi(m_rocica, ime, REG_BINARY, podatki, velikost);
}

int RRegister::ZapisiSeznam(char const *ime, char const *seznam) {
    if (!seznam)
        seznam = "";
    char const *p = seznam;
    while (*p)
        p += strlen(p) + 1;
    return ::Zapisi(m_rocica, ime, REG_MULTI_SZ, seznam, static_cast<unsigned int>(p - seznam) + 1);
}

int RRegister::BrisiVrednost(char const *ime) {
    return PretvoriNapako(RegDeleteValueA(Kljuc(m_rocica), ime), NAP_BRISANJE);
}

int RRegister::BrisiPodkljuc(char const *ime) {
    RRegister pod;
    int r = pod.Odpri(m_rocica, ime, KEY_ENUMERATE_SUB_KEYS | KEY_SET_VALUE);
    if (r < 0)
        return r;
    constexpr DWORD k_prostor = 261; // key names are at most 255 characters
    ScopedBlock blok(RezervirajPomnilnik(nullptr, k_prostor));
    if (!blok) {
        pod.Zapri();
        return NAP_POMNILNIK;
    }
    char *otrok = static_cast<char *>(blok.get());
    // A deleted child shifts the later ones down, so the same index is asked again; a child that stays
    // is passed over, which bounds the walk and lets the final delete report it. A walk the system
    // refuses ends it: passing over the index then could go on for ever.
    LONG e;
    for (DWORD i = 0;;) {
        DWORD n = k_prostor;
        e = RegEnumKeyExA(Kljuc(pod.m_rocica), i, otrok, &n, nullptr, nullptr, nullptr, nullptr);
        if (e != ERROR_SUCCESS)
            break;
        if (pod.BrisiPodkljuc(otrok) < 0)
            ++i;
    }
    blok.reset();
    pod.Zapri();
    if (e != ERROR_NO_MORE_ITEMS)
        return PretvoriNapako(e, NAP_BRISANJE);
    return PretvoriNapako(RegDeleteKeyA(Kljuc(m_rocica), ime), NAP_BRISANJE);
}

namespace {

int Spremljaj(void *kljuc, unsigned int filter, HANDLE dogodek, BOOL asinhrono) {
    return PretvoriNapako(RegNotifyChangeKeyValue(Kljuc(kljuc), (filter & REG_SPREMLJAJ_PODDREVO) != 0,
                                                  filter & ~REG_SPREMLJAJ_PODDREVO, dogodek, asinhrono),
                          NAP_OBVESTILO);
}

} // namespace

int RRegister::SpremljajSpremembe(unsigned int filter, void *dogodek) {
    return Spremljaj(m_rocica, filter, dogodek, TRUE);
}

int RRegister::SpremljajSpremembe(unsigned int filter) { return Spremljaj(m_rocica, filter, nullptr, FALSE); }
