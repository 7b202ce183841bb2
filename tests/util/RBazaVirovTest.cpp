// RBazaVirov over the resource modules built with the tests (bin/jeziki).
#include "Proces.h"
#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <vector>
#include <windows.h>
#include <zrno/streams.h>
#include <zrno/util.h>

namespace {

using namespace Zrno;

// The codes the test modules report (agreed with tests/helpers/jeziki.cmake).
constexpr T_KODAJEZIKA ANGLESKI = T_KODAJEZIKA(1), ITALIJANSKI = T_KODAJEZIKA(2), SLOVENSKI = T_KODAJEZIKA(3),
                       NEMSKI = T_KODAJEZIKA(4), NOBEN = T_KODAJEZIKA(99);

class BazaVirov : public ::testing::Test {
  protected:
    ZacasniImenik dvojniki; // removed after baza
    RBazaVirov baza;
    std::string imenik = PoletiTesta("jeziki");

    void TearDown() override { EXPECT_EQ(baza.Sprosti(), 0); }

    std::string Pot(char const *ime) { return imenik + "\\" + ime; }
    T_KNJIZNICAVIROV &Zapis(void *vozel) { return baza.VrniElement(vozel); }
    /// The language codes in list order, with an asterisk on the loaded ones.
    std::string Seznam() {
        std::string s;
        for (void *v = baza.VrniPrvega(); v; v = baza.VrniNaslednjega(v))
            s += std::to_string(Zapis(v).KodaJezika) + (Zapis(v).Modul ? "* " : " ");
        return s;
    }
};

} // namespace

// Sorted without regard to case; descriptions past the first buffer, and one exactly filling it.
TEST_F(BazaVirov, DirectoryWithTheWantedCodeAndBrokenModules) {
    void *vozel = nullptr;
    // No VrniJezikModula, a VrniJezikModula that fails, no file, no match in an empty base.
    for (auto [datoteka, rezultat] : {std::pair{"jezik_brez.dll", NAP_DODAJKNJIZNICO1},
                                      {"jezik_napaka.dll", NAP_DODAJKNJIZNICO3},
                                      {"ni_take.dll", NAP_NALAGANJE}}) {
        EXPECT_EQ(baza.Dodaj(Pot(datoteka).c_str(), ANGLESKI, vozel = &baza), rezultat) << datoteka;
        EXPECT_EQ(vozel, nullptr);
        EXPECT_EQ(GetModuleHandleA(datoteka), nullptr) << "the module was released";
    }
    // No match; null: the current directory (bin), where the pattern finds only the directory jeziki.
    for (auto [kje, vzorec] : {std::pair{imenik.c_str(), "nic_takega_*.dll"}, {nullptr, "jezik*"}}) {
        EXPECT_EQ(baza.Dodaj(kje, vzorec, ANGLESKI, vozel = &baza), NAP_DODAJKNJIZNICO2) << vzorec;
        EXPECT_EQ(vozel, nullptr);
    }
    EXPECT_TRUE(baza.JePrazen());
    EXPECT_EQ(baza.Dodaj((imenik + "\\").c_str(), "jezik_*.dll", SLOVENSKI, vozel), 0);
    EXPECT_EQ(Seznam(), "4 1 2 3* ");
    ASSERT_NE(vozel, nullptr);
    const T_KNJIZNICAVIROV &z = Zapis(vozel), &prvi = Zapis(baza.VrniPrvega());
    EXPECT_EQ(std::make_tuple(z.KodaJezika, z.Jezik, std::string(z.Opis), std::string(z.Datoteka)),
              std::make_tuple(SLOVENSKI, 0x0424u, std::string("Slovenscina"), Pot("jezik_0424.dll")));
    EXPECT_EQ(
        (std::vector<int>{baza.Nalozi(vozel, true), baza.Nalozi(vozel, false), baza.Nalozi(vozel, false),
                          baza.Nalozi(vozel, true), baza.Nalozi(vozel, false)}),
        (std::vector<int>{OK_ZENALOZEN, 0, OK_NINALOZEN, 0, 0}));
    EXPECT_EQ(GetModuleHandleA("jezik_0424.dll"), nullptr) << "unloaded";
    EXPECT_EQ(std::string(prvi.Opis) + "|" + Zapis(baza.VrniNaslednjega(baza.VrniPrvega())).Opis,
              "Deutsch " + std::string(300, '-') + "|English " + std::string(119, '.'));
    for (const char *ime : {"a.dll", "b.dll"}) // a second module in the wanted language is only filed
        CopyFileA(Pot("jezik_0424.dll").c_str(), dvojniki.Pot(ime).c_str(), FALSE);
    EXPECT_EQ(baza.Sprosti() + baza.Dodaj(dvojniki.koren.c_str(), "*", SLOVENSKI, vozel), 0);
    EXPECT_EQ(Seznam(), vozel == baza.VrniPrvega() ? "3* 3 " : "3 3* "); // in the order found
}

