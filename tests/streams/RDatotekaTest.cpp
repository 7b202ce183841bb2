// The seekable file: every file class in one random model run against a byte vector.
#include "TestniTok.h"
#include <memory>
#include <random>

namespace {

// Sizes around the block size (0 included) in a small file, so that blocks meet often.
TEST(RDatoteka, EveryFileClassAgreesWithAByteVector) {
    ZacasniImenik datoteke;
    const unsigned int zastavice = DAT_BRANJE | DAT_PISANJE | DAT_USTVARI | DAT_DELI_BRANJE;
    enum { MEMORY, DISK, CACHE, CACHE_OVER_MEMORY };
    // kind (MEMORY, DISK, CACHE, CACHE_OVER_MEMORY as 0 to 3), block (for the caches), steps
    const int tabela[] = {0,    0, 4000, 1,     0, 4000, 2,     0, 2000, 2,    61,
                          8000, 2, 512,  12000, 2, 4096, 12000, 3, 512,  12000};
    const unsigned int meja = 24000;
    std::mt19937 nakljucno(12345);
    for (size_t i = 0; i < sizeof tabela / sizeof *tabela; i += 3) {
        const int vrsta = tabela[i], korakov = tabela[i + 2];
        const unsigned int podan = tabela[i + 1], blok = podan ? podan : 512;
        SCOPED_TRACE("kind " + std::to_string(vrsta) + ", block " + std::to_string(podan) + ", seed 12345");
        const std::string pot = datoteke.Pot(std::to_string(vrsta) + "_" + std::to_string(podan));
        RPomDatoteka spodaj;
        std::unique_ptr<RDatoteka> f(vrsta == MEMORY ? static_cast<RDatoteka *>(new RPomDatoteka)
                                     : vrsta == DISK
                                         ? static_cast<RDatoteka *>(new RFizDatoteka(pot.c_str(), zastavice))
                                     : vrsta == CACHE ? new RMedFizDatoteka(pot.c_str(), zastavice, podan)
                                                      : new RMedpomnilnik(&spodaj, podan));
        ASSERT_EQ(0, f->VrniStanje());
        const bool pomnilnik = vrsta == MEMORY || vrsta == CACHE_OVER_MEMORY;
        auto Zdaj = [&] {
            RPomDatoteka *m = vrsta == MEMORY ? dynamic_cast<RPomDatoteka *>(f.get()) : &spodaj;
            return pomnilnik ? Vsebina(*m) : PreberiDatoteko(pot);
        };
        std::string model;
        std::vector<bool> neznan; // a gap in memory holds whatever the storage held: not compared
        auto Dolzina = [&](size_t n) { model.resize(n, '\0'), neznan.resize(n, pomnilnik); };
        auto Pokrij = [&](std::string s, size_t od) { // the model's bytes where the content is unknown
            for (size_t i = 0; i < s.size() && od + i < model.size(); ++i)
                s[i] = neznan[od + i] ? model[od + i] : s[i];
            return s;
        };
        size_t poz = 0;
        std::vector<char> b(3 * blok + 3);
        auto Velikost = [&]() -> unsigned int { // tiny ones (0 among them), around the block, any
            const unsigned int r = nakljucno() % 4;
            return r == 0   ? nakljucno() % 8
                   : r == 1 ? blok - 1 + nakljucno() % 3
                            : nakljucno() % (b.size() - 1);
        };
        int izplakni = 0;
        for (int korak = 0; korak < korakov; ++korak) {
            const unsigned int op = nakljucno() % 200;
            if (op < 80) {
                const unsigned int n = Velikost();
                const size_t k = poz < model.size() ? std::min<size_t>(n, model.size() - poz) : 0;
                ASSERT_EQ(k, f->Preberi(b.data(), n)) << "read " << n << " at step " << korak;
                if (k == 0 || k == n || vrsta == MEMORY || vrsta == DISK) { // a cache may end with the last
                    ASSERT_EQ(k == 0 && n ? Zrno::NAP_KONECPODATKOV : 0, f->VrniStanje()) << "step " << korak;
                }
                ASSERT_EQ(model.substr(std::min(poz, model.size()), k), Pokrij(std::string(b.data(), k), poz))
                    << "read at step " << korak;
                poz += k;
            } else if (op < 150) {
                // Plain, formatted narrow and wide (ASCII text then), and copied from a trickling stream.
                const unsigned int n = Velikost(), nacin = op < 130 ? 0 : op % 4;
                for (unsigned int i = 0; i < n; ++i)
                    b[i] = static_cast<char>(nacin == 0 ? nakljucno()
                                                        : 1 + nakljucno() % (nacin == 3 ? 127 : 255));
                b[n] = 0;
                std::string bajti(b.data(), n);
                if (nacin == 3)
                    for (size_t i = n; i-- > 0;)
                        bajti.insert(i + 1, 1, '\0');
                if (bajti.empty() && poz > model.size())
                    continue; // the memory file extends its length even then; the others do not
                if (poz > model.size())
                    Dolzina(poz);
                model.replace(poz, std::min(bajti.size(), model.size() - poz), bajti);
                neznan.resize(model.size());
                std::fill_n(neznan.begin() + poz, bajti.size(), false);
                poz += bajti.size();
                RPomDatoteka *m = dynamic_cast<RPomDatoteka *>(f.get()); // its own formatting and copying
                const unsigned short siroko[] = {'%', 'S', 0};
                TestniTok vir(bajti);
                vir.najvecNaBranje = 1 + nakljucno() % 5000;
                vir.konecZZadnjimi = nakljucno() % 2; // as a cache or a socket: the end with the last bytes
                const unsigned __int64 zapisano =
                    nacin == 0   ? f->Zapisi(b.data(), n)
                    : nacin == 1 ? (m ? m->ZapisiObl("%s", b.data()) : f->ZapisiObl("%s", b.data()))
                    : nacin == 3 ? (m ? m->ZapisiObl(siroko, b.data()) : f->ZapisiObl(siroko, b.data()))
                                 : (m ? m->ZapisiTok(vir, ~0ULL) : f->ZapisiTok(vir, ~0ULL));
                ASSERT_EQ(nacin == 2 ? bajti.size() : n, zapisano)
                    << "write " << nacin << " at step " << korak;
                ASSERT_EQ(0, f->VrniStanje()) << "write " << nacin << " at step " << korak;
            } else if (op < 192) {
                T_DATNACINODMIKA izhodisce = static_cast<T_DATNACINODMIKA>(nakljucno() % 3);
                auto Od = [&] {
                    return izhodisce == ODMIK_ZAC ? 0 : izhodisce == ODMIK_TREN ? poz : model.size();
                };
                __int64 odmik = izhodisce == ODMIK_ZAC
                                    ? nakljucno() % meja
                                    : static_cast<__int64>(nakljucno() % (2 * blok + 100)) -
                                          static_cast<__int64>(std::min<size_t>(Od(), blok + 50));
                if (Od() + odmik > meja) // keep the file small
                    izhodisce = ODMIK_ZAC, odmik = nakljucno() % (meja / 2);
                const bool pred = vrsta != MEMORY && nakljucno() % 8 == 0; // before the start: refused
                if (pred)
                    odmik = -static_cast<__int64>(Od() + 1 + nakljucno() % 99);
                else
                    poz = size_t(Od() + odmik);
                // The state afterwards: memory and a cache keep it, but a buffer's refusal shows.
                const int stanje = pred && (vrsta == DISK || podan) ? Zrno::NAP_POLOZAJ
                                   : vrsta == DISK                  ? 0
                                                                    : f->VrniStanje();
                ASSERT_EQ(pred ? ~0ULL : poz, f->Prestavi(odmik, izhodisce)) << "seek at step " << korak;
                ASSERT_EQ(stanje, f->VrniStanje()) << "seek at step " << korak;
            } else if (op < 197) {
                Dolzina(poz);
                ASSERT_EQ(0, f->PostaviKonec()) << "truncate at step " << korak;
            } else if (op == 197) { // a copy goes on in place of the original, whose end must leave it whole
                if (auto *m = dynamic_cast<RPomDatoteka *>(f.get()))
                    f.reset(new RPomDatoteka(*m));
                else if (auto *d = dynamic_cast<RMedFizDatoteka *>(f.get()))
                    f.reset(new RMedFizDatoteka(*d));
                else if (auto *d = dynamic_cast<RFizDatoteka *>(f.get()))
                    f.reset(new RFizDatoteka(*d));
            } else {
                ++izplakni;
                f->ResetirajStanje(); // an end of data left by a read would keep the file unflushed
                ASSERT_EQ(0, f->Izplakni()) << "flush at step " << korak;
                ASSERT_EQ(model, Pokrij(Zdaj(), 0)) << "after the flush at step " << korak;
            }
            ASSERT_EQ(Par(poz, model.size()), Mesto(*f)) << "step " << korak;
        }
        EXPECT_GT(izplakni, korakov / 200);
        f->ResetirajStanje();
        EXPECT_EQ(0, f->Izplakni());
        EXPECT_EQ(model, Pokrij(Zdaj(), 0));
    }
}

} // namespace
