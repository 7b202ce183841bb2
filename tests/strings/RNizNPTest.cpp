// String operations on both character types: searches against a plain scan, edits against a model.
#include "strings/Pomoc.h"
#include <algorithm>
#include <array>
#include <random>
#include <tuple>

template <class N> class RNizNPT : public testing::Test {};
TYPED_TEST_SUITE(RNizNPT, ObaNiza);

TYPED_TEST(RNizNPT, AgreesWithAReferenceScanAndComparisons) {
    using T = typename ZnakNiza<TypeParam>::T;
    std::mt19937 g(7);
    auto nakljucen = [&g](size_t n, std::string s = "") {
        while (s.size() < n)
            s += static_cast<char>((g() % 4 == 0 ? 'A' : 'a') + g() % 3);
        return s;
    };
    for (int krog = 0; krog < 600; ++krog) {
        std::string s = nakljucen(g() % 300 + 1), vzorec = nakljucen(krog % 50 ? g() % 6 + 1 : g() % 20);
        if (krog % 5 == 0)
            s[g() % s.size()] = 0;
        // Written through the buffer, so embedded zeros stay part of the text.
        TypeParam n;
        std::copy(s.begin(), s.end(), n.Odpusti(static_cast<unsigned int>(s.size()), false));
        n.Skrajsaj(static_cast<unsigned int>(s.size()));
        unsigned int zacetek = g() % (s.size() + 2), stevilo = g() % 2 ? NI : g() % 100;
        std::string ms = s, mv = vzorec;
        std::transform(s.begin(), s.end(), ms.begin(), tolower);
        std::transform(mv.begin(), mv.end(), mv.begin(), tolower);
        size_t konec = std::min<size_t>(s.size(), stevilo == NI ? NI : zacetek + stevilo);
        std::array<unsigned int, 4> pricakovano = {NI, NI, NI, NI}; // forwards, backwards, both ignoring case
        for (unsigned int p = zacetek; p < konec && s[p]; ++p)
            for (int i : {0, 2})
                if ((i ? ms : s).compare(p, vzorec.size(), i ? mv : vzorec) == 0) {
                    pricakovano[i] = pricakovano[i] == NI ? p : pricakovano[i];
                    pricakovano[i + 1] = p;
                }
        auto najdi = [&](auto kaj) {
            return std::array<unsigned int, 4>{
                n.Najdi(kaj, zacetek, stevilo), n.NajdiNazaj(kaj, zacetek, stevilo),
                n.NajdiI(kaj, zacetek, stevilo), n.NajdiNazajI(kaj, zacetek, stevilo)};
        };
        ASSERT_EQ(najdi(static_cast<T const *>(Tekst<T>(vzorec.c_str()))), pricakovano) << krog;
        if (vzorec.size() == 1) { // the character forms
            ASSERT_EQ(najdi(T(vzorec[0])), pricakovano) << krog;
        }
    }
    EXPECT_EQ(TypeParam(Tekst<T>("ab")).Najdi(T(0)), NI);
    TypeParam abc(Tekst<T>("abc"));
    EXPECT_EQ(abc.Najdi(Tekst<T>(""), 1) + 10 * abc.NajdiNazaj(Tekst<T>(""), 1), 21u) << "empty: 1, then 2";
    // The result is k + 1 past a difference at k, or its complement ~k when this string is smaller.
    const std::tuple<char const *, char const *, unsigned int, unsigned int, int> primeri[] = {
        {"abc", "abd", 0, NI, -3}, {"abd", "abc", 0, NI, 3}, {"ab", "abc", 0, NI, -3},
        {"abc", "ab", 0, NI, 3},   {"abc", "xyz", 0, 0, 0},  {"abc", "abx", 0, 2, 0},
        {"abc", "bc", 1, NI, 0},   {"abc", "", 5, NI, 0}};
    for (auto const &[a, b, zacetek, stevilo, rezultat] : primeri)
        EXPECT_EQ(TypeParam(Tekst<T>(a)).Primerjaj(Tekst<T>(b), zacetek, stevilo), rezultat) << b;
    EXPECT_EQ(abc.PrimerjajI(Tekst<T>("ABC")), 0);
    EXPECT_EQ(abc.PrimerjajLI(Tekst<T>("ABD")), -3);
}

