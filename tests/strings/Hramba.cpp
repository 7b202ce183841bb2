// Storage: 128-character growth, embedded zeros, adopted and released buffers, and refused room (steady
// growth and the cut to the text are in the model run of Urejanje).
#include "strings/Pomoc.h"
#include <windows.h>
#include <zrno/frame.h>

template <class N> class Hramba : public testing::Test {};
TYPED_TEST_SUITE(Hramba, ObaNiza);

TYPED_TEST(Hramba, GrowthZerosAdoptionAndRefusals) {
    using T = typename ZnakNiza<TypeParam>::T;
    for (unsigned int d : {0u, 127u, 128u, 255u, 256u}) {
        TypeParam n(T('a'), d);
        EXPECT_NIZ(n, VrniKapaciteto(), (d + 128) & ~127u, std::string(d, 'a').c_str());
        EXPECT_EQ(TypeParam(d).VrniKapaciteto(), (d + 128) & ~127u) << "reserved";
    }
    TypeParam n;

    TypeParam vir(Tekst<T>("abcde")); // copies from a string take its length, from a pointer stop at 0
    vir.NastaviZnak(2, 0);
    EXPECT_NIZ(n, Nastavi(vir), 5u, "ab\0de", 5);
    EXPECT_NIZ(n, Nastavi(static_cast<T const *>(vir)), 2u, "ab");
    EXPECT_NIZ(n, Prilepi(vir, 4), 6u, "abab\0d", 6);
    n = Tekst<T>("old");
    T *p = static_cast<T *>(Zrno::RezervirajPomnilnik(nullptr, 11 * sizeof(T)));
    std::copy_n(Tekst<T>("0123456789").v.begin(), 10, p);
    EXPECT_NIZ(n, Uporabi(p, 10, true), 10u, "0123456789"); // terminated in the adopted block
    EXPECT_EQ(n.VrniKapaciteto(), 11u);
    p[3] = 0;
    EXPECT_NIZ(n, Uporabi(p, 10, false), 3u, "012");
    // The heap may grow the adopted block in place or move it (Wine 10 moves it): the text goes along.
    p = n.Odpusti(50, true);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(std::vector<T>(p, p + 4), Tekst<T>("012").v);
    EXPECT_NIZ(n, VrniKapaciteto(), 128u, "");
    EXPECT_GE(HeapSize(zgetheap(), 0, p), 51 * sizeof(T)) << "a block of the private heap";
    Zrno::SprostiPomnilnik(p);
    n = Tekst<T>("abc");
    // Both lengths overflow the 32-bit counts, so the heap is never even asked.
    EXPECT_NIZ(n, Odpusti(0xFFFFFFF0u, true), nullptr, "abc");
    // An append that cannot grow takes what fits and stays terminated.
    EXPECT_NIZ(n, Prilepi(T('x'), 0xFFFFFFF0u), 127u, ("abc" + std::string(124, 'x')).c_str());
    EXPECT_NIZ(n, Vstavi(0, T('y'), 0xFFFFFFF0u), 127u, ("abc" + std::string(124, 'x')).c_str());
    EXPECT_NIZ(RNizU(0x80000000u), VrniKapaciteto(), 128u, ""); // 4 GiB of UTF-16: past a 32-bit byte count
}

// Run by strings_exhausted with the address space capped at 2 GiB (a 64-bit Wine otherwise grants these).
TEST(StringsExhausted, DISABLED_RefusedGrowthTakesWhatFits) {
    RNizA n("abc");
    EXPECT_NIZ(n, Odpusti(0xA0000000u, false), nullptr, "abc");
    EXPECT_EQ(n.Prilepi('x', 0xC0000000u), 127u);
    EXPECT_NIZ(n, Nastavi('y', 0x90000000u), 127u, std::string(127, 'y').c_str());
    RNizU u(U(L"abc"));
    EXPECT_NIZ(u, Vstavi(1, static_cast<unsigned short>('-'), 0x50000000u), 127u,
               ("a" + std::string(124, '-') + "bc").c_str());
}
