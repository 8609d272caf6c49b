#include <gtest/gtest.h>

#include "disc/region.h"

namespace spindrel {
namespace {

const std::string kFirst = "These indicators show which region this DVD is playable in.";

TEST(RegionTest, TheHintNamesThePlayableRegions) {
    struct Case {
        std::uint8_t regionByte;
        const char* second;
    };
    for (const Case& c : {Case{0xFE, "This DVD is playable in region 1."},
                          Case{0xDF, "This DVD is playable in region 6."},
                          Case{0xF5, "This DVD is playable in regions 2 and 4."},
                          Case{0xEA, "This DVD is playable in regions 1, 3 and 5."},
                          Case{0xC1, "This DVD is playable in regions 2, 3, 4, 5 and 6."},
                          Case{0x00, "This DVD is playable in any region."},
                          Case{0xC0, "This DVD is playable in any region."}}) {
        EXPECT_EQ(regionHint(c.regionByte), kFirst + "\r\r" + c.second)
            << std::hex << int{c.regionByte};
    }
    EXPECT_EQ(regionHint(0xFF), kFirst);
    EXPECT_EQ(regionHint(0x3F), kFirst);  // bits 6 and 7 never count
}

TEST(RegionTest, EachClearBitLightsItsRegion) {
    EXPECT_EQ(playableRegions(0xF5), (std::array<bool, 6>{false, true, false, true, false, false}));
    EXPECT_EQ(playableRegions(0xC0), (std::array<bool, 6>{true, true, true, true, true, true}));
}

TEST(RegionTest, IdentityIsTheSerialInTwoHalves) {
    EXPECT_EQ(discIdentity(0x1A2B3C4D), "1A2B:3C4D");
    EXPECT_EQ(discIdentity(0x0000ABCD), "0000:ABCD");
    EXPECT_EQ(discIdentity(0xFFFFFFFF), "FFFF:FFFF");
    EXPECT_EQ(discIdentity(0), "0000:0000");
}

}  // namespace
}  // namespace spindrel
