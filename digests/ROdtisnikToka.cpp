// The digesting converter: every byte written is digested before it is passed on; every byte read is
// digested once the read has not failed.
#include <zrno/digests.h>

ROdtisnikToka::ROdtisnikToka(ROdtisnik &odtisnik, RTokPodatkov *tok) : RPretvornikToka(tok), m_odtisnik(&odtisnik) {}

ROdtisnikToka::ROdtisnikToka(const ROdtisnikToka &o)
    : RElement(o), RIzpElement(o), RTokPodatkov(o), RPretvornikToka(o), m_odtisnik(o.m_odtisnik) {}

ROdtisnikToka &ROdtisnikToka::operator=(const ROdtisnikToka &o) {
    RPretvornikToka::operator=(o);
    m_odtisnik = o.m_odtisnik;
    return *this;
}

ROdtisnikToka::~ROdtisnikToka() {}

int ROdtisnikToka::Uporabi(RTokPodatkov *tok) {
    m_odtisnik->Resetiraj();
    return RPretvornikToka::Uporabi(tok);
}

RTokPodatkov *ROdtisnikToka::Odpusti() {
    m_odtisnik->Zakljuci();
    return RPretvornikToka::Odpusti();
}

unsigned int ROdtisnikToka::Zapisi(void const *medpomnilnik, unsigned int stevilo) {
    m_odtisnik->Izracunaj(medpomnilnik, stevilo);
    return RPretvornikToka::Zapisi(medpomnilnik, stevilo);
}

unsigned int ROdtisnikToka::Preberi(void *medpomnilnik, unsigned int stevilo) {
    unsigned int n = RPretvornikToka::Preberi(medpomnilnik, stevilo);
    if (!JeKonec())
        m_odtisnik->Izracunaj(medpomnilnik, n);
    return n;
}