// ctest repeats this under several user languages (LC_ALL of the prefix).
TEST_F(BazaVirov, FallbackByTheUserLanguage) {
    char b[5] = "";
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_ILANGUAGE, b, sizeof b);
    // The user's LANGID; the choice from all four modules, and from all but the English one.
    const std::tuple<unsigned int, T_KODAJEZIKA, T_KODAJEZIKA> primeri[] = {
        {0x0424, SLOVENSKI, SLOVENSKI},
        {0x0810, ITALIJANSKI, ITALIJANSKI},
        {0x0809, ANGLESKI, NEMSKI},
        {0x040C, ANGLESKI, NEMSKI},
        {0x0409, ANGLESKI, NEMSKI}};
    auto p = std::find_if(std::begin(primeri), std::end(primeri),
                          [&](auto &p) { return std::get<0>(p) == strtoul(b, nullptr, 16); });
    if (p == std::end(primeri))
        GTEST_SKIP() << "no expectation for the user language " << b;
    void *vozel;
    EXPECT_EQ(baza.Dodaj(imenik.c_str(), "jezik_04*.dll", NOBEN, vozel), OK_NADOMESTNI);
    ASSERT_NE(vozel, nullptr);
    EXPECT_EQ(Zapis(vozel).KodaJezika, std::get<1>(*p));
    EXPECT_NE(Zapis(vozel).Modul, nullptr);
    void *prvi = vozel; // chosen again, already loaded
    EXPECT_EQ(baza.Dodaj(imenik.c_str(), "nic_takega_*.dll", NOBEN, vozel), OK_NADOMESTNI);
    EXPECT_EQ(vozel, prvi);
    EXPECT_EQ(baza.Sprosti(), 0);
    for (char const *ime : {"jezik_0424.dll", "jezik_0407.dll", "jezik_0410.dll"})
        EXPECT_EQ(baza.Dodaj(Pot(ime).c_str(), NOBEN, vozel), OK_NITEJEZIK);
    // A pattern that matches nothing still chooses among the records already listed.
    EXPECT_EQ(baza.Dodaj(imenik.c_str(), "nic_takega_*.dll", NOBEN, vozel), OK_NADOMESTNI);
    ASSERT_NE(vozel, nullptr);
    EXPECT_EQ(Zapis(vozel).KodaJezika, std::get<2>(*p));
    EXPECT_NE(Zapis(vozel).Modul, nullptr);
}

