// zrno.exe from outside, as a user runs it: one table per subcommand of arguments, standard input,
// exit code and output. In the arguments and the expected texts '@' stands for the test's directory.
// The fuzzer (scripts/fuzz/zrno.py) checks what outside oracles and rules can: Base64 against coreutils, the
// digests and SGML against Python, help, bad usage, output to a full device and names outside the code
// page in paths over MAX_PATH for every command; its seed table holds the refusals with their messages.
#include "Proces.h"
#include "Zaklenjen.h"
#include "base64strogo.h"
#include <algorithm>
#include <random>
#include <vector>
#include <zrno/streams.h>

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

// Every subcommand's work and failures with exact output in one table; lines that zrno date cannot give
// are left out and named on standard error, with exit 1.
TEST_F(Zrno, Subcommands) {
    Nova("a.txt", "line\r\n");
    Nova("devet.txt", "123456789");
    Preveri(*this,
            {
                {"cat \"@\\a.txt\"", "", 0, "line\r\n", ""}, // passed through untranslated
                {"find \"@\\*.txt\"", "", 0, nullptr, "a.txt"},

                {"digest --crc32 \"@\\devet.txt\" manjka.bin", "", 1, "cbf43926  @\\devet.txt\n",
                 "manjka.bin: no such file"},
                {"base64 -d", "Zm9v\r\nYmE=\n", 0, "fooba", ""},
                {"base64 -d", "Zm9v!YmFy", 1, "foo", "invalid character 0x21 at offset 4"},
                {"base64 -d", "QUJD====", 1, "ABC", "misplaced '=' at offset 4"},

                {"date 211813444800000", "", 0, nullptr, "UTC:     1999-12-31 12:00:00.000 Friday\r\n"},
                {"date 211813444800000", "", 0, nullptr, "long:    Friday, December 31, 1999 12:00:00"},
                {"date 1410977750400000", "", 1,
                 "UTC:     40000-01-02 00:00:00.000 Sunday\r\nvalue:   1410977750400000\r\n"
                 "JDN:     16330761 + 0 ms\r\nweekday: 6 (Sunday; 0 = Monday)\r\n",
                 "no local time: the system converts times from 1601 to the year 30828 only"},
                {"date 185542587100799999", "", 1,
                 "UTC:     5874898-06-02 23:59:59.999 Monday\r\nvalue:   185542587100799999\r\n"
                 "JDN:     2147483646 + 86399999 ms\r\nweekday: 0 (Monday; 0 = Monday)\r\n",
                 "no long form: the C runtime formats the years 1900 to 9999 only"},
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

// The strict check against a plain rule over random text: text is strict Base64 exactly when, white
// space aside, it is the encoding of whatever a lenient decoder makes of it.
TEST(StrogiBase64, AgreesWithReEncodingOverRandomText) {
    const unsigned int seme = 4648;
    std::mt19937 g(seme);
    const std::string znaki = "AQgw+/=  \n\r=!";
    for (unsigned int k = 0; k < 20000; ++k) {
        uint32_t b[16] = {g(), g(), g()}; // random bytes in, then the lenient decoder's output
        char t[64];
        std::string s(t, RBase64().Kodiraj(b, g() % 10, t, true));
        for (unsigned int m = g() % 3; m-- > 0;) { // inserts, erases or replaces one character
            const size_t kje = g() % (s.size() + 1), brisi = g() % 2, vstavi = g() % 2;
            s.replace(kje, brisi, vstavi, znaki[g() % znaki.size()]);
        }
        std::string brez;
        std::remove_copy_if(s.begin(), s.end(), std::back_inserter(brez), ::isspace);
        bool polnilo;
        const std::string kanon(t,
                                RBase64().Kodiraj(b, RBase64().DeKodiraj(brez.c_str(), b, polnilo), t, true));
        zrno_orodje::StrogiBase64 p;
        const bool sprejeto = p.Preveri(s.data(), s.size()) == s.size() && p.Konec();
        ASSERT_EQ(sprejeto, brez == kanon) << "seed " << seme << ", text '" << s << "': " << p.Napaka();
    }
}

#define K "HKCU\\Software\\ZrnoTest\\Orodje"
#define Z "HKCU\\Software\\ZrnoTest\\Zaklenjen"

// Every value is listed, a name outside the code page too; REG_QWORD is a number; a path longer than the
// ANSI calls' 260 characters is opened key by key.
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
                {"reg set " K " ime \"dve besedi\"", "", 0, "", ""},
                {"reg set -t REG_DWORD " K "\\pod stevilo 0x2A", "", 0, "", ""},
                {"reg set -t REG_MULTI_SZ " K " seznam a\\0bc", "", 0, "", ""},
                {"reg set -t REG_DWORD " K " d 4294967295", "", 0, "", ""},
                {"reg set -t REG_DWORD " K " x 0XfFfFfFfF", "", 0, "", ""},
                {"reg set -t REG_BINARY " K " b 00fF10", "", 0, "", ""},
                {"reg set " + dolgo + " ime x", "", 0, "", ""},
                {"reg query " K, "", 0, nullptr, "REG_SZ         dve besedi\r\n"},
                {"reg query " K, "", 0, nullptr, "REG_MULTI_SZ   a\\0bc\r\n"},
                {"reg query " K, "", 0, nullptr, K "\\pod\r\n"},
                {"reg query " K, "", 0, nullptr, "REG_SZ         x   (the name is not in code page"},
                {"reg query " K, "", 0, nullptr, "REG_QWORD      0x0000000100000000 (4294967296)\r\n"},
                {"reg query " K, "", 0, nullptr, dolgo},
                {"reg query HKEY_CURRENT_USER\\Software\\ZrnoTest\\Orodje\\pod stevilo", "", 0, nullptr,
                 "REG_DWORD      0x0000002a (42)"},
                {"reg query " K " d", "", 0, nullptr, "REG_DWORD      0xffffffff (4294967295)"},
                {"reg query " K " x", "", 0, nullptr, "REG_DWORD      0xffffffff (4294967295)"},
                {"reg query " K " b", "", 0, nullptr, "REG_BINARY     00ff10\r\n"},
                {"reg query " + dolgo, "", 0, nullptr, "ime                      REG_SZ         x\r\n"},
                {"reg delete " K " ime", "", 0, "", ""},
                {"reg query " K " ime", "", 1, nullptr, "value ime: does not exist"},
                {"reg delete " K, "", 0, "", ""},
                {"reg query " K, "", 1, nullptr, "does not exist (code 0x80000045)"},
                {"reg delete " K, "", 1, nullptr, ""},
                {"reg query " Z, "", 1, nullptr, "access denied (code 0x80000042)"},
                {"reg set " Z " ime x", "", 1, nullptr, "access denied (code 0x80000042)"},
            });
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, Z + 5), ERROR_SUCCESS);
}

} // namespace
