// Line reading on narrow and wide data over a memory file, a buffered disk file
// and a source that trickles one byte at a time (so wide units arrive in
// halves): LF ends a line, CR LF counts as LF, a lone CR stays, the last line
// needs no LF, and an empty source gives an empty line at the end of data.
#include "TestniTok.h"
#include <gtest/gtest.h>
#include <memory>
#include <zrno/strings.h>

namespace {

struct PrimerVrstic {
    const char *opis;
    std::string vhod;
    std::vector<std::string> vrstice; // each with the state after it: 0 for all but the last
    int koncnoStanje;
};

const PrimerVrstic k_primeri[] = {
    {"mixed", std::string("ab\r\ncd\re\nf"), {"ab", "cd\re", "f"}, Zrno::NAP_KONECPODATKOV},
    {"crlf_only", std::string("\r\n"), {""}, 0},
    {"final_cr_stays", std::string("x\r"), {"x\r"}, Zrno::NAP_KONECPODATKOV},
    {"empty_source", std::string(), {""}, Zrno::NAP_KONECPODATKOV},
    {"lf_lines", std::string("1\n\n22\n"), {"1", "", "22"}, 0},
    {"cr_cr_lf", std::string("a\r\r\nb"), {"a\r", "b"}, Zrno::NAP_KONECPODATKOV},
    {"long_line", std::string(1000, 'L') + "\r\nz", {std::string(1000, 'L'), "z"}, Zrno::NAP_KONECPODATKOV},
};

// The bytes of a text in units of T (UTF-16 units in machine order for unsigned
// short).
template <typename T> std::string Enote(const std::string &s) {
    std::string r;
    for (unsigned char c : s) {
        T u = c;
        r.append(reinterpret_cast<const char *>(&u), sizeof u);
    }
    return r;
}

template <typename T> struct Niz;
template <> struct Niz<char> { using Tip = RNizA; };
template <> struct Niz<unsigned short> { using Tip = RNizU; };

template <typename T> std::string Vsebina(const typename Niz<T>::Tip &niz, unsigned int dolzina) {
    const T *p = niz;
    std::string r;
    for (unsigned int i = 0; i < dolzina; ++i)
        r += static_cast<char>(p[i]);
    return r;
}

enum class Vir { Pomnilnik, IzrDatoteka, Izravnalnik, PoBajtih };

template <typename T> class VrsticaTest : public ::testing::Test {
  protected:
    // Reads every line of vhod from the chosen source and checks them and the
    // states.
    void Preveri(Vir vir, const PrimerVrstic &p) {
        SCOPED_TRACE(std::string(p.opis) + " from source " + std::to_string(static_cast<int>(vir)));
        const std::string podatki = Enote<T>(p.vhod);
        ZacasniImenik imenik;
        std::string ime = imenik.Pot("lines.txt");
        NapisiDatoteko(ime, podatki);
        std::unique_ptr<RFizDatoteka> datoteka;
        std::unique_ptr<RTokPodatkov> tok;
        switch (vir) {
        case Vir::Pomnilnik: {
            auto *f = new RPomDatoteka;
            f->Zapisi(podatki.data(), static_cast<unsigned int>(podatki.size()));
            f->PrestaviZac(0);
            tok.reset(f);
            break;
        }
        case Vir::IzrDatoteka:
            datoteka.reset(new RFizDatoteka(ime.c_str(), DAT_BRANJE));
            tok.reset(new RIzrSisTokPodatkov(datoteka->VrniRocico(), 7,
                                             0)); // odd size: units straddle refills
            break;
        case Vir::Izravnalnik:
            datoteka.reset(new RFizDatoteka(ime.c_str(), DAT_BRANJE));
            tok.reset(new RIzravnalnik(datoteka.get()));
            break;
        case Vir::PoBajtih: {
            auto *t = new TestniTok(podatki);
            t->najvecNaBranje = 1;
            tok.reset(t);
            break;
        }
        }
        typename Niz<T>::Tip vrstica;
        for (size_t i = 0; i < p.vrstice.size(); ++i) {
            unsigned int n = tok->PreberiVrstico(vrstica);
            EXPECT_EQ(p.vrstice[i].size(), n);
            EXPECT_EQ(p.vrstice[i], Vsebina<T>(vrstica, n));
            EXPECT_EQ(i + 1 == p.vrstice.size() ? p.koncnoStanje : 0, tok->VrniStanje()) << "line " << i;
        }
        if (p.koncnoStanje == 0) { // the next read meets the end with an empty line
            EXPECT_EQ(0u, tok->PreberiVrstico(vrstica));
            EXPECT_EQ(Zrno::NAP_KONECPODATKOV, tok->VrniStanje());
        }
        tok.reset(); // before the file it may point at
    }
};

using Enoti = ::testing::Types<char, unsigned short>;
TYPED_TEST_SUITE(VrsticaTest, Enoti);

TYPED_TEST(VrsticaTest, EverySource) {
    for (Vir vir : {Vir::Pomnilnik, Vir::IzrDatoteka, Vir::Izravnalnik, Vir::PoBajtih})
        for (const PrimerVrstic &p : k_primeri)
            this->Preveri(vir, p);
}

TEST(PreberiVrstico, FailureEndsTheLineAndKeepsWhatCame) {
    TestniTok tok("abc\ndef");
    tok.napakaPri = 6;
    RNizA vrstica;
    EXPECT_EQ(3u, tok.PreberiVrstico(vrstica));
    EXPECT_EQ(2u, tok.PreberiVrstico(vrstica));
    EXPECT_STREQ("de", vrstica);
    EXPECT_EQ(Zrno::NAP_BRANJE, tok.VrniStanje());
}

TEST(PreberiVrstico, OneReadPerUnitAndTheOldTextIsGone) {
    TestniTok tok("ab\n");
    RNizA vrstica("previous");
    EXPECT_EQ(2u, tok.PreberiVrstico(vrstica));
    EXPECT_STREQ("ab", vrstica);
    EXPECT_EQ((std::vector<unsigned int>{1, 1, 1}), tok.zahteve);
}

} // namespace
