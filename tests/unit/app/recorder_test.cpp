#include <gtest/gtest.h>

#include <cmath>

#include "macro/wait_text.h"
#include "unit/app/macro_fixture.h"

namespace spindrel {
namespace {

using testing::MacroFixture;

// Menu indexes of the fixture's ability list.
constexpr int kPlay = 0;
constexpr int kStop = 1;
constexpr int kRootMenu = 3;

class RecorderTest : public MacroFixture {
  protected:
    void press(int menuIndex) { tmain->dvdbuttonclick(remoteIndexOf(menuIndex)); }
};

TEST_F(RecorderTest, RecordingIntoAnEmptyListMeasuresEachPressFromTheOneBefore) {
    t.clock.advance(12345);
    tmain->onRemoteArrived();
    EXPECT_TRUE(tmain->RecordTimer.enabled());
    EXPECT_FALSE(tmain->model.minimizebtn.enabled);
    EXPECT_FALSE(tmain->model.closebtn.enabled);
    EXPECT_TRUE(tmain->model.remote_panel.enabled);
    EXPECT_EQ(t.windows.shows.back(), std::make_pair(700u, ShowCommand::minimize));

    t.clock.advance(2340);
    press(kPlay);
    t.clock.advance(1000);
    press(kRootMenu);
    const std::vector<Click> expected{{"2.3", "Play"}, {"1.0", "Root Menu"}};
    EXPECT_EQ(clicks(), expected);
    EXPECT_EQ(tmain->model.clickSelected, 1);
    EXPECT_TRUE(tmain->document.modified());
    const std::vector<std::int32_t> sent{5, 21};
    EXPECT_EQ(plugin.sent, sent);
}

TEST_F(RecorderTest, RoundingDoesNotAccumulateOverManyPresses) {
    tmain->onRemoteArrived();
    double truth = 0;
    for (int i = 0; i < 40; ++i) {
        t.clock.advance(260);  // each press 0.26 s after the one before
        truth += 0.26;
        press(i % 2 == 0 ? kPlay : kStop);
        double recorded = 0;
        for (const Click& click : clicks())
            recorded += waitOrZero(click.wait);
        ASSERT_LE(std::abs(recorded - truth), 0.05 + 1e-9) << "after press " << i;
    }
    EXPECT_EQ(clicks().size(), 40u);
}

TEST_F(RecorderTest, RecordingIntoTheMiddleInsertsAfterTheSelectedClick) {
    setClicks({{"1.0", "Play"}, {"2.0", "Stop"}});
    tmain->selectClick(0);
    tmain->onRemoteArrived();
    t.clock.advance(100);
    EXPECT_EQ(tmain->model.timeindex.caption, "1.1s");
    EXPECT_TRUE(tmain->model.stopbtn.visible);
    EXPECT_FALSE(tmain->model.RecBtn.visible);
    t.clock.advance(2900);
    press(kRootMenu);
    const std::vector<Click> expected{{"1.0", "Play"}, {"3.0", "Root Menu"}, {"2.0", "Stop"}};
    EXPECT_EQ(clicks(), expected);
    EXPECT_EQ(tmain->model.clickSelected, 1);
    t.clock.advance(1540);
    press(kPlay);
    EXPECT_EQ(clicks().at(2), (Click{"1.5", "Play"}));
    EXPECT_EQ(clicks().at(3), (Click{"2.0", "Stop"}));
}

TEST_F(RecorderTest, PressesWithoutRecordingOnlyReachThePlayer) {
    press(kStop);
    EXPECT_EQ(plugin.sent, std::vector<std::int32_t>{6});
    EXPECT_TRUE(clicks().empty());
    EXPECT_FALSE(tmain->document.modified());

    tmain->run_mode = 10;  // test mode: the panel presses but records nothing
    tmain->model.timeindex.caption = "/test";
    tmain->onRemoteArrived();
    EXPECT_FALSE(tmain->RecordTimer.enabled());
    EXPECT_TRUE(tmain->model.minimizebtn.enabled);
    EXPECT_TRUE(tmain->model.closebtn.enabled);
    t.clock.advance(1000);
    press(kPlay);
    EXPECT_TRUE(clicks().empty());
    EXPECT_EQ(tmain->model.timeindex.caption, "/test");
}

TEST_F(RecorderTest, PlayerVanishingStopsTheRecordingAndKeepsTheClicks) {
    tmain->model.remote_panel.left = 2;
    tmain->model.button_panel.left = -318;
    tmain->onRemoteArrived();
    t.clock.advance(500);
    press(kPlay);
    plugin.playerWindow = 0;
    t.clock.advance(100);
    EXPECT_FALSE(tmain->RecordTimer.enabled());
    EXPECT_TRUE(tmain->model.minimizebtn.enabled);
    EXPECT_TRUE(tmain->model.closebtn.enabled);
    EXPECT_EQ(tmain->model.panelselect_menuTag, 2);  // the Button List panel comes back
    EXPECT_EQ(clicks(), std::vector<Click>({{"0.5", "Play"}}));
}

TEST_F(RecorderTest, StopPressedWhileTheButtonsAppearPreventsTheRecording) {
    tmain->model.remote_panel.left = 2;
    tmain->model.closebtn.enabled = true;
    t.pump.duringPump = [this] {
        t.pump.duringPump = nullptr;
        tmain->stopbtnClick();
    };
    tmain->onRemoteArrived();
    EXPECT_FALSE(tmain->RecordTimer.enabled());
    EXPECT_TRUE(tmain->model.closebtn.enabled);
    EXPECT_EQ(tmain->model.panelselect_menuTag, 2);
}

TEST_F(RecorderTest, WaitThatIsNotANumberAbandonsTheStartWithTheWindowStillClosable) {
    setClicks({{"x1", "Play"}});
    tmain->model.minimizebtn.enabled = true;
    tmain->model.closebtn.enabled = true;
    tmain->guarded([this] { tmain->onRemoteArrived(); });
    ASSERT_EQ(t.messages.shown.size(), 1u);
    EXPECT_EQ(t.messages.shown[0].text, "'x1' is not a valid floating point value");
    EXPECT_FALSE(tmain->RecordTimer.enabled());
    EXPECT_TRUE(tmain->model.closebtn.enabled);
}

class RecorderWithStateTest : public MacroFixture {
  protected:
    RecorderWithStateTest() : MacroFixture(true) {}
    void press(int menuIndex) { tmain->dvdbuttonclick(remoteIndexOf(menuIndex)); }
};

TEST_F(RecorderWithStateTest, APressCarriesTheStateOnlyWhenThePlayerHasMovedSinceThePressBefore) {
    constexpr int kOk = 4;
    const ClickCondition menu{ConditionKind::menu, 0, 0};
    states.at(0, PlayerDomain::firstPlay);
    states.at(500, PlayerDomain::menu);
    t.clock.advance(1000);
    tmain->onRemoteArrived();
    t.clock.advance(1000);
    press(kStop);  // the first press, in the menu
    t.clock.advance(500);
    press(kStop);  // the same menu
    // Ok begins title 2, where the player then moves on to chapter 2.
    plugin.onSend = [this](std::int32_t code) {
        if (code == 13)
            states.enter(PlayerDomain::title, 2, 1);
    };
    t.clock.advance(500);
    press(kOk);
    t.clock.advance(3000);
    press(kPlay);
    states.enter(PlayerDomain::title, 2, 2);
    t.clock.advance(1000);
    press(kStop);
    t.clock.advance(500);
    press(kStop);
    // Back in a menu of the same kind as before.
    plugin.onSend = {};
    states.enter(PlayerDomain::menu);
    t.clock.advance(1000);
    press(kRootMenu);
    const std::vector<Click> expected{
        {"1.0", "Stop", menu},
        {"0.5", "Stop"},
        {"0.5", "Ok / Enter"},
        {"3.0", "Play", {ConditionKind::title, 2, 1}},
        {"1.0", "Stop", {ConditionKind::title, 2, 2}},
        {"0.5", "Stop"},
        {"1.0", "Root Menu", menu},
    };
    EXPECT_EQ(clicks(), expected);
}

// A plug-in that reads the player only once asked (as Vlc.dll does) knows nothing at the first
// press of a recording unless the recording has asked before: the press in the menu must still
// get its menu.
TEST_F(RecorderWithStateTest, TheFirstPressGetsItsStateFromAPlugInThatReadsOnlyOnceAsked) {
    states.wakesOnFirstRead(30);
    states.at(0, PlayerDomain::menu);
    t.clock.advance(1000);
    tmain->onRemoteArrived();
    t.clock.advance(1000);
    press(kStop);
    EXPECT_EQ(clicks(), (std::vector<Click>{{"1.0", "Stop", {ConditionKind::menu, 0, 0}}}));
}

}  // namespace
}  // namespace spindrel
