// zrno reg, run as a program: writing, reading and deleting, exit codes and messages for a missing key,
// a refused access and bad usage.
#include "Zaklenjen.h"
#include <gtest/gtest.h>
#include <string>
#include <windows.h>

namespace {

struct Izid {
    DWORD koda;
    std::string izpis; // standard output and error together
};

/// Runs zrno.exe (next to the test program) with the arguments; at most 30 s.
Izid Zrno(std::string const &argumenti) {
    char pot[MAX_PATH];
    std::string exe(pot, GetModuleFileNameA(nullptr, pot, MAX_PATH));
    std::string ukaz = "\"" + exe.substr(0, exe.rfind('\\')) + "\\zrno.exe\" " + argumenti;
    SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, TRUE};
    HANDLE beri, pisi;
    if (!CreatePipe(&beri, &pisi, &sa, 0))
        return {0xFFFFFFFF, "no pipe"};
    SetHandleInformation(beri, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = si.hStdError = pisi;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION pi;
    BOOL zagnan = CreateProcessA(nullptr, &ukaz[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
    CloseHandle(pisi);
    Izid izid = {0xFFFFFFFF, ""};
    if (zagnan) {
        char b[4096];
        DWORD n;
        while (ReadFile(beri, b, sizeof b, &n, nullptr) && n)
            for (DWORD j = 0; j < n; ++j)
                if (b[j] != '\r') // the runtime writes text lines with CR LF
                    izid.izpis += b[j];
        if (WaitForSingleObject(pi.hProcess, 30000) == WAIT_OBJECT_0)
            GetExitCodeProcess(pi.hProcess, &izid.koda);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    CloseHandle(beri);
    return izid;
}

bool Vsebuje(Izid const &i, std::string const &besedilo) {
    return i.izpis.find(besedilo) != std::string::npos;
}

const std::string KLJUC = "HKCU\\Software\\ZrnoTest\\Orodje";

} // namespace

TEST(ZrnoReg, SetQueryDelete) {
    Zrno("reg delete " + KLJUC);
    EXPECT_EQ(Zrno("reg set " + KLJUC + " ime \"dve besedi\"").koda, 0u);
    EXPECT_EQ(Zrno("reg set -t REG_DWORD " + KLJUC + "\\pod stevilo 0x2A").koda, 0u);
    EXPECT_EQ(Zrno("reg set -t REG_MULTI_SZ " + KLJUC + " seznam a\\0bc").koda, 0u);
    Izid i = Zrno("reg query " + KLJUC);
    EXPECT_EQ(i.koda, 0u);
    EXPECT_TRUE(Vsebuje(i, "REG_SZ         dve besedi\n")) << i.izpis;
    EXPECT_TRUE(Vsebuje(i, "REG_MULTI_SZ   a\\0bc\n")) << i.izpis;
    EXPECT_TRUE(Vsebuje(i, KLJUC + "\\pod\n")) << i.izpis;
    i = Zrno("reg query HKEY_CURRENT_USER\\Software\\ZrnoTest\\Orodje\\pod stevilo");
    EXPECT_TRUE(Vsebuje(i, "REG_DWORD      0x0000002a (42)")) << i.izpis;

    EXPECT_EQ(Zrno("reg delete " + KLJUC + " ime").koda, 0u);
    i = Zrno("reg query " + KLJUC + " ime");
    EXPECT_EQ(i.koda, 1u);
    EXPECT_TRUE(Vsebuje(i, "value ime: does not exist")) << i.izpis;
    EXPECT_EQ(Zrno("reg delete " + KLJUC).koda, 0u);
    i = Zrno("reg query " + KLJUC);
    EXPECT_EQ(i.koda, 1u);
    EXPECT_TRUE(Vsebuje(i, "does not exist (code 0x80000045)")) << i.izpis;
    EXPECT_EQ(Zrno("reg delete " + KLJUC).koda, 1u);
}

TEST(ZrnoReg, RefusedAccess) {
    ASSERT_EQ(UstvariZaklenjenKljuc(HKEY_CURRENT_USER, "Software\\ZrnoTest\\Zaklenjen"), ERROR_SUCCESS);
    for (char const *ukaz : {"reg query HKCU\\Software\\ZrnoTest\\Zaklenjen",
                             "reg set HKCU\\Software\\ZrnoTest\\Zaklenjen ime x"}) {
        Izid i = Zrno(ukaz);
        EXPECT_EQ(i.koda, 1u) << ukaz;
        EXPECT_TRUE(Vsebuje(i, "access denied (code 0x80000042)")) << i.izpis;
    }
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\ZrnoTest\\Zaklenjen"), ERROR_SUCCESS);
}

TEST(ZrnoReg, Usage) {
    Izid i = Zrno("reg --help");
    EXPECT_EQ(i.koda, 0u);
    EXPECT_TRUE(Vsebuje(i, "usage: zrno reg query KEY [NAME]"));
    for (char const *ukaz :
         {"reg", "reg query", "reg query HKXY\\Software", "reg set HKCU\\Software\\X ime",
          "reg set -t REG_DWORD HKCU\\Software\\X ime abc", "reg delete HKCU", "reg move HKCU\\x"}) {
        i = Zrno(ukaz);
        EXPECT_EQ(i.koda, 2u) << ukaz;
        EXPECT_TRUE(Vsebuje(i, "usage:")) << ukaz;
    }
}
