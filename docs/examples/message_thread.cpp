// A message thread: requests posted with Sporoci reach RokovalnikOznak one at a time, in order, on the
// thread; a request carries an event to answer on; request 0 ends the loop.
#include <stdio.h>
#include <zrno.h>

//! [thread]
class Sestevalnik : public RDogNit {
  public:
    enum : unsigned int { PRISTEJ = 1, POROCAJ = 2 }; // 0 is taken: it ends the loop
    unsigned long long vsota = 0; // written by the thread only, read by the others once it is posted back

  protected:
    unsigned int RokovalnikOznak(unsigned int koda, unsigned int vrednost, void *podatki) override {
        if (koda == PRISTEJ)
            vsota += vrednost;
        else if (koda == POROCAJ)
            static_cast<RDogodek *>(podatki)->Postavi(); // the answer: everything before it is added
        return 0; // 0 goes on; any other value ends the loop and becomes the exit code
    }
};
//! [thread]

int main() {
    //! [use]
    Sestevalnik nit;
    if (nit.Odpri(0, nullptr, NIT_TECE, 0) < 0) // returns once the thread's queue exists
        return 1;
    for (unsigned int i = 1; i <= 100; ++i)
        nit.Sporoci(Sestevalnik::PRISTEJ, i, nullptr);
    RDogodek odgovor; // auto-reset, unsigned
    nit.Sporoci(Sestevalnik::POROCAJ, 0, &odgovor);
    const bool odgovorjeno = odgovor.Zakleni(5000) == Zrno::OK; // wait at most 5 s
    const unsigned long long vsota = nit.vsota;

    nit.Sporoci(0, 0, nullptr);            // ends the loop ...
    const int koncana = nit.Zakleni(5000); // ... and the thread: wait before destroying it
    unsigned int izhod = 1;
    nit.VrniRezultat(&izhod);
    //! [use]
    printf("sum %llu, thread ended: %d, exit code %u\n", vsota, koncana, izhod);
    return odgovorjeno && vsota == 5050 && koncana == Zrno::OK && izhod == 0 ? 0 : 2;
}
