#include <gtest/gtest.h>

#include "unit/app/macro_fixture.h"

namespace spindrel {
namespace {

using Press = std::pair<std::int32_t, double>;
using testing::MacroFixture;

class MacroPlayerTest : public MacroFixture {};

TEST_F(MacroPlayerTest, RunPressesEachClickItsOwnWaitAfterTheOneBefore) {
    setClicks({{"1.0", "Play"}, {"0.3", "stop"}, {"1.5", "Ok / Enter"}});
    t.clock.advance(5000);
    ASSERT_TRUE(tmain->StartMacroStep());
    EXPECT_EQ(tmain->model.applicationTitle, "Starting Macro");
    EXPECT_TRUE(tmain->macroPlaying());
    EXPECT_TRUE(tmain->model.stopbtn.visible);
    EXPECT_FALSE(tmain->model.RecBtn.visible);
    ASSERT_EQ(t.windows.shows.size(), 1u);
    EXPECT_EQ(t.windows.shows[0], std::make_pair(700u, ShowCommand::minimize));

    ASSERT_TRUE(t.clock.runNext());  // 10 ms: schedules the first click
    EXPECT_EQ(tmain->model.applicationTitle, "In 1.0s: Play");
    EXPECT_EQ(tmain->model.next_button.caption, "\"Play\" in 1.0 sec");
    EXPECT_EQ(tmain->model.clickSelected, 0);
    ASSERT_TRUE(t.clock.runNext());
    EXPECT_EQ(tmain->model.applicationTitle, "In 0.3s: stop");
    EXPECT_EQ(tmain->model.next_button.caption, "\"stop\" in 0.3 sec");
    EXPECT_EQ(t.clock.dueAt(tmain->ClickTimer) - t.clock.nowMs(), 299);

    finishRun();
    const std::vector<Press> expected{{5, 6010}, {6, 6309}, {13, 7809}};
    EXPECT_EQ(presses, expected);
    EXPECT_FALSE(tmain->macroPlaying());
    EXPECT_EQ(tmain->model.applicationTitle, "DVD Spindrel");
    EXPECT_EQ(tmain->model.next_button.caption, "Macro Complete");
    EXPECT_EQ(tmain->model.clickSelected, -1);
    EXPECT_EQ(tmain->controller_state, 3);
    EXPECT_EQ(t.windows.shows.back(), std::make_pair(700u, ShowCommand::restore));
    EXPECT_FALSE(tmain->model.closeRequested);

    tmain->selectClick(1);
    tmain->ClearRunMessage(false);
    EXPECT_EQ(tmain->model.next_button.caption, "");
    EXPECT_EQ(tmain->model.clickSelected, 1);
    tmain->ClearRunMessage(true);
    EXPECT_EQ(tmain->model.clickSelected, -1);
    EXPECT_EQ(tmain->model.buttonlabel.caption, "");
}

TEST_F(MacroPlayerTest, SlowPlayerStretchesTheRest) {
    setClicks({{"1.0", "Play"}, {"0.5", "Stop"}});
    plugin.onSend = [this](std::int32_t code) {
        presses.push_back({code, t.clock.nowMs()});
        if (code == 5)
            t.clock.advance(400);  // the player takes its time to answer
    };
    ASSERT_TRUE(tmain->StartMacroStep());
    finishRun();
    const std::vector<Press> expected{{5, 1010}, {6, 1910}};
    EXPECT_EQ(presses, expected);
}

TEST_F(MacroPlayerTest, StopWhileThePlayerIsBusyEndsTheRunForGood) {
    setClicks({{"1.0", "Play"}, {"1.0", "Stop"}, {"1.0", "Play"}});
    plugin.onSend = [this](std::int32_t code) {
        presses.push_back({code, t.clock.nowMs()});
        tmain->stopbtnClick();  // handled while Send_To_DVD blocks
    };
    ASSERT_TRUE(tmain->StartMacroStep());
    finishRun();
    EXPECT_EQ(presses.size(), 1u);
    EXPECT_FALSE(tmain->macroPlaying());
    EXPECT_EQ(tmain->model.next_button.caption, "Macro Interrupted");
    EXPECT_EQ(tmain->controller_state, 9);
}

TEST_F(MacroPlayerTest, InertClicksAreAnnouncedButNeverPressedNorHoldTheRunUp) {
    setClicks({{"0.0", "Play"}, {"2.0", ""}, {"-3.0", "Stop"}, {"0.4", "Root Menu"}});
    tmain->model.next_button.caption = "before";
    ASSERT_TRUE(tmain->StartMacroStep());
    t.clock.runNext();
    EXPECT_EQ(tmain->model.applicationTitle, "In 0.0s: Play");
    EXPECT_EQ(tmain->model.next_button.caption, "before");
    EXPECT_EQ(tmain->ClickTimer.interval(), 1);
    t.clock.runNext();
    EXPECT_EQ(tmain->model.applicationTitle, "In 2.0s: ");
    EXPECT_EQ(tmain->ClickTimer.interval(), 1);
    t.clock.runNext();
    EXPECT_EQ(tmain->model.applicationTitle, "In -3.0s: Stop");
    EXPECT_EQ(tmain->ClickTimer.interval(), 1);
    finishRun();
    const std::vector<Press> expected{{21, 413}};
    EXPECT_EQ(presses, expected);
    EXPECT_EQ(tmain->model.next_button.caption, "Macro Complete");
}

TEST_F(MacroPlayerTest, EmptyListCompletesAtTheFirstTick) {
    ASSERT_TRUE(tmain->StartMacroStep());
    t.clock.runNext();
    EXPECT_EQ(t.clock.nowMs(), 10);
    EXPECT_EQ(tmain->model.next_button.caption, "Macro Complete");
    EXPECT_EQ(t.windows.shows.back(), std::make_pair(700u, ShowCommand::restore));
    EXPECT_TRUE(presses.empty());
}

TEST_F(MacroPlayerTest, NoPlayerNoRun) {
    plugin.playerWindow = 0;
    setClicks({{"1.0", "Play"}});
    EXPECT_FALSE(tmain->StartMacroStep());
    EXPECT_FALSE(tmain->macroPlaying());
    EXPECT_EQ(tmain->model.applicationTitle, "DVD Spindrel");
    tmain->ClickMenuPopup();
    EXPECT_FALSE(tmain->model.clickMenuItem("continue_macro").enabled);
    EXPECT_FALSE(tmain->model.clickMenuItem("press_one").enabled);
    plugin.playerWindow = 700;
    tmain->ClickMenuPopup();
    EXPECT_TRUE(tmain->model.clickMenuItem("continue_macro").enabled);
    EXPECT_TRUE(tmain->model.clickMenuItem("press_one").enabled);
}

TEST_F(MacroPlayerTest, PlayerClosingMidRunEndsItWithoutCompletion) {
    setClicks({{"1.0", "Play"}, {"1.0", "Stop"}, {"1.0", "Play"}});
    ASSERT_TRUE(tmain->StartMacroStep());
    t.clock.advance(1010);  // Play pressed, Stop scheduled
    ASSERT_EQ(presses.size(), 1u);
    plugin.playerWindow = 0;
    finishRun();
    EXPECT_EQ(presses.size(), 1u);
    EXPECT_FALSE(tmain->macroPlaying());
    EXPECT_EQ(tmain->model.clickSelected, -1);
    EXPECT_NE(tmain->model.next_button.caption, "Macro Complete");
    EXPECT_EQ(tmain->model.applicationTitle, "DVD Spindrel");
}

TEST_F(MacroPlayerTest, StopLeavesTheDueClickSelectedAndContinuePressesTheOneBeforeAtOnce) {
    setClicks({{"1.0", "Play"}, {"2.0", "Stop"}, {"0.5", "Root Menu"}});
    ASSERT_TRUE(tmain->StartMacroStep());
    t.clock.advance(1500);  // Play pressed; waiting for Stop
    tmain->stopbtnClick();
    EXPECT_FALSE(tmain->macroPlaying());
    EXPECT_EQ(tmain->model.clickSelected, 1);
    EXPECT_EQ(tmain->model.next_button.caption, "Macro Interrupted");
    EXPECT_EQ(tmain->controller_state, 9);
    EXPECT_TRUE(tmain->Timer1.enabled());
    EXPECT_EQ(tmain->Timer1.interval(), 3000);
    EXPECT_EQ(tmain->model.applicationTitle, "DVD Spindrel");
    tmain->Timer1.setEnabled(false);
    finishRun();
    ASSERT_EQ(presses.size(), 1u);

    presses.clear();
    const double continued = t.clock.nowMs();
    t.windows.shows.clear();
    tmain->continue_macroClick();
    EXPECT_EQ(t.windows.shows.at(0), std::make_pair(700u, ShowCommand::minimize));
    EXPECT_EQ(tmain->model.applicationTitle, "DVD Spindrel");  // not changed by continuing
    finishRun();
    const std::vector<Press> expected{
        {5, continued + 10}, {6, continued + 2010}, {21, continued + 2510}};
    EXPECT_EQ(presses, expected);
}

TEST_F(MacroPlayerTest, ContinueFromTheFirstClickPressesNothingAtOnce) {
    setClicks({{"1.0", "Play"}});
    tmain->continue_macroClick();  // nothing selected: nothing happens
    EXPECT_FALSE(tmain->macroPlaying());
    tmain->selectClick(0);
    tmain->continue_macroClick();
    finishRun();
    const std::vector<Press> expected{{5, 1010}};
    EXPECT_EQ(presses, expected);
}

TEST_F(MacroPlayerTest, WaitThatIsNotANumberStopsTheRunWithTheRunTimeMessage) {
    setClicks({{"1.0", "Play"}, {"abc", "Stop"}, {"1.0", "Play"}});
    ASSERT_TRUE(tmain->StartMacroStep());
    finishRun();
    EXPECT_EQ(presses.size(), 1u);
    EXPECT_FALSE(tmain->macroPlaying());
    ASSERT_EQ(t.messages.shown.size(), 1u);
    EXPECT_EQ(t.messages.shown[0].text, "'abc' is not a valid floating point value");
    EXPECT_NE(tmain->model.next_button.caption, "Macro Complete");

    // An empty wait (a click made by hand and not yet filled in) stops a run the same way.
    setClicks({{"", ""}});
    ASSERT_TRUE(tmain->StartMacroStep());
    finishRun();
    ASSERT_EQ(t.messages.shown.size(), 2u);
    EXPECT_EQ(t.messages.shown[1].text, "'' is not a valid floating point value");
}

TEST_F(MacroPlayerTest, NamesMatchWithoutLetterCaseTheRunTakesTheLastOnePressOneTakesAll) {
    plugin.abilities = "Play(1,1,5,0)Menu(1,1,7,0)MENU(1,1,8,0)Bad(1,1,x,0)";
    ASSERT_TRUE(tmain->BuildRemotePanel());
    setClicks({{"0.1", "menu"}, {"0.1", "Unknown"}, {"0.1", "bad"}, {"0.1", "PLAY"}});
    ASSERT_TRUE(tmain->StartMacroStep());
    finishRun();
    const std::vector<Press> expected{{8, 110}, {5, 410}};
    EXPECT_EQ(presses, expected);

    presses.clear();
    tmain->selectClick(0);
    tmain->press_oneClick();
    ASSERT_EQ(presses.size(), 2u);
    EXPECT_EQ(presses[0].first, 7);
    EXPECT_EQ(presses[1].first, 8);
    EXPECT_FALSE(tmain->macroPlaying());
    EXPECT_EQ(tmain->model.clickSelected, 0);
}

TEST_F(MacroPlayerTest, RunScrollsTheDueClickIntoTheSixRowsWhenTheListIsInView) {
    std::vector<Click> many(10, Click{"0.1", "Play"});
    setClicks(many);
    tmain->model.button_panel.left = 2;
    tmain->model.button_panel.enabled = true;
    ASSERT_TRUE(tmain->StartMacroStep());
    for (int tick = 0; tick < 8; ++tick)
        t.clock.runNext();  // click 7 scheduled
    EXPECT_EQ(tmain->model.clickSelected, 7);
    EXPECT_EQ(tmain->model.clickTopRow, 2);
    EXPECT_EQ(tmain->model.focus, "ClickList");
    tmain->stopbtnClick();

    tmain->model.clickTopRow = 5;
    tmain->selectClick(1);
    tmain->continue_macroClick();
    t.clock.runNext();
    EXPECT_EQ(tmain->model.clickTopRow, 1);
}

TEST_F(MacroPlayerTest, CompletedMinimisedAutomaticRunWakesThePlayerAndCloses) {
    tmain->model.windowState = WindowState::minimized;
    for (const auto& [mode, closes] : {std::pair{0x48, true}, std::pair{0x41, true},
                                       std::pair{0x46, true}, std::pair{0x42, false}}) {
        tmain->run_mode = mode;
        tmain->model.closeRequested = false;
        t.windows.messages.clear();
        setClicks({{"0.5", "Play"}});
        ASSERT_TRUE(tmain->StartMacroStep());
        t.clock.advance(600);
        EXPECT_EQ(tmain->model.closeRequested, closes) << mode;
        ASSERT_EQ(t.windows.messages.size(), 1u);
        EXPECT_EQ(t.windows.messages[0].window, 701u);
        EXPECT_EQ(t.windows.messages[0].message, 0x0400u);
        EXPECT_EQ(t.windows.foregrounds.back(), 701u);
        tmain->Timer1.setEnabled(false);
    }
}

TEST_F(MacroPlayerTest, TestButtonStartsTheRunAccordingToPanelAndRestartOption) {
    tmain->model.button_panel.left = 2;
    tmain->testbtnClick();
    EXPECT_EQ(tmain->controller_state, 10);
    EXPECT_EQ(tmain->Timer1.interval(), 10);
    EXPECT_TRUE(tmain->Timer1.enabled());
    tmain->Timer1.setEnabled(false);

    tmain->model.button_panel.left = -318;
    tmain->model.file_panel.left = 2;
    tmain->controller_state = 0;
    tmain->testbtnClick();
    EXPECT_TRUE(tmain->moveState & move_state::kDeferredTest);
    EXPECT_EQ(tmain->model.panelselect_menuTag, 2);
    EXPECT_EQ(tmain->controller_state, 0);
    quiet();
    tmain->moveState = 0;

    tmain->model.cbox_1.caption = "x";
    tmain->model.RecBtn.visible = true;
    tmain->PCDVD_Timer.setEnabled(true);
    tmain->testbtnClick();
    EXPECT_EQ(plugin.kills, 1);
    EXPECT_FALSE(tmain->PCDVD_Timer.enabled());
    EXPECT_FALSE(tmain->model.RecBtn.visible);
    EXPECT_EQ(tmain->model.next_button.caption, "Waiting for restart");
    EXPECT_EQ(tmain->controller_state, 4);
    EXPECT_EQ(tmain->Timer1.interval(), 2000);
    EXPECT_TRUE(tmain->Timer1.enabled());
}

TEST_F(MacroPlayerTest, ResetKillsThePlayerAndHandsOverToTheController) {
    tmain->PCDVD_Timer.setEnabled(true);
    tmain->resetbtnClick();
    EXPECT_EQ(plugin.kills, 1);
    EXPECT_FALSE(tmain->PCDVD_Timer.enabled());
    EXPECT_EQ(tmain->controller_state, 2);
    EXPECT_EQ(tmain->Timer1.interval(), 2000);
    EXPECT_TRUE(tmain->Timer1.enabled());
    for (const Control* button : {&tmain->model.RecBtn, &tmain->model.stopbtn,
                                  &tmain->model.testbtn, &tmain->model.resetbtn}) {
        EXPECT_FALSE(button->visible);
    }
}

TEST_F(MacroPlayerTest, StopDuringAnAutomaticSequenceInterruptsIt) {
    tmain->controller_state = 61;
    tmain->Timer1.setEnabled(true);
    tmain->stopbtnClick();
    EXPECT_EQ(tmain->controller_state, 9);
    EXPECT_EQ(tmain->model.next_button.caption, "Macro Interrupted");

    tmain->Timer1.setEnabled(false);
    tmain->controller_state = 0;
    tmain->model.next_button.caption.clear();
    tmain->stopbtnClick();  // nothing running: only the panel and the player's window
    EXPECT_EQ(tmain->controller_state, 0);
    EXPECT_EQ(tmain->model.next_button.caption, "");
    EXPECT_EQ(t.windows.shows.back(), std::make_pair(700u, ShowCommand::restore));
}

}  // namespace
}  // namespace spindrel
