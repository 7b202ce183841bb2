// Resource strings (RNizVP and the resource forms of RNizA and RNizU) from a test resource module in
// Slovenian (bin/jeziki/jezik_0424.dll): loading, appending, formats from resources, code pages.
#include "Proces.h"
#include "strings/Pomoc.h"

namespace {

constexpr T_KODAJEZIKA2 SL = KJ2_SLOVENSKI;

HINSTANCE Modul() {
    static HINSTANCE modul =
        LoadLibraryExA(PoletiTesta("jeziki\\jezik_0424.dll").c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    return modul;
}

template <class N> class ViriNiza : public ::testing::Test {
  protected:
    using T = typename ZnakNiza<N>::T;
    void SetUp() override { ASSERT_NE(Modul(), nullptr); }
};
TYPED_TEST_SUITE(ViriNiza, ObaNiza);

} // namespace

TYPED_TEST(ViriNiza, LoadingAndFormats) {
    using T = typename TestFixture::T;
    TypeParam niz;
    EXPECT_NIZ(niz, NastaviV(Modul(), 4, SL), 10u, "0123456789");
    EXPECT_NIZ(niz, NastaviV(Modul(), 2, SL), 3u, "abc"); // the stored final zero is dropped
    EXPECT_NIZ(niz, PrilepiV(Modul(), 7, SL), 8u, "abchello");
    EXPECT_NIZ(niz, PrilepiV(Modul(), 3, SL), 8u, "abchello");      // an empty entry appends nothing
    EXPECT_NIZ(niz, NastaviV(Modul(), 4, KJ2_ITALIJANSKI), 0u, ""); // no table in that language
    EXPECT_TRUE(Vsebuje(RNizVP<T>(Modul(), 17, SL), "sedemnajst"));
    EXPECT_TRUE(Vsebuje(TypeParam(Modul(), 16, SL), "sestnajst"));

    EXPECT_NIZ(niz, OblikujV(Modul(), 5, SL, 42), 15u, "Vrednost je 42.");
    EXPECT_NIZ(niz, PrilepiVO(Modul(), 5, SL, -1), 30u, "Vrednost je 42.Vrednost je -1.");
    EXPECT_NIZ(niz, PrilepiVO(Modul(), 3, SL, 7), 30u, "Vrednost je 42.Vrednost je -1."); // no format
    EXPECT_TRUE(Vsebuje(RNizVP<T>::OblikujVS(Modul(), 5, SL, 7), "Vrednost je 7."));
    niz = Tekst<T>("12-345");
    int a = 0, b = 0;
    EXPECT_EQ(niz.RazcleniV(Modul(), 6, SL, &a, &b), 2u);
    EXPECT_EQ(a * 1000 + b, 12345);
}

TEST(ViriNizaA, CodePages) {
    RNizA niz;
    // U+010D is in code page 1250; flags 0 let 1252 use the system's best fit (c); U+0416 has neither
    // and becomes the default character.
    EXPECT_NIZ(niz, NastaviV(Modul(), 1, SL), 4u, "ka\xE8?");
    EXPECT_NIZ(niz, NastaviVU(Modul(), 1, SL, KN_CP1252), 4u, "kac?");
    EXPECT_NIZ(niz, PrilepiVU(Modul(), 7, SL, KN_CP1252), 9u, "kac?hello");
    EXPECT_TRUE(Vsebuje(RNizA(Modul(), 1, SL, KN_CP1252), "kac?"));

    EXPECT_NIZ(niz, OblikujVU(Modul(), 5, SL, KN_CP1252, 3), 14u, "Vrednost je 3.");
    EXPECT_NIZ(niz, PrilepiVUO(Modul(), 5, SL, KN_CP1252, 4), 28u, "Vrednost je 3.Vrednost je 4.");
    EXPECT_TRUE(Vsebuje(RNizA::OblikujVUS(Modul(), 5, SL, KN_CP1250, 5), "Vrednost je 5."));
    niz = "1-2";
    int a = 0, b = 0;
    EXPECT_EQ(niz.RazcleniVU(Modul(), 6, SL, KN_CP1252, &a, &b), 2u);
    EXPECT_EQ(a + b, 3);

    RNizU siroko(Modul(), 1, SL);
    EXPECT_EQ(siroko.Primerjaj(U(L"ka\x010D\x0416")), 0);
}
