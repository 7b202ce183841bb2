// Ownership: a handle belongs to the object holding it; copies share it and the last owner closes;
// Odpusti gives it away unclosed and Uporabi (or a constructor taking a handle) adopts it.
#include <stdio.h>
#include <zrno.h>

int main() {
    //! [copies]
    RDogodek dogodek(RDogodek::ROCNI); // an unnamed manual-reset event
    {
        RDogodek kopija(dogodek); // the same handle, now shared by two owners
        if (kopija.VrniRocico() != dogodek.VrniRocico())
            return 1;
        kopija.Postavi();               // sets the one event both of them name
    }                                   // kopija goes, dogodek still owns the handle: nothing is closed
    if (dogodek.Zakleni(0) != Zrno::OK) // set, and still open
        return 2;
    //! [copies]

    //! [release]
    void *rocica = dogodek.Odpusti(); // the handle is ours now, dogodek is empty
    if (dogodek.JeVeljaven())
        return 3;
    RDogodek novi(rocica); // ... and now novi's, which closes it when it goes
    if (novi.Zakleni(0) != Zrno::OK)
        return 4;
    //! [release]

    //! [close]
    RDogodek a;
    RDogodek b(a);
    const int prvi = a.Zapri();   // 0: closed for both
    const int drugi = b.Zapri();  // NAP_ROCICA: b knows its shared handle has gone
    const int tretji = a.Zapri(); // 1: nothing left to close
    //! [close]
    printf("Zapri: %d, 0x%08x, %d\n", prvi, static_cast<unsigned int>(drugi), tretji);
    return prvi == Zrno::OK && drugi == Zrno::NAP_ROCICA && tretji == Zrno::OK_NICNAREDITI ? 0 : 5;
}
