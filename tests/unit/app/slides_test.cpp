#include <gtest/gtest.h>

#include "app/tmain.h"
#include "support/test_ports.h"

namespace spindrel {
namespace {

using testing::TestPorts;

class SlidesTest : public ::testing::Test {
protected:
    SlidesTest() {
        t.files.directories.insert(TestPorts::kProgramFolder);
        plugin.install(t.libraries, "Wyvernel.dll");
        tmain = std::make_unique<Tmain>(t.ports());
        tmain->create(1, 2);
        // Only the slides run in these tests.
        tmain->Timer1.setEnabled(false);
        tmain->PCDVD_Timer.setEnabled(false);
        tmain->moveState = 0;
    }

    void animate(bool on) { tmain->model.slideStepDivisor = on ? 20 : 2; }

    // Runs slide ticks until the slide timer stops, recording a panel's left edge after each.
    std::vector<int> run(const Control& panel) {
        std::vector<int> lefts;
        for (int i = 0; i < 200 && t.clock.isArmed(tmain->Slider); ++i) {
            t.clock.runNext();
            lefts.push_back(panel.left);
        }
        return lefts;
    }

    TestPorts t;
    testing::FakePlugin plugin;
    std::unique_ptr<Tmain> tmain;
};

TEST_F(SlidesTest, AnimatedSwitchSlidesOutThenInInTwentySixteenPixelSteps) {
    animate(true);
    MainModel& m = tmain->model;
    m.dsm_panel.left = 2;
    const double start = t.clock.nowMs();
    tmain->HideSlide(4);

    std::vector<int> out;
    std::vector<int> in;
    while (t.clock.isArmed(tmain->Slider)) {
        t.clock.runNext();
        if (m.config_panel.left == -318) {
            out.push_back(m.dsm_panel.left);
        } else {
            in.push_back(m.config_panel.left);
        }
    }
    ASSERT_EQ(out.size(), 20u);
    EXPECT_EQ(out.front(), -14);
    EXPECT_EQ(out[1], -30);
    EXPECT_EQ(out.back(), -318);
    ASSERT_EQ(in.size(), 20u);
    EXPECT_EQ(in.front(), -302);
    EXPECT_EQ(in.back(), 2);
    EXPECT_DOUBLE_EQ(t.clock.nowMs() - start, 40 * 30.0);
    EXPECT_FALSE(m.bigPanelAreaFrozen);  // painting is only held in instant mode
}

TEST_F(SlidesTest, InstantSwitchTakesTwoJumpsEachWayWithPaintingHeld) {
    animate(false);
    MainModel& m = tmain->model;
    m.dsm_panel.left = 2;
    m.dsm.dsm_name.visible = false;
    tmain->HideSlide(4);
    EXPECT_TRUE(m.bigPanelAreaFrozen);

    t.clock.runNext();
    EXPECT_EQ(m.dsm_panel.left, -158);
    t.clock.runNext();
    EXPECT_EQ(m.dsm_panel.left, -318);
    EXPECT_EQ(m.config_panel.left, -158);  // the first step in is taken at once
    EXPECT_TRUE(m.bigPanelAreaFrozen);
    t.clock.runNext();
    EXPECT_EQ(m.config_panel.left, 2);
    EXPECT_FALSE(t.clock.isArmed(tmain->Slider));
    EXPECT_FALSE(m.bigPanelAreaFrozen);
    EXPECT_TRUE(m.dsm.dsm_name.visible);
}

TEST_F(SlidesTest, ChoosingThePanelInViewDoesNothing) {
    tmain->model.file_panel.left = 2;
    tmain->HideSlide(3);
    EXPECT_FALSE(t.clock.isArmed(tmain->Slider));
    EXPECT_EQ(tmain->model.file_panel.left, 2);
}

TEST_F(SlidesTest, SwitchDuringSlideOutChangesTheFollowerAndDuringSlideInIsDropped) {
    animate(true);
    MainModel& m = tmain->model;
    m.dsm_panel.left = 2;
    tmain->HideSlide(4);
    t.clock.runNext();
    t.clock.runNext();  // the DSM info panel is on its way out
    tmain->HideSlide(2);
    run(m.button_panel);
    EXPECT_EQ(m.button_panel.left, 2);
    EXPECT_EQ(m.config_panel.left, -318);

    tmain->HideSlide(3);
    for (int i = 0; i < 25; ++i) t.clock.runNext();  // out done, file panel sliding in
    ASSERT_LT(m.file_panel.left, 2);
    ASSERT_GT(m.file_panel.left, -318);
    tmain->HideSlide(7);  // nothing is in view: dropped
    run(m.file_panel);
    EXPECT_EQ(m.file_panel.left, 2);
    EXPECT_EQ(m.about_panel.left, -318);
}

TEST_F(SlidesTest, DeferredTestStartsOnceWhenTheButtonListArrives) {
    animate(false);
    MainModel& m = tmain->model;
    m.dsm_panel.left = 2;
    tmain->moveState |= move_state::kDeferredTest;
    tmain->HideSlide(2);
    run(m.button_panel);
    EXPECT_EQ(tmain->controller_state, 10);
    EXPECT_TRUE(tmain->Timer1.enabled());
    EXPECT_EQ(tmain->Timer1.interval(), 10);

    tmain->Timer1.setEnabled(false);
    tmain->controller_state = 0;
    tmain->HideSlide(1);
    run(m.dsm_panel);
    tmain->HideSlide(2);
    run(m.button_panel);
    EXPECT_EQ(tmain->controller_state, 0);
    EXPECT_FALSE(tmain->Timer1.enabled());
}

TEST_F(SlidesTest, DsmInfoArrivalFocusesTheNotesAndEndsTheMinimisedRemainRun) {
    animate(false);
    tmain->run_mode = 0x08;
    tmain->model.file_panel.left = 2;
    tmain->HideSlide(1);
    run(tmain->model.dsm_panel);
    EXPECT_EQ(tmain->model.focus, "Notes");
    EXPECT_EQ(tmain->run_mode, 0);
    EXPECT_TRUE(tmain->model.dsm_panel.enabled);
}

TEST_F(SlidesTest, AllBigPanelsAreDisabledWhileASlideRuns) {
    animate(true);
    MainModel& m = tmain->model;
    m.about_panel.left = 2;
    m.about_panel.enabled = true;
    tmain->HideSlide(3);
    EXPECT_FALSE(m.about_panel.enabled);
    t.clock.runNext();
    tmain->PanelEnabling();
    EXPECT_FALSE(m.about_panel.enabled);
    run(m.file_panel);
    tmain->PanelEnabling();
    EXPECT_TRUE(m.file_panel.enabled);
    EXPECT_FALSE(m.about_panel.enabled);
}

TEST_F(SlidesTest, PlayerGoneSwapsInTheInactivePanelWithTheStartButton) {
    animate(true);
    MainModel& m = tmain->model;
    m.active_panel.left = 1;
    plugin.playerWindow = 0;
    tmain->PlayerWatchUpdate();
    EXPECT_FALSE(m.RecBtn.visible);
    const std::vector<int> lefts = run(m.inactive_panel);
    EXPECT_EQ(m.active_panel.left, -199);
    EXPECT_EQ(m.inactive_panel.left, 1);
    EXPECT_EQ(lefts.size(), 40u);  // 20 ticks out, 20 in: 1.2 s
    EXPECT_TRUE(m.dvdbtn.visible);
}

TEST_F(SlidesTest, PlayerAppearingIsWaitedForThenTheActivePanelComesIn) {
    animate(false);
    MainModel& m = tmain->model;
    m.inactive_panel.left = 1;
    plugin.playerWindow = 0x99;
    std::string titleDuringWait;
    plugin.onWait = [&] { titleDuringWait = m.applicationTitle; };
    tmain->PlayerWatchUpdate();
    EXPECT_EQ(titleDuringWait, "Waiting for PC-DVD");
    EXPECT_EQ(m.applicationTitle, "DVD Spindrel");
    EXPECT_FALSE(m.dvdbtn.visible);
    run(m.active_panel);
    EXPECT_EQ(m.inactive_panel.left, -199);
    EXPECT_EQ(m.active_panel.left, 1);
    // On arrival the buttons are chosen: an idle window with no clicks offers record and reset.
    EXPECT_TRUE(m.RecBtn.visible);
    EXPECT_TRUE(m.resetbtn.visible);
    EXPECT_FALSE(m.testbtn.visible);
    EXPECT_FALSE(m.stopbtn.visible);
}

TEST_F(SlidesTest, ControllerButtonsFollowTestModeAndTheController) {
    MainModel& m = tmain->model;
    m.active_panel.left = 1;
    plugin.playerWindow = 0x99;

    tmain->run_mode = 0x8A;
    tmain->PlayerWatchUpdate();
    EXPECT_FALSE(m.RecBtn.visible || m.stopbtn.visible || m.testbtn.visible || m.resetbtn.visible);

    tmain->run_mode = 0;
    tmain->controller_state = 62;  // counting down to a macro
    tmain->Timer1.setEnabled(true);
    tmain->PlayerWatchUpdate();
    EXPECT_TRUE(m.stopbtn.visible);
    EXPECT_FALSE(m.RecBtn.visible || m.testbtn.visible || m.resetbtn.visible);

    tmain->controller_state = 109;  // above 50 but not a wait: no stop button
    tmain->PlayerWatchUpdate();
    EXPECT_FALSE(m.stopbtn.visible);

    tmain->Timer1.setEnabled(false);
    m.remote_panel.left = 2;  // recording
    tmain->PlayerWatchUpdate();
    EXPECT_TRUE(m.stopbtn.visible);
    EXPECT_FALSE(m.RecBtn.visible);
}

TEST_F(SlidesTest, PanelMenuMarksThePanelInViewAndAnEmptyDsm) {
    MainModel& m = tmain->model;
    m.config_panel.left = 2;
    m.panelMenuItem("newpanel5").checked = true;
    tmain->panelselect_menuPopup();
    EXPECT_EQ(m.panelMenuItem("newpanel1").caption, "&D.S.M. Info [empty]");
    EXPECT_TRUE(m.panelMenuItem("newpanel4").checked);
    EXPECT_TRUE(m.panelMenuItem("newpanel4").isDefault);
    EXPECT_FALSE(m.panelMenuItem("newpanel1").checked);
    EXPECT_TRUE(m.panelMenuItem("newpanel5").checked);  // left as it was
}

}  // namespace
}  // namespace spindrel
