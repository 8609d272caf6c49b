#include "base/timer.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/virtual_clock.h"

namespace spindrel {
namespace {

TEST(TimerTest, TicksEveryIntervalWhileEnabled) {
    testing::VirtualClock clock;
    int ticks = 0;
    Timer timer(clock, 100, [&] { ++ticks; });
    clock.advance(1000);
    EXPECT_EQ(ticks, 0);
    timer.setEnabled(true);
    clock.advance(350);
    EXPECT_EQ(ticks, 3);
    timer.setEnabled(false);
    clock.advance(1000);
    EXPECT_EQ(ticks, 3);
}

TEST(TimerTest, EnablingARunningTimerDoesNotRestartItButAnIntervalChangeDoes) {
    testing::VirtualClock clock;
    int ticks = 0;
    Timer timer(clock, 100, [&] { ++ticks; });
    timer.setEnabled(true);
    clock.advance(90);
    timer.setEnabled(true);
    clock.advance(10);
    EXPECT_EQ(ticks, 1);

    clock.advance(90);
    timer.setInterval(100);  // the same interval: nothing changes
    clock.advance(10);
    EXPECT_EQ(ticks, 2);

    clock.advance(90);
    timer.setInterval(50);  // the period starts again
    clock.advance(49);
    EXPECT_EQ(ticks, 2);
    clock.advance(1);
    EXPECT_EQ(ticks, 3);
}

TEST(TimerTest, RestartBeginsAFullIntervalFromNow) {
    testing::VirtualClock clock;
    int ticks = 0;
    Timer timer(clock, 100, [&] { ++ticks; });
    timer.setEnabled(true);
    clock.advance(99);
    timer.restart();
    clock.advance(99);
    EXPECT_EQ(ticks, 0);
    clock.advance(1);
    EXPECT_EQ(ticks, 1);
}

TEST(TimerTest, TickThatStopsItsOwnTimerEndsTheSequence) {
    testing::VirtualClock clock;
    int ticks = 0;
    Timer timer(clock, 10);
    timer.setOnTick([&] {
        ++ticks;
        timer.setEnabled(false);
    });
    timer.setEnabled(true);
    EXPECT_EQ(clock.runUntilIdle(), 1);
    EXPECT_EQ(ticks, 1);
}

TEST(TimerTest, QueuedTickOfAStoppedTimerIsDropped) {
    testing::VirtualClock clock;
    int ticks = 0;
    Timer timer(clock, 10, [&] { ++ticks; });
    timer.setEnabled(true);
    timer.setEnabled(false);
    timer.fire();  // as a WM_TIMER still in the queue after KillTimer
    EXPECT_EQ(ticks, 0);
}

TEST(TimerTest, ATickThatLetsMessagesRunIsNeverEnteredAgainByItsOwnTimer) {
    testing::VirtualClock clock;
    int depth = 0;
    int deepest = 0;
    int ticks = 0;
    Timer timer(clock, 10);
    timer.setOnTick([&] {
        ++ticks;
        ++depth;
        deepest = std::max(deepest, depth);
        if (ticks == 1)
            clock.advance(100);  // pending messages run: ten more periods pass meanwhile
        --depth;
    });
    timer.setEnabled(true);
    clock.advance(10);
    EXPECT_EQ(deepest, 1);
    EXPECT_EQ(ticks, 1);  // the periods that passed inside are not made up afterwards
    clock.advance(10);
    EXPECT_EQ(ticks, 2);
}

TEST(TimerTest, ZeroIntervalNeverTicksAndDestructionDisarms) {
    testing::VirtualClock clock;
    {
        Timer timer(clock, 0, [] { FAIL(); });
        timer.setEnabled(true);
        EXPECT_FALSE(clock.isArmed(timer));
        Timer other(clock, 5, [] {});
        other.setEnabled(true);
        EXPECT_TRUE(clock.isArmed(other));
    }
    EXPECT_FALSE(clock.runNext());
}

}  // namespace
}  // namespace spindrel
