// zrno.exe from outside, as a user runs it: one table per subcommand of arguments, standard input,
// exit code and output. In the arguments and the expected texts '@' stands for the test's directory.
// The fuzzer (scripts/fuzz/zrno.py) checks what outside oracles and rules can: Base64 against coreutils, the
// digests and SGML against Python, help, bad usage and output to a full device for every command.
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

/// Rows alike but for their arguments: vzorec with its '%' replaced by each of deli.
std::vector<Primer> Vrstice(const std::string &vzorec, std::initializer_list<const char *> deli, Primer p) {
    std::vector<Primer> r;
    for (const char *del : deli)
        r.push_back(p), r.back().argumenti = vzorec, r.back().argumenti.replace(vzorec.find('%'), 1, del);
    return r;
}

using Zrno = VZacasnemImeniku;

// Every subcommand's work, bad usage and failures in one table; lines that zrno date cannot give are left
// out and named on standard error, with exit 1.
TEST_F(Zrno, Subcommands) {
    Nova("a.txt", "line\r\n");
    Nova("devet.txt", "123456789");
    Preveri(*this,
            {
                {"--help", "", 0, nullptr, "usage: zrno COMMAND"},
                {"-h", "", 0, nullptr, "usage: zrno COMMAND"},
                {"", "", 2, "", "usage: zrno COMMAND"},
                {"no-such-command", "", 2, "", "usage: zrno COMMAND"},
                {"version", "", 0, nullptr, ""},
                {"cat missing.txt", "", 1, nullptr, ""},
                {"cat \"@\\a.txt\"", "", 0, "line\r\n", ""}, // passed through untranslated
                {"find \"@\\*.none\"", "", 1, nullptr, "nothing matches"},
                {"find \"@\\*.txt\"", "", 0, nullptr, "a.txt"},

                {"digest --crc32 \"@\\devet.txt\" manjka.bin", "", 1, "cbf43926  @\\devet.txt\n",
                 "manjka.bin: no such file"},
                {"base64 -d", "Zm9v\r\nYmE=\n", 0, "fooba", ""},
                {"base64 -d", "Zm9v!YmFy", 1, "foo", "invalid character 0x21 at offset 4"},
                {"base64 -d", "QUJD====", 1, "ABC", "misplaced '=' at offset 4"},
                {"base64 -d", "QUJ=", 1, "", "bits set after the data of the last group at offset 3"},

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
                {"date 199222329600000", "", 1, nullptr, "no long form"},
                {"date 185542587100800000", "", 2, "", "outside the calendar range"},

                // Refusals name the offset (the fuzzer checks the texts against Python's codecs).
                {"sgml decode", "Tom & Jerry; friends", 1, "", "does not begin a reference at offset 4"},
                {"sgml decode", "&foo;", 1, "", "unknown entity name at offset 0"},
                {"sgml decode", "&#x10041;", 1, "", "(U+10041) that the code page lacks at offset 0"},
                {"sgml decode --codepage 99999", "", 2, "", "code page not available on this system: 99999"},
                {"log -x \"@\\l.log\" t", "", 2, "", "unknown option '-x'"},
                {"log \"@\\l.log\" \"ok\n2000/01/01\t00:00:00\t0\tadmin: forged\"", "", 0, "", ""},
                {"log -p warning -s Zaloga \"@\\l.log\" disk almost full", "", 0, "", ""},
                {"log -p 7 -- \"@\\l.log\" -x", "", 0, "", ""},
            });
    Preveri(*this,
            Vrstice("log -p % \"@\\l.log\" t", {"bogus", "99", "-5"}, {"", "", 2, "", "not a priority"}));
    Preveri(*this,
            Vrstice("%", {"cat", "find", "digest --md4", "base64 -w x", "date 0", "date 1 2", "log -p"},
                    {"", "", 2, "", ""}));
    const std::string dnevnik = PreberiDatoteko(Pot("l.log"));
    EXPECT_EQ(std::count(dnevnik.begin(), dnevnik.end(), '\n'), 3) << dnevnik;
    EXPECT_NE(dnevnik.find("zrno: ok\\n2000/01/01\\t00:00:00\\t0\\tadmin: forged\n"), std::string::npos);
    EXPECT_NE(dnevnik.find("\t4\tZaloga: disk almost full"), std::string::npos) << dnevnik;
    EXPECT_NE(dnevnik.find("\t7\tzrno: -x"), std::string::npos) << dnevnik;
}

