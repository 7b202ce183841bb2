// RIskalnikDatotek on a real directory: names, sizes, times, exhaustion and copies (the handle rules are
// in LastnistvoTest).
#include "ZacasniImenik.h"
#include <map>
#include <tuple>
#include <zrno/frame.h>

namespace {

// FILETIME on the RDatum scale: milliseconds from JDN 0, 1601-01-01 being 199222329600000.
long long DatumIz(const FILETIME &f) {
    return static_cast<long long>(((0ULL + f.dwHighDateTime) << 32 | f.dwLowDateTime) / 10000) +
           199222329600000LL;
}

// Everything the finder delivers, by name.
std::map<std::string, T_NAJDENADATOTEKA> Vse(RIskalnikDatotek &i) {
    std::map<std::string, T_NAJDENADATOTEKA> najdene;
    T_NAJDENADATOTEKA z;
    for (int n = 0; n < 100 && i.Poisci(&z) == 0; ++n) {
        T_NAJDENADATOTEKA &k = najdene[z.Ime] = z;
        k.Ime = k.Pot + (z.Ime - z.Pot);
    }
    return najdene;
}

} // namespace

TEST(RIskalnikDatotek, PathsSizesTimesAndExhaustion) {
    ZacasniImenik d;
    const std::string imenik = d.koren + "\\";
    d.Ustvari("a.txt", 3);
    d.Ustvari("dolgo ime datoteke.txt", 70000);
    d.Ustvari("c.dat", 0);
    RIskalnikDatotek i;
    T_NAJDENADATOTEKA z;
    EXPECT_EQ(i.Odpri((imenik + "*.zzz").c_str()), Zrno::NAP_NIDATOTEKE);
    EXPECT_EQ(i.Poisci(&z), Zrno::NAP_NIVEC);
    EXPECT_EQ(i.Odpri(nullptr), Zrno::NAP_PARAMETER);

    ASSERT_EQ(i.Odpri((imenik + "*.txt").c_str()), 0);
    auto najdene = Vse(i);
    ASSERT_EQ(najdene.size(), 2u);
    for (auto &[ime, z] : najdene) {
        EXPECT_EQ(std::string(z.Pot), imenik + ime);
        EXPECT_EQ(z.Ime, z.Pot + imenik.size());
        WIN32_FILE_ATTRIBUTE_DATA a;
        ASSERT_TRUE(GetFileAttributesExA(z.Pot, GetFileExInfoStandard, &a));
        EXPECT_EQ(std::make_tuple(z.Velikost, z.Atributi, z.CasSpremembe, z.CasUstvarjanja, z.CasDostopa),
                  std::make_tuple(ime == "a.txt" ? 3ull : 70000ull, a.dwFileAttributes,
                                  DatumIz(a.ftLastWriteTime), DatumIz(a.ftCreationTime),
                                  DatumIz(a.ftLastAccessTime)))
            << ime;
    }
    EXPECT_EQ(i.Poisci(&z), Zrno::NAP_NIVEC) << "exhausted";
    EXPECT_EQ(i.Zapri(), 0) << "exhaustion does not close the search";

    // Without a backslash the pattern has no directory part.
    char prej[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, prej);
    ASSERT_TRUE(SetCurrentDirectoryA(imenik.c_str()));
    int r = i.Odpri("*.dat");
    SetCurrentDirectoryA(prej);
    ASSERT_EQ(r + i.Poisci(&z), 0);
    EXPECT_STREQ(z.Pot, "c.dat");
    EXPECT_EQ(z.Ime, z.Pot);

    // Copies and assignment take the pending entry along and continue the same search.
    ASSERT_EQ(i.Odpri((imenik + "*").c_str()), 0);
    T_NAJDENADATOTEKA prvi, drugi;
    ASSERT_EQ(i.Poisci(&prvi), 0);
    RIskalnikDatotek kopija(i);
    ASSERT_EQ(kopija.Poisci(&drugi), 0);
    EXPECT_STRNE(prvi.Ime, drugi.Ime);
    RIskalnikDatotek dodeljen;
    dodeljen = i;
    ASSERT_EQ(dodeljen.Poisci(&z), 0);
    EXPECT_STREQ(z.Ime, drugi.Ime);
    EXPECT_EQ(kopija.Zapri(), 0);
}
