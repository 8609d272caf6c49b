#include <gtest/gtest.h>

#include <limits>

#include "base/errors.h"
#include "macro/macro_waits.h"

namespace spindrel {
namespace {

TEST(ClickIntervalTest, ExactProductTruncated) {
    EXPECT_EQ(clickIntervalMs(0.3, true), 299);
    EXPECT_EQ(clickIntervalMs(2.3, true), 2299);
    EXPECT_EQ(clickIntervalMs(1.5, true), 1500);
    EXPECT_EQ(clickIntervalMs(0.5, true), 500);
    EXPECT_EQ(clickIntervalMs(0.1, true), 100);
    EXPECT_EQ(clickIntervalMs(12.0, true), 12000);
}

TEST(ClickIntervalTest, ClicksThatAreNotPressedNeverStallTheRun) {
    EXPECT_EQ(clickIntervalMs(0.0, true), 1);
    EXPECT_EQ(clickIntervalMs(-3.0, true), 1);
    EXPECT_EQ(clickIntervalMs(2.0, false), 1);
    EXPECT_EQ(clickIntervalMs(0.0004, true), 1);  // would be a timer of 0 ms, which never fires
    EXPECT_EQ(clickIntervalMs(1e300, true), std::numeric_limits<int>::max());
}

TEST(WaitOrThrowTest, NotANumberCarriesTheRunTimeMessage) {
    EXPECT_EQ(waitOrThrow("2.5"), 2.5);
    try {
        waitOrThrow("1,5");
        FAIL() << "no error";
    } catch (const ConvertError& error) {
        EXPECT_STREQ(error.what(), "'1,5' is not a valid floating point value");
    }
}

}  // namespace
}  // namespace spindrel
