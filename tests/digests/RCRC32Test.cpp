// CRC-32 specifics: continuing a finished CRC, the start value against Resetiraj, finishing twice, and
// the fast methods against the one-table method for every length and alignment.
#include "Pomoc.h"

namespace {

unsigned int CrcTabela(unsigned int reg, std::string const &s) {
    static unsigned int t[256];
    if (!t[1])
        for (unsigned int i = 0; i < 256; ++i) {
            unsigned int c = i;
            for (int k = 0; k < 8; ++k)
                c = (c >> 1) ^ ((c & 1) ? 0xEDB88320u : 0u);
            t[i] = c;
        }
    for (unsigned char b : s)
        reg = (reg >> 8) ^ t[(reg ^ b) & 0xFF];
    return reg;
}

TEST(RCRC32, AFinishedCrcContinuesOverMoreData) {
    RCRC32 prvi;
    prvi.Izracunaj("12345", 5);
    prvi.Zakljuci();
    RCRC32 drugi(prvi.Vrni());
    drugi.Izracunaj("6789", 4);
    drugi.Zakljuci();
    EXPECT_EQ(0xCBF43926ul, static_cast<unsigned long>(drugi));
}

TEST(RCRC32, ResetirajIgnoresTheStartValueAndFinishingTwiceUndoes) {
    RCRC32 c(0x12345678);
    EXPECT_EQ(~0x12345678ul, c.Vrni());
    c.Resetiraj();
    EXPECT_EQ(0xFFFFFFFFul, c.Vrni());
    c.Izracunaj("123456789", 9);
    unsigned long tece = c.Vrni();
    c.Zakljuci();
    EXPECT_EQ(0xCBF43926ul, c.Vrni());
    c.Zakljuci();
    EXPECT_EQ(tece, c.Vrni());
}

// The register after each call, not only the finished value, must equal the table method's: lengths
// around the folding threshold and block multiples, from every offset within 16 bytes.
TEST(RCRC32, FastMethodsMatchTheTableBitForBit) {
    std::mt19937 g(6);
    std::string s = Nakljucni(g, 5000);
    for (size_t zacetek = 0; zacetek < 16; ++zacetek)
        for (size_t n = 0; n + zacetek <= s.size(); n += (n < 1100 ? 1 : 97)) {
            unsigned int zacetni = g();
            RCRC32 c(~zacetni);
            c.Izracunaj(s.data() + zacetek, static_cast<unsigned int>(n));
            ASSERT_EQ(CrcTabela(zacetni, s.substr(zacetek, n)), c.Vrni()) << zacetek << " " << n;
        }
}

} // namespace
