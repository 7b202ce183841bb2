// Programs of the build started as a user starts them, from the folder of the running test program,
// waited for within a bound. Proces keeps one running beside the test; Zazeni runs one to the end with
// standard input from a file and standard output and error caught in files.
#ifndef ZRNO_TESTS_COMMON_PROCES_H
#define ZRNO_TESTS_COMMON_PROCES_H

#include "ZacasniImenik.h"

/// A program beside the running test program.
inline std::string PoletiTesta(const std::string &ime) {
    char pot[MAX_PATH];
    std::string s(pot, GetModuleFileNameA(nullptr, pot, MAX_PATH));
    return s.substr(0, s.find_last_of('\\') + 1) + ime;
}

/// A running program; the destructor waits for it within the bound and then ends it.
class Proces {
  public:
    static const DWORD k_rok = 60000;
    PROCESS_INFORMATION pi = {};

    /// Starts ime (beside the test) with argumenti; si carries the redirections, if any.
    Proces(const std::string &ime, const std::string &argumenti, STARTUPINFOA si = {}, BOOL deduj = FALSE) {
        si.cb = sizeof si;
        std::string ukaz = "\"" + PoletiTesta(ime) + "\"" + (argumenti.empty() ? "" : " " + argumenti);
        if (!CreateProcessA(nullptr, &ukaz[0], nullptr, nullptr, deduj, 0, nullptr, nullptr, &si, &pi))
            ADD_FAILURE() << "CreateProcessA " << ukaz << ": " << GetLastError();
    }
    ~Proces() { Izhod(), CloseHandle(pi.hThread), CloseHandle(pi.hProcess); }

    /// The exit code once the program has ended within the bound; 0xDEAD when it had to be ended.
    DWORD Izhod(DWORD rok = k_rok) {
        DWORD koda = 0xDEAD;
        if (pi.hProcess && WaitForSingleObject(pi.hProcess, rok) == WAIT_OBJECT_0)
            GetExitCodeProcess(pi.hProcess, &koda);
        else if (pi.hProcess)
            TerminateProcess(pi.hProcess, koda);
        return koda;
    }
};

struct Izid {
    DWORD koda;
    std::string izhod, napake;
};

/// Runs ime (beside the test) with argumenti and vhod as its standard input, to the end.
inline Izid Zazeni(const std::string &ime, const std::string &argumenti, const std::string &vhod = "") {
    ZacasniImenik d;
    SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, TRUE};
    auto odpri = [&](const std::string &pot, DWORD nacin) {
        return CreateFileA(pot.c_str(), nacin == CREATE_ALWAYS ? GENERIC_WRITE : GENERIC_READ,
                           FILE_SHARE_READ | FILE_SHARE_WRITE, &sa, nacin, 0, nullptr);
    };
    STARTUPINFOA si = {};
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = odpri(d.Nova("vhod", vhod), OPEN_EXISTING);
    si.hStdOutput = odpri(d.Pot("izhod"), CREATE_ALWAYS);
    si.hStdError = odpri(d.Pot("napake"), CREATE_ALWAYS);
    Proces p(ime, argumenti, si, TRUE);
    for (HANDLE h : {si.hStdInput, si.hStdOutput, si.hStdError})
        CloseHandle(h);
    const DWORD koda = p.Izhod();
    return {koda, PreberiDatoteko(d.Pot("izhod")), PreberiDatoteko(d.Pot("napake"))};
}

#endif
