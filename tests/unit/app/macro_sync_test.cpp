#include <gtest/gtest.h>

#include "unit/app/macro_fixture.h"

namespace spindrel {
namespace {

using Press = std::pair<std::int32_t, double>;
using testing::MacroFixture;

constexpr std::int32_t kPlay = 5;
constexpr std::int32_t kStop = 6;
constexpr std::int32_t kOk = 13;
const ClickCondition kMenu{ConditionKind::menu, 0, 0};
const ClickCondition kTitle2{ConditionKind::title, 2, 0};

class MacroSyncTest : public MacroFixture {
  protected:
    MacroSyncTest() : MacroFixture(true) {}

    // Starts the run at 5 s of virtual time and runs it to its end.
    void run() {
        t.clock.advance(5000 - t.clock.nowMs());
        ASSERT_TRUE(tmain->StartMacroStep());
        finishRun();
    }
};

TEST_F(MacroSyncTest, TheFirstClickTakesTheStateThePlayerIsAlreadyIn) {
    states.at(0, PlayerDomain::menu);
    setClicks({{"7.0", "Ok / Enter", kMenu}, {"1.0", "Play"}});
    run();
    // 10 ms to the first tick, 1 ms to the first look at the state, which has long settled.
    EXPECT_EQ(presses, (std::vector<Press>{{kOk, 5011}, {kPlay, 6011}}));
}

TEST_F(MacroSyncTest, AClickGoesOutWhenItsStateShowsAndHasSettled) {
    states.at(0, PlayerDomain::firstPlay);
    states.at(15000, PlayerDomain::menu);         // a warning twice as long as recorded
    states.at(15500, PlayerDomain::title, 2, 1);  // the press below began title 2
    states.at(16200, PlayerDomain::title, 2, 2);
    setClicks({{"7.0", "Ok / Enter", kMenu},
               {"9.0", "Play", kTitle2},
               {"0.5", "Stop", {ConditionKind::title, 2, 2}}});
    run();
    ASSERT_EQ(presses.size(), 3u);
    const double settled[] = {15100, 15600, 16300};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_GE(presses[i].second, settled[i]) << i;
        EXPECT_LT(presses[i].second, settled[i] + kSyncPollMs + 1) << i;
    }
    EXPECT_EQ(tmain->model.next_button.caption, "Macro Complete");
}

TEST_F(MacroSyncTest, ALaterClickWaitsForAStateEnteredAfterThePressBeforeIt) {
    // Down in a menu changes nothing the player reports; Ok opens another menu.
    states.at(0, PlayerDomain::menu);
    states.at(8000, PlayerDomain::menu);
    setClicks({{"1.0", "Play", kMenu}, {"1.0", "Stop", kMenu}});
    run();
    ASSERT_EQ(presses.size(), 2u);
    EXPECT_EQ(presses[0], (Press{kPlay, 5011}));
    EXPECT_GE(presses[1].second, 8100);
    EXPECT_LT(presses[1].second, 8100 + kSyncPollMs + 1);
}

TEST_F(MacroSyncTest, WhileAClickWaitsTheStatusLineSaysForWhat) {
    states.at(0, PlayerDomain::firstPlay);
    setClicks({{"7.0", "Ok / Enter", kMenu}, {"1.0", "Play", {ConditionKind::title, 2, 3}}});
    t.clock.advance(5000);
    ASSERT_TRUE(tmain->StartMacroStep());
    t.clock.advance(1000);
    EXPECT_EQ(tmain->model.next_button.caption, "\"Ok / Enter\" when a menu shows");
    EXPECT_EQ(tmain->model.applicationTitle, "When a menu shows: Ok / Enter");
    EXPECT_TRUE(tmain->macroPlaying());
    states.enter(PlayerDomain::menu);
    t.clock.advance(200);
    EXPECT_EQ(presses.size(), 1u);
    EXPECT_EQ(tmain->model.next_button.caption, "\"Play\" when title 2 chapter 3 plays");
}

TEST_F(MacroSyncTest, AStateThatNeverComesIsGivenUpThirtySecondsAfterTheBlindTime) {
    states.at(0, PlayerDomain::firstPlay);
    setClicks({{"2.0", "Play", kTitle2}, {"1.0", "Stop"}, {"1.0", "Ok / Enter"}});
    t.clock.advance(5000);
    ASSERT_TRUE(tmain->StartMacroStep());
    t.clock.advance(2010 + 29990);
    EXPECT_TRUE(presses.empty());
    t.clock.advance(20);
    ASSERT_EQ(presses.size(), 1u);
    EXPECT_EQ(presses[0].first, kPlay);
    EXPECT_LE(presses[0].second, 5010 + 2000 + 30000 + 1);
    // Said at once, and kept through the next wait.
    EXPECT_EQ(tmain->model.next_button.caption, "Pressed \"Play\" anyway: title 2 did not play");
    t.clock.advance(980);
    EXPECT_EQ(tmain->model.next_button.caption, "Pressed \"Play\" anyway: title 2 did not play");
    t.clock.advance(20);
    EXPECT_EQ(tmain->model.next_button.caption, "\"Ok / Enter\" in 1.0 sec");
    finishRun();
    EXPECT_EQ(presses.size(), 3u);
}

TEST_F(MacroSyncTest, StopAndAVanishedPlayerEndTheWait) {
    states.at(0, PlayerDomain::firstPlay);
    setClicks({{"1.0", "Play", kMenu}});
    ASSERT_TRUE(tmain->StartMacroStep());
    t.clock.advance(3000);
    tmain->stopbtnClick();
    EXPECT_FALSE(tmain->macroPlaying());
    EXPECT_EQ(tmain->model.next_button.caption, "Macro Interrupted");
    states.enter(PlayerDomain::menu);
    t.clock.advance(40000);
    EXPECT_TRUE(presses.empty());

    // A new run forgets the old wait; then the player goes away in the middle of this one.
    states.enter(PlayerDomain::firstPlay);
    ASSERT_TRUE(tmain->StartMacroStep());
    t.clock.advance(3000);
    plugin.playerWindow = 0;
    t.clock.advance(100);
    EXPECT_FALSE(tmain->macroPlaying());
    EXPECT_TRUE(presses.empty());
}

class MacroWithoutStateTest : public MacroFixture {};

TEST_F(MacroWithoutStateTest, APlayerThatReportsNothingPressesAtTheBlindTimes) {
    setClicks({{"1.0", "Play", kMenu}, {"0.3", "Stop", kTitle2}, {"1.5", "Ok / Enter", kMenu}});
    t.clock.advance(5000);
    ASSERT_TRUE(tmain->StartMacroStep());
    t.clock.advance(20);
    EXPECT_EQ(tmain->model.next_button.caption, "\"Play\" in 1.0 sec");
    finishRun();
    EXPECT_EQ(presses, (std::vector<Press>{{kPlay, 6010}, {kStop, 6309}, {kOk, 7809}}));
}

}  // namespace
}  // namespace spindrel
