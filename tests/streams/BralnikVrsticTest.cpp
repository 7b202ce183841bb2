// Line reading: LF ends a line, CR LF is LF, a lone CR stays; buffered scans must match unit-by-unit reads.
#include "TestniTok.h"
#include <memory>
#include <random>
#include <type_traits>
#include <zrno/strings.h>

namespace {

template <typename T> using Niz = std::conditional_t<std::is_same<T, char>::value, RNizA, RNizU>;

const struct PrimerVrstic {
    const char *opis;
    std::string vhod;
    std::vector<std::string> vrstice; // the state after each is 0, but koncnoStanje after the last
    int koncnoStanje;
    size_t napaka = SIZE_MAX; // the unit at which the source fails: what came before it is kept
} k_primeri[] = {
    {"mixed", "ab\r\ncd\re\nf", {"ab", "cd\re", "f"}, Zrno::NAP_KONECPODATKOV},
    {"crlf only", "\r\n", {""}, 0},
    {"final cr stays", "x\r", {"x\r"}, Zrno::NAP_KONECPODATKOV},
    {"empty source", "", {""}, Zrno::NAP_KONECPODATKOV},
    {"lf lines", "1\n\n22\n", {"1", "", "22"}, 0},
    {"cr cr lf", "a\r\r\nb", {"a\r", "b"}, Zrno::NAP_KONECPODATKOV},
    {"fails", "ab\ndef", {"ab", "de"}, Zrno::NAP_BRANJE, 5},
    {"long line", std::string(1000, 'L') + "\r\nz", {std::string(1000, 'L'), "z"}, Zrno::NAP_KONECPODATKOV}};

// Unit-by-unit reader over a byte-at-a-time source; the random run below holds the buffered readers to it.
template <typename T> class VrsticaTest : public ::testing::Test {};
using Enoti = ::testing::Types<char, unsigned short>;
TYPED_TEST_SUITE(VrsticaTest, Enoti);

// An end arriving with the last unit (cache, socket) still drops a CR before its LF and adds no empty line.
TYPED_TEST(VrsticaTest, KnownLines) {
    for (const PrimerVrstic &p : k_primeri)
        for (bool zZadnjimi : {false, true}) {
            SCOPED_TRACE(std::string(p.opis) + (zZadnjimi ? ", the end with the last" : ""));
            const std::vector<TypeParam> enote(p.vhod.begin(), p.vhod.end());
            TestniTok tok(
                std::string(reinterpret_cast<const char *>(enote.data()), enote.size() * sizeof(TypeParam)));
            tok.najvecNaBranje = 1, tok.konecZZadnjimi = zZadnjimi,
            tok.napakaPri = p.napaka * sizeof(TypeParam);
            const int konec = zZadnjimi && p.koncnoStanje == 0 ? Zrno::NAP_KONECPODATKOV : p.koncnoStanje;
            Niz<TypeParam> vrstica;
            for (size_t i = 0; i < p.vrstice.size(); ++i) {
                unsigned int n = tok.PreberiVrstico(vrstica);
                const TypeParam *u = vrstica;
                EXPECT_EQ(p.vrstice[i], std::string(u, u + n)) << "line " << i;
                EXPECT_EQ(i + 1 == p.vrstice.size() ? konec : 0, tok.VrniStanje()) << "line " << i;
            }
            if (konec == 0) // the next read meets the end with an empty line
                EXPECT_IZID(tok, PreberiVrstico(vrstica), 0u, Zrno::NAP_KONECPODATKOV);
        }
}

/// One stream of each class that lets its buffer be scanned in place, over the text, with what it stands on.
struct Izvor {
    TestniTok vir;
    RPomDatoteka pomnilnik;
    RFizDatoteka datoteka;
    std::unique_ptr<RTokPodatkov> tok;

