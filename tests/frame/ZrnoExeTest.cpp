// zrno.exe from outside, as a user runs it: the usage, --help and an unknown option for every
// subcommand that `zrno help` lists (new ones are covered as they register), and the exit codes of
// success, bad usage and failed work.
#include "ZacasniImenik.h"
#include <sstream>
#include <vector>

namespace {

struct Izid {
    DWORD koda;
    std::string izhod, napake;
};

std::string Program() {
    char pot[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, pot, MAX_PATH);
    std::string s(pot, n);
    return s.substr(0, s.find_last_of('\\') + 1) + "zrno.exe";
}

HANDLE Dedna(const std::string &pot, DWORD dostop, DWORD ustvari) {
    SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, TRUE};
    return CreateFileA(pot.c_str(), dostop, FILE_SHARE_READ | FILE_SHARE_WRITE, &sa, ustvari, 0, nullptr);
}

// Runs zrno.exe with the arguments (standard input empty), its output going to files of the directory.
Izid Zazeni(const ZacasniImenik &imenik, const std::string &argumenti) {
    Izid izid = {~0u, "", ""};
    const std::string izhod = imenik.Pot("out.txt"), napake = imenik.Pot("err.txt");
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = Dedna("NUL", GENERIC_READ, OPEN_EXISTING);
    si.hStdOutput = Dedna(izhod, GENERIC_WRITE, CREATE_ALWAYS);
    si.hStdError = Dedna(napake, GENERIC_WRITE, CREATE_ALWAYS);
    std::string ukaz = "\"" + Program() + "\"" + (argumenti.empty() ? "" : " " + argumenti);
    PROCESS_INFORMATION pi;
    if (CreateProcessA(nullptr, &ukaz[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) {
        if (WaitForSingleObject(pi.hProcess, 60000) != WAIT_OBJECT_0)
            TerminateProcess(pi.hProcess, 0xDEAD);
        GetExitCodeProcess(pi.hProcess, &izid.koda);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    } else {
        ADD_FAILURE() << "CreateProcessA " << ukaz << ": " << GetLastError();
    }
    CloseHandle(si.hStdInput);
    CloseHandle(si.hStdOutput);
    CloseHandle(si.hStdError);
    izid.izhod = PreberiDatoteko(izhod);
    izid.napake = PreberiDatoteko(napake);
    return izid;
}

bool Vsebuje(const std::string &besedilo, const std::string &del) {
    return besedilo.find(del) != std::string::npos;
}

// The subcommands of `zrno help`: the first word of each line after "commands:".
std::vector<std::string> Ukazi(const std::string &pomoc) {
    std::vector<std::string> ukazi;
    std::istringstream vrstice(pomoc.substr(pomoc.find("commands:") + 9));
    std::string vrstica, ime;
    while (std::getline(vrstice, vrstica))
        if (std::istringstream(vrstica) >> ime)
            ukazi.push_back(ime);
    return ukazi;
}

} // namespace

using ZrnoExe = VZacasnemImeniku;

TEST_F(ZrnoExe, UsageOnRequestOrOnBadUsage) {
    for (const char *pomoc : {"help", "--help", "-h"}) {
        Izid i = Zazeni(*this, pomoc);
        EXPECT_EQ(i.koda, 0u) << pomoc;
        EXPECT_TRUE(Vsebuje(i.izhod, "usage: zrno COMMAND")) << pomoc;
        EXPECT_EQ(i.napake, "") << pomoc;
    }
    for (const char *napacno : {"", "no-such-command"}) {
        Izid i = Zazeni(*this, napacno);
        EXPECT_EQ(i.koda, 2u) << napacno;
        EXPECT_EQ(i.izhod, "") << napacno;
        EXPECT_TRUE(Vsebuje(i.napake, "usage: zrno COMMAND")) << napacno;
    }
}

TEST_F(ZrnoExe, EverySubcommandAnswersHelpAndRefusesAnUnknownOption) {
    const std::vector<std::string> ukazi = Ukazi(Zazeni(*this, "help").izhod);
    EXPECT_GE(ukazi.size(), 5u);
    for (const std::string &ukaz : ukazi) {
        Izid i = Zazeni(*this, ukaz + " --help");
        EXPECT_EQ(i.koda, 0u) << ukaz;
        EXPECT_TRUE(Vsebuje(i.izhod, "usage: zrno " + ukaz)) << ukaz << ": " << i.izhod;
        EXPECT_EQ(i.napake, "") << ukaz;
        i = Zazeni(*this, ukaz + " --no-such-option");
        EXPECT_EQ(i.koda, 2u) << ukaz;
        EXPECT_TRUE(Vsebuje(i.napake, "usage: zrno " + ukaz)) << ukaz << ": " << i.napake;
    }
}

TEST_F(ZrnoExe, ExitCodesOfTheWork) {
    const std::string datoteka = Nova("a.txt", "line\r\n");
    static const struct {
        const char *argumenti;
        DWORD koda;
    } k_primeri[] = {
        {"version", 0}, {"date 211813444800000", 0}, {"date 0", 2}, {"date 1 2", 2},
        {"cat", 2},     {"cat missing.txt", 1},      {"find", 2},
    };
    for (const auto &p : k_primeri)
        EXPECT_EQ(Zazeni(*this, p.argumenti).koda, p.koda) << p.argumenti;
    Izid i = Zazeni(*this, "cat \"" + datoteka + "\"");
    EXPECT_EQ(i.koda, 0u);
    EXPECT_EQ(i.izhod, "line\r\n") << "passed through untranslated";
    i = Zazeni(*this, "find \"" + Pot("*.none") + "\"");
    EXPECT_EQ(i.koda, 1u);
    EXPECT_TRUE(Vsebuje(i.napake, "nothing matches")) << i.napake;
    i = Zazeni(*this, "find \"" + Pot("*.txt") + "\"");
    EXPECT_EQ(i.koda, 0u);
    EXPECT_TRUE(Vsebuje(i.izhod, "a.txt")) << i.izhod;
}
