// Automatic runs ("/a") whose player is slow to show its window, never shows it, or is closed in
// the middle of the macro: every run ends by itself, so a later disc is never turned away by a
// copy of the program left behind minimised.

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

    static void closePlayers() { closeProcessesOfWindow(kPlayerClass, kPlayerTitle); }
    // How the next player the program starts behaves.
    void playerOptions(const std::string& extra) {
        options.reset();  // restores the variable first, so the new one is not undone
        options = std::make_unique<testing::ScopedEnvironment>(
            "SPINDREL_FAKEPLAYER", "--as wyvernel --quiet --log \"" + log.path() + "\" " + extra);
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

}  // namespace
}  // namespace spindrel::e2e
