#include <gtest/gtest.h>

#include "app/tmain.h"
#include "support/test_ports.h"

namespace spindrel {
namespace {

using testing::TestPorts;

class ControllerTest : public ::testing::Test {
protected:
    void start(std::vector<std::string> args) {
        t.files.directories.insert(TestPorts::kProgramFolder);
        plugin.abilities = "Play(7,9,0,0)Stop(39,9,1,0)Ok / Enter(231,31,13,0)";
        plugin.install(t.libraries, "Wyvernel.dll");
        t.system.args = std::move(args);
        tmain = std::make_unique<Tmain>(t.ports());
        tmain->create(1, 2);
        tmain->PCDVD_Timer.setEnabled(false);
    }
    void disc() { t.drives.addDvd('D', "MOVIE", 0x1A2B3C4D, 0xF5); }
    void dsm(const std::string& text) {
        t.fileIo.put(std::string(TestPorts::kDsmFolder) + "\\1a2b3c4d.dsm", text);
    }
    // Runs Timer1's ticks until it rests, or the time limit passes; the states it went through.
    std::vector<int> run(double limitMs = 60000) {
        std::vector<int> states;
        const double end = t.clock.nowMs() + limitMs;
        while (t.clock.isArmed(tmain->Timer1) && t.clock.dueAt(tmain->Timer1) <= end) {
            states.push_back(tmain->controller_state);
            t.clock.advance(t.clock.dueAt(tmain->Timer1) - t.clock.nowMs());
        }
        return states;
    }

