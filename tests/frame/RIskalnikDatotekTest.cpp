// RIskalnikDatotek over a real directory: paths, sizes, times, exhaustion, copies (handles: LastnistvoTest).
#include "ZacasniImenik.h"
#include <algorithm>
#include <map>
#include <tuple>
#include <vector>
#include <zrno/frame.h>
#include <zrno/util.h>

using Izidi = std::vector<int>; // results of calls in order (a braced list evaluates left to right)

TEST(RIskalnikDatotek, PathsSizesTimesAndExhaustion) {
    ZacasniImenik d;
    const std::string imenik = d.koren + "\\";
    d.Ustvari("a.txt", 3);
    d.Ustvari("dolgo ime datoteke.txt", 70000);
    d.Ustvari("c.dat", 0);
    RIskalnikDatotek i;
    T_NAJDENADATOTEKA z;
    EXPECT_EQ((Izidi{i.Odpri((imenik + "*.zzz").c_str()), i.Poisci(&z), i.Odpri(nullptr)}),
              (Izidi{Zrno::NAP_NIDATOTEKE, Zrno::NAP_NIVEC, Zrno::NAP_PARAMETER}));

    ASSERT_EQ(i.Odpri((imenik + "*.txt").c_str()), 0);
    std::map<std::string, T_NAJDENADATOTEKA> najdene; // everything the finder delivers, by name
    for (int n = 0; n < 100 && i.Poisci(&z) == 0; ++n) {
        T_NAJDENADATOTEKA &k = najdene[z.Ime] = z;
        k.Ime = k.Pot + (z.Ime - z.Pot);
    }
    ASSERT_EQ(najdene.size(), 2u);
    for (auto &[ime, z] : najdene) {
        EXPECT_EQ(std::string(z.Pot), imenik + ime);
        EXPECT_EQ(z.Ime, z.Pot + imenik.size());
        WIN32_FILE_ATTRIBUTE_DATA a; // times on the date scale, as RDatum reads a FILETIME
        auto cas = [](const FILETIME &f) { return RDatum().NastaviDatum(&f); };
        ASSERT_TRUE(GetFileAttributesExA(z.Pot, GetFileExInfoStandard, &a));
        EXPECT_EQ(std::make_tuple(z.Velikost, z.Atributi, z.CasSpremembe, z.CasUstvarjanja, z.CasDostopa),
                  std::make_tuple(ime == "a.txt" ? 3ull : 70000ull, a.dwFileAttributes,
                                  cas(a.ftLastWriteTime), cas(a.ftCreationTime), cas(a.ftLastAccessTime)))
            << ime;
    }
    EXPECT_EQ((Izidi{i.Poisci(&z), i.Zapri()}), (Izidi{Zrno::NAP_NIVEC, 0})) << "exhausted, and still open";

    // Only the backslash separates: a pattern with forward slashes has no directory part.
    std::string naprej = imenik + "*.dat";
    std::replace(naprej.begin(), naprej.end(), '\\', '/');
    ASSERT_EQ(i.Odpri(naprej.c_str()) + i.Poisci(&z), 0);
    EXPECT_TRUE(!strcmp(z.Pot, "c.dat") && z.Ime == z.Pot) << z.Pot;

    // Copies and assignment take the pending entry along and continue the same search.
    ASSERT_EQ(i.Odpri((imenik + "*").c_str()), 0);
    T_NAJDENADATOTEKA prvi, drugi;
    ASSERT_EQ(i.Poisci(&prvi), 0);
    RIskalnikDatotek kopija(i), dodeljen;
    dodeljen = i;
    ASSERT_EQ((Izidi{kopija.Poisci(&drugi), dodeljen.Poisci(&z)}), Izidi(2, 0));
    EXPECT_TRUE(strcmp(prvi.Ime, drugi.Ime) && !strcmp(z.Pot, drugi.Pot)) << prvi.Pot << ' ' << drugi.Pot;
    EXPECT_EQ((Izidi{kopija.Zapri(), kopija.Poisci(&z)}), (Izidi{0, Zrno::NAP_NIVEC})) << "closed";
}