// Capacity grows in steps of 128 whatever the heap block holds.
TYPED_TEST(RNizNPT, AgreesWithAModelReplacementsSelfSourcesAndTrims) {
    using T = typename ZnakNiza<TypeParam>::T;
    using S = std::basic_string<T>;
    std::mt19937 g(11);
    TypeParam n;
    S m, b;
    unsigned int kapaciteta = 128;
    for (unsigned int krog = 0; krog < 3000; ++krog) {
        SCOPED_TRACE(krog);
        b.resize(g() % (krog % 50 ? 8 : 200)); // now and then past the capacity
        for (T &c : b)
            c = T("ab x"[g() % 4]);
        const unsigned int d = static_cast<unsigned int>(m.size()), p = d ? g() % (d + 1) : 0, k = g() % 10;
        const T c = T("ab x"[g() % 5]); // 0 now and then: the text edits stop at the first one and cut there
        // The pattern, a run of one character, overlaps itself: the left and right occurrences differ.
        const S pred = m.substr(0, m.find(T(0))), v(1 + k % 2, b.empty() ? T('a') : b[0]), r(k % 4, T('y'));
        const unsigned int z = unsigned(std::count(pred.begin(), pred.end(), c));
        S o; // Zamenjaj(v, r): a longer replacement rebuilds from the end, taking the rightmost occurrences
        unsigned int zv = 0;
        if (r.size() > v.size())
            for (size_t i = pred.size(); i > 0;)
                i >= v.size() && !pred.compare(i - v.size(), v.size(), v)
                    ? void((o.insert(0, r), i -= v.size(), ++zv))
                    : void(o.insert(o.begin(), pred[--i]));
        else
            for (size_t i = 0; i < pred.size();)
                pred.compare(i, v.size(), v) ? void(o += pred[i++]) : void((o += r, i += v.size(), ++zv));
        switch (g() % 17) {
        case 0: ASSERT_EQ(n.Prilepi(b.c_str(), k), (m += b.substr(0, k)).size()); break;
        case 1: ASSERT_EQ(n.Vstavi(p, b.c_str()), m.insert(p, b).size()); break;
        case 2: ASSERT_EQ(n.Vstavi(p, c, k), m.insert(p, k, c).size()); break;
        case 3: ASSERT_EQ(n.Zbrisi(p, k % 3 ? k : NI), m.erase(p, k % 3 ? k : S::npos).size()); break;
        case 4: ASSERT_EQ(n.Skrajsaj(p), (m.resize(p), p)); break;
        case 5: ASSERT_EQ(n.Nastavi(b.c_str(), k), (m = b.substr(0, k)).size()); break;
        case 6:
            ASSERT_EQ(n.Odstrani(c), (m = pred, m.erase(std::remove(m.begin(), m.end(), c), m.end()), z));
            break;
        case 7:
            ASSERT_EQ(n.Zamenjaj(c, T('y')),
                      (std::replace(m.begin(), m.begin() + pred.size(), c, T('y')), z));
            break;
        case 8: n.SprostiOdvecne(), kapaciteta = d + 1; break;
        case 9: n.Prezrcali(), std::reverse(m.begin(), m.end()); break;
        case 10: // a longer replacement that finds nothing leaves the string whole
            ASSERT_EQ(n.Zamenjaj(v.c_str(), r.c_str()), !zv && r.size() > v.size() ? 0 : (m = o, zv));
            break;
        default: ASSERT_EQ(n.Prilepi(c, k % 4 ? 1 : k), m.append(k % 4 ? 1 : k, c).size());
        }
        ASSERT_EQ(S(static_cast<T const *>(n), n.VrniDolzino()), m);
        ASSERT_EQ(n[n.VrniDolzino()], T(0));
        if (m.size() >= kapaciteta)
            kapaciteta = (static_cast<unsigned int>(m.size()) + 128) & ~127u;
        ASSERT_EQ(n.VrniKapaciteto(), kapaciteta);
        auto Do0 = [](S t) { return t.substr(0, t.find(T(0))); }; // the parts stop at a 0
        ASSERT_EQ(S(n.Desno(k)), Do0(m.substr(m.size() - std::min<size_t>(k, m.size()))));
        const unsigned int q = static_cast<unsigned int>(g() % (m.size() + 1));
        ASSERT_EQ(S(n.Sredina(q, k)), Do0(m.substr(q, k)));
        ASSERT_EQ(S(n.RNizP<T>::Levo(k)), Do0(m.substr(0, k)));
    }
    // A longer replacement takes the rightmost non-overlapping occurrences, a shorter one the leftmost.
    // clang-format off
    const char *const primeri[][5] = {{"aaa", "aa", "XYZ", "aXYZ", "\1"}, {"aaa", "aa", "X", "Xa", "\1"},
        {"aaaa", "aa", "XYZ", "XYZXYZ", "\2"}, {"abcabc", "bc", "", "aa", "\2"}, {"abc", "x", "yy", "abc", ""},
        {"abcabc", "b", "BBB", "aBBBcaBBBc", "\2"}, {"abc", "", "y", "abc", ""}, {"", "a", "b", "", ""},
        {"xyx", "xyx", "q", "q", "\1"}, {"ababa", "aba", "XYZW", "abXYZW", "\1"}};
    // clang-format on
    for (auto const &p : primeri) {
        TypeParam z{Tekst<T>(p[0])};
        EXPECT_NIZ(z, Zamenjaj(Tekst<T>(p[1]), Tekst<T>(p[2])), unsigned(*p[4]), p[3]);
    }
    n = Tekst<T>("aBcAbC");
    TypeParam d(T('a'), 100), s(Tekst<T>("abab"));
    EXPECT_NIZ(n, ZamenjajI(Tekst<T>("abc"), Tekst<T>("-")), 2u, "--");
    n = Tekst<T>("AbAbA");
    EXPECT_NIZ(n, ZamenjajI(Tekst<T>("aba"), Tekst<T>("XYZW")), 1u, "AbXYZW");
    EXPECT_NIZ(d, Zamenjaj(Tekst<T>("a"), Tekst<T>("bb")), 100u, std::string(200, 'b').c_str());
    EXPECT_NIZ(s, Zamenjaj(static_cast<T const *>(s) + 2, Tekst<T>("xyz")), 2u, "xyzxyz"); // from itself
    TypeParam v(Tekst<T>("abcxy"));
    EXPECT_NIZ(v, Vstavi(0, static_cast<T const *>(v) + 3, 2), 7u, "xyabcxy");
    TypeParam t(v, 2);
    t += v;
    t += t;
    EXPECT_NIZ(t, Prilepi(static_cast<T const *>(t) + 5, 3), 21u, "xyxyabcxyxyxyabcxybcx");
    EXPECT_NIZ(t, Nastavi(static_cast<T const *>(t) + 2, 4), 4u, "xyab");
    TypeParam dolg(T('x'), 100); // the source moves with the grown buffer
    EXPECT_NIZ(dolg, Vstavi(50, static_cast<T const *>(dolg)), 200u, std::string(200, 'x').c_str());
    n = Tekst<T>("bAnana");
    EXPECT_EQ(n.ZamenjajI(T('B'), T('x')), 1u);
    EXPECT_NIZ(n, OdstraniI(T('N')), 2u, "xAaa");
    n = Tekst<T>("..ab c..");
    EXPECT_NIZ(n, Poravnaj(Tekst<T>(" .")), 4u, "ab c");
    n = Tekst<T>("xxaxx");
    EXPECT_NIZ(n, PoravnajLevo(T('x')), 3u, "axx");
    EXPECT_NIZ(n, PoravnajDesno(T('x')), 1u, "a");
    n = Tekst<T>(" \t ab \r\n");
    EXPECT_NIZ(n, Poravnaj(), 2u, "ab");
}

