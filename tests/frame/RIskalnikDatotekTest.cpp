// RIskalnikDatotek on a real directory: names, sizes, times, exhaustion and copies (the handle rules are
// in RSisElementTest).
#include "ZacasniImenik.h"
#include <map>
#include <zrno/frame.h>

namespace {

class RIskalnikDatotekTest : public VZacasnemImeniku {
  protected:
    std::string imenik; // with a trailing backslash

    void SetUp() override {
        imenik = koren + "\\";
        Ustvari("a.txt", 3);
        Ustvari("dolgo ime datoteke.txt", 70000);
        Ustvari("c.dat", 0);
    }

    // Everything the finder delivers for a pattern, by name; Ime is rebased onto the copy's Pot.
    static std::map<std::string, T_NAJDENADATOTEKA> Vse(RIskalnikDatotek &i) {
        std::map<std::string, T_NAJDENADATOTEKA> najdene;
        T_NAJDENADATOTEKA z;
        for (int n = 0; n < 100 && i.Poisci(&z) == 0; ++n) {
            T_NAJDENADATOTEKA &k = najdene[z.Ime] = z;
            k.Ime = k.Pot + (z.Ime - z.Pot);
        }
        return najdene;
    }
};

// FILETIME on the RDatum scale: milliseconds from JDN 0, 1601-01-01 being 199222329600000.
long long DatumIz(const FILETIME &f) {
    return static_cast<long long>(((0ULL + f.dwHighDateTime) << 32 | f.dwLowDateTime) / 10000) +
           199222329600000LL;
}

} // namespace

TEST_F(RIskalnikDatotekTest, PathsSizesAndTimes) {
    RIskalnikDatotek i;
    ASSERT_EQ(i.Odpri((imenik + "*.txt").c_str()), 0);
    auto najdene = Vse(i);
    ASSERT_EQ(najdene.size(), 2u);
    for (auto &[ime, z] : najdene) {
        SCOPED_TRACE(ime);
        EXPECT_EQ(std::string(z.Pot), imenik + ime);
        EXPECT_EQ(z.Ime, z.Pot + imenik.size());
        WIN32_FILE_ATTRIBUTE_DATA a;
        ASSERT_TRUE(GetFileAttributesExA(z.Pot, GetFileExInfoStandard, &a));
        EXPECT_EQ(z.CasSpremembe, DatumIz(a.ftLastWriteTime));
        EXPECT_EQ(z.CasUstvarjanja, DatumIz(a.ftCreationTime));
        EXPECT_EQ(z.CasDostopa, DatumIz(a.ftLastAccessTime));
        EXPECT_LT(strlen(z.KratkoIme), sizeof z.KratkoIme);
    }
    EXPECT_EQ(najdene["a.txt"].Velikost, 3u);
    EXPECT_EQ(najdene["dolgo ime datoteke.txt"].Velikost, 70000u);

    T_NAJDENADATOTEKA z;
    EXPECT_EQ(i.Poisci(&z), Zrno::NAP_NIVEC) << "exhausted";
    EXPECT_EQ(i.Zapri(), 0) << "exhaustion does not close the search";

    // Reopened: every entry, the dots included.
    ASSERT_EQ(i.Odpri((imenik + "*").c_str()), 0);
    najdene = Vse(i);
    EXPECT_EQ(najdene.size(), 5u);
    EXPECT_TRUE(najdene["."].Atributi & najdene[".."].Atributi & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(i.Zapri(), 0);
    EXPECT_EQ(i.Poisci(&z), Zrno::NAP_NIVEC) << "closed: nothing is pending";
}

TEST_F(RIskalnikDatotekTest, PatternWithoutBackslash) {
    char prej[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, prej);
    ASSERT_TRUE(SetCurrentDirectoryA(imenik.c_str()));
    RIskalnikDatotek i;
    int r = i.Odpri("*.dat");
    SetCurrentDirectoryA(prej);
    ASSERT_EQ(r, 0);
    T_NAJDENADATOTEKA z;
    ASSERT_EQ(i.Poisci(&z), 0);
    EXPECT_STREQ(z.Pot, "c.dat");
    EXPECT_EQ(z.Ime, z.Pot);
    i.Zapri();
}

TEST_F(RIskalnikDatotekTest, NoMatch) {
    RIskalnikDatotek i;
    EXPECT_EQ(i.Odpri((imenik + "*.zzz").c_str()), Zrno::NAP_NIDATOTEKE);
    T_NAJDENADATOTEKA z;
    EXPECT_EQ(i.Poisci(&z), Zrno::NAP_NIVEC);
    EXPECT_EQ(i.Odpri((imenik + "ni\\*").c_str()), Zrno::NAP_NIPOTI);
    EXPECT_EQ(i.Odpri(nullptr), Zrno::NAP_PARAMETER);
}

TEST_F(RIskalnikDatotekTest, CopiesContinueTheSameSearch) {
    RIskalnikDatotek i;
    ASSERT_EQ(i.Odpri((imenik + "*.txt").c_str()), 0);
    T_NAJDENADATOTEKA prvi, drugi, iz;
    ASSERT_EQ(i.Poisci(&prvi), 0);
    RIskalnikDatotek kopija(i);
    ASSERT_EQ(kopija.Poisci(&drugi), 0) << "the pending entry came along";
    EXPECT_STRNE(prvi.Ime, drugi.Ime);
    EXPECT_EQ(kopija.Poisci(&iz), Zrno::NAP_NIVEC);
    RIskalnikDatotek dodeljen;
    dodeljen = i;
    ASSERT_EQ(dodeljen.Poisci(&iz), 0);
    EXPECT_STREQ(iz.Ime, drugi.Ime);
    EXPECT_EQ(kopija.Zapri(), 0);
}
