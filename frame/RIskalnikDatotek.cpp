// RIskalnikDatotek: the system's file search, one entry ahead, delivering each as T_NAJDENADATOTEKA.
#include "frame/Lastnina.h"
#include "frame/Napake.h"
#include "frame/cas.h"
#include "frame/win.h"
#include <string.h>
#include <zrno/frame.h>

static_assert(sizeof(WIN32_FIND_DATAA) == 320 && alignof(WIN32_FIND_DATAA) <= 4,
              "the pending entry is kept as raw storage in the public class");

namespace {

// Searches close with FindClose; nothing closes them implicitly.
struct IskanjeDatotek : Zrno::Notranje::Rocica {
    static int Zapri(void *v) { return Zrno::Notranje::Izid(FindClose(v), Zrno::NAP_ZAPIRANJE); }
};

WIN32_FIND_DATAA *Zapis(unsigned char *p) { return reinterpret_cast<WIN32_FIND_DATAA *>(p); }

} // namespace

RIskalnikDatotek::RIskalnikDatotek() : m_dolzinaImenika(0), m_konec(true) {
    m_imenik[0] = 0;
    memset(m_cakajoci, 0, sizeof m_cakajoci);
}

RIskalnikDatotek::RIskalnikDatotek(const RIskalnikDatotek &o)
    : RElement(o), RSisElement(o), m_dolzinaImenika(o.m_dolzinaImenika), m_konec(o.m_konec) {
    memcpy(m_imenik, o.m_imenik, sizeof m_imenik);
    memcpy(m_cakajoci, o.m_cakajoci, sizeof m_cakajoci);
}

RIskalnikDatotek::~RIskalnikDatotek() {}

RIskalnikDatotek &RIskalnikDatotek::operator=(const RIskalnikDatotek &o) {
    RSisElement::operator=(o);
    memcpy(m_imenik, o.m_imenik, sizeof m_imenik);
    m_dolzinaImenika = o.m_dolzinaImenika;
    memcpy(m_cakajoci, o.m_cakajoci, sizeof m_cakajoci);
    m_konec = o.m_konec;
    return *this;
}

int RIskalnikDatotek::Odpri(char const *vzorec) {
    if (!vzorec) {
        m_konec = true;
        return Zrno::NAP_PARAMETER;
    }
    m_rocica = FindFirstFileA(vzorec, Zapis(m_cakajoci));
    if (!JeVeljaven()) {
        DWORD napaka = GetLastError();
        m_konec = true;
        return PretvoriNapako(napaka, Zrno::NAP_NINAJDENO);
    }
    const char *locilo = strrchr(vzorec, '\\');
    size_t n = locilo ? static_cast<size_t>(locilo - vzorec) + 1 : 0;
    if (n > sizeof m_imenik - 1)
        n = sizeof m_imenik - 1;
    memcpy(m_imenik, vzorec, n);
    m_imenik[n] = 0;
    m_dolzinaImenika = static_cast<unsigned int>(n);
    m_konec = false;
    return Zrno::OK;
}

int RIskalnikDatotek::Poisci(T_NAJDENADATOTEKA *najdena) {
    if (m_konec)
        return Zrno::NAP_NIVEC;
    if (!najdena)
        return Zrno::NAP_PARAMETER;
    const WIN32_FIND_DATAA &z = *Zapis(m_cakajoci);
    najdena->Atributi = z.dwFileAttributes;
    najdena->Velikost = (static_cast<unsigned long long>(z.nFileSizeHigh) << 32) | z.nFileSizeLow;
    najdena->CasUstvarjanja = Zrno::Notranje::IzFileTime(z.ftCreationTime);
    najdena->CasDostopa = Zrno::Notranje::IzFileTime(z.ftLastAccessTime);
    najdena->CasSpremembe = Zrno::Notranje::IzFileTime(z.ftLastWriteTime);
    lstrcpynA(najdena->KratkoIme, z.cAlternateFileName, sizeof najdena->KratkoIme);
    memcpy(najdena->Pot, m_imenik, m_dolzinaImenika);
    lstrcpynA(najdena->Pot + m_dolzinaImenika, z.cFileName,
              static_cast<int>(sizeof najdena->Pot - m_dolzinaImenika));
    najdena->Ime = najdena->Pot + m_dolzinaImenika;
    if (!FindNextFileA(m_rocica, Zapis(m_cakajoci)))
        m_konec = true;
    return Zrno::OK;
}

int RIskalnikDatotek::Zapri() {
    const int r = Zrno::Notranje::Lastnina<IskanjeDatotek>::Zapri(m_rocica, this);
    if (r == Zrno::OK)
        m_konec = true; // a closed search has nothing pending
    return r;
}