// Narrow text orders as signed bytes, wide as unsigned units.
TEST(RNizNP, OrderCodePage1250CaseAndTheExtraPairs) {
    RNizA a("a"), c("\xC8");
    EXPECT_EQ(a.Primerjaj("a\xE8"), 2); // the terminator orders above 0xE8
    EXPECT_EQ(c.PrimerjajI("\xE8"), 0); // code page 1250: C-caron folds to c-caron
    EXPECT_EQ(c.NajdiI('\xE8'), 0u);
    EXPECT_EQ(RNizU(U(L"a")).Primerjaj(U(L"a\x00E8")), -2);
    EXPECT_EQ(RNizU(U(L"\x00E8")).Primerjaj(U(L"z")), 1);
    RNizA n("Hello, \xE8\x9A 9");
    n.VVelike();
    EXPECT_TRUE(Vsebuje(n, "HELLO, \xC8\x8A 9"));
    n.VMale();
    EXPECT_TRUE(Vsebuje(n, "hello, \xE8\x9A 9"));
    n = "\xA0x\xA0"; // no-break space is white space in 1250
    EXPECT_EQ(n.Poravnaj(), 1u);
    unsigned short const mala[] = {0x10D, 0x1D2, 0xE004, 'a', 0}, velika[] = {0x10C, 0x1D1, 0xE005, 'A', 0};
    RNizU u(mala);
    u.VVelike();
    EXPECT_EQ(u.Primerjaj(velika) + u.PrimerjajI(mala), 0);
    EXPECT_EQ(u.NajdiI(static_cast<unsigned short>(0xE004)), 2u);
    u.VMale();
    EXPECT_EQ(u.Primerjaj(mala), 0);
}