// Names are searched and printed in UTF-16: one the code page lacks is shown with '?' and marked, never
// as a look-alike (c.txt for č.txt); a path longer than MAX_PATH is shown whole.
TEST_F(Zrno, FindShowsEveryNameWholeAndMarksWhatTheCodePageLacks) {
    const std::string globoko = std::string(230 - koren.size() - 1, 'g');
    const std::wstring imenik = L"\\\\?\\" + std::wstring(koren.begin(), koren.end()) + L"\\" +
                                std::wstring(globoko.begin(), globoko.end()) + L"\\";
    ASSERT_TRUE(CreateDirectoryW(imenik.c_str(), nullptr));
    const std::wstring imena[] = {L"\u010d.txt", L"\u65e5\u672c.txt", std::wstring(40, L'n') + L".txt"};
    for (const std::wstring &ime : imena)
        CloseHandle(CreateFileW((imenik + ime).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    const std::string vzorec = "find \"@\\" + globoko + "\\*.txt\"";
    const Izid i = Zazeni("zrno.exe", Vstavi(vzorec, koren));
    EXPECT_EQ(i.koda, 0u);
    const std::string dolgo = "\\" + std::string(40, 'n') + ".txt\r\n";
    for (const std::string &del :
         {std::string("\\??.txt   (the name is not in code page"), dolgo, std::string("3 entries")})
        EXPECT_NE(i.izhod.find(del), std::string::npos) << i.izhod << i.napake;
    EXPECT_EQ(i.izhod.find("\\c.txt"), std::string::npos) << i.izhod;
    for (const std::wstring &ime : imena)
        DeleteFileW((imenik + ime).c_str());
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

TEST_F(Zrno, Reg) {
    Zazeni("zrno.exe", "reg delete " K);
    ASSERT_EQ(UstvariZaklenjenKljuc(HKEY_CURRENT_USER, Z + 5), ERROR_SUCCESS);
    Preveri(*this, {
                       {"reg set " K " ime \"dve besedi\"", "", 0, "", ""},
                       {"reg set -t REG_DWORD " K "\\pod stevilo 0x2A", "", 0, "", ""},
                       {"reg set -t REG_MULTI_SZ " K " seznam a\\0bc", "", 0, "", ""},
                       {"reg query " K, "", 0, nullptr, "REG_SZ         dve besedi\r\n"},
                       {"reg query " K, "", 0, nullptr, "REG_MULTI_SZ   a\\0bc\r\n"},
                       {"reg query " K, "", 0, nullptr, K "\\pod\r\n"},
                       {"reg query HKEY_CURRENT_USER\\Software\\ZrnoTest\\Orodje\\pod stevilo", "", 0,
                        nullptr, "REG_DWORD      0x0000002a (42)"},
                       {"reg delete " K " ime", "", 0, "", ""},
                       {"reg query " K " ime", "", 1, nullptr, "value ime: does not exist"},
                       {"reg delete " K, "", 0, "", ""},
                       {"reg query " K, "", 1, nullptr, "does not exist (code 0x80000045)"},
                       {"reg delete " K, "", 1, nullptr, ""},
                       {"reg query " Z, "", 1, nullptr, "access denied (code 0x80000042)"},
                       {"reg set " Z " ime x", "", 1, nullptr, "access denied (code 0x80000042)"},
                   });
    Preveri(*this, Vrstice("reg%",
                           {"", " query", " query HKXY\\Software", " set HKCU\\Software\\X ime",
                            " delete HKCU", " move HKCU\\x"},
                           {"", "", 2, "", "usage:"}));
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, Z + 5), ERROR_SUCCESS);

    // A value that does not parse exactly is refused and nothing is written; the limits themselves pass.
    Preveri(*this,
            Vrstice("reg set -t REG_%",
                    {"DWORD " K " v 4294967296", "DWORD " K " v 99999999999999999999", "DWORD " K " v -1",
                     "DWORD " K " v 010", "DWORD " K " v \" 5\"", "DWORD " K " v 0x", "DWORD " K " v abc",
                     "BINARY " K " v -1", "BINARY " K " v +f", "BINARY " K " v \" f\"", "BINARY " K " v abc",
                     "MULTI_SZ " K " v a\\0\\0b", "MULTI_SZ " K " v a\\0"},
                    {"", "", 1, "", "nothing written"}));

    // Every value is listed, a name outside the code page too; REG_QWORD is a number; a path longer
    // than the ANSI calls' 260 characters is opened key by key.
    HKEY k;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "Software\\ZrnoTest\\Orodje", &k), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExW(k, L"\u010d\u0161\u017e", 0, REG_SZ, reinterpret_cast<const BYTE *>(L"x"), 4),
              0);
    EXPECT_EQ(RegSetValueExA(k, "q", 0, REG_QWORD, reinterpret_cast<const BYTE *>("\0\0\0\0\1\0\0\0"), 8), 0);
    RegCloseKey(k);
    const std::string dolgo = K "\\" + std::string(250, 'd'), predolgo = K "\\" + std::string(256, 'd');
    Preveri(*this,
            {
                {"reg query " K " v", "", 1, nullptr, "does not exist"},
                {"reg set -t REG_DWORD " K " d 4294967295", "", 0, "", ""},
                {"reg set -t REG_DWORD " K " x 0XfFfFfFfF", "", 0, "", ""},
                {"reg set -t REG_BINARY " K " b 00fF10", "", 0, "", ""},
                {"reg query " K " d", "", 0, nullptr, "REG_DWORD      0xffffffff (4294967295)"},
                {"reg query " K " x", "", 0, nullptr, "REG_DWORD      0xffffffff (4294967295)"},
                {"reg query " K " b", "", 0, nullptr, "REG_BINARY     00ff10\r\n"},
                {"reg query " K, "", 0, nullptr, "REG_SZ         x   (the name is not in code page"},
                {"reg query " K, "", 0, nullptr, "REG_QWORD      0x0000000100000000 (4294967296)\r\n"},
                {"reg set " + dolgo + " ime x", "", 0, "", ""},
                {"reg query " + dolgo, "", 0, nullptr, "ime                      REG_SZ         x\r\n"},
                {"reg query " K, "", 0, nullptr, dolgo},
                {"reg set " + predolgo + " ime x", "", 1, "", "at most 255 characters"},
                {"reg delete " K, "", 0, "", ""},
            });
}

} // namespace