// Ids 15, 16 and 17 stand on both sides of a string block's end.
TEST(RBazaVirovStaticno, StringsAndData) {
    HINSTANCE modul = LoadLibraryExA((PoletiTesta("jeziki") + "\\jezik_0424.dll").c_str(), nullptr,
                                     LOAD_WITH_ALTERED_SEARCH_PATH);
    ASSERT_NE(modul, nullptr);
    const auto SL = KJ2_SLOVENSKI;
    const std::pair<unsigned int, const char *> nizi[] = {
        {15, "petnajst"}, {16, "sestnajst"}, {17, "sedemnajst"}, {2, "abc"},
        {3, ""},          {14, ""},          {18, ""},           {0x10000, ""}};
    for (auto [id, besedilo] : nizi) {
        RNizU niz("prej");
        EXPECT_EQ(RBazaVirov::NaloziNiz(modul, id, niz, SL), *besedilo ? 0 : NAP_NIVIRA) << id;
        EXPECT_EQ(std::string(RNizA(niz)), *besedilo ? besedilo : "prej");
    }
    // (id, room, what it holds up to the first untouched place); 1 holds U+010D and U+0416.
    const std::tuple<unsigned int, unsigned int, char const *, size_t> primeri[] = {
        {4, 11, "0123456789\0", 11},
        {4, 10, "0123456789", 10},
        {2, 4, "abc\0", 4},
        {1, 5, "ka\xE8?\0", 5},
        {4, 0, "", 0},
        {3, 8, "", 0}};
    for (auto const &[id, velikost, besedilo, n] : primeri) {
        SCOPED_TRACE(besedilo);
        std::vector<unsigned short> siroko(16, 0x7777);
        std::string ozko(16, '\x77');
        const int r = velikost && !n ? NAP_NIVIRA : 0;
        EXPECT_EQ(RBazaVirov::NaloziNiz(modul, id, siroko.data(), velikost, SL), r);
        EXPECT_EQ(RBazaVirov::NaloziNiz(modul, id, &ozko[0], velikost, SL, KN_CP1250), r);
        EXPECT_EQ(ozko.substr(0, n + 1), std::string(besedilo, n) + '\x77');
        if (id == 1) // the two letters outside code page 1250 aside
            continue;
        EXPECT_EQ(std::u16string(siroko.begin(), siroko.begin() + n + 1),
                  std::u16string(besedilo, besedilo + n) + u'\x7777');
    }
    unsigned short const *p = nullptr;
    EXPECT_EQ(RBazaVirov::NaloziNiz(modul, 2, p, SL), 0);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(std::u16string(reinterpret_cast<char16_t const *>(p - 1), 5), std::u16string(u"\4abc\0", 5))
        << "the pointer form keeps the stored length";
    EXPECT_EQ(RBazaVirov::NaloziNiz(modul, 3, p, SL), NAP_NIVIRA);
    RPomDatoteka tok;
    EXPECT_EQ(RBazaVirov::NaloziPodatke(modul, MAKEINTRESOURCEA(10), 1, tok, SL), 0);
    EXPECT_EQ(std::string(static_cast<char const *>(tok.VrniPodatke()), tok.VrniDolzino()), "0123456789");
    EXPECT_EQ(RBazaVirov::NaloziPodatke(modul, MAKEINTRESOURCEA(10), 1, tok, KJ2_ITALIJANSKI), NAP_NINAJDENO);
    EXPECT_EQ(RBazaVirov::NaloziPodatke(modul, MAKEINTRESOURCEA(10), 0x10001, tok, SL), 0); // resource 1
    EXPECT_EQ(tok.VrniDolzino(), 20u);
    EXPECT_EQ(RBazaVirov::NaloziPodatke(modul, MAKEINTRESOURCEA(10), 1, nullptr, nullptr, SL), 0);
    // Each typed loader finds what the generic one finds under the system's type (id 1 has all three).
    using Nalagalnik = int (*)(HINSTANCE__ *, unsigned int, void **, unsigned int *, T_KODAJEZIKA2);
    void *a = nullptr, *b = &modul;
    unsigned int na = 0, nb = 1;
    for (auto [nalozi, tip] : {std::pair<Nalagalnik, LPSTR>{RBazaVirov::NaloziIkono, RT_ICON},
                               {RBazaVirov::NaloziZbirkoIkone, RT_GROUP_ICON},
                               {RBazaVirov::NaloziSliko, RT_BITMAP}})
        EXPECT_TRUE(!nalozi(modul, 1, &a, &na, SL) &&
                    !RBazaVirov::NaloziPodatke(modul, tip, 1, &b, &nb, SL) && a == b && na == nb && na)
            << reinterpret_cast<uintptr_t>(tip);
    FreeLibrary(modul);
}
