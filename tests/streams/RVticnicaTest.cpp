// Sockets on 127.0.0.1 with ephemeral ports: listen, accept, connect, an echo through two threads, the peer
// closing half-way, options, address helpers, failures on a missing socket and sockets after the library's
// stop. Every socket that could block gets receive and send time-outs, so a fault fails instead of hanging.
#include <winsock.h>

#include "TestniTok.h"
#include <functional>
#include <thread>
#include <zrno/strings.h>

namespace {

constexpr unsigned int k_rok = 20000; // ms

void OmejiCakanje(RVticnica &v) {
    EXPECT_EQ(0, v.NastaviParameter(RVticnica::PARAM_RCVTIMEO, &k_rok, sizeof k_rok));
    EXPECT_EQ(0, v.NastaviParameter(RVticnica::PARAM_SNDTIMEO, &k_rok, sizeof k_rok));
}

unsigned int Vrata(RVticnica &v) {
    sockaddr_in naslov;
    unsigned int dolzina = sizeof naslov, vrata = 0;
    EXPECT_EQ(0, v.VrniNaslovVticnice(reinterpret_cast<sockaddr *>(&naslov), &dolzina));
    RNizA besedilo;
    RVticnica::VrniIme(&naslov, besedilo, &vrata);
    return vrata;
}

/// A listener on 127.0.0.1 and one connection to it: odjemalec connected, streznik its accepted end.
class Povezava {
  public:
    Povezava() {
        EXPECT_EQ(0, poslusalec.Odpri(RVticnica::DOMENA_INET, RVticnica::VRSTA_TOK, 0));
        EXPECT_EQ(0, poslusalec.Privezi("127.0.0.1", 0));
        EXPECT_EQ(0, poslusalec.Poslusaj(0xFFFFFFFF));
        EXPECT_EQ(0, odjemalec.Odpri(RVticnica::DOMENA_INET, RVticnica::VRSTA_TOK, 0));
        OmejiCakanje(odjemalec);
        EXPECT_EQ(0, odjemalec.Povezi("127.0.0.1", Vrata(poslusalec))); // the backlog holds it
        unsigned int dolzina = sizeof odjemalcev;
        EXPECT_EQ(0, poslusalec.Sprejmi(streznik, reinterpret_cast<sockaddr *>(&odjemalcev), &dolzina));
        EXPECT_EQ(sizeof(sockaddr_in), dolzina);
        OmejiCakanje(streznik);
    }
    ~Povezava() {
        odjemalec.Zapri();
        streznik.Zapri();
        poslusalec.Zapri();
    }

