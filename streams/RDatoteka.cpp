// The seekable file: the default (unavailable) region locks and the whole file as a SAFEARRAY.
#include "frame/win.h"
#include <zrno/streams/RDatoteka.h>

RDatoteka::~RDatoteka() {}

int RDatoteka::ZakleniObmocje(unsigned __int64, unsigned __int64) {
    return NastaviStanje(Zrno::NAP_ZAKLEPANJE);
}

int RDatoteka::OdkleniObmocje(unsigned __int64, unsigned __int64) {
    return NastaviStanje(Zrno::NAP_ODKLEPANJE);
}

tagSAFEARRAY *RDatoteka::VrniSAFEARRAY() {
    // The array size is 32-bit: only the low part of the length counts.
    const unsigned int dolzina = static_cast<unsigned int>(VrniDolzino());
    SAFEARRAY *polje = SafeArrayCreateVector(VT_UI1, 0, dolzina);
    if (!polje) {
        NastaviStanje(Zrno::NAP_POMNILNIK);
        return nullptr;
    }
    void *podatki = nullptr;
    if (FAILED(SafeArrayAccessData(polje, &podatki))) {
        SafeArrayDestroy(polje);
        NastaviStanje(Zrno::NAP_POMNILNIK);
        return nullptr;
    }
    // After a failed seek the read would fill the array from elsewhere: the state keeps the failure.
    ResetirajStanje();
    Prestavi(0, ODMIK_ZAC);
    if (VrniStanje() >= 0)
        PreberiTab(podatki, 1, dolzina);
    SafeArrayUnaccessData(polje);
    return polje;
}
