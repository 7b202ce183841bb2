// A stream chain of three links: Base64 over a digest filter over a socket, on both ends of one
// connection on 127.0.0.1. The sender's MD5 covers the Base64 text that went on the wire.
#include <stdio.h>
#include <string.h>
#include <winsock2.h>
#include <zrno.h>

int main() {
    RVticnica streznik, posiljatelj, prejemnik;
    sockaddr_in naslov;
    unsigned int dolzina = sizeof naslov, vrata = 0;
    RNizA ip;
    if (streznik.Odpri(RVticnica::DOMENA_INET, RVticnica::VRSTA_TOK, 0) < 0 ||
        streznik.Privezi("127.0.0.1", 0) < 0 || streznik.Poslusaj(1) < 0 || // port 0: the system picks
        streznik.VrniNaslovVticnice(reinterpret_cast<sockaddr *>(&naslov), &dolzina) < 0 ||
        RVticnica::VrniIme(&naslov, ip, &vrata) < 0 ||
        posiljatelj.Odpri(RVticnica::DOMENA_INET, RVticnica::VRSTA_TOK, 0) < 0 ||
        posiljatelj.Povezi("127.0.0.1", vrata) < 0 || streznik.Sprejmi(prejemnik, nullptr, nullptr) < 0)
        return 1;

    //! [send]
    RMD5 poslano;
    ROdtisnikToka odtis(poslano, &posiljatelj); // digests what passes to the socket
    RBase64Tok base64(19, &odtis);              // encodes what is written to it
    base64.Zapisi("Zrno", 4);
    base64.Odpusti();                                   // writes the padded last group
    odtis.Odpusti();                                    // finishes the digest
    posiljatelj.Zakljuci(RVticnica::ZAPIRANJE_PISANJE); // the peer's end of data
    //! [send]

    //! [receive]
    RMD5 prejeto;
    ROdtisnikToka odtisPrejetega(prejeto, &prejemnik);
    RBase64Tok dekoder(19, &odtisPrejetega); // decodes; the digest sees the text as it arrived
    char besedilo[16] = {};
    const unsigned int prebrano = dekoder.Preberi(besedilo, sizeof besedilo - 1); // until the end
    dekoder.Odpusti();
    odtisPrejetega.Odpusti();
    //! [receive]

    posiljatelj.Zapri();
    prejemnik.Zapri();
    streznik.Zapri();
    const bool enako = memcmp(poslano.Vrni().Bajti, prejeto.Vrni().Bajti, 16) == 0;
    printf("port %u: \"%s\" (%u bytes), digests %s\n", vrata, besedilo, prebrano, enako ? "agree" : "differ");
    return prebrano == 4 && strcmp(besedilo, "Zrno") == 0 && enako ? 0 : 2;
}
