#include "Obremenitev.h"
#include <algorithm>
#include <string>
#include <thread>
#include <vector>
#include <winsock2.h>
#include <zrno/digests.h>
#include <zrno/streams.h>
#include <zrno/strings.h>

namespace {

double Zdaj() {
    LARGE_INTEGER f, t;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t);
    return double(t.QuadPart) / double(f.QuadPart);
}

/// The answer the protocol prescribes for podatki, built with the library on this side.
std::string Pricakovano(const std::vector<char> &podatki) {
    RMD5 md5;
    md5.Izracunaj(podatki.data(), static_cast<unsigned int>(podatki.size()));
    md5.Zakljuci();
    unsigned char zapis[24];
    memcpy(zapis, md5.Vrni().Bajti, 16);
    for (unsigned int i = 0; i < 8; ++i)
        zapis[16 + i] =
            static_cast<unsigned char>(static_cast<unsigned long long>(podatki.size()) >> (8 * i));
    RNizA besedilo("OK ");
    RBase64 kodek;
    kodek.Kodiraj(zapis, sizeof zapis, besedilo, true);
    return std::string(besedilo) + "\n";
}

struct Odjemalec {
    std::vector<double> zamude;
    unsigned int neuspelih = 0;

    void Izvedi(unsigned int vrata, unsigned int zahtev, unsigned int velikost, unsigned int seme,
                HANDLE start) {
        std::vector<char> zahteva(velikost);
        for (unsigned int i = 0; i < velikost; ++i)
            zahteva[i] = static_cast<char>((seme * 2654435761u + i * 40503u) >> 13);
        const std::string odgovor = Pricakovano(zahteva);
        const std::string vrstica = "MD5 " + std::to_string(velikost) + "\n";
        zahteva.insert(zahteva.begin(), vrstica.begin(), vrstica.end());

        SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in naslov = {};
        naslov.sin_family = AF_INET;
        naslov.sin_port = htons(static_cast<u_short>(vrata));
        naslov.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        const bool povezan = connect(s, reinterpret_cast<sockaddr *>(&naslov), sizeof naslov) == 0;
        WaitForSingleObject(start, INFINITE);
        for (unsigned int z = 0; z < zahtev; ++z) {
            if (!povezan) {
                ++neuspelih;
                continue;
            }
            const double t = Zdaj();
            bool prav = true;
            for (size_t p = 0; p < zahteva.size() && prav;) {
                const int k = send(s, zahteva.data() + p,
                                   static_cast<int>(std::min<size_t>(zahteva.size() - p, 1 << 20)), 0);
                prav = k > 0;
                p += prav ? static_cast<size_t>(k) : 0;
            }
            char prejeto[128];
            size_t n = 0;
            while (prav && (n == 0 || prejeto[n - 1] != '\n') && n < sizeof prejeto) {
                const int k = recv(s, prejeto + n, static_cast<int>(sizeof prejeto - n), 0);
                prav = k > 0;
                n += prav ? static_cast<size_t>(k) : 0;
            }
            if (prav && std::string(prejeto, n) == odgovor)
                zamude.push_back((Zdaj() - t) * 1e3);
            else
                ++neuspelih;
        }
        closesocket(s);
    }
};

} // namespace

Rezultat Obremeni(unsigned int vrata, unsigned int odjemalcev, unsigned int zahtev, unsigned int velikost) {
    HANDLE start = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::vector<Odjemalec> odjemalci(odjemalcev);
    std::vector<std::thread> niti;
    for (unsigned int i = 0; i < odjemalcev; ++i)
        niti.emplace_back([&, i] { odjemalci[i].Izvedi(vrata, zahtev, velikost, i + 1, start); });
    Sleep(200); // every client connected and ready
    const double zacetek = Zdaj();
    SetEvent(start);
    for (auto &n : niti)
        n.join();
    Rezultat r;
    r.Sekunde = Zdaj() - zacetek;
    CloseHandle(start);
    std::vector<double> vse;
    for (const auto &o : odjemalci) {
        vse.insert(vse.end(), o.zamude.begin(), o.zamude.end());
        r.Neuspelih += o.neuspelih;
    }
    r.Zahtev = static_cast<unsigned int>(vse.size());
    r.Bajtov = double(r.Zahtev) * velikost;
    if (!vse.empty()) {
        std::sort(vse.begin(), vse.end());
        r.P50 = vse[vse.size() / 2];
        r.P99 = vse[std::min(vse.size() - 1, vse.size() * 99 / 100)];
    }
    return r;
}
