// Programs of the build started as a user starts them: from the folder of the running test program,
// with standard input from a file and standard output and error caught in files, waited for within a
// bound. Zazeni waits for the end; Proces keeps a program running beside the test.
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
        if (CreateProcessA(nullptr, &ukaz[0], nullptr, nullptr, deduj, 0, nullptr, nullptr, &si, &pi))
            CloseHandle(pi.hThread);
        else
            ADD_FAILURE() << "CreateProcessA " << ukaz << ": " << GetLastError();
    }
    ~Proces() {
        if (pi.hProcess) {
            if (WaitForSingleObject(pi.hProcess, k_rok) != WAIT_OBJECT_0)
                TerminateProcess(pi.hProcess, 0xDEAD);
            CloseHandle(pi.hProcess);
        }
    }
    Proces(const Proces &) = delete;
    Proces &operator=(const Proces &) = delete;

    /// The exit code once the program has ended within the bound; 0xDEAD when it had to be ended.
    DWORD Izhod(DWORD rok = k_rok) {
        DWORD koda = 0xDEAD;
        if (!pi.hProcess)
            return koda;
        if (WaitForSingleObject(pi.hProcess, rok) == WAIT_OBJECT_0)
            GetExitCodeProcess(pi.hProcess, &koda);
        else
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
    ZacasniImenik datoteke;
    auto dedna = [](const std::string &pot, bool pisanje) {
        SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, TRUE};
        return CreateFileA(pot.c_str(), pisanje ? GENERIC_WRITE : GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           &sa, pisanje ? CREATE_ALWAYS : OPEN_EXISTING, 0, nullptr);
    };
    const std::string o = datoteke.Pot("izhod"), n = datoteke.Pot("napake");
    STARTUPINFOA si = {};
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = dedna(datoteke.Nova("vhod", vhod), false);
    si.hStdOutput = dedna(o, true);
    si.hStdError = dedna(n, true);
    Izid izid = {0xDEAD, "", ""};
    {
        Proces p(ime, argumenti, si, TRUE);
        CloseHandle(si.hStdInput);
        CloseHandle(si.hStdOutput);
        CloseHandle(si.hStdError);
        izid.koda = p.Izhod();
    }
    izid.izhod = PreberiDatoteko(o);
    izid.napake = PreberiDatoteko(n);
    return izid;
}

#endif
