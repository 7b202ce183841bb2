#include <gtest/gtest.h>
#include <zrno/frame.h>

TEST(PretvoriNapako, EveryMappedCode) {
    static const struct {
        unsigned int sistemska;
        unsigned int nasa;
    } k_tabela[] = {
        {1, 0x80000043},     {2, 0x80000045},     {3, 0x80000046},     {4, 0x80000047},
        {5, 0x80000042},     {6, 0x80000038},     {8, 0x80000006},     {19, 0x80000048},
        {21, 0x80000049},    {22, 0x80000043},    {23, 0x80000044},    {27, 0x8000004B},
        {29, 0x80000005},    {30, 0x80000004},    {32, 0x8000004A},    {33, 0x8000004C},
        {39, 0x8000004D},    {50, 0x80000043},    {52, 0x8000003C},    {87, 0x80000003},
        {123, 0x80000039},   {183, 0x8000003C},   {259, 0x8000001A},   {1055, 0x8000004C},
        {1056, 0x80000055},  {1057, 0x8000003D},  {1059, 0x8000003B},  {1060, 0x8000003A},
        {1065, 0x80000037},  {1069, 0x80000056},  {1072, 0x80000053},  {1073, 0x8000003C},
        {1444, 0x80000059},  {1814, 0x8000005A},  {10061, 0x80000063}, {12002, 0x80000023},
        {12007, 0x80000014}, {0x8009000C, 0x8000005C}, {0x8009000E, 0x80000006},
        {0x8009000F, 0x8000003C}, {0x80090016, 0x8000005E}, {0x80090019, 0x8000005D},
        {0x8009001A, 0x8000005E},
    };
    for (const auto &r : k_tabela) {
        EXPECT_EQ(PretvoriNapako(r.sistemska, Zrno::NAP_BRANJE), static_cast<int>(r.nasa)) << r.sistemska;
        EXPECT_EQ(PretvoriNapako(r.sistemska, -1), static_cast<int>(r.nasa)) << "default ignored";
    }
}

TEST(PretvoriNapako, ZeroAndUnlistedCodes) {
    for (int privzeta : {Zrno::NAP_ZAPIRANJE, Zrno::NAP_BRANJE, -5})
        EXPECT_EQ(PretvoriNapako(0, privzeta), 0);
    for (unsigned int neznana : {7u, 9u, 31u, 184u, 1058u, 10060u, 0x8009000Du, 0xFFFFFFFFu})
        EXPECT_EQ(PretvoriNapako(neznana, Zrno::NAP_ZAPIRANJE), Zrno::NAP_ZAPIRANJE) << neznana;
}
