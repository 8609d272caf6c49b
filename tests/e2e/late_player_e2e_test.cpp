// Automatic runs ("/a") whose player is slow to show its window, never shows it, or is closed in
// the middle of the macro: every run ends by itself, so a later disc is never turned away by a
// copy of the program left behind minimised. And a disc slow to reach its menu: a macro that
// waits for the player's state presses when the menu shows, with a player that reports it.

#include <gtest/gtest.h>

#include <fstream>
#include <memory>

#include "e2e_support.h"
#include "win32/plugin_fakeplayer.h"

namespace spindrel::e2e {
namespace {

using testing::LoggedMessage;

constexpr const char* kPlayerClass = "PlayWnd";
constexpr const char* kPlayerTitle = "Creative PC-DVD Player";
constexpr const char* kMpcClass = "MediaPlayerClassicW";
constexpr const char* kMpcTitle = "Media Player Classic Home Cinema";
// The program waits a minute for the player's window; what follows takes a few seconds.
constexpr int kBoundMs = 60000;
constexpr int kRunMs = 40000;

const char* const kMacro =
    "#Run test\r\n0.8,Next\r\n0.6,Root Menu\r\n0.4,Down\r\n0.3,Ok / Enter\r\n";
// What Wyvernel sends for those buttons.
const std::vector<LoggedMessage> kMacroPresses{{"main", "sent", WM_COMMAND, 0x531, 0},
                                               {"main", "sent", WM_KEYDOWN, 0x76, 0},
                                               {"main", "sent", WM_COMMAND, 0x592, 4},
                                               {"main", "sent", WM_COMMAND, 0x592, 5}};

// Its first press waits for the disc's menu, its last for the title the press before starts.
const char* const kWaitingMacro =
    "#Waits for the disc\r\n@when menu\r\n0.5,Down\r\n"
    "0.3,Ok / Enter\r\n@when title 1\r\n0.3,Next\r\n";

class LatePlayerE2eTest : public ::testing::Test {
  protected:
    void SetUp() override {
        resetSettings("Wyvernel.dll");
        setSettingString("PCDVD", testing::fakePlayerPath());
        closePlayers();
        CreateDirectoryA(install.path("dsm").c_str(), nullptr);
        std::ofstream(install.path("dsm\\1a2b3c4d.dsm"), std::ios::binary) << kMacro;
    }
    void TearDown() override {
        closePlayers();
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kSettingsKey);
    }

    static void closePlayers() {
        closeProcessesOfWindow(kPlayerClass, kPlayerTitle);
        closeProcessesOfWindow(kMpcClass, kMpcTitle);
    }
    // How the next player the program starts behaves.
    void playerOptions(const std::string& extra, const std::string& as = "wyvernel") {
        options.reset();  // restores the variable first, so the new one is not undone
        options = std::make_unique<testing::ScopedEnvironment>(
            "SPINDREL_FAKEPLAYER", "--as " + as + " --quiet --log \"" + log.path() + "\" " + extra);
    }
    // When the stand-in's disc first showed what it logged as "dvd WHAT".
    long long shownUs(const std::string& what) const {
        for (const testing::TimedLine& line : testing::readTimedLog(log.path())) {
            if (line.text == "dvd " + what)
                return line.us;
        }
        return -1;
    }
    std::unique_ptr<Process> startAutoplay() const {
        return std::make_unique<Process>(install.path("DVD_Spindrel.exe"), "/a", install.folder());
    }
    std::vector<LoggedMessage> presses() const {
        std::vector<LoggedMessage> messages;
        for (const testing::Press& press : testing::pressesIn(testing::readTimedLog(log.path())))
            messages.push_back(press.message);
        return messages;
    }
    void expectRunEnds(const Process& program, int ms) const {
        DWORD code = 1;
        ASSERT_TRUE(program.waitForExit(ms, &code))
            << "the run is still there after " << ms / 1000 << " s";
        EXPECT_EQ(code, 0u);
    }

