// The Base64 converter over the library's buffering converter and memory file (filled and read in place)
// passes on and takes exactly what it does over classes derived from them (one-byte calls), call by
// call. Formatted writes into a memory file, short (via the stack) and long, against _snprintf.
#include "TestniTok.h"
#include <algorithm>
#include <random>
#include <tuple>
#include <windows.h>

namespace {

struct Izr : RIzravnalnik { using RIzravnalnik::RIzravnalnik; };
struct Pom : RPomDatoteka { using RPomDatoteka::RPomDatoteka; };

std::string Vsebina(RPomDatoteka &f) {
    return std::string(static_cast<char const *>(f.VrniPodatke()), static_cast<size_t>(f.VrniDolzino()));
}

template <class I, class P> struct Veriga { // Base64 -> [buffering converter ->] memory file
    P pom;
    I izr;
    RBase64Tok tok;
    Veriga(bool vmes, unsigned int vrstice, unsigned int medp, std::string *tuj, std::string const &vir)
        : pom(tuj ? static_cast<void *>(&(*tuj)[0]) : nullptr, tuj ? unsigned(tuj->size()) : 0, !tuj),
          izr(&pom, medp, medp), tok(vrstice, vmes ? static_cast<RTokPodatkov *>(&izr) : &pom) {
        pom.Zapisi(vir.data(), unsigned(vir.size()));
        pom.PrestaviZac(0);
    }
    auto Stanje() {
        return std::make_tuple(Vsebina(pom), Mesto(pom), pom.VrniStanje(), izr.VrniStanje(), tok.VrniStanje());
    }
};

TEST(HitrostModel, Base64TokInPlaceMatchesOneByteCalls) {
    std::mt19937 rng(20261206);
    for (int krog = 0; krog < 64; ++krog) {
        const unsigned int seme = rng();
        SCOPED_TRACE(testing::Message() << "seed " << seme);
        std::mt19937 r(seme);
        const bool vmes = r() & 1, tuj = !vmes && (r() & 1), beri = r() & 1;
        const unsigned int vrstice = r() % 4 == 0 ? r() % 3 : 1 + r() % 25, medp = 1 + r() % 700;
        std::string podatki(r() % 20000, '\0'), vir, prostor(r() % 9000, '\0'), prostor2 = prostor;
        std::generate(podatki.begin(), podatki.end(), [&] { return static_cast<char>(r()); });
        if (beri) { // encoded pieces, some padded, between foreign bytes
            RBase64 b;
            for (size_t i = 0; i < podatki.size();) {
                size_t n = std::min(podatki.size() - i, size_t(1 + r() % 200));
                std::string t(b.VrniKodDolzino(unsigned(n)) + 1, '\0');
                t.resize(b.Kodiraj(&podatki[i], unsigned(n), &t[0], r() % 3 == 0));
                vir += t + std::string(r() % 3, "\n \r*"[r() % 4]);
                i += n;
            }
        }
        Veriga<RIzravnalnik, RPomDatoteka> v(vmes, vrstice, medp, tuj ? &prostor : nullptr, vir);
        Veriga<Izr, Pom> ref(vmes, vrstice, medp, tuj ? &prostor2 : nullptr, vir);
        std::string izhod(25000, '\0'), izhodRef(25000, '\0');
        const size_t meja = beri ? izhod.size() : podatki.size();
        size_t i = 0;
        for (int k = 0; k < 3000 && i < meja && !HasFailure(); ++k) {
            const unsigned int n = unsigned(std::min(meja - i, size_t(r() % 3 ? r() % 70 : r() % 9000)));
            unsigned int a = beri ? v.tok.Preberi(&izhod[i], n) : v.tok.Zapisi(&podatki[i], n);
            ASSERT_EQ(beri ? ref.tok.Preberi(&izhodRef[i], n) : ref.tok.Zapisi(&podatki[i], n), a);
            i += a;
            EXPECT_TRUE(ref.Stanje() == v.Stanje());
            if (beri && v.tok.JeKonec())
                break;
        }
        EXPECT_EQ(izhodRef, izhod);
        if (beri || tuj)
            continue;
        // The whole text against the codec's in lines laid out by hand; the closing padded group has none.
        v.tok.Zapisi(podatki.data() + i, unsigned(podatki.size() - i));
        v.tok.Odpusti(), v.izr.Izplakni();
        RBase64 b;
        std::string vse(b.VrniKodDolzino(unsigned(podatki.size())) + 1, '\0'), pricakovano;
        vse.resize(b.Kodiraj(podatki.data(), unsigned(podatki.size()), &vse[0], true));
        for (size_t g = 0; 4 * g < vse.size(); ++g) {
            const bool lf = (vrstice ? g && g % vrstice == 0 : true) && (g < podatki.size() / 3);
            pricakovano += (lf ? "\n" : "") + vse.substr(4 * g, 4);
        }
        EXPECT_EQ(pricakovano, Vsebina(v.pom).substr(0, pricakovano.size()));
    }
}

TEST(HitrostModel, ZapisiOblMatchesSnprintf) {
    std::mt19937 r(777);
    RPomDatoteka f;
    std::string model;
    for (int i = 0; i < 3000 && !HasFailure(); ++i) {
        const unsigned int poz = unsigned(r() % (model.size() + 1)), izbira = r() % 3;
        std::string s(izbira == 0 ? 110 + r() % 30 : izbira == 1 ? r() % 400 : r() % 16, 'x');
        std::generate(s.begin(), s.end(), [&] { return static_cast<char>('a' + r() % 26); });
        const int stevilo = int(r());
        char b[1024];
        const int n = _snprintf(b, sizeof b, "%s|%d", s.c_str(), stevilo);
        std::string t(b, size_t(n));
        f.PrestaviZac(poz);
        if (i & 1) // the wide form, %S taking the narrow text
            t = std::string(reinterpret_cast<char const *>(std::wstring(t.begin(), t.end()).c_str()), 2 * t.size());
        EXPECT_EQ(unsigned(n), i & 1 ? f.ZapisiObl(reinterpret_cast<unsigned short const *>(L"%S|%d"), s.c_str(), stevilo)
                                     : f.ZapisiObl("%s|%d", s.c_str(), stevilo));
        model.replace(poz, std::min(t.size(), model.size() - poz), t);
        EXPECT_TRUE(std::make_tuple(Par(poz + t.size(), model.size()), 0, model) ==
                    std::make_tuple(Mesto(f), f.VrniStanje(), Vsebina(f))) << i;
    }
}

} // namespace
