// Pipes: an anonymous pipe between two threads, and named pipes served here to kanal_odjemalec.exe in a
// second process (an echo with a client that connects before Sprejmi, a client that dies mid-transfer).
// The helper signals an event once connected, so no wait is unbounded.
#include "Proces.h"
#include "TestniTok.h"
#include <thread>
#include <windows.h>
#include <zrno/strings.h>

namespace {

constexpr DWORD k_rok = 20000; // ms

std::string ImeKanala(const char *ime) {
    return "\\\\.\\pipe\\zrno_test_" + std::to_string(GetCurrentProcessId()) + "_" + ime;
}

/// A pipe instance served here, and kanal_odjemalec.exe started on it in the given mode with the event
/// it sets once connected.
struct Seja {
    Seja(const char *ime, const std::string &nacin)
        : ustvarjen(streznik.Ustvari(ImeKanala(ime).c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE | PIPE_WAIT,
                                     1, 65536, 65536, 0)),
          povezan(CreateEventA(nullptr, TRUE, FALSE, (ImeKanala(ime).substr(9) + "_povezan").c_str())),
          odjemalec("kanal_odjemalec.exe",
                    ImeKanala(ime) + " " + ImeKanala(ime).substr(9) + "_povezan " + nacin) {}
    ~Seja() { CloseHandle(povezan); }
    /// The pipe was made and the client holds it (not ended first, not out of time).
    bool Pripravljena() {
        HANDLE oba[] = {povezan, odjemalec.pi.hProcess};
        return ustvarjen == 0 && odjemalec.pi.hProcess &&
               WaitForMultipleObjects(2, oba, FALSE, k_rok) == WAIT_OBJECT_0;
    }
    RImenovanKanal streznik;
    int ustvarjen;
    HANDLE povezan;
    Proces odjemalec;
};

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
    // With the write end closed the system reports a broken pipe, which reads as a failed read.
    EXPECT_EQ(Zrno::NAP_BRANJE, kanal.Branje.VrniStanje());
    EXPECT_EQ(0, kanal.Branje.Zapri());

    // The client connects before Sprejmi, then a few pieces go there and back.
    Seja seja("odmev", "odmev");
    RImenovanKanal &streznik = seja.streznik;
    ASSERT_TRUE(seja.Pripravljena());
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
    EXPECT_EQ(0u, seja.odjemalec.Izhod());
    EXPECT_EQ(0, streznik.Zapri());
    EXPECT_IZID(streznik, Sprejmi(), Zrno::NAP_ROCICA, Zrno::NAP_ROCICA);
    EXPECT_IZID(streznik, Ustvari("not a pipe name", PIPE_ACCESS_DUPLEX, 0, 1, 0, 0, 0), Zrno::NAP_ODPIRANJE,
                Zrno::NAP_ODPIRANJE);

    // A client that dies with data in flight: the server's writes and reads fail with the handle stream's
    // codes instead of blocking.
    Seja umri("umri", "umri 100000");
    RImenovanKanal &streznik2 = umri.streznik;
    ASSERT_TRUE(umri.Pripravljena());
    ASSERT_EQ(0, streznik2.Sprejmi());
    const std::string kos = Zaporedje(65536);
    unsigned int i = 0;
    while (i < 256 && streznik2.Zapisi(kos.data(), 65536) == 65536) // 16 MiB at most
        ++i;
    EXPECT_LT(i, 256u);
    EXPECT_EQ(Zrno::NAP_PISANJE, streznik2.VrniStanje()); // ERROR_NO_DATA
    EXPECT_EQ(3u, umri.odjemalec.Izhod());
    char b[4];
    EXPECT_IZID(streznik2, Preberi(b, 4), 0u, Zrno::NAP_BRANJE); // ERROR_BROKEN_PIPE
    EXPECT_EQ(0, streznik2.Zakljuci());
    EXPECT_EQ(0, streznik2.Zapri());
}

} // namespace
