// Build programs run from the test's folder: Zazeni runs one to the end, bounded, output and errors in files.
#ifndef ZRNO_TESTS_COMMON_PROCES_H
#define ZRNO_TESTS_COMMON_PROCES_H

#include "ZacasniImenik.h"

/// A program beside the running test program.
inline std::string PoletiTesta(const std::string &ime) {
    char pot[MAX_PATH];
    std::string s(pot, GetModuleFileNameA(nullptr, pot, MAX_PATH));
    return s.substr(0, s.find_last_of('\\') + 1) + ime;
}

struct Izid {
    DWORD koda; // 0xDEAD when the program had to be ended
    std::string izhod, napake;
};

/// Runs ime (beside the test) with argumenti, to the end or for a minute.
inline Izid Zazeni(const std::string &ime, const std::string &argumenti) {
    ZacasniImenik d;
    SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, TRUE};
    auto odpri = [&](const std::string &pot) {
        return CreateFileA(pot.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &sa, CREATE_ALWAYS,
                           0, nullptr);
    };
    STARTUPINFOA si = {};
    si.cb = sizeof si, si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = odpri(d.Pot("izhod"));
    si.hStdError = odpri(d.Pot("napake"));
    PROCESS_INFORMATION pi = {};
    std::string ukaz = "\"" + PoletiTesta(ime) + "\"" + (argumenti.empty() ? "" : " " + argumenti);
    DWORD koda = 0xDEAD;
    if (!CreateProcessA(nullptr, &ukaz[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi))
        ADD_FAILURE() << "CreateProcessA " << ukaz << ": " << GetLastError();
    else if (WaitForSingleObject(pi.hProcess, 60000) == WAIT_OBJECT_0)
        GetExitCodeProcess(pi.hProcess, &koda);
    else
        TerminateProcess(pi.hProcess, koda), WaitForSingleObject(pi.hProcess, 10000);
    for (HANDLE h : {si.hStdOutput, si.hStdError, pi.hThread, pi.hProcess})
        CloseHandle(h);
    return {koda, PreberiDatoteko(d.Pot("izhod")), PreberiDatoteko(d.Pot("napake"))};
}

#endif
