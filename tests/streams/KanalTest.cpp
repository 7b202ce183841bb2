// Pipes with transfers that fit their buffers, so one thread drives both ends; two-way runs: tests/faults.
#include "TestniTok.h"
#include <windows.h>
#include <zrno/strings.h>

namespace {

TEST(RKanal, AnonymousAndNamedPipes) {
    RKanal kanal;
    ASSERT_EQ(0, kanal.Odpri(0));
    const std::string podatki = Zaporedje(1000);
    char b[1001];
    EXPECT_IZID(kanal.Pisanje, Zapisi(podatki.data(), 1000), 1000u, 0);
    EXPECT_EQ(0, kanal.Pisanje.Zapri());
    // With the other end closed the system reports a broken pipe: a failed read (write).
    EXPECT_IZID(kanal.Branje, PreberiTab(b, 1, 1001), 1000u, Zrno::NAP_BRANJE);
    EXPECT_EQ(podatki, std::string(b, 1000));
    EXPECT_EQ(0, kanal.Branje.Zapri());
    ASSERT_EQ(0, kanal.Odpri(0));
    EXPECT_EQ(0, kanal.Branje.Zapri());
    EXPECT_IZID(kanal.Pisanje, Zapisi("x", 1), 0u, Zrno::NAP_PISANJE);
    EXPECT_EQ(0, kanal.Pisanje.Zapri());

    const std::string ime = "\\\\.\\pipe\\zrno_test_" + std::to_string(GetCurrentProcessId());
    RImenovanKanal streznik;
    ASSERT_EQ(
        0, streznik.Ustvari(ime.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE | PIPE_WAIT, 1, 4096, 4096, 0));
    HANDLE h = CreateFileA(ime.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    EXPECT_IZID(streznik, Sprejmi(), 0, 0); // already connected: the system's 535 counts as success
    RNizA uporabnik;
    EXPECT_EQ(0, streznik.VrniNaslovVrstnika(uporabnik));
    EXPECT_NE(0u, uporabnik.VrniDolzino());
    EXPECT_IZID(streznik, Zakljuci(), 0, 0);
    DWORD n = 0;
    EXPECT_FALSE(ReadFile(h, b, 1, &n, nullptr)) << "disconnected";
    CloseHandle(h);
    EXPECT_EQ(0, streznik.Zapri());
    EXPECT_IZID(streznik, Sprejmi(), Zrno::NAP_ROCICA, Zrno::NAP_ROCICA);
    EXPECT_IZID(streznik, Ustvari("not a pipe name", PIPE_ACCESS_DUPLEX, 0, 1, 0, 0, 0), Zrno::NAP_ODPIRANJE,
                Zrno::NAP_ODPIRANJE);
}

} // namespace
