// A fresh directory under %TEMP% for the running test, removed with everything in it (read-only files
// too) when the object goes; files in it are made and read with the plain system and runtime, so a
// test never checks the library with itself. VZacasnemImeniku is the fixture form.
#ifndef ZRNO_TESTS_COMMON_ZACASNIIMENIK_H
#define ZRNO_TESTS_COMMON_ZACASNIIMENIK_H

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <windows.h>

class ZacasniImenik {
  public:
    std::string koren; // without a trailing backslash

    ZacasniImenik() {
        static unsigned int stevec;
        char temp[MAX_PATH];
        const testing::TestInfo *test = testing::UnitTest::GetInstance()->current_test_info();
        koren = std::string(temp, GetTempPathA(MAX_PATH, temp)) + "zrno_" +
                std::to_string(GetCurrentProcessId()) + "_" + (test ? test->name() : "") + "_" +
                std::to_string(++stevec);
        if (!CreateDirectoryA(koren.c_str(), nullptr))
            ADD_FAILURE() << "CreateDirectoryA " << koren << ": " << GetLastError();
    }
    ~ZacasniImenik() { Pobrisi(koren); }
    ZacasniImenik(const ZacasniImenik &) = delete;
    ZacasniImenik &operator=(const ZacasniImenik &) = delete;

    std::string Pot(const std::string &ime) const { return koren + "\\" + ime; }

    /// A file of velikost bytes of no meaning.
    void Ustvari(const std::string &ime, size_t velikost = 3) const { Nova(ime, std::string(velikost, 'x')); }

    /// A file holding vsebina; returns its path.
    std::string Nova(const std::string &ime, const std::string &vsebina) const {
        std::ofstream(Pot(ime), std::ios::binary) << vsebina;
        return Pot(ime);
    }

    static bool JeImenik(const std::string &pot) {
        DWORD a = GetFileAttributesA(pot.c_str());
        return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
    }

    static void Pobrisi(const std::string &imenik) {
        WIN32_FIND_DATAA z;
        HANDLE h = FindFirstFileA((imenik + "\\*").c_str(), &z);
        for (bool je = h != INVALID_HANDLE_VALUE; je; je = FindNextFileA(h, &z)) {
            const std::string ime = z.cFileName, pot = imenik + "\\" + ime;
            if (!(z.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                SetFileAttributesA(pot.c_str(), FILE_ATTRIBUTE_NORMAL), DeleteFileA(pot.c_str());
            else if (ime != "." && ime != "..")
                Pobrisi(pot);
        }
        if (h != INVALID_HANDLE_VALUE)
            FindClose(h);
        RemoveDirectoryA(imenik.c_str());
    }
};

class VZacasnemImeniku : public testing::Test, public ZacasniImenik {};

/// Reads a whole file with the plain runtime (which shares reading and writing with other handles).
inline std::string PreberiDatoteko(const std::string &ime) {
    std::ifstream f(ime, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

#endif
