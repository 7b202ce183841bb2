// String storage; strings on separate threads share one private heap and one library locale.
#include "strings/Pomoc.h"
#include <atomic>
#include <thread>
#include <windows.h>
#include <zrno/frame.h>

template <class N> class RNizPT : public testing::Test {};
TYPED_TEST_SUITE(RNizPT, ObaNiza);

TYPED_TEST(RNizPT, GrowthZerosAdoptionAndRefusals) {
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

TEST(RNizP, SeparateStringsOnSeparateThreads) {
    std::atomic<int> napake{0};
    auto delo = [&napake](int t) {
        for (int i = 0; i < 500; ++i) {
            RNizA a = RNizA::OblikujS("%d-%0*d", t, 200 + i % 100, i);
            a.Zamenjaj("0", "ab");
            RNizU u(a);
            u.VVelike();
            napake += a.VrniDolzino() != u.VrniDolzino() || u.NajdiI(U(L"ab")) == NI || u.Najdi('a') != NI;
        }
    };
    std::thread a(delo, 0), b(delo, 1), c(delo, 2), d(delo, 3);
    a.join(), b.join(), c.join(), d.join();
    EXPECT_EQ(napake.load(), 0);
}
