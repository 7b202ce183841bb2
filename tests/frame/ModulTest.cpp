// Zrno.dll as a file: its three-language string table (the version resource is read in DatotekeTest).
#include <windows.h>
#include <gtest/gtest.h>
#include <string>

namespace {

HMODULE Modul() { return GetModuleHandleA("Zrno.dll"); }

// A string resource as stored: sixteen counted UTF-16 strings per block, block n holding ids 16n-16..16n-1.
std::wstring NizVira(UINT id, WORD jezik) {
    HRSRC r = FindResourceExW(Modul(), reinterpret_cast<LPCWSTR>(RT_STRING), MAKEINTRESOURCEW(id / 16 + 1), jezik);
    if (!r)
        return L"<missing>";
    auto p = static_cast<const WCHAR *>(LockResource(LoadResource(Modul(), r)));
    for (UINT i = 0; i < id % 16; ++i)
        p += 1 + *p;
    return std::wstring(p + 1, *p);
}

} // namespace

TEST(Modul, StringTableInThreeLanguages) {
    static const struct {
        WORD jezik;
        const wchar_t *sporocilo;
    } k_jeziki[] = {
        {0x409, L"Error initializing WinSocket (code %#08x)."},
        {0x410, L"Errore nell'inizializzazione del WinSocket (codice %#08x)."},
        {0x424, L"Napaka pri inicializaciji WinSocket (koda %#08x)."},
    };
    for (const auto &j : k_jeziki) {
        EXPECT_EQ(NizVira(1, j.jezik), L"Zrno") << j.jezik;
        EXPECT_EQ(NizVira(2, j.jezik), j.sporocilo) << j.jezik;
    }
}
