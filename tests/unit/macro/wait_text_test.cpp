#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "macro/wait_text.h"

namespace spindrel {
namespace {

TEST(WaitTextTest, RoundsTheEighteenDigitStringHalfAwayFromZero) {
    EXPECT_EQ(formatWait(2.25), "2.3");  // exactly representable: the half goes up
    EXPECT_EQ(formatWait(0.15), "0.1");  // the double lies just below 0.15
    EXPECT_EQ(formatWait(1.55), "1.6");  // the double lies just above 1.55
    EXPECT_EQ(formatWait(0.25), "0.3");
    EXPECT_EQ(formatWait(0.05), "0.1");
    EXPECT_EQ(formatWait(-2.25), "-2.3");  // away from zero on both sides
    EXPECT_EQ(formatWait(9.95), "9.9");    // 9.949999999999999289...
    EXPECT_EQ(formatWait(9.96), "10.0");   // the carry runs into a new digit
    EXPECT_EQ(formatWait(99.99), "100.0");
    EXPECT_EQ(formatWait(12.5), "12.5");
    EXPECT_EQ(formatWait(0.0), "0.0");
    EXPECT_EQ(formatWait(-0.0), "0.0");
    EXPECT_EQ(formatWait(-0.04), "0.0");  // no "-0.0"
    EXPECT_EQ(formatWait(0.04999), "0.0");
}

TEST(WaitTextTest, TheEighteenthDigitDecidesWhereExactRoundingWouldNot) {
    // 0.35 is 0.34999999999999997779...: 18 digits keep the 4, so it rounds down.
    EXPECT_EQ(formatWait(0.35), "0.3");
    // 1 - 2^-53 = 0.99999999999999988898 becomes 0.999999999999999889 (a 9 after the first
    // decimal), so it rounds up to 1.0.
    EXPECT_EQ(formatWait(std::nextafter(1.0, 0.0)), "1.0");
    // 0.04999999999999999722 (the double below 0.05): 18 digits are
    // 0.0499999999999999972, second decimal 4: stays 0.0.
    EXPECT_EQ(formatWait(std::nextafter(0.05, 0.0)), "0.0");
}

TEST(WaitTextTest, FormatsTheWholeRangeOfDoubles) {
    EXPECT_EQ(formatWait(1e20), "100000000000000000000.0");
    // The double is 123456789012345683968; beyond 18 digits only zeros are written.
    EXPECT_EQ(formatWait(123456789012345678901.0), "123456789012345684000.0");
    EXPECT_EQ(formatWait(std::numeric_limits<double>::denorm_min()), "0.0");
    EXPECT_EQ(formatWait(std::numeric_limits<double>::max()).size(), 309u + 2u);
    EXPECT_EQ(formatWait(std::numeric_limits<double>::infinity()), "0.0");
}

TEST(WaitTextTest, ParsesNumbersWithSpacesSignAndExponent) {
    EXPECT_EQ(parseWait("2.5"), 2.5);
    EXPECT_EQ(parseWait(" 2.5 "), 2.5);
    EXPECT_EQ(parseWait("   +3"), 3.0);
    EXPECT_EQ(parseWait("-1.0"), -1.0);
    EXPECT_EQ(parseWait("1E1"), 10.0);
    EXPECT_EQ(parseWait("25e-1"), 2.5);
    EXPECT_EQ(parseWait("1.5E+2"), 150.0);
    EXPECT_EQ(parseWait(".5"), 0.5);
    EXPECT_EQ(parseWait("5."), 5.0);
    EXPECT_EQ(parseWait("1e-400"), 0.0);  // too small to tell from zero
}

TEST(WaitTextTest, RejectsWhatIsNotADecimalNumber) {
    for (const char* text : {"", " ", "x", "2,5", "\t2.5", "2.5\t", "1e", "1e+", "+", "-.", ".",
                             "inf", "nan", "0x10", "1 0", "2.5.1", "--1", "1e999"}) {
        EXPECT_FALSE(parseWait(text).has_value()) << '"' << text << '"';
    }
    EXPECT_EQ(waitOrZero("abc"), 0.0);
    EXPECT_EQ(waitOrZero(""), 0.0);
}

}  // namespace
}  // namespace spindrel
