// Known answers from the standards: RFC 1321's test suite, FIPS 180's SHA-1 examples and the CRC-32
// check value.
#include "Pomoc.h"

namespace {

struct Odgovor {
    const char *sporocilo;
    const char *crc32, *md5, *sha1; // null where the standard gives none: the system's value then
};

const std::string k_osemdesetStevk =
    "12345678901234567890123456789012345678901234567890123456789012345678901234567890";

const Odgovor k_odgovori[] = {
    {"", "00000000", "d41d8cd98f00b204e9800998ecf8427e", "da39a3ee5e6b4b0d3255bfef95601890afd80709"},
    {"a", "e8b7be43", "0cc175b9c0f1b6a831c399e269772661", nullptr},
    {"abc", "352441c2", "900150983cd24fb0d6963f7d28e17f72", "a9993e364706816aba3e25717850c26c9cd0d89d"},
    {"message digest", nullptr, "f96b697d7cb7938d525a2f31aaf161d0", nullptr},
    {"abcdefghijklmnopqrstuvwxyz", nullptr, "c3fcd3d76192e4007dfb496cca67e13b", nullptr},
    {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", nullptr,
     "d174ab98d277d9f5a5611c2c9f419d9f", nullptr},
    {k_osemdesetStevk.c_str(), nullptr, "57edf4a22be3c955ac49da2e2107b67a", nullptr},
    {"123456789", "cbf43926", nullptr, nullptr},
    {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq", nullptr, nullptr,
     "84983e441c3bd26ebaae4aa1f95129e5e54670f1"},
};

TEST(ZnaniOdgovori, StandardVectors) {
    for (const Odgovor &o : k_odgovori) {
        SCOPED_TRACE(o.sporocilo);
        EXPECT_EQ(o.crc32 ? o.crc32 : Crc32Sistema(o.sporocilo), Odtis<RCRC32>(o.sporocilo));
        EXPECT_EQ(o.md5 ? o.md5 : Sistemski<RMD5>(o.sporocilo), Odtis<RMD5>(o.sporocilo));
        EXPECT_EQ(o.sha1 ? o.sha1 : Sistemski<RSHA1>(o.sporocilo), Odtis<RSHA1>(o.sporocilo));
    }
}

// FIPS 180's third example, fed one "a" at a time for SHA-1 and in one call for MD5.
TEST(ZnaniOdgovori, AMillionAs) {
    RSHA1 sha;
    for (int i = 0; i < 1000000; ++i)
        sha.Izracunaj("a", 1);
    sha.Zakljuci();
    EXPECT_EQ("34aa973cd4c4daa4f61eeb2bdbad27316534016f", Hex(sha));
    EXPECT_EQ("7707d6ae4e027c70eea2a935c2296f21", Odtis<RMD5>(std::string(1000000, 'a')));
}

} // namespace
