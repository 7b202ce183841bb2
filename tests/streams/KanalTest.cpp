// Pipes: an anonymous pipe between two threads, and a named pipe served here to a client made of plain
// system calls in a thread of its own, which connects before Sprejmi and echoes. Failed transfers on a
// pipe whose other end went are the fault scenarios' (tests/faults), but for the default codes here.
#include "TestniTok.h"
#include <thread>
#include <windows.h>
#include <zrno/strings.h>

namespace {

TEST(RKanal, AnonymousAndNamedPipes) {
    RKanal kanal;
    ASSERT_EQ(0, kanal.Odpri(0));
    constexpr unsigned int k_skupaj = 200000; // more than the pipe's buffer
    const std::string podatki = Zaporedje(k_skupaj);
    unsigned int zapisano = 0;
    std::thread pisec([&] {
        for (unsigned int i = 0; i < k_skupaj; i += 10000)
            zapisano += kanal.Pisanje.Zapisi(&podatki[i], 10000);
        kanal.Pisanje.Zapri();
    });
    std::string prebrano(k_skupaj + 1, '\0');
    EXPECT_EQ(k_skupaj, kanal.Branje.PreberiTab(&prebrano[0], 1, k_skupaj + 1));
    pisec.join();
    EXPECT_EQ(k_skupaj, zapisano);
    EXPECT_TRUE(prebrano.compare(0, k_skupaj, podatki) == 0);
    // With the other end closed the system reports a broken pipe, which reads (writes) as a failed read
    // (write).
    EXPECT_EQ(Zrno::NAP_BRANJE, kanal.Branje.VrniStanje());
    EXPECT_EQ(0, kanal.Branje.Zapri());
    ASSERT_EQ(0, kanal.Odpri(0));
    EXPECT_EQ(0, kanal.Branje.Zapri());
    EXPECT_IZID(kanal.Pisanje, Zapisi("x", 1), 0u, Zrno::NAP_PISANJE);
    EXPECT_EQ(0, kanal.Pisanje.Zapri());

    // The client connects before Sprejmi, then a few pieces go there and back.
    const std::string ime = "\\\\.\\pipe\\zrno_test_" + std::to_string(GetCurrentProcessId());
    RImenovanKanal streznik;
    ASSERT_EQ(
        0, streznik.Ustvari(ime.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE | PIPE_WAIT, 1, 65536, 65536, 0));
    HANDLE h = CreateFileA(ime.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    std::thread odmev([h] { // until the server disconnects
        std::vector<char> b(65536);
        DWORD n = 0, w;
        while (ReadFile(h, b.data(), 65536, &n, nullptr) && n && WriteFile(h, b.data(), n, &w, nullptr)) {
        }
        CloseHandle(h);
    });
    EXPECT_IZID(streznik, Sprejmi(), 0, 0); // already connected: the system's 535 counts as success
    RNizA uporabnik;
    EXPECT_EQ(0, streznik.VrniNaslovVrstnika(uporabnik));
    EXPECT_NE(0u, uporabnik.VrniDolzino());
    std::string nazaj(65536, '\0');
    for (unsigned int i = 0; i < 4; ++i) {
        ASSERT_EQ(65536u, streznik.Zapisi(&podatki[i], 65536));
        ASSERT_EQ(65536u, streznik.PreberiTab(&nazaj[0], 1, 65536));
        EXPECT_EQ(0, nazaj.compare(0, 65536, podatki, i, 65536));
    }
    EXPECT_IZID(streznik, Zakljuci(), 0, 0); // the client's read then fails and it ends
    odmev.join();
    EXPECT_EQ(0, streznik.Zapri());
    EXPECT_IZID(streznik, Sprejmi(), Zrno::NAP_ROCICA, Zrno::NAP_ROCICA);
    EXPECT_IZID(streznik, Ustvari("not a pipe name", PIPE_ACCESS_DUPLEX, 0, 1, 0, 0, 0), Zrno::NAP_ODPIRANJE,
                Zrno::NAP_ODPIRANJE);
}

} // namespace