    Installation install;
    testing::TempFile log{"late_player"};
    std::unique_ptr<testing::ScopedEnvironment> options;
};

TEST_F(LatePlayerE2eTest, PlayerWhoseWindowComesSixSecondsLateGetsTheMacro) {
    playerOptions("--late 6000");
    auto program = startAutoplay();
    expectRunEnds(*program, kRunMs);
    EXPECT_EQ(presses(), kMacroPresses);
}

TEST_F(LatePlayerE2eTest, PlayerThatNeverComesEndsTheRunAndTheNextDiscPlays) {
    playerOptions("--no-window");
    const DWORD started = GetTickCount();
    auto program = startAutoplay();
    expectRunEnds(*program, kBoundMs + 10000);
    EXPECT_GE(GetTickCount() - started, static_cast<DWORD>(kBoundMs - 1000))
        << "the run gave up before its bound";
    EXPECT_TRUE(presses().empty());

    playerOptions("");
    auto next = startAutoplay();
    expectRunEnds(*next, kRunMs);
    EXPECT_EQ(presses(), kMacroPresses);
}

TEST_F(LatePlayerE2eTest, PlayerClosedAfterTheFirstPressEndsTheRun) {
    playerOptions("");
    auto program = startAutoplay();
    ASSERT_TRUE(waitFor([&] { return !presses().empty(); }, kRunMs)) << "nothing was pressed";
    closePlayers();
    expectRunEnds(*program, 10000);
    EXPECT_LT(presses().size(), kMacroPresses.size());
}

// The stand-in as MPC-HC reaches its menu 2 s or 12 s after its start, far past the press's own
// time in the second case; the first press goes out once the menu shows, and the last once the
// title its predecessor chose plays.
TEST_F(LatePlayerE2eTest, MacroThatWaitsForTheMenuPressesWhenMpcShowsIt) {
    std::ofstream(install.path("dsm\\1a2b3c4d.dsm"), std::ios::binary) << kWaitingMacro;
    resetSettings("Mpc.dll");
    setSettingString("PCDVD", testing::fakePlayerPath());
    for (const int menuAfterMs : {2000, 12000}) {
        SCOPED_TRACE(menuAfterMs);
        DeleteFileA(log.path().c_str());
        playerOptions("--menu-after " + std::to_string(menuAfterMs), "mpc");
        auto program = startAutoplay();
        expectRunEnds(*program, kRunMs);
        const std::vector<testing::Press> got =
            testing::pressesIn(testing::readTimedLog(log.path()));
        std::string seen;
        for (const testing::TimedLine& line : testing::readTimedLog(log.path())) {
            if (line.text.rfind("api received", 0) != 0 && line.text.rfind("api sent 5", 0) != 0)
                seen += "\n  " + std::to_string(line.us) + " " + line.text;
        }
        // MPC's own commands: menu down, menu activate, next chapter.
        ASSERT_EQ(presses(), (std::vector<LoggedMessage>{{"main", "sent", WM_COMMAND, 932, 0},
                                                         {"main", "sent", WM_COMMAND, 933, 0},
                                                         {"main", "sent", WM_COMMAND, 922, 0}}))
            << "the stand-in's log:" << seen;
        const long long menuUs = shownUs("RootMenu");
        const long long titleUs = shownUs("Title");
        ASSERT_GT(menuUs, 0) << "the stand-in never showed its menu";
        ASSERT_GT(titleUs, 0) << "Ok / Enter did not start the title";
        EXPECT_GE(got[0].us, menuUs) << "Down was pressed before the menu showed";
        if (menuAfterMs > 5000) {
            EXPECT_LT(got[0].us - menuUs, 1500000) << "Down came long after the menu showed";
        }
        EXPECT_GE(got[2].us, titleUs) << "Next was pressed before the title played";
        closePlayers();
    }
}

// An MPC that runs already when the disc goes in, with its "one instance" setting: the run starts
// it once more, and MPC takes that start, "/slave" with it, from a second copy; the macro then
// waits for its menu as with an MPC the run started.
TEST_F(LatePlayerE2eTest, MacroThatWaitsPressesWhenAnMpcThatRanAlreadyShowsTheMenu) {
    std::ofstream(install.path("dsm\\1a2b3c4d.dsm"), std::ios::binary) << kWaitingMacro;
    resetSettings("Mpc.dll");
    setSettingString("PCDVD", testing::fakePlayerPath());
    playerOptions("--one-instance --menu-after 6000", "mpc");
    testing::FakePlayerProcess running("mpc", kMpcClass, kMpcTitle, "--quiet");
    ASSERT_NE(running.mainWindow(), nullptr) << "the stand-in did not start";
    auto program = startAutoplay();
    expectRunEnds(*program, kRunMs);
    long long handedUs = -1;
    long long menuUs = -1;
    for (const testing::TimedLine& line : testing::readTimedLog(running.logPath())) {
        if (line.text.rfind("second start ", 0) == 0 &&
            line.text.find(" /dvd /slave ") != std::string::npos)
            handedUs = line.us;
        else if (handedUs > 0 && line.text == "dvd RootMenu")
            menuUs = line.us;
    }
    ASSERT_GT(handedUs, 0) << "the running MPC was not handed a start with /slave";
    ASSERT_GT(menuUs, 0) << "the running MPC never showed its menu after that start";
    const std::vector<testing::Press> got =
        testing::pressesIn(testing::readTimedLog(running.logPath()));
    ASSERT_EQ(got.size(), 3u);
    EXPECT_GE(got[0].us, menuUs) << "Down was pressed before the menu showed";
    EXPECT_LT(got[0].us - menuUs, 1500000) << "Down came long after the menu showed";
    EXPECT_EQ(testing::readLog(log.path()), std::vector<std::string>{})
        << "a second MPC stayed instead of handing its start over";
}

// The same macro through a plug-in that reports nothing: every press at its own time.
TEST_F(LatePlayerE2eTest, MacroThatWaitsPlaysAtItsTimesWithAPlayerThatReportsNothing) {
    std::ofstream(install.path("dsm\\1a2b3c4d.dsm"), std::ios::binary) << kWaitingMacro;
    playerOptions("");
    auto program = startAutoplay();
    expectRunEnds(*program, kRunMs);
    const std::vector<testing::Press> got = testing::pressesIn(testing::readTimedLog(log.path()));
    ASSERT_EQ(presses(),
              (std::vector<LoggedMessage>{kMacroPresses[2], kMacroPresses[3], kMacroPresses[0]}));
    for (std::size_t i = 1; i < got.size(); ++i) {
        const double gapMs = static_cast<double>(got[i].us - got[i - 1].us) / 1000.0;
        EXPECT_GE(gapMs, 289) << "press " << i << " came early";
        EXPECT_LE(gapMs, 450) << "press " << i << " came late";
    }
}

}  // namespace
}  // namespace spindrel::e2e
