// File-system helpers on real temp directories: versions, deletion, current directory, module paths, trees.
#include "Siroko.h"
#include "ZacasniImenik.h"
#include <tuple>
#include <vector>
#include <zrno/frame.h>

using Datoteke = VZacasnemImeniku;

TEST_F(Datoteke, VersionAndDeletion) {
    using V = std::vector<unsigned int>;
    char pot[MAX_PATH];
    const std::string zrno(pot, GetModuleFileNameA(GetModuleHandleA("Zrno.dll"), pot, MAX_PATH));
    const V sistem = {1, 18, 0, 0};
    V v(4, 9), z(4);
    unsigned int skupaj = 0;
    char *besedilo = nullptr;
    EXPECT_EQ(Zrno::VrniVerzijo(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(Zrno::VrniVerzijo(&skupaj, &z[0], &z[1], &z[2], &z[3], &besedilo), 0);
    EXPECT_EQ(std::make_tuple(z, skupaj, std::string(besedilo)),
              std::make_tuple(sistem, 0x01120000u, "1.18"));
    ASSERT_EQ(Zrno::VrniVerzijoDatoteke(Siroko(zrno).c_str(), &v[0], &v[1], nullptr, &v[3]), 0);
    EXPECT_EQ(v, (V{1, 18, 9, 0})) << "a null field is skipped";
    ASSERT_EQ(Zrno::VrniVerzijoDatoteke(zrno.c_str(), &v[0], &v[1], &v[2], &v[3]), 0);
    EXPECT_EQ(v, sistem);
    EXPECT_EQ(Zrno::VrniVerzijoDatoteke(zrno.c_str(), nullptr, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(Zrno::VrniVerzijoDatoteke(Siroko(zrno).c_str(), nullptr, nullptr, &v[2], nullptr), 0);
    // No version resource: Wine says ERROR_RESOURCE_DATA_NOT_FOUND, which maps to the default code.
    Ustvari("brez.txt");
    EXPECT_LT(Zrno::VrniVerzijoDatoteke(Siroko(Pot("brez.txt")).c_str(), &v[0], &v[1], &v[2], &v[3]), 0);
    EXPECT_EQ(v, sistem) << "nothing is written on failure";

    EXPECT_EQ(Zrno::ZbrisiDatoteko(Siroko(Pot("brez.txt")).c_str()), 0);
    EXPECT_EQ(Zrno::ZbrisiDatoteko(Pot("brez.txt").c_str()), Zrno::NAP_NIDATOTEKE);
}

TEST_F(Datoteke, DirectoriesAndModulePath) {
    char prej[MAX_PATH], buf[MAX_PATH] = "xxx", zrno[MAX_PATH];
    unsigned short sirok[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, prej);
    ASSERT_EQ(Zrno::NastaviTrenutniImenik(koren.c_str()), 0);
    unsigned int n = 4;
    EXPECT_EQ(Zrno::VrniTrenutniImenik(buf, &n), 0);
    EXPECT_EQ(n + buf[0], 4u + 'x') << "too small: nothing is written and the size stays as given";
    n = MAX_PATH;
    ASSERT_EQ(Zrno::VrniTrenutniImenik(sirok, &n), 0);
    EXPECT_EQ(std::basic_string<unsigned short>(sirok, n + 1), Siroko(koren + '\0'));
    EXPECT_EQ(Zrno::NastaviTrenutniImenik(Pot("ni").c_str()), Zrno::NAP_NIDATOTEKE);
    EXPECT_EQ(Zrno::NastaviTrenutniImenik(Siroko(prej).c_str()), 0);

    n = MAX_PATH;
    ASSERT_EQ(Zrno::VrniPotModula(nullptr, sirok, &n), 0);
    EXPECT_EQ(std::basic_string<unsigned short>(sirok, n),
              Siroko(std::string(zrno, GetModuleFileNameA(0, zrno, MAX_PATH))));
    unsigned int *nic = nullptr; // no size or no path: refused
    EXPECT_EQ(
        (std::vector<int>{Zrno::VrniTrenutniImenik(buf, nic), Zrno::VrniTrenutniImenik(sirok, nic),
                          Zrno::VrniPotModula(nullptr, buf, nic), Zrno::VrniPotModula(nullptr, sirok, nic),
                          Zrno::UstvariImenik(nullptr, nullptr)}),
        std::vector<int>(5, Zrno::NAP_PARAMETER));
    n = 5; // truncated: the system's count comes back and it is not an error
    ASSERT_EQ(Zrno::VrniPotModula(nullptr, buf, &n), 0);
    EXPECT_EQ(std::string(buf, 4) + char('0' + n), std::string(zrno, 4) + '5');

    std::string c = Pot("a\\b\\c");
    ASSERT_EQ(Zrno::UstvariImenik(c.c_str(), nullptr), 0) << "C:\\ exists down to the temp root";
    EXPECT_EQ(Zrno::UstvariImenik(c.c_str(), nullptr), Zrno::NAP_OBSTAJA) << "the last one exists";
    EXPECT_EQ(Zrno::UstvariImenik(Pot("x\\y\\").c_str(), koren.c_str()), 0) << "a trailing backslash ends";
    EXPECT_TRUE(JeImenik(Pot("x\\y")));
    // Only the backslash separates: "p/q" goes to the system whole, and p does not exist.
    EXPECT_EQ(Zrno::UstvariImenik(Pot("p/q").c_str(), nullptr), Zrno::NAP_NIPOTI);
    EXPECT_FALSE(JeImenik(Pot("p")));
    // A failure other than "exists" or "access denied" stops the walk: a file stands in the way.
    Ustvari("f");
    EXPECT_EQ(Zrno::UstvariImenik(Pot("f\\g\\h").c_str(), nullptr), Zrno::NAP_NIPOTI);
}
