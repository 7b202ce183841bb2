// Line reading, narrow and wide: LF ends a line, CR LF counts as LF, a lone CR stays, the last line needs
// no LF.
#include "TestniTok.h"
#include <type_traits>
#include <zrno/strings.h>

namespace {

struct PrimerVrstic {
    const char *opis;
    std::string vhod;
    std::vector<std::string> vrstice; // the state after each is 0, but koncnoStanje after the last
    int koncnoStanje;
};

const PrimerVrstic k_primeri[] = {
    {"mixed", "ab\r\ncd\re\nf", {"ab", "cd\re", "f"}, Zrno::NAP_KONECPODATKOV},
    {"crlf only", "\r\n", {""}, 0},
    {"final cr stays", "x\r", {"x\r"}, Zrno::NAP_KONECPODATKOV},
    {"empty source", "", {""}, Zrno::NAP_KONECPODATKOV},
    {"lf lines", "1\n\n22\n", {"1", "", "22"}, 0},
    {"cr cr lf", "a\r\r\nb", {"a\r", "b"}, Zrno::NAP_KONECPODATKOV},
    {"long line", std::string(1000, 'L') + "\r\nz", {std::string(1000, 'L'), "z"}, Zrno::NAP_KONECPODATKOV},
};

template <typename T> using Niz = std::conditional_t<std::is_same<T, char>::value, RNizA, RNizU>;

// The unit-by-unit reader over a source that gives a byte at a time (wide units arrive in halves); the
// buffered classes' own readers are held to it by the random run (BralnikVrsticTest.cpp).
template <typename T> class VrsticaTest : public ::testing::Test {};
using Enoti = ::testing::Types<char, unsigned short>;
TYPED_TEST_SUITE(VrsticaTest, Enoti);

TYPED_TEST(VrsticaTest, KnownLines) {
    for (const PrimerVrstic &p : k_primeri) {
        SCOPED_TRACE(p.opis);
        const std::vector<TypeParam> enote(p.vhod.begin(), p.vhod.end());
        TestniTok tok(
            std::string(reinterpret_cast<const char *>(enote.data()), enote.size() * sizeof(TypeParam)));
        tok.najvecNaBranje = 1;
        Niz<TypeParam> vrstica;
        for (size_t i = 0; i < p.vrstice.size(); ++i) {
            unsigned int n = tok.PreberiVrstico(vrstica);
            const TypeParam *u = vrstica;
            EXPECT_EQ(p.vrstice[i], std::string(u, u + n)) << "line " << i;
            EXPECT_EQ(i + 1 == p.vrstice.size() ? p.koncnoStanje : 0, tok.VrniStanje()) << "line " << i;
        }
        if (p.koncnoStanje == 0) // the next read meets the end with an empty line
            EXPECT_IZID(tok, PreberiVrstico(vrstica), 0u, Zrno::NAP_KONECPODATKOV);
    }
}

TEST(PreberiVrstico, OneReadPerUnitAndAFailureKeepsWhatCame) {
    TestniTok tok("ab\ndef");
    tok.napakaPri = 5;
    RNizA vrstica("previous");
    EXPECT_EQ(2u, tok.PreberiVrstico(vrstica));
    EXPECT_STREQ("ab", vrstica);
    EXPECT_EQ(Velikosti(3, 1), tok.zahteve); // nothing read beyond the LF
    EXPECT_IZID(tok, PreberiVrstico(vrstica), 2u, Zrno::NAP_BRANJE);
    EXPECT_STREQ("de", vrstica);
    TestniTok zKoncem("ab\r\n"); // the end comes with the LF: the CR before it still goes
    zKoncem.konecZZadnjimi = true;
    EXPECT_IZID(zKoncem, PreberiVrstico(vrstica), 2u, Zrno::NAP_KONECPODATKOV);
}

} // namespace
