// Zrno.dll as a file: the string table of the start-up failure in its three languages (the version
// resource is read in DatotekeTest).
#include <windows.h>
#include <gtest/gtest.h>
#include <string>

namespace {

HMODULE Modul() { return GetModuleHandleA("Zrno.dll"); }

// A string resource as stored: sixteen counted UTF-16 strings per block, block n holding ids 16n-16..16n-1.
std::wstring NizVira(UINT id, WORD jezik) {
    HRSRC r = FindResourceExW(Modul(), reinterpret_cast<LPCWSTR>(RT_STRING), MAKEINTRESOURCEW(id / 16 + 1), jezik);
    if (!r)
        return std::wstring();
    auto p = static_cast<const WCHAR *>(LockResource(LoadResource(Modul(), r)));
    for (UINT i = 0; i < id % 16; ++i)
        p += 1 + *p;
    return std::wstring(p + 1, *p);
}

} // namespace

// The message is a format given the failure code alone: any conversion but that one integer would read
// an argument that is not there.
TEST(Modul, EveryLanguageHasACaptionAndAOneCodeMessage) {
    for (WORD jezik : {0x409, 0x410, 0x424}) {
        EXPECT_EQ(NizVira(1, jezik), L"Zrno") << jezik;
        const std::wstring sporocilo = NizVira(2, jezik);
        size_t procent = sporocilo.find(L'%');
        ASSERT_NE(procent, std::wstring::npos) << jezik;
        EXPECT_EQ(sporocilo.compare(procent, 5, L"%#08x"), 0) << jezik;
        EXPECT_EQ(sporocilo.find(L'%', procent + 1), std::wstring::npos) << jezik;
    }
}
