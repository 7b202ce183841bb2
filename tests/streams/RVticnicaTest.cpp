// Sockets on 127.0.0.1, ephemeral ports: connect, half close, refusal, closed-socket codes, helpers, stop.
#include <winsock.h>

#include "TestniTok.h"
#include <zrno/frame.h>
#include <zrno/strings.h>

namespace {

constexpr unsigned int k_rok = 20000; // ms: a fault fails instead of hanging

unsigned int Vrata(RVticnica &v) {
    sockaddr_in naslov;
    unsigned int dolzina = sizeof naslov;
    EXPECT_EQ(0, v.VrniNaslovVticnice(reinterpret_cast<sockaddr *>(&naslov), &dolzina));
    return ntohs(naslov.sin_port);
}

TEST(RVticnica, ATransferThePeerClosingHalfWayARefusalAndTheCodesOfAClosedSocket) {
    RVticnica poslusalec, odjemalec, streznik, vezana, v;
    EXPECT_EQ(0, poslusalec.Odpri(RVticnica::DOMENA_INET, RVticnica::VRSTA_TOK, 0));
    EXPECT_EQ(0, poslusalec.Privezi("127.0.0.1", 0));
    EXPECT_EQ(0, poslusalec.Poslusaj(0xFFFFFFFF));
    EXPECT_EQ(0, odjemalec.Odpri(RVticnica::DOMENA_INET, RVticnica::VRSTA_TOK, 0));
    EXPECT_EQ(0, odjemalec.NastaviParameter(RVticnica::PARAM_RCVTIMEO, &k_rok, sizeof k_rok));
    EXPECT_EQ(0, odjemalec.Povezi("127.0.0.1", Vrata(poslusalec))); // the backlog holds it
    sockaddr_in odjemalcev, vrstnik;
    unsigned int d1 = sizeof odjemalcev, d2 = sizeof vrstnik;
    ASSERT_EQ(0, poslusalec.Sprejmi(streznik, reinterpret_cast<sockaddr *>(&odjemalcev), &d1));
    EXPECT_EQ(0, streznik.NastaviParameter(RVticnica::PARAM_RCVTIMEO, &k_rok, sizeof k_rok));
    ASSERT_EQ(0, odjemalec.VrniNaslovVticnice(reinterpret_cast<sockaddr *>(&vrstnik), &d2));
    EXPECT_EQ(0, memcmp(&odjemalcev, &vrstnik, sizeof vrstnik));

    char b[10];
    EXPECT_IZID(streznik, Poslji("ok", 2, 0), 2u, 0);
    EXPECT_IZID(odjemalec, Prejmi(b, sizeof b, MSG_PEEK), 2u, 0);
    EXPECT_IZID(odjemalec, Preberi(b, 2), 2u, 0);
    EXPECT_EQ(0, memcmp(b, "ok", 2));
    odjemalec.Zapisi("abcd", 4);
    EXPECT_IZID(odjemalec, Zakljuci(RVticnica::ZAPIRANJE_PISANJE), 0, 0);
    EXPECT_IZID(streznik, Preberi(b, 10), 4u, Zrno::NAP_KONECPODATKOV);
    EXPECT_EQ(0, memcmp(b, "abcd", 4));
    EXPECT_IZID(streznik, Zapisi("back", 4), 4u, 0); // the other direction still works
    EXPECT_IZID(odjemalec, Preberi(b, 4), 4u, 0);
    EXPECT_EQ(0, streznik.Zapri());
    EXPECT_IZID(odjemalec, Preberi(b, 10), 0u, Zrno::NAP_KONECPODATKOV);
    EXPECT_IZID(streznik, Zapri(), 1, 1); // forgotten
    EXPECT_IZID(streznik, Zapisi("x", 1), 0u, Zrno::NAP_PISANJE);

    // A bound port that does not listen refuses; on a closed socket every operation fails with its code.
    EXPECT_EQ(0, vezana.Odpri(RVticnica::DOMENA_INET, RVticnica::VRSTA_TOK, 0));
    ASSERT_EQ(0, vezana.Privezi("127.0.0.1", 0));
    ASSERT_EQ(0, v.Odpri(RVticnica::DOMENA_INET, RVticnica::VRSTA_TOK, 0));
    EXPECT_IZID(v, Povezi("127.0.0.1", Vrata(vezana)), Zrno::NAP_ZAVRNJENO, Zrno::NAP_ZAVRNJENO);
    EXPECT_IZID(v, Zapri(), 0, 0);
    sockaddr *n = reinterpret_cast<sockaddr *>(&vrstnik);
    const int izidi[][3] = {
        // per operation: its result, the state it leaves, the code expected
        {v.Privezi(n, sizeof vrstnik), v.VrniStanje(), Zrno::NAP_VEZAVA},
        {v.Povezi(n, sizeof vrstnik), v.VrniStanje(), Zrno::NAP_POVEZAVA},
        {v.Poslusaj(5), v.VrniStanje(), Zrno::NAP_POSLUSANJE},
        {v.Sprejmi(vezana, nullptr, nullptr), v.VrniStanje(), Zrno::NAP_SPREJEM},
        {v.Zakljuci(RVticnica::ZAPIRANJE_OBOJE), v.VrniStanje(), Zrno::NAP_ZAPRIPOVEZAVO},
        {v.VrniParameter(RVticnica::PARAM_TYPE, b, &d2), v.VrniStanje(), Zrno::NAP_BERIOPCIJO},
        {v.NastaviParameter(RVticnica::PARAM_TYPE, b, 4), v.VrniStanje(), Zrno::NAP_NASTAVIOPCIJO},
        {v.VrniNaslovVrstnika(n, &d2), v.VrniStanje(), Zrno::NAP_NASPROTNIK},
        {v.VrniNaslovVticnice(n, &d2), v.VrniStanje(), Zrno::NAP_RAZRESITEV},
        {static_cast<int>(v.Poslji("x", 1, 0)) + v.VrniStanje(), v.VrniStanje(), Zrno::NAP_PISANJE},
        {static_cast<int>(v.Prejmi(b, 1, 0)) + v.VrniStanje(), v.VrniStanje(), Zrno::NAP_BRANJE},
        {static_cast<int>(v.Preberi(b, 1)) + v.VrniStanje(), v.VrniStanje(), Zrno::NAP_BRANJE},
    };
    for (const auto &i : izidi)
        EXPECT_EQ((std::pair<int, int>(i[2], i[2])), (std::pair<int, int>(i[0], i[1]))) << &i - izidi;
    EXPECT_EQ(0, vezana.Zapri());
}

TEST(RVticnica, AddressHelpersAndTheLibrarysFullStop) {
    sockaddr_in naslov;
    memset(&naslov, 0xCC, sizeof naslov);
    EXPECT_EQ(0, RVticnica::VrniNaslov(nullptr, 80, &naslov));
    const unsigned char pricakovano[16] = {2, 0, 0x00, 0x50};
    EXPECT_EQ(0, memcmp(pricakovano, &naslov, 16));
    EXPECT_EQ(0, RVticnica::VrniNaslov("127.0.0.1", 8080, &naslov));
    RNizA besedilo("old");
    unsigned int vrata = 0;
    EXPECT_EQ(0, RVticnica::VrniIme(&naslov, besedilo, &vrata));
    EXPECT_EQ("127.0.0.1:8080", std::string(besedilo) + ":" + std::to_string(vrata));
    EXPECT_EQ(Zrno::NAP_RAZRESITEV, RVticnica::VrniNaslov("300.1.1.1", 1, &naslov));
    unsigned long a = 0;
    EXPECT_EQ(0, RVticnica::PoisciNaslov("localhost", &a));
    EXPECT_EQ(0x0100007Fu, a); // network order as it lies in memory

    // After the last Zakljuci socket calls fail with default codes ("not started" is not a mapped error).
    int zagonov = 0;
    while (Zrno::Zakljuci() == 0)
        ++zagonov;
    ASSERT_GT(zagonov, 0);
    RVticnica v;
    EXPECT_IZID(v, Odpri(RVticnica::DOMENA_INET, RVticnica::VRSTA_TOK, 0), Zrno::NAP_ODPIRANJE,
                Zrno::NAP_ODPIRANJE);
    EXPECT_EQ(Zrno::NAP_RAZRESITEV, RVticnica::PoisciNaslov("127.0.0.1", &a));
    for (int i = 0; i < zagonov; ++i)
        ASSERT_EQ(0, Zrno::Vzpostavi());
    EXPECT_EQ(0, v.Odpri(RVticnica::DOMENA_INET, RVticnica::VRSTA_TOK, 0));
    EXPECT_EQ(0, v.Zapri());
}

} // namespace
