// A fresh directory under %TEMP% for each test, removed with everything in it afterwards.
#ifndef ZRNO_TESTS_FRAME_ZACASNIIMENIK_H
#define ZRNO_TESTS_FRAME_ZACASNIIMENIK_H

#include <windows.h>
#include <gtest/gtest.h>
#include <string>

class ZacasniImenik : public ::testing::Test {
  protected:
    std::string koren; // without a trailing backslash

    void SetUp() override {
        char temp[MAX_PATH];
        ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
        koren = std::string(temp) + "zrno_" + std::to_string(GetCurrentProcessId()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name();
        ASSERT_TRUE(CreateDirectoryA(koren.c_str(), nullptr));
    }
    void TearDown() override { Pobrisi(koren); }

    static void Pobrisi(const std::string &imenik) {
        WIN32_FIND_DATAA z;
        HANDLE h = FindFirstFileA((imenik + "\\*").c_str(), &z);
        for (bool je = h != INVALID_HANDLE_VALUE; je; je = FindNextFileA(h, &z)) {
            std::string ime = z.cFileName, pot = imenik + "\\" + ime;
            if (!(z.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileA(pot.c_str());
            else if (ime != "." && ime != "..")
                Pobrisi(pot);
        }
        if (h != INVALID_HANDLE_VALUE)
            FindClose(h);
        RemoveDirectoryA(imenik.c_str());
    }

    std::string Pot(const std::string &ime) const { return koren + "\\" + ime; }

    void Ustvari(const std::string &ime, LONG velikost = 3) const {
        HANDLE h = CreateFileA(Pot(ime).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        SetFilePointer(h, velikost, nullptr, FILE_BEGIN);
        SetEndOfFile(h);
        CloseHandle(h);
    }

    static bool JeImenik(const std::string &pot) {
        DWORD a = GetFileAttributesA(pot.c_str());
        return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
    }
};

#endif
