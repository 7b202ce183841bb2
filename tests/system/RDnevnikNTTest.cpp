// RDnevnikNT: event reports as the library hands them to the system.
//
// Wine's event log keeps nothing: RegisterEventSource returns a constant dummy handle, ReportEvent
// succeeds and only prints the report on its debug channel, and reading the log finds no records. So
// the reports are checked where they leave the library: a spy takes ReportEventA's place in Zrno.dll's
// import table, records the arguments and calls the real function.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include <windows.h>
#include <zrno/system.h>

namespace {

using namespace Zrno;
using namespace std::string_literals;

// Each report as "category type event [strings] data"; the source handle of the last one.
std::vector<std::string> g_porocila;
HANDLE g_vir;
decltype(&ReportEventA) g_pravi;

BOOL WINAPI Vohun(HANDLE vir, WORD tip, WORD kategorija, DWORD dogodek, PSID, WORD stevilo, DWORD velikost,
                  LPCSTR *nizi, LPVOID podatki) {
    std::string p =
        std::to_string(kategorija) + " " + std::to_string(tip) + " " + std::to_string(dogodek) + " [";
    for (WORD i = 0; i < stevilo; ++i)
        p += nizi[i] + std::string(i + 1 < stevilo ? "|" : "");
    g_porocila.push_back(p + "] " + std::string(static_cast<const char *>(podatki), velikost));
    g_vir = vir;
    return g_pravi(vir, tip, kategorija, dogodek, nullptr, stevilo, velikost, nizi, podatki);
}

// The import slot of the function in the module's import table; null when the module does not import it.
void **Rezina(HMODULE modul, const char *funkcija) {
    auto *baza = reinterpret_cast<BYTE *>(modul);
    auto *nt =
        reinterpret_cast<IMAGE_NT_HEADERS *>(baza + reinterpret_cast<IMAGE_DOS_HEADER *>(baza)->e_lfanew);
    const IMAGE_DATA_DIRECTORY &uvoz = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto *d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR *>(baza + uvoz.VirtualAddress); d->Name; ++d) {
        auto *imena = reinterpret_cast<IMAGE_THUNK_DATA *>(baza + d->OriginalFirstThunk);
        auto *naslovi = reinterpret_cast<IMAGE_THUNK_DATA *>(baza + d->FirstThunk);
        for (; imena->u1.AddressOfData; ++imena, ++naslovi)
            if (!IMAGE_SNAP_BY_ORDINAL(imena->u1.Ordinal) &&
                !strcmp(reinterpret_cast<IMAGE_IMPORT_BY_NAME *>(baza + imena->u1.AddressOfData)->Name,
                        funkcija))
                return reinterpret_cast<void **>(&naslovi->u1.Function);
    }
    return nullptr;
}

class RDnevnikNTTest : public ::testing::Test {
  protected:
    void **rezina = Rezina(GetModuleHandleA("Zrno.dll"), "ReportEventA");

    void SetUp() override {
        ASSERT_NE(rezina, nullptr);
        g_pravi = reinterpret_cast<decltype(&ReportEventA)>(Zamenjaj(reinterpret_cast<void *>(&Vohun)));
        g_porocila.clear();
    }
    void TearDown() override { Zamenjaj(reinterpret_cast<void *>(g_pravi)); }
    void *Zamenjaj(void *funkcija) {
        DWORD zascita;
        VirtualProtect(rezina, sizeof *rezina, PAGE_READWRITE, &zascita);
        std::swap(*rezina, funkcija);
        VirtualProtect(rezina, sizeof *rezina, zascita, &zascita);
        return funkcija;
    }
};

} // namespace

// Priorities 3 and below are errors, 4 warnings, 5 information, 6 and above successes. The format form
// reports event 0 with the formatted text as the one insertion string; 130 strings outgrow the
// collecting table's first block. A registered source is removed once.
TEST_F(RDnevnikNTTest, PassesTypeCategoryEventStringsAndData) {
    RDnevnikNT dnevnik(0x12345, "ZrnoTestSrc");
    ASSERT_EQ(dnevnik.Odpri(nullptr), 0);
    for (int prioriteta : {3, 4, 5, 6})
        EXPECT_EQ(dnevnik.Zapisi(static_cast<T_DNEVNIKPRIORITETA>(prioriteta), 7u, nullptr), 0);
    char podatki[] = "raw\0data";
    const auto *konec = static_cast<char const *>(nullptr);
    EXPECT_EQ(dnevnik.Zapisi(DNEVNIK_NAPAKA, static_cast<void *>(podatki), 8u, 13u, "a", "b", konec), 0);
    EXPECT_EQ(dnevnik.Zapisi(DNEVNIK_INFORMACIJA, "x=%d %s", 7, "plain"), 0);
#define DESET(s) s, s, s, s, s, s, s, s, s, s
    EXPECT_EQ(
        dnevnik.Zapisi(DNEVNIK_OBVESTILO, 15u, DESET(DESET("s")), DESET("s"), DESET("s"), DESET("s"), konec),
        0);
#undef DESET
    std::string mnogo = "9029 4 15 [s";
    for (int i = 1; i < 130; ++i)
        mnogo += "|s";
    // The category's low 16 bits; types 1 error, 2 warning, 4 information, 0 success.
    EXPECT_EQ(g_porocila, (std::vector<std::string>{"9029 1 7 [] ", "9029 2 7 [] ", "9029 4 7 [] ",
                                                    "9029 0 7 [] ", "9029 1 13 [a|b] raw\0data"s,
                                                    "9029 0 0 [x=7 plain] ", mnogo + "] "}));
    EXPECT_EQ(g_vir, dnevnik.VrniRocico());
    dnevnik = *&dnevnik; // assigned to itself: keeps its source name and handle
    EXPECT_EQ(dnevnik.Zapri(), 0);
    for (const char *dll : {"m.dll", static_cast<const char *>(nullptr)}) { // each file is optional
        EXPECT_EQ(RDnevnikNT::Registriraj("ZrnoTestSrc", 31, dll, "p.dll", dll ? "c.dll" : dll, 5), 0);
        EXPECT_EQ(RDnevnikNT::Odjavi("ZrnoTestSrc"), 0);
        EXPECT_LT(RDnevnikNT::Odjavi("ZrnoTestSrc"), 0) << "the registration was there and is gone";
    }
    for (const char *vir : {"", static_cast<const char *>(nullptr)}) // never the whole Application key
        EXPECT_EQ(std::make_pair(RDnevnikNT::Registriraj(vir, 1, nullptr, nullptr, nullptr, 0),
                                 RDnevnikNT::Odjavi(vir)),
                  std::make_pair(NAP_PARAMETER, NAP_PARAMETER));
}
