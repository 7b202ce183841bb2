// Separate strings on separate threads share one private heap and one library locale.
#include "strings/Pomoc.h"
#include <atomic>
#include <thread>
#include <vector>

TEST(NizNiti, SeparateStringsOnSeparateThreads) {
    std::atomic<int> napake{0};
    std::vector<std::thread> niti;
    for (int t = 0; t < 4; ++t)
        niti.emplace_back([t, &napake] {
            for (int i = 0; i < 500; ++i) {
                RNizA a;
                a.Oblikuj("%d-%0*d", t, 200 + i % 100, i);
                a.Zamenjaj("0", "ab");
                RNizU u(a);
                u.VVelike();
                if (a.VrniDolzino() != u.VrniDolzino() || u.NajdiI(U(L"ab")) == NI || u.Najdi('a') != NI)
                    ++napake;
            }
        });
    for (auto &n : niti)
        n.join();
    EXPECT_EQ(napake.load(), 0);
}
