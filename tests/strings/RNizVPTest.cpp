// Resource strings from the Slovenian test module bin/jeziki/jezik_0424.dll, every form once.
#include "Proces.h"
#include "strings/Pomoc.h"

template <class N> class RNizVPT : public ::testing::Test {};
TYPED_TEST_SUITE(RNizVPT, ObaNiza);

TYPED_TEST(RNizVPT, LoadingAndFormats) {
    using T = typename ZnakNiza<TypeParam>::T;
    static HINSTANCE m =
        LoadLibraryExA(PoletiTesta("jeziki\\jezik_0424.dll").c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    ASSERT_NE(m, nullptr);
    const T_KODAJEZIKA2 sl = KJ2_SLOVENSKI;
    TypeParam niz;
    EXPECT_NIZ(niz, NastaviV(m, 4, sl), 10u, "0123456789");
    EXPECT_NIZ(niz, NastaviV(m, 2, sl), 3u, "abc"); // the stored final zero is dropped
    EXPECT_NIZ(niz, PrilepiV(m, 7, sl), 8u, "abchello");
    EXPECT_NIZ(niz, PrilepiV(m, 3, sl), 8u, "abchello");      // an empty entry appends nothing
    EXPECT_NIZ(niz, NastaviV(m, 4, KJ2_ITALIJANSKI), 0u, ""); // no table in that language
    EXPECT_NIZ(niz, OblikujV(m, 5, sl, 42), 15u, "Vrednost je 42.");
    EXPECT_NIZ(niz, PrilepiVO(m, 5, sl, -1), 30u, "Vrednost je 42.Vrednost je -1.");
    EXPECT_NIZ(niz, PrilepiVO(m, 3, sl, 7), 30u, "Vrednost je 42.Vrednost je -1."); // nor a missing format
    for (auto const &[v, s] : {std::pair<RNizVP<T>, char const *>{RNizVP<T>(m, 17, sl), "sedemnajst"},
                               {TypeParam(m, 16, sl), "sestnajst"},
                               {RNizVP<T>::OblikujVS(m, 5, sl, 7), "Vrednost je 7."}})
        EXPECT_TRUE(Vsebuje(v, s)) << s;
    niz = Tekst<T>("12-345");
    int a = 0, b = 0;
    EXPECT_EQ(niz.RazcleniV(m, 6, sl, &a, &b), 2u);
    EXPECT_EQ(a * 1000 + b, 12345);
    // U+010D is in 1250, 1252 takes the best fit c, U+0416 is in neither. At most one byte per unit of
    // the resource text: its longest run of whole characters that fits (932 has only U+0416).
    if constexpr (sizeof(T) == 1) {
        EXPECT_NIZ(niz, NastaviV(m, 1, sl), 4u, "ka\xE8?");
        EXPECT_NIZ(niz, NastaviVU(m, 1, sl, KN_CP1252), 4u, "kac?");
        EXPECT_NIZ(niz, NastaviVU(m, 1, sl, KN_UTF8), 4u, "ka\xC4\x8D");
        EXPECT_NIZ(niz, PrilepiVU(m, 1, sl, T_KODNASTRAN(932)), 7u, "ka\xC4\x8Dka?");
        EXPECT_NIZ(niz, OblikujVU(m, 5, sl, KN_CP1252, 3), 14u, "Vrednost je 3.");
        EXPECT_NIZ(niz, PrilepiVUO(m, 5, sl, KN_CP1252, 4), 28u, "Vrednost je 3.Vrednost je 4.");
        niz = "1-2";
        EXPECT_EQ(niz.RazcleniVU(m, 6, sl, KN_CP1252, &a, &b), 2u);
        EXPECT_EQ(a * 1000 + b, 1002);
    }
}
