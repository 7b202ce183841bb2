// The SGML members of RNizA and RNizU: they size the strings and leave the conversion to the codec in
// sgml_kodek.cpp.
#include "strings/sgml.h"
#include "frame/win.h"
#include "strings/Orodja.h"
#include <stdint.h>
#include <zrno/strings.h>

namespace {

using namespace Zrno::Notranje;

// Decodes behind the first `od` characters of niz. The result is never longer than its source, so room
// for n more characters is asked for once; when the heap refuses, what fits in the present buffer is
// kept. The source may be niz's own text: if the buffer moves, the source moves with it.
template <class T, class Dekoder>
unsigned int DekodirajV(RNizP<T> &niz, unsigned int od, char const *vhod, unsigned int najvec,
                        Dekoder dekoder) {
    unsigned int n = DolzinaDo(vhod, najvec);
    auto zacetek = reinterpret_cast<uintptr_t>(static_cast<T const *>(niz));
    uintptr_t odmik = reinterpret_cast<uintptr_t>(vhod) - zacetek;
    bool lastniTekst = odmik < sizeof(T) * niz.VrniKapaciteto();

    unsigned int prostor = n <= 0xFFFFFFFE - od ? n : 0xFFFFFFFE - od;
    T *buffer = niz.Odpusti(od + prostor, false);
    if (!buffer) {
        buffer = niz.Odpusti(0, false); // the present buffer, unchanged
        if (!buffer)
            return niz.VrniDolzino();
        prostor = niz.VrniKapaciteto() - 1 - od;
    }
    if (lastniTekst)
        vhod = reinterpret_cast<char const *>(buffer) + odmik;
    unsigned int j = dekoder(vhod, n, buffer + od, prostor);
    return niz.Skrajsaj(od + j);
}

struct VKodnoStran {
    unsigned int kodnastran;
    unsigned int operator()(char const *vhod, unsigned int n, char *izhod, unsigned int prostor) const {
        return DekodirajSGML(vhod, n, izhod, prostor, kodnastran);
    }
};

struct VUtf16 {
    unsigned int operator()(char const *vhod, unsigned int n, unsigned short *izhod,
                            unsigned int prostor) const {
        return DekodirajSGML(vhod, n, izhod, prostor);
    }
};

char *Rezerviraj(void *kontekst, unsigned int dolzina) {
    return static_cast<RNizA *>(kontekst)->Odpusti(dolzina, false);
}

// The encoded text, or an empty string when the heap cannot hold it.
template <class T, class... Dodatno>
RNizA Kodiraj(T const *vhod, unsigned int najvec, unsigned int nacin, Dodatno... kodnastran) {
    RNizA izhod;
    unsigned int n = DolzinaDo(vhod, najvec);
    unsigned int dolzina = KodirajSGML(vhod, n, nacin, kodnastran..., Rezerviraj, &izhod);
    if (dolzina != 0xFFFFFFFF)
        izhod.Skrajsaj(dolzina);
    return izhod;
}

} // namespace

unsigned int RNizA::NastaviSGML(char const *besedilo, unsigned int najvec, T_KODNASTRAN kodnastran) {
    return DekodirajV<char>(*this, 0, besedilo, najvec, VKodnoStran{kodnastran});
}

unsigned int RNizA::PrilepiSGML(char const *besedilo, unsigned int najvec, T_KODNASTRAN kodnastran) {
    return DekodirajV<char>(*this, VrniDolzino(), besedilo, najvec, VKodnoStran{kodnastran});
}

unsigned int RNizU::NastaviSGML(char const *besedilo, unsigned int najvec) {
    return DekodirajV<unsigned short>(*this, 0, besedilo, najvec, VUtf16{});
}

unsigned int RNizU::PrilepiSGML(char const *besedilo, unsigned int najvec) {
    return DekodirajV<unsigned short>(*this, VrniDolzino(), besedilo, najvec, VUtf16{});
}

RNizA RNizA::VrniSGML(char const *besedilo, unsigned int najvec, unsigned int nacin,
                      T_KODNASTRAN kodnastran) {
    return Kodiraj(besedilo, najvec, nacin, static_cast<unsigned int>(kodnastran));
}

RNizA RNizA::VrniSGML(unsigned int najvec, unsigned int nacin, T_KODNASTRAN kodnastran) const {
    return Kodiraj(static_cast<char const *>(*this), najvec, nacin, static_cast<unsigned int>(kodnastran));
}

RNizA RNizU::VrniSGML(unsigned short const *besedilo, unsigned int najvec, unsigned int nacin) {
    return Kodiraj(besedilo, najvec, nacin);
}

RNizA RNizU::VrniSGML(unsigned int najvec, unsigned int nacin) const {
    return Kodiraj(static_cast<unsigned short const *>(*this), najvec, nacin);
}
