// The disk file: CreateFileA with the library's open flags, 64-bit seeking, length, truncation, region
// locks and file times.
#include "frame/Lastnina.h"
#include "frame/cas.h"
#include "frame/win.h"
#include <zrno/streams/RFizDatoteka.h>

// Copies share the handle: the last owner closes it, and none closes a value that a copy has closed
// already and that may meanwhile name another object.
using Lastnina = Zrno::Notranje::Lastnina<Zrno::Notranje::DeljenaRocica>;

RFizDatoteka::RFizDatoteka(char const *ime, unsigned int zastavice) { Odpri(ime, zastavice); }

RFizDatoteka::RFizDatoteka(const RFizDatoteka &o)
    : RElement(o), RIzpElement(o), RTokPodatkov(o), RDatoteka(o), RSisElement(o), RSisTokPodatkov(o) {
    Lastnina::Kopija(m_rocica, &o, this);
}

RFizDatoteka &RFizDatoteka::operator=(const RFizDatoteka &o) {
    if (this == &o)
        return *this;
    Lastnina::Prevzemi(m_rocica, o.m_rocica, &o, this);
    m_stanje = o.m_stanje;
    return *this;
}

RFizDatoteka::~RFizDatoteka() { Lastnina::Izpusti(m_rocica, this); }

int RFizDatoteka::Zapri() { return m_stanje = Lastnina::Zapri(m_rocica, this); }

int RFizDatoteka::Uporabi(void *rocica) { return m_stanje = Lastnina::Uporabi(m_rocica, rocica, this); }

void *RFizDatoteka::Odpusti() {
    m_stanje = 0;
    return Lastnina::Odpusti(m_rocica, this);
}

int RFizDatoteka::Odpri(char const *ime, unsigned int zastavice) {
    DWORD dostop = 0, deljenje = 0, ustvarjanje = OPEN_EXISTING, atributi = FILE_ATTRIBUTE_NORMAL;
    if (zastavice & DAT_BRANJE)
        dostop |= GENERIC_READ;
    if (zastavice & DAT_PISANJE)
        dostop |= GENERIC_WRITE;
    if (zastavice & DAT_DELI_BRANJE)
        deljenje |= FILE_SHARE_READ;
    if (zastavice & DAT_DELI_PISANJE)
        deljenje |= FILE_SHARE_WRITE;
    if (zastavice & DAT_DELI_BRISANJE)
        deljenje |= FILE_SHARE_DELETE;
    if (zastavice & DAT_USTVARI)
        ustvarjanje = (zastavice & DAT_OHRANI) ? OPEN_ALWAYS : CREATE_ALWAYS;
    if (zastavice & DAT_TAKOJ_NA_DISK)
        atributi |= FILE_FLAG_WRITE_THROUGH;
    if (zastavice & DAT_BREZ_PREDPOMNJENJA)
        atributi |= FILE_FLAG_NO_BUFFERING;
    if (zastavice & DAT_NAKLJUCNO)
        atributi |= FILE_FLAG_RANDOM_ACCESS;
    if (zastavice & DAT_ZAPOREDNO)
        atributi |= FILE_FLAG_SEQUENTIAL_SCAN;
    SECURITY_ATTRIBUTES varnost = {sizeof(SECURITY_ATTRIBUTES), nullptr,
                                   (zastavice & DAT_BREZ_DEDOVANJA) ? FALSE : TRUE};

    Lastnina::Pozabi(m_rocica, this); // overwritten, not closed: callers close first
    m_rocica = CreateFileA(ime, dostop, deljenje, &varnost, ustvarjanje, atributi, nullptr);
    if (!JeVeljaven())
        return m_stanje = PretvoriNapako(GetLastError(), Zrno::NAP_ODPIRANJE);
    // Writes meant for the end would land at the start of the file: an open that cannot reach its end
    // closes the file again and fails.
    if ((zastavice & DAT_NA_KONEC) && Prestavi(0, ODMIK_KON) == ~0ULL) {
        Zapri();
        return m_stanje = Zrno::NAP_POLOZAJ;
    }
    return m_stanje = 0;
}

unsigned __int64 RFizDatoteka::Prestavi(__int64 odmik, T_DATNACINODMIKA izhodisce) {
    if (!JeVeljaven()) {
        m_stanje = Zrno::NAP_ROCICA;
        return 0;
    }
    LONG visja = static_cast<LONG>(odmik >> 32);
    DWORD nizja = SetFilePointer(m_rocica, static_cast<LONG>(odmik), &visja, izhodisce);
    // 0xFFFFFFFF is also a valid low part of a position beyond 4 GiB; only the last error tells.
    // A successful call that returns it sets the last error to NO_ERROR (Windows and Wine alike).
    if (nizja == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR) {
        m_stanje = Zrno::NAP_POLOZAJ;
        return ~0ULL;
    }
    m_stanje = 0;
    return (static_cast<unsigned __int64>(static_cast<DWORD>(visja)) << 32) | nizja;
}

unsigned __int64 RFizDatoteka::VrniOdmik() { return Prestavi(0, ODMIK_TREN); }

unsigned __int64 RFizDatoteka::VrniDolzino() const {
    DWORD visja = 0;
    DWORD nizja = GetFileSize(m_rocica, &visja);
    if (nizja == INVALID_FILE_SIZE && GetLastError() != NO_ERROR)
        return ~0ULL;
    return (static_cast<unsigned __int64>(visja) << 32) | nizja;
}

int RFizDatoteka::PostaviKonec() { return m_stanje = SetEndOfFile(m_rocica) ? 0 : Zrno::NAP_KONECDATOTEKE; }

int RFizDatoteka::ZakleniObmocje(unsigned __int64 odmik, unsigned __int64 dolzina) {
    BOOL ok = LockFile(m_rocica, static_cast<DWORD>(odmik), static_cast<DWORD>(odmik >> 32),
                       static_cast<DWORD>(dolzina), static_cast<DWORD>(dolzina >> 32));
    return m_stanje = ok ? 0 : Zrno::NAP_ZAKLEPANJE;
}

int RFizDatoteka::OdkleniObmocje(unsigned __int64 odmik, unsigned __int64 dolzina) {
    BOOL ok = UnlockFile(m_rocica, static_cast<DWORD>(odmik), static_cast<DWORD>(odmik >> 32),
                         static_cast<DWORD>(dolzina), static_cast<DWORD>(dolzina >> 32));
    return m_stanje = ok ? 0 : Zrno::NAP_ODKLEPANJE;
}

namespace {

enum class KateriCas { Stvaritev, Dostop, Pisanje };

__int64 CasRocice(void *rocica, KateriCas kateri) {
    FILETIME cas;
    BOOL ok = GetFileTime(rocica, kateri == KateriCas::Stvaritev ? &cas : nullptr,
                          kateri == KateriCas::Dostop ? &cas : nullptr,
                          kateri == KateriCas::Pisanje ? &cas : nullptr);
    return ok ? Zrno::Notranje::IzFileTime(cas) : 0;
}

} // namespace

__int64 RFizDatoteka::VrniDatumStvaritve() const { return CasRocice(m_rocica, KateriCas::Stvaritev); }

__int64 RFizDatoteka::VrniDatumDostopa() const { return CasRocice(m_rocica, KateriCas::Dostop); }

__int64 RFizDatoteka::VrniDatumPisanja() const { return CasRocice(m_rocica, KateriCas::Pisanje); }