    RVticnica poslusalec, odjemalec, streznik;
    sockaddr_in odjemalcev; ///< the client's address as accept reported it
};

TEST(RVticnica, ListenAcceptConnectAndAddresses) {
    Povezava p;
    sockaddr_in lastni, vrstnik;
    unsigned int d1 = sizeof lastni, d2 = sizeof vrstnik;
    ASSERT_EQ(0, p.odjemalec.VrniNaslovVticnice(reinterpret_cast<sockaddr *>(&lastni), &d1));
    ASSERT_EQ(0, p.streznik.VrniNaslovVrstnika(reinterpret_cast<sockaddr *>(&vrstnik), &d2));
    EXPECT_EQ(0, memcmp(&lastni, &vrstnik, sizeof lastni));
    EXPECT_EQ(0, memcmp(&lastni, &p.odjemalcev, sizeof lastni));

    // The socket operations; the stream ones are the echo's and the half close's.
    char b[8] = {};
    EXPECT_IZID(p.streznik, Poslji("ok", 2, 0), 2u, 0);
    EXPECT_IZID(p.odjemalec, Prejmi(b, sizeof b, MSG_PEEK), 2u, 0);
    EXPECT_IZID(p.odjemalec, Prejmi(b, sizeof b, 0), 2u, 0);
    EXPECT_EQ(0, memcmp(b, "ok", 2));
    EXPECT_IZID(p.odjemalec, Izplakni(), 0, 0);
}

TEST(RVticnica, PeerClosingHalfWayEndsTheRead) {
    Povezava p;
    char b[10];
    EXPECT_IZID(p.streznik, Preberi(b, 0), 0u, 0); // does not touch the socket
    p.odjemalec.Zapisi("abcd", 4);
    EXPECT_IZID(p.odjemalec, Zakljuci(RVticnica::ZAPIRANJE_PISANJE), 0, 0);
    EXPECT_IZID(p.streznik, Preberi(b, 10), 4u, Zrno::NAP_KONECPODATKOV);
    EXPECT_EQ(0, memcmp(b, "abcd", 4));
    EXPECT_IZID(p.streznik, Prejmi(b, 10, 0), 0u, Zrno::NAP_KONECPODATKOV);
    // The other direction still works after the half close; then a full close.
    EXPECT_IZID(p.streznik, Zapisi("back", 4), 4u, 0);
    EXPECT_IZID(p.odjemalec, Preberi(b, 4), 4u, 0);
    EXPECT_EQ(0, p.streznik.Zapri());
    EXPECT_IZID(p.odjemalec, Preberi(b, 10), 0u, Zrno::NAP_KONECPODATKOV);
}

// 4 MiB through two sockets (many times their buffers): a writer thread sends, the server echoes, this
// thread reads back.
TEST(RVticnica, AnEchoKeepsEveryByte) {
    Povezava p;
    constexpr unsigned int k_skupaj = 4u << 20, k_kos = 65536;
    std::vector<unsigned char> vzorec(k_kos + 251);
    for (size_t i = 0; i < vzorec.size(); ++i)
        vzorec[i] = static_cast<unsigned char>(i % 251);
    unsigned int poslano = 0, odmev = 0;
    std::thread pisec([&] {
        for (unsigned int i = 0; i < k_skupaj / k_kos; ++i)
            poslano += p.odjemalec.Zapisi(&vzorec[i % 251], k_kos);
    });
    std::thread streznik([&] {
        std::vector<char> b(40000); // not a divisor of the writes: pieces straddle them
        unsigned int n;
        while ((n = p.streznik.Prejmi(b.data(), static_cast<unsigned int>(b.size()), 0)) != 0)
            if ((odmev += p.streznik.Zapisi(b.data(), n)) == k_skupaj)
                break;
    });
    std::vector<unsigned char> b(k_kos);
    unsigned int prejeto = 0, napacnih = 0;
    for (unsigned int i = 0; i < k_skupaj / k_kos; ++i) {
        prejeto += p.odjemalec.Preberi(b.data(), k_kos);
        if (p.odjemalec.VrniStanje() != 0 || memcmp(b.data(), &vzorec[i % 251], k_kos) != 0)
            ++napacnih;
        if (p.odjemalec.JeKonec())
            break;
    }
    pisec.join();
    streznik.join();
    EXPECT_EQ(k_skupaj, poslano);
    EXPECT_EQ(k_skupaj, odmev);
    EXPECT_EQ(k_skupaj, prejeto);
    EXPECT_EQ(0u, napacnih);
}

TEST(RVticnica, OptionsAndRefusedConnections) {
    Povezava p;
    unsigned int vrednost = 0, dolzina;
    auto Vrni = [&](RVticnica &v, RVticnica::T_VTICPARAMETER param, RVticnica::T_VTICNIVOPARAM nivo) {
        dolzina = sizeof vrednost;
        EXPECT_EQ(0, v.VrniParameter(param, &vrednost, &dolzina, nivo));
        return vrednost;
    };
    // The option values themselves are the system's: one set and read back shows the call goes through.
    const unsigned int ena = 1;
    EXPECT_EQ(0, p.odjemalec.NastaviParameter(RVticnica::PARAM_TCP_NODELAY, &ena, 4, RVticnica::NIVO_TCP));
    EXPECT_NE(0u, Vrni(p.odjemalec, RVticnica::PARAM_TCP_NODELAY, RVticnica::NIVO_TCP));
    const auto neznan = static_cast<RVticnica::T_VTICPARAMETER>(0x7777);
    EXPECT_IZID(p.odjemalec, VrniParameter(neznan, &vrednost, &dolzina), Zrno::NAP_BERIOPCIJO,
                Zrno::NAP_BERIOPCIJO);
    EXPECT_IZID(p.odjemalec, NastaviParameter(neznan, &ena, sizeof ena), Zrno::NAP_NASTAVIOPCIJO,
                Zrno::NAP_NASTAVIOPCIJO);

    // A port that is bound but not listening refuses.
    RVticnica vezana, zavrnjena;
    vezana.Odpri(RVticnica::DOMENA_INET, RVticnica::VRSTA_TOK, 0);
    ASSERT_EQ(0, vezana.Privezi("127.0.0.1", 0));
    zavrnjena.Odpri(RVticnica::DOMENA_INET, RVticnica::VRSTA_TOK, 0);
    EXPECT_IZID(zavrnjena, Povezi("127.0.0.1", Vrata(vezana)), Zrno::NAP_ZAVRNJENO, Zrno::NAP_ZAVRNJENO);
    sockaddr_in naslov;
    unsigned int d = sizeof naslov;
    EXPECT_IZID(zavrnjena, VrniNaslovVrstnika(reinterpret_cast<sockaddr *>(&naslov), &d),
                Zrno::NAP_NASPROTNIK, Zrno::NAP_NASPROTNIK);
    EXPECT_EQ(0, vezana.Zapri());
    EXPECT_EQ(0, zavrnjena.Zapri());
}

TEST(RVticnica, WithoutASocketEveryOperationFailsWithItsCode) {
    RVticnica v;
    char b[4] = {};
    sockaddr_in naslov;
    RVticnica::VrniNaslov("127.0.0.1", 1, &naslov);
    unsigned int d = sizeof naslov, vrednost = 0;
    sockaddr *n = reinterpret_cast<sockaddr *>(&naslov);
    RVticnica druga;
    struct {
        const char *opis;
        std::function<int()> klic;
        int rezultat;
    } const primeri[] = {
        {"bind", [&] { return v.Privezi(n, sizeof naslov); }, Zrno::NAP_VEZAVA},
        {"connect", [&] { return v.Povezi(n, sizeof naslov); }, Zrno::NAP_POVEZAVA},
        {"listen", [&] { return v.Poslusaj(5); }, Zrno::NAP_POSLUSANJE},
        {"accept", [&] { return v.Sprejmi(druga, nullptr, nullptr); }, Zrno::NAP_SPREJEM},
        {"shutdown", [&] { return v.Zakljuci(RVticnica::ZAPIRANJE_OBOJE); }, Zrno::NAP_ZAPRIPOVEZAVO},
        {"get option", [&] { return v.VrniParameter(RVticnica::PARAM_TYPE, &vrednost, &d); },
         Zrno::NAP_BERIOPCIJO},
        {"set option", [&] { return v.NastaviParameter(RVticnica::PARAM_TYPE, &vrednost, 4); },
         Zrno::NAP_NASTAVIOPCIJO},
        {"peer", [&] { return v.VrniNaslovVrstnika(n, &d); }, Zrno::NAP_NASPROTNIK},
        {"own address", [&] { return v.VrniNaslovVticnice(n, &d); }, Zrno::NAP_RAZRESITEV},
        {"send", [&] { return static_cast<int>(v.Poslji("x", 1, 0)) + v.VrniStanje(); }, Zrno::NAP_PISANJE},
        {"receive", [&] { return static_cast<int>(v.Prejmi(b, 1, 0)) + v.VrniStanje(); }, Zrno::NAP_BRANJE},
        {"write", [&] { return static_cast<int>(v.Zapisi("x", 1)) + v.VrniStanje(); }, Zrno::NAP_PISANJE},
        {"read", [&] { return static_cast<int>(v.Preberi(b, 1)) + v.VrniStanje(); }, Zrno::NAP_BRANJE},
    };
    for (const auto &p : primeri) {
        SCOPED_TRACE(p.opis);
        d = sizeof naslov;
        EXPECT_EQ(p.rezultat, p.klic());
        EXPECT_EQ(p.rezultat, v.VrniStanje());
    }
    EXPECT_FALSE(druga.JeVeljaven());
    EXPECT_IZID(v, Zapri(), 1, 1);
}

TEST(RVticnica, HoldingGivingUpAndClosing) {
    RVticnica v;
    ASSERT_EQ(0, v.Odpri(RVticnica::DOMENA_INET, RVticnica::VRSTA_DATAGRAM, 0));
    const unsigned int s = v;
    RVticnica kopija(v); // shares the socket; neither destructor closes it
    EXPECT_EQ(s, kopija.Vrni());
    EXPECT_EQ(s, v.Odpusti());
    EXPECT_EQ(0xFFFFFFFFu, v.Vrni());
    EXPECT_IZID(v, Uporabi(s), 0, 0);
    EXPECT_IZID(v, Zapri(), 0, 0);
    EXPECT_IZID(v, Zapri(), 1, 1);                                          // forgotten
    EXPECT_IZID(kopija, Zapri(), Zrno::NAP_ZAPIRANJE, Zrno::NAP_ZAPIRANJE); // already closed: kept
    EXPECT_TRUE(kopija.JeVeljaven());
    EXPECT_IZID(v, Odpri(static_cast<RVticnica::T_VTICDOMENA>(12345), RVticnica::VRSTA_TOK, 0),
                Zrno::NAP_ODPIRANJE, Zrno::NAP_ODPIRANJE);
}

TEST(RVticnica, AddressHelpers) {
    sockaddr_in naslov;
    memset(&naslov, 0xCC, sizeof naslov);
    EXPECT_EQ(0, RVticnica::VrniNaslov(nullptr, 80, &naslov));
    const unsigned char pricakovano[16] = {2, 0, 0x00, 0x50};
    EXPECT_EQ(0, memcmp(pricakovano, &naslov, 16));
    EXPECT_EQ(0, RVticnica::VrniNaslov("127.0.0.1", 8080, &naslov));
    RNizA besedilo("old");
    unsigned int vrata = 0;
    EXPECT_EQ(0, RVticnica::VrniIme(&naslov, besedilo, &vrata));
    EXPECT_STREQ("127.0.0.1", besedilo);
    EXPECT_EQ(8080u, vrata);
    for (const char *slab : {"255.255.255.255", "localhost", "1.2.3.4.5", "300.1.1.1"}) {
        SCOPED_TRACE(slab);
        EXPECT_EQ(Zrno::NAP_RAZRESITEV, RVticnica::VrniNaslov(slab, 1, &naslov));
    }

    struct {
        const char *ime;
        unsigned long naslov; // network order as it lies in memory, read little-endian
    } const imena[] = {{"localhost", 0x0100007F}, {"127.0.0.1", 0x0100007F}, {"10.1.2.3", 0x0302010A}};
    for (const auto &p : imena) {
        SCOPED_TRACE(p.ime);
        unsigned long a = 0;
        EXPECT_EQ(0, RVticnica::PoisciNaslov(p.ime, &a));
        EXPECT_EQ(p.naslov, a);
    }
    RVticnica v;
    v.Odpri(RVticnica::DOMENA_INET, RVticnica::VRSTA_TOK, 0);
    EXPECT_EQ(0, v.Privezi("localhost", 0));
    EXPECT_NE(0u, Vrata(v));
    v.Zapri();
}

// After the last Zakljuci the socket layer is stopped: socket calls fail with their default codes
// (the layer's "not started" error is not one the mapping names). Starting again brings them back.
TEST(RVticnica, AfterTheLibrarysFullStop) {
    int zagonov = 0;
    while (Zrno::Zakljuci() == 0)
        ++zagonov;
    ASSERT_GT(zagonov, 0);
    RVticnica v;
    EXPECT_IZID(v, Odpri(RVticnica::DOMENA_INET, RVticnica::VRSTA_TOK, 0), Zrno::NAP_ODPIRANJE,
                Zrno::NAP_ODPIRANJE);
    unsigned long a = 0;
    EXPECT_EQ(Zrno::NAP_RAZRESITEV, RVticnica::PoisciNaslov("127.0.0.1", &a));
    for (int i = 0; i < zagonov; ++i)
        ASSERT_EQ(0, Zrno::Vzpostavi());
    EXPECT_EQ(0, v.Odpri(RVticnica::DOMENA_INET, RVticnica::VRSTA_TOK, 0));
    EXPECT_EQ(0, v.Zapri());
}

} // namespace