    TestPorts t;
    testing::FakePlugin plugin;
    std::unique_ptr<Tmain> tmain;
};

TEST_F(ControllerTest, AutoQuitWithoutDiscCountsDownFiveSecondsInTheTitleAndCloses) {
    plugin.playerWindow = 0x99;
    start({"/a"});
    const std::vector<int> states = run();
    EXPECT_EQ(states, (std::vector<int>{100, 101, 102, 103, 104, 105, 106}));
    EXPECT_TRUE(tmain->model.closeRequested);
    EXPECT_DOUBLE_EQ(t.clock.nowMs(), 10 + 6 * 1000.0);
    EXPECT_TRUE(plugin.starts.empty());  // the player was running already
}

TEST_F(ControllerTest, ProgressBarShrinksByOneDashASecond) {
    EXPECT_EQ(progressTitle(1), "DVD Spindrel  |-----|");
    EXPECT_EQ(progressTitle(2), "DVD Spindrel  |---- |");
    EXPECT_EQ(progressTitle(5), "DVD Spindrel  |-    |");
}

TEST_F(ControllerTest, AutoQuitWithDiscButNoDsmStartsThePlayerAndCloses) {
    disc();
    start({"/a"});
    run();
    // The player starts before the first scan, so it is given no drive.
    EXPECT_EQ(plugin.starts, std::vector<char>{0});
    EXPECT_TRUE(tmain->model.closeRequested);
    EXPECT_TRUE(t.shell.launches.empty());
}

TEST_F(ControllerTest, OtherProgramStartsWithThePlayerOnlyWhenItsOptionIsSet) {
    disc();
    t.registry.setString(RegRoot::localMachine, "Software\\Tolvrey\\DVD-Spindrel", "Other_Program",
                         "C:\\lights.exe");
    start({"/a"});
    run();
    EXPECT_TRUE(t.shell.launches.empty());

    t.registry.setDword(RegRoot::localMachine, "Software\\Tolvrey\\DVD-Spindrel",
                        "Launch_Other_Program", 1);
    tmain.reset();
    start({"/a"});
    run();
    ASSERT_EQ(t.shell.launches.size(), 1u);
    EXPECT_EQ(t.shell.launches[0].file, "C:\\lights.exe");
    EXPECT_EQ(t.shell.launches[0].verb, "open");
}

TEST_F(ControllerTest, AutoRemainWithoutDsmWaitsTenMinutesThenCloses) {
    disc();
    start({"/b"});
    run(1000);
    EXPECT_EQ(tmain->controller_state, 900);
    EXPECT_EQ(tmain->Timer1.interval(), 600000);
    EXPECT_FALSE(tmain->model.closeRequested);
    run(600000);
    EXPECT_TRUE(tmain->model.closeRequested);
}

TEST_F(ControllerTest, RestoringTheWaitingRemainRunCancelsTheCloseAndStartsANewDsm) {
    disc();
    start({"/b"});
    run(1000);
    ASSERT_EQ(tmain->controller_state, 900);
    tmain->ApplicationRestore();
    EXPECT_FALSE(tmain->Timer1.enabled());
    EXPECT_EQ(tmain->controller_state, 0);
    EXPECT_EQ(tmain->model.dsm.dsm_name.caption, "1a2b3c4d.dsm");
    EXPECT_EQ(tmain->model.dsm.Notes,
              (std::vector<std::string>{"<dvd title>", "<region>", "<what this macro will do>"}));
    EXPECT_EQ(tmain->run_mode & 0x40, 0);
}

TEST_F(ControllerTest, DiscWithDsmCountsDownAndStartsTheMacro) {
    disc();
    plugin.playerWindow = 0x99;
    dsm("#Skips the warnings\r\n2.5,Ok / Enter\r\n");
    start({"/b"});
    const std::vector<int> states = run(5000);
    EXPECT_EQ(states, (std::vector<int>{800, 70, 62, 61, 60}));
    EXPECT_EQ(tmain->model.dsm.dsm_name.caption, "1a2b3c4d.dsm");
    EXPECT_EQ(tmain->model.dsm.ClickList.size(), 1u);
    EXPECT_EQ(plugin.waits, 1);
}

TEST_F(ControllerTest, CountdownTextsStayPluralForOne) {
    disc();
    plugin.playerWindow = 0x99;
    dsm("2.5,Ok / Enter\r\n");
    start({"/b"});
    run(10 + 1000 + 800);  // through 62
    EXPECT_EQ(tmain->model.next_button.caption, "Starting Macro in 2 seconds.");
    EXPECT_TRUE(tmain->model.stopbtn.visible);
    t.clock.advance(800);
    EXPECT_EQ(tmain->model.next_button.caption, "Starting Macro in 1 seconds.");
}

TEST_F(ControllerTest, PlayerThatCannotStartEndsTheRunSilentlyAndCloses) {
    disc();
    plugin.startResult = false;
    start({"/a"});
    run();
    EXPECT_TRUE(tmain->model.closeRequested);
    EXPECT_EQ(tmain->model.applicationTitle, "DVD-Player did not start");
    EXPECT_TRUE(t.messages.shown.empty());
}

TEST_F(ControllerTest, LatePlayerIsWaitedForThenCountedDownAsEver) {
    disc();
    dsm("2.5,Ok / Enter\r\n");
    double pressedAt = -1;
    plugin.onSend = [&](std::int32_t) { pressedAt = t.clock.nowMs(); };
    start({"/a"});
    run(6000);  // the player was started at 10 ms and shows no window yet
    EXPECT_EQ(tmain->controller_state, 70);
    EXPECT_EQ(tmain->model.applicationTitle, "Waiting for DVD-Player");
    EXPECT_EQ(plugin.waits, 0);
    EXPECT_EQ(plugin.starts.size(), 1u);
    plugin.playerWindow = 0x99;
    t.clock.runUntilIdle();
    // Found at the next poll (6010 ms), answered at once: 62, 61, 60 and the click as ever.
    EXPECT_DOUBLE_EQ(pressedAt, 6010 + 800 + 800 + 800 + 10 + 2500);
    EXPECT_EQ(plugin.waits, 1);
    EXPECT_EQ(plugin.starts.size(), 1u);
    EXPECT_TRUE(tmain->model.closeRequested);
}

// "/a" and a DSM named on the command line close; "/b" stays for the user as without a DSM.
TEST_F(ControllerTest, PlayerThatNeverShowsEndsTheRunAfterAMinute) {
    t.fileIo.put(std::string(TestPorts::kDsmFolder) + "\\movie.dsm", "1.0,Play\r\n");
    disc();
    dsm("1.0,Play\r\n");
    for (const char* arg : {"/a", "movie", "/b"}) {
        SCOPED_TRACE(arg);
        tmain.reset();
        const double begun = t.clock.nowMs();
        start({arg});
        run(59000);
        EXPECT_FALSE(tmain->model.closeRequested);
        EXPECT_EQ(tmain->controller_state, 70);
        run(2000);
        EXPECT_EQ(tmain->model.applicationTitle, "DVD-Player did not start");
        EXPECT_EQ(tmain->model.next_button.caption, "DVD-Player did not start");
        EXPECT_LE(t.clock.nowMs() - begun, 10 + 60000 + 500);
        if (std::string(arg) == "/b") {
            EXPECT_EQ(tmain->controller_state, 900);
            EXPECT_EQ(tmain->Timer1.interval(), 600000);
            EXPECT_FALSE(tmain->model.closeRequested);
        } else {
            EXPECT_TRUE(tmain->model.closeRequested);
        }
        EXPECT_EQ(plugin.waits, 0);
        EXPECT_TRUE(plugin.sent.empty());
    }
}

TEST_F(ControllerTest, PlayerClosedDuringTheCountdownOrTheMacroEndsTheMinimisedRun) {
    disc();
    dsm("1.0,Play\r\n1.0,Stop\r\n");
    plugin.playerWindow = 0x99;
    for (bool inMacro : {false, true}) {
        SCOPED_TRACE(inMacro ? "in the macro" : "in the countdown");
        plugin.sent.clear();
        plugin.onSend = [&](std::int32_t) { plugin.playerWindow = 0; };
        tmain.reset();
        start({"/a"});
        run(10 + 1000 + 800);  // through 62
        if (!inMacro)
            plugin.playerWindow = 0;
        t.clock.runUntilIdle();
        EXPECT_TRUE(tmain->model.closeRequested);
        EXPECT_EQ(tmain->model.applicationTitle, "DVD-Player was closed");
        EXPECT_EQ(plugin.sent.size(), inMacro ? 1u : 0u);
        plugin.playerWindow = 0x99;
    }
}

// A player already running that does not answer (one an earlier run started) is started once
// more, which hands it the disc; a second silence ends the run without pressing anything.
TEST_F(ControllerTest, RunningPlayerThatDoesNotAnswerIsStartedOnceMore) {
    disc();
    dsm("1.0,Play\r\n");
    plugin.playerWindow = 0x99;
    for (int secondAnswer : {1, 0}) {
        SCOPED_TRACE(secondAnswer);
        plugin.starts.clear();
        plugin.sent.clear();
        plugin.waitAnswers = {0, secondAnswer};
        tmain.reset();
        start({"/a"});
        t.clock.runUntilIdle();
        EXPECT_EQ(plugin.starts, std::vector<char>{'D'});
        EXPECT_TRUE(tmain->model.closeRequested);
        if (secondAnswer != 0) {
            EXPECT_EQ(plugin.sent, std::vector<std::int32_t>{0});
        } else {
            EXPECT_TRUE(plugin.sent.empty());
            EXPECT_EQ(tmain->model.applicationTitle, "DVD-Player does not answer");
        }
    }
}

TEST_F(ControllerTest, NoDiscAfterStartingThePlayerWaitsForItAndTriesAgain) {
    start({"/b"});
    run(15);
    EXPECT_EQ(tmain->controller_state, 78);
    plugin.playerWindow = 0x77;  // the player has come up
    t.clock.advance(10);
    EXPECT_EQ(plugin.waits, 1);
    EXPECT_EQ(tmain->controller_state, 800);
    EXPECT_EQ(tmain->Timer1.interval(), 1000);
}

TEST_F(ControllerTest, DsmOnTheCommandLineWithoutDiscRetriesLikeTheAutomaticRuns) {
    t.fileIo.put(std::string(TestPorts::kDsmFolder) + "\\movie.dsm", "1.0,Play\r\n");
    plugin.playerWindow = 0x99;
    start({"movie"});
    const std::vector<int> states = run();
    EXPECT_EQ(states, (std::vector<int>{600, 601, 602, 603, 604, 605, 606}));
    EXPECT_TRUE(tmain->model.closeRequested);
}

TEST_F(ControllerTest, MissingCommandLineDsmClosesAtOnce) {
    t.fileIo.put(std::string(TestPorts::kDsmFolder) + "\\first.dsm", "1.0,Play\r\n");
    start({"first", "missing"});
    run();
    EXPECT_TRUE(tmain->model.closeRequested);
    EXPECT_TRUE(plugin.starts.empty());
}

TEST_F(ControllerTest, RestartAlonePollsForThePlayerOnceASecond) {
    start({});
    run();
    tmain->controller_state = 2;
    tmain->Timer1.setInterval(2000);
    tmain->Timer1.setEnabled(true);
    const std::vector<int> states = run(20000);
    EXPECT_EQ(states, (std::vector<int>{2, 52, 53, 54, 55, 56, 57, 58}));
    EXPECT_TRUE(tmain->PCDVD_Timer.enabled());
    EXPECT_EQ(plugin.starts.size(), 1u);
}

TEST_F(ControllerTest, TestWithRestartWaitsForTheRestartedPlayersWindow) {
    disc();
    dsm("1.0,Play\r\n");
    plugin.playerWindow = 0x99;
    start({});
    run();
    tmain->model.cbox_1.caption = "x";
    tmain->testbtnClick();
    plugin.playerWindow = 0;  // closed by the restart
    run(2000 + 2000 + 5000);
    EXPECT_EQ(tmain->controller_state, 51);
    EXPECT_EQ(plugin.starts.size(), 1u);
    plugin.playerWindow = 0x99;
    t.clock.advance(5000);
    EXPECT_EQ(plugin.sent, std::vector<std::int32_t>{0});

    // One that never comes: the test ends, saying so, and the window stays.
    tmain->testbtnClick();
    plugin.playerWindow = 0;
    run(2000 + 2000 + 60000);
    EXPECT_EQ(tmain->model.next_button.caption, "DVD-Player did not start");
    run();
    EXPECT_EQ(tmain->model.next_button.caption, "");
    EXPECT_FALSE(tmain->model.closeRequested);
    EXPECT_TRUE(tmain->PCDVD_Timer.enabled());
    EXPECT_EQ(plugin.sent.size(), 1u);
}

TEST_F(ControllerTest, StateOutsideTheTableOnlyStopsTheTimer) {
    start({});
    run();
    tmain->controller_state = 1;
    tmain->Timer1.setEnabled(true);
    run();
    EXPECT_EQ(tmain->controller_state, 1);
    EXPECT_FALSE(tmain->Timer1.enabled());
}

TEST_F(ControllerTest, ConfigurationChangeMidRunIsSavedAndTheRunGoesOn) {
    disc();
    dsm("2.5,Ok / Enter\r\n");
    plugin.playerWindow = 0x99;
    start({"/b"});
    run(10 + 1000);
    ASSERT_EQ(tmain->controller_state, 62);
    tmain->checkbox_change(0);
    tmain->autoexecChange("C:\\lights.exe");
    run();
    EXPECT_EQ(tmain->controller_state, 60);  // the countdown ended and the macro started
    t.clock.advance(3000);
    EXPECT_EQ(plugin.sent.size(), 1u);
    EXPECT_EQ(t.registry.stringValue(RegRoot::localMachine, "Software\\Tolvrey\\DVD-Spindrel",
                                     "Other_Program"),
              "C:\\lights.exe");
    EXPECT_EQ(t.registry.dwordValue(RegRoot::localMachine, "Software\\Tolvrey\\DVD-Spindrel",
                                    "Reset_Before_Test"),
              1u);
}

TEST_F(ControllerTest, TestModeSurvivesMinimiseAndRestore) {
    start({"/test"});
    run();
    EXPECT_EQ(tmain->model.timeindex.caption, "/test");
    EXPECT_EQ(tmain->model.dsm.dsm_name.caption, "-testmode-");
    tmain->ApplicationMinimize();
    tmain->ApplicationRestore();
    EXPECT_EQ(tmain->run_mode, 0x8A);
}

}  // namespace
}  // namespace spindrel
