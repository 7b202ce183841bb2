// zrno digest and zrno base64 as a user runs them: zrno.exe (beside this test program) started with its
// standard input, output and error redirected to files.
#include "Pomoc.h"
#include "TestniTok.h"
#include "ZacasniImenik.h"

namespace {

struct Izid {
    DWORD koda;
    std::string izhod, napake;
};

HANDLE Dedna(const std::string &pot, bool pisanje) {
    SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, TRUE};
    return CreateFileA(pot.c_str(), pisanje ? GENERIC_WRITE : GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &sa,
                       pisanje ? CREATE_ALWAYS : OPEN_EXISTING, 0, nullptr);
}

Izid Zazeni(ZacasniImenik &datoteke, const std::string &argumenti, const std::string &vhod = "") {
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string ukaz = exe;
    ukaz = "\"" + ukaz.substr(0, ukaz.find_last_of('\\') + 1) + "zrno.exe\" " + argumenti;
    const std::string v = datoteke.Nova("vhod", vhod), o = datoteke.Pot("izhod"), n = datoteke.Pot("napake");
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = Dedna(v, false);
    si.hStdOutput = Dedna(o, true);
    si.hStdError = Dedna(n, true);
    PROCESS_INFORMATION pi = {};
    Izid izid = {~0u, "", ""};
    EXPECT_TRUE(CreateProcessA(nullptr, &ukaz[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) << ukaz;
    CloseHandle(si.hStdInput);
    CloseHandle(si.hStdOutput);
    CloseHandle(si.hStdError);
    if (pi.hProcess) {
        EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(pi.hProcess, 60000));
        GetExitCodeProcess(pi.hProcess, &izid.koda);
        CloseHandle(pi.hProcess);
        CloseHandle(pi.hThread);
    }
    izid.izhod = PreberiDatoteko(o);
    izid.napake = PreberiDatoteko(n);
    return izid;
}

TEST(ZrnoOrodje, DigestOfFilesAndStandardInput) {
    ZacasniImenik datoteke;
    const std::string pot = datoteke.Nova("devet.txt", "123456789");
    Izid i = Zazeni(datoteke, "digest --crc32 \"" + pot + "\" manjka.bin");
    EXPECT_EQ(1u, i.koda);
    EXPECT_EQ("cbf43926  " + pot + "\n", i.izhod);
    EXPECT_NE(std::string::npos, i.napake.find("manjka.bin: no such file")) << i.napake;

    i = Zazeni(datoteke, "digest --sha1", "abc");
    EXPECT_EQ(0u, i.koda);
    EXPECT_EQ("a9993e364706816aba3e25717850c26c9cd0d89d  -\n", i.izhod);
    i = Zazeni(datoteke, "digest -", "abc");
    EXPECT_EQ("900150983cd24fb0d6963f7d28e17f72  -\n", i.izhod);
    EXPECT_EQ(2u, Zazeni(datoteke, "digest --md4").koda);
    EXPECT_EQ(0u, Zazeni(datoteke, "digest --help").koda);
}

TEST(ZrnoOrodje, Base64WrapsDecodesAndRefusesMalformedText) {
    ZacasniImenik datoteke;
    const std::string s = Zaporedje(100);
    const std::string pot = datoteke.Nova("podatki.bin", s);
    RBase64 b;
    char t[200];
    b.Kodiraj(s.data(), 100, t, true);
    const std::string text = t;

    Izid i = Zazeni(datoteke, "base64 \"" + pot + "\"");
    EXPECT_EQ(0u, i.koda);
    EXPECT_EQ(text.substr(0, 76) + "\n" + text.substr(76) + "\n", i.izhod);
    EXPECT_EQ(text, Zazeni(datoteke, "base64 -w 0", s).izhod);
    EXPECT_EQ(s, Zazeni(datoteke, "base64 -d", i.izhod).izhod);

    struct Slabo {
        const char *besedilo, *izhod, *sporocilo;
    };
    for (const Slabo &p : {Slabo{"Zm9v!YmFy", "foo", "invalid character 0x21 at offset 4"},
                           Slabo{"Zm8=Zm9v", "fo", "data after the padding"},
                           Slabo{"Zm9vYmF", "foo", "ends within a group"}}) {
        i = Zazeni(datoteke, "base64 -d", p.besedilo);
        EXPECT_EQ(1u, i.koda);
        EXPECT_EQ(p.izhod, i.izhod);
        EXPECT_NE(std::string::npos, i.napake.find(p.sporocilo)) << i.napake;
    }
    EXPECT_EQ(2u, Zazeni(datoteke, "base64 -w x").koda);
}

} // namespace
