// Editing, trimming, parts, reversal and case conversion on both character types: a model run and the
// cases it cannot see.
#include "strings/Pomoc.h"
#include <algorithm>
#include <random>

template <class N> class Urejanje : public testing::Test {};
TYPED_TEST_SUITE(Urejanje, ObaNiza);

// Random edits against std::basic_string, the capacity growing in steps of 128 whatever the heap block behind
// it holds, or cut to the text; single-character appends (their fast path) most often.
TYPED_TEST(Urejanje, AgreesWithAModel) {
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
}

TYPED_TEST(Urejanje, ReplacementsSelfSourcesAndTrims) {
    using T = typename ZnakNiza<TypeParam>::T;
    // A longer replacement takes the rightmost non-overlapping occurrences, a shorter one the leftmost.
    // clang-format off
    const char *const primeri[][5] = {{"aaa", "aa", "XYZ", "aXYZ", "\1"}, {"aaa", "aa", "X", "Xa", "\1"},
        {"aaaa", "aa", "XYZ", "XYZXYZ", "\2"}, {"abcabc", "bc", "", "aa", "\2"}, {"abc", "x", "yy", "abc", ""},
        {"abcabc", "b", "BBB", "aBBBcaBBBc", "\2"}, {"abc", "", "y", "abc", ""}, {"", "a", "b", "", ""},
        {"xyx", "xyx", "q", "q", "\1"}, {"ababa", "aba", "XYZW", "abXYZW", "\1"}};
    // clang-format on
    for (auto const &p : primeri) {
        TypeParam n{Tekst<T>(p[0])};
        EXPECT_NIZ(n, Zamenjaj(Tekst<T>(p[1]), Tekst<T>(p[2])), unsigned(*p[4]), p[3]);
    }
    TypeParam n(Tekst<T>("aBcAbC")), d(T('a'), 100), s(Tekst<T>("abab"));
    EXPECT_NIZ(n, ZamenjajI(Tekst<T>("abc"), Tekst<T>("-")), 2u, "--");
    n = Tekst<T>("AbAbA");
    EXPECT_NIZ(n, ZamenjajI(Tekst<T>("aba"), Tekst<T>("XYZW")), 1u, "AbXYZW");
    EXPECT_NIZ(d, Zamenjaj(Tekst<T>("a"), Tekst<T>("bb")), 100u, std::string(200, 'b').c_str());
    EXPECT_NIZ(s, Zamenjaj(static_cast<T const *>(s) + 2, Tekst<T>("xyz")), 2u, "xyzxyz"); // from itself
    TypeParam v(Tekst<T>("abcxy"));
    EXPECT_NIZ(v, Vstavi(0, static_cast<T const *>(v) + 3, 2), 7u, "xyabcxy");
    TypeParam m(v, 2);
    m += v;
    m += m;
    EXPECT_NIZ(m, Prilepi(static_cast<T const *>(m) + 5, 3), 21u, "xyxyabcxyxyxyabcxybcx");
    EXPECT_NIZ(m, Nastavi(static_cast<T const *>(m) + 2, 4), 4u, "xyab");
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

// Case through the library locale: code page 1250 (c-caron, s-caron) and the extra pairs of the wide form.
TEST(UrejanjeA, CodePage1250CaseAndTheExtraPairs) {
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
    EXPECT_EQ(u.Primerjaj(velika), 0);
    u.VMale();
    EXPECT_EQ(u.Primerjaj(mala), 0);
}
