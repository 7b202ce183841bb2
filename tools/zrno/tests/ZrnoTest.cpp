// zrno.exe from outside, as a user runs it: the registry command on keys made with the raw system calls.
// The fuzzer (scripts/fuzz/zrno.py) checks what outside oracles and rules can: Base64 (strictness too)
// against coreutils and Python, the digests and SGML against Python, help, bad usage, output to a full
// device, log lines and names outside the code page in paths over MAX_PATH for every command; its seed
// table holds what needs no set-up here: the refusals with their messages, dates, registry values of
// every type, a file and standard input passed through untranslated, log priorities and sources.
#include "Proces.h"
#include "Zaklenjen.h"
#include <tuple>
#include <vector>

namespace {

struct Primer {
    std::string argumenti;
    DWORD koda;
    const char *izhod;     ///< standard output exactly; nullptr: not checked
    std::string sporocilo; ///< somewhere in standard output or error
};

#define K "HKCU\\Software\\ZrnoTest\\Orodje"
#define Z "HKCU\\Software\\ZrnoTest\\Zaklenjen"

// Every value is listed, a name outside the code page too; REG_QWORD is a number; a path longer than the
// ANSI calls' 260 characters is opened key by key; a key nobody may open is refused.
TEST(Zrno, Reg) {
    Zazeni("zrno.exe", "reg delete " K);
    ASSERT_EQ(UstvariZaklenjenKljuc(HKEY_CURRENT_USER, Z + 5), ERROR_SUCCESS);
    HKEY k;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "Software\\ZrnoTest\\Orodje", &k), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExW(k, L"\u010d\u0161\u017e", 0, REG_SZ, reinterpret_cast<const BYTE *>(L"x"), 4),
              0);
    EXPECT_EQ(RegSetValueExA(k, "q", 0, REG_QWORD, reinterpret_cast<const BYTE *>("\0\0\0\0\1\0\0\0"), 8), 0);
    RegCloseKey(k);
    const std::string dolgo = K "\\" + std::string(250, 'd');
    // Every success leaves standard error empty.
    for (const Primer &p : std::vector<Primer>{
             {"reg set " + dolgo + " ime x", 0, "", ""},
             {"reg query " K, 0, nullptr, "REG_SZ         x   (the name is not in code page"},
             {"reg query " K, 0, nullptr, "REG_QWORD      0x0000000100000000 (4294967296)\r\n"},
             {"reg query " K, 0, nullptr, dolgo},
             {"reg query " + dolgo, 0, nullptr, "ime                      REG_SZ         x\r\n"},
             {"reg delete " K, 0, "", ""},
             {"reg query " Z, 1, nullptr, "access denied (code 0x80000042)"},
             {"reg set " Z " ime x", 1, nullptr, "access denied (code 0x80000042)"},
         }) {
        const Izid i = Zazeni("zrno.exe", p.argumenti);
        SCOPED_TRACE("zrno " + p.argumenti + "\nstdout: " + i.izhod + "\nstderr: " + i.napake);
        EXPECT_EQ(std::make_tuple(i.koda, i.izhod, i.napake),
                  std::make_tuple(p.koda, p.izhod ? p.izhod : i.izhod, p.koda ? i.napake : ""));
        EXPECT_NE((i.izhod + i.napake).find(p.sporocilo), std::string::npos);
    }
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, Z + 5), ERROR_SUCCESS);
}

} // namespace
