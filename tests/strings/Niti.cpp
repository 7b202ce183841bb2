// Separate strings on separate threads share one private heap and one library locale.
#include "strings/Pomoc.h"
#include <atomic>
#include <thread>

TEST(NizNiti, SeparateStringsOnSeparateThreads) {
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
