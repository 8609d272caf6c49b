#include "ui/mask.h"

#include <gtest/gtest.h>

#include <climits>

namespace spindrel {
namespace {

void putInt(std::string& out, std::int32_t value) {
    for (int i = 0; i < 4; ++i) out += static_cast<char>((static_cast<std::uint32_t>(value) >> (8 * i)) & 0xFF);
}

constexpr std::int32_t kAsItIs = INT32_MIN;

std::string maskFile(const std::vector<MaskRect>& rects, std::int32_t n = kAsItIs,
                     std::int32_t count = kAsItIs) {
    std::string data;
    putInt(data, 32);
    putInt(data, 1);
    putInt(data, count == kAsItIs ? static_cast<std::int32_t>(rects.size()) : count);
    putInt(data, static_cast<std::int32_t>(rects.size() * 16));
    for (int i = 0; i < 4; ++i) putInt(data, 0);
    for (const MaskRect& r : rects) {
        putInt(data, r.left);
        putInt(data, r.top);
        putInt(data, r.right);
        putInt(data, r.bottom);
    }
    std::string file;
    putInt(file, n == kAsItIs ? static_cast<std::int32_t>(data.size()) : n);
    return file + data;
}

TEST(MaskTest, RectanglesAreReadAndTheRegionDataKeptAsItStands) {
    const std::vector<MaskRect> rects{{10, 0, 500, 1}, {0, 1, 512, 159}, {10, 159, 500, 160}};
    const std::string file = maskFile(rects);
    const auto mask = parseMask(file);
    ASSERT_TRUE(mask.has_value());
    EXPECT_FALSE(mask->keepOutline);
    ASSERT_EQ(mask->rects.size(), 3u);
    EXPECT_EQ(mask->rects[1].right, 512);
    EXPECT_EQ(mask->rects[2].bottom, 160);
    EXPECT_EQ(mask->regionData.size(), 32u + 48u);
    EXPECT_EQ(std::string(mask->regionData.begin(), mask->regionData.end()), file.substr(4));
}

TEST(MaskTest, ZeroLengthKeepsTheOutline) {
    const auto mask = parseMask(std::string(4, '\0'));
    ASSERT_TRUE(mask.has_value());
    EXPECT_TRUE(mask->keepOutline);
    EXPECT_TRUE(mask->regionData.empty());
}

TEST(MaskTest, MalformedFilesAreRefusedWithoutReadingPastTheirData) {
    const std::vector<MaskRect> one{{0, 0, 5, 5}};
    std::string reason;
    EXPECT_FALSE(parseMask("", &reason));
    EXPECT_FALSE(parseMask(std::string(3, '\0'), &reason));
    EXPECT_FALSE(parseMask(maskFile(one, -5)));                  // negative length
    EXPECT_FALSE(parseMask(maskFile(one, 0x7FFFFFFF), &reason));  // longer than the file
    EXPECT_EQ(reason, "the file ends inside the region data");
    EXPECT_FALSE(parseMask(maskFile(one).substr(0, 40)));         // truncated
    EXPECT_FALSE(parseMask(maskFile(one, kAsItIs, 2), &reason));       // count says two rectangles
    EXPECT_EQ(reason, "the rectangle count disagrees with the region length");
    EXPECT_FALSE(parseMask(maskFile(one, kAsItIs, 0x10000001)));       // a count that would wrap
    std::string shortHeader;
    putInt(shortHeader, 16);
    shortHeader += std::string(16, '\0');
    EXPECT_FALSE(parseMask(shortHeader));
    std::string wrongType = maskFile(one);
    wrongType[8] = 2;
    EXPECT_FALSE(parseMask(wrongType, &reason));
    EXPECT_EQ(reason, "the region header is not a rectangle list");
}

TEST(MaskTest, ExtraBytesAfterTheRegionAreIgnored) {
    const auto mask = parseMask(maskFile({{0, 0, 1, 1}}) + "trailing");
    ASSERT_TRUE(mask.has_value());
    EXPECT_EQ(mask->rects.size(), 1u);
}

}  // namespace
}  // namespace spindrel
