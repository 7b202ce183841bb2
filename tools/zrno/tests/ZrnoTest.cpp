// zrno.exe from outside, as a user runs it: one table per subcommand of arguments, standard input,
// exit code and output. In the arguments and the expected texts '@' stands for the test's directory.
// The fuzzer (scripts/fuzz/zrno.py) checks what outside oracles and rules can: Base64 (strictness too)
// against coreutils and Python, the digests and SGML against Python, help, bad usage, output to a full
// device and names outside the code page in paths over MAX_PATH for every command; its seed table holds
// what needs no set-up here: the refusals with their messages, dates, registry values of every type.
#include "Proces.h"
#include "Zaklenjen.h"
#include <algorithm>
#include <vector>

namespace {

struct Primer {
    std::string argumenti;
    const char *vhod;
    DWORD koda;
    const char *izhod;     ///< standard output exactly; nullptr: not checked
    std::string sporocilo; ///< somewhere in standard output or error
};

std::string Vstavi(std::string s, const std::string &imenik) {
    for (size_t i; (i = s.find('@')) != std::string::npos;)
        s.replace(i, 1, imenik);
    return s;
}

// Every usage error leaves standard output empty; every success leaves standard error empty.
void Preveri(const ZacasniImenik &d, const std::vector<Primer> &primeri) {
    for (const Primer &p : primeri) {
        const Izid i = Zazeni("zrno.exe", Vstavi(p.argumenti, d.koren), p.vhod);
        SCOPED_TRACE("zrno " + p.argumenti + "\nstdout: " + i.izhod + "\nstderr: " + i.napake);
        EXPECT_EQ(i.koda, p.koda);
        EXPECT_EQ(i.izhod, p.izhod ? Vstavi(p.izhod, d.koren) : p.koda == 2 ? "" : i.izhod);
        EXPECT_NE((i.izhod + i.napake).find(Vstavi(p.sporocilo, d.koren)), std::string::npos);
        EXPECT_EQ(i.napake, p.koda == 0 ? "" : i.napake);
    }
}

using Zrno = VZacasnemImeniku;

// The log's lines, forged ones escaped; a file passed through untranslated; a search.
TEST_F(Zrno, Subcommands) {
    Nova("a.txt", "line\r\n");
    Preveri(*this, {
                       {"cat \"@\\a.txt\"", "", 0, "line\r\n", ""},
                       {"find \"@\\*.txt\"", "", 0, nullptr, "a.txt"},
                       {"log \"@\\l.log\" \"ok\n2000/01/01\t00:00:00\t0\tadmin: forged\"", "", 0, "", ""},
                       {"log -p warning -s Zaloga \"@\\l.log\" disk almost full", "", 0, "", ""},
                       {"log -p 7 -- \"@\\l.log\" -x", "", 0, "", ""},
                   });
    const std::string dnevnik = PreberiDatoteko(Pot("l.log"));
    EXPECT_EQ(std::count(dnevnik.begin(), dnevnik.end(), '\n'), 3) << dnevnik;
    EXPECT_NE(dnevnik.find("zrno: ok\\n2000/01/01\\t00:00:00\\t0\\tadmin: forged\n"), std::string::npos);
    EXPECT_NE(dnevnik.find("\t4\tZaloga: disk almost full"), std::string::npos) << dnevnik;
    EXPECT_NE(dnevnik.find("\t7\tzrno: -x"), std::string::npos) << dnevnik;
}

#define K "HKCU\\Software\\ZrnoTest\\Orodje"
#define Z "HKCU\\Software\\ZrnoTest\\Zaklenjen"

// Every value is listed, a name outside the code page too; REG_QWORD is a number; a path longer than the
// ANSI calls' 260 characters is opened key by key; a key nobody may open is refused.
TEST_F(Zrno, Reg) {
    Zazeni("zrno.exe", "reg delete " K);
    ASSERT_EQ(UstvariZaklenjenKljuc(HKEY_CURRENT_USER, Z + 5), ERROR_SUCCESS);
    HKEY k;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "Software\\ZrnoTest\\Orodje", &k), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExW(k, L"\u010d\u0161\u017e", 0, REG_SZ, reinterpret_cast<const BYTE *>(L"x"), 4),
              0);
    EXPECT_EQ(RegSetValueExA(k, "q", 0, REG_QWORD, reinterpret_cast<const BYTE *>("\0\0\0\0\1\0\0\0"), 8), 0);
    RegCloseKey(k);
    const std::string dolgo = K "\\" + std::string(250, 'd');
    Preveri(*this,
            {
                {"reg set " + dolgo + " ime x", "", 0, "", ""},
                {"reg query " K, "", 0, nullptr, "REG_SZ         x   (the name is not in code page"},
                {"reg query " K, "", 0, nullptr, "REG_QWORD      0x0000000100000000 (4294967296)\r\n"},
                {"reg query " K, "", 0, nullptr, dolgo},
                {"reg query " + dolgo, "", 0, nullptr, "ime                      REG_SZ         x\r\n"},
                {"reg delete " K, "", 0, "", ""},
                {"reg query " Z, "", 1, nullptr, "access denied (code 0x80000042)"},
                {"reg set " Z " ime x", "", 1, nullptr, "access denied (code 0x80000042)"},
            });
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, Z + 5), ERROR_SUCCESS);
}

} // namespace