    Izvor(int vrsta, const std::string &besedilo, unsigned int velikost, unsigned int kapljica,
          bool konecZZadnjimi, const std::string &pot)
        : vir(besedilo) {
        vir.najvecNaBranje = kapljica, vir.konecZZadnjimi = konecZZadnjimi;
        pomnilnik.Zapisi(besedilo.data(), unsigned(besedilo.size())), pomnilnik.PrestaviZac(0);
        if (vrsta == 1)
            tok.reset(new RIzravnalnik(&vir, velikost, 0));
        else if (vrsta == 2)
            tok.reset(new RMedpomnilnik(&pomnilnik, velikost));
        else if (vrsta == 3 && datoteka.Odpri(pot.c_str(), DAT_BRANJE | DAT_DELI_BRANJE) == 0)
            tok.reset(new RIzrSisTokPodatkov(datoteka, velikost, 0));
        else if (vrsta == 4)
            tok.reset(new RMedFizDatoteka(pot.c_str(), DAT_BRANJE | DAT_DELI_BRANJE, velikost));
    }
    RTokPodatkov &Tok() { return tok ? *tok : pomnilnik; }
};

template <typename T> void Primerjaj(std::mt19937 &nakljucno, const ZacasniImenik &imenik) {
    const int vrsta = int(nakljucno() % 10 ? nakljucno() % 3 : 3 + nakljucno() % 2); // files are slow
    std::string besedilo(nakljucno() % 600, '\0');
    for (char &c : besedilo)
        c = "ab\r\n\r\n\0x"[nakljucno() % 8];
    const std::string pot = vrsta > 2 ? imenik.Nova("besedilo", besedilo) : "";
    const unsigned int velikost = nakljucno() % 5 == 0 ? 0 : 1 + nakljucno() % 40;
    const unsigned int kapljica = nakljucno() % 3 == 0 ? 1 + nakljucno() % 5 : ~0u;
    const bool konecZZadnjimi = nakljucno() % 2;
    SCOPED_TRACE("kind " + std::to_string(vrsta) + ", buffer " + std::to_string(velikost) + ", " +
                 std::to_string(besedilo.size()) + " bytes");
    Izvor hitri(vrsta, besedilo, velikost, kapljica, konecZZadnjimi, pot);
    Izvor splosni(vrsta, besedilo, velikost, kapljica, konecZZadnjimi, pot);
    RPretvornikToka prek(&splosni.Tok()); // not a buffered class: the unit-by-unit reader
    Niz<T> a, b;
    char smeti[8];
    for (int korak = 0; korak < 2000; ++korak) {
        if (nakljucno() % 4 == 0) { // a plain read in between leaves the buffer anywhere
            const unsigned int n = nakljucno() % 8;
            ASSERT_EQ(prek.Preberi(smeti, n), hitri.Tok().Preberi(smeti, n));
            continue;
        }
        const unsigned int na = hitri.Tok().PreberiVrstico(a), nb = prek.PreberiVrstico(b);
        ASSERT_EQ(nb, na) << "line " << korak;
        ASSERT_EQ(b.VrniDolzino(), a.VrniDolzino());
        ASSERT_EQ(0, memcmp(static_cast<T const *>(a), static_cast<T const *>(b), na * sizeof(T)));
        ASSERT_EQ(prek.VrniStanje(), hitri.Tok().VrniStanje()) << "line " << korak;
        if (prek.JeKonec() && nakljucno() % 2)
            break;
    }
    EXPECT_EQ(splosni.vir.zahteve, hitri.vir.zahteve);
    if (RDatoteka *d = dynamic_cast<RDatoteka *>(&hitri.Tok())) {
        EXPECT_EQ(Mesto(dynamic_cast<RDatoteka &>(splosni.Tok())), Mesto(*d));
    }
}

// A class derived from a buffered one may read differently: its own Preberi is used.
TEST(PreberiVrstico, BufferedStreamsReadAsUnitByUnitADerivedOneThroughItsOwnPreberi) {
    RNizA vrstica;
    struct Steta : RPomDatoteka {
        unsigned int Preberi(void *m, unsigned n) override { return ++branj, RPomDatoteka::Preberi(m, n); }
        int branj = 0;
    } steta;
    steta.Zapisi("ab\r\ncd", 6), steta.PrestaviZac(0);
    EXPECT_EQ(2u, steta.PreberiVrstico(vrstica));
    EXPECT_EQ(4, steta.branj);

    std::mt19937 nakljucno(2026);
    ZacasniImenik imenik;
    for (int i = 0; i < 400; ++i) {
        Primerjaj<char>(nakljucno, imenik);
        Primerjaj<unsigned short>(nakljucno, imenik);
        if (HasFatalFailure())
            return;
    }
}

} // namespace
