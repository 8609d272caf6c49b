// Automatic runs of the real program under Wine, as an autoplay program starts it: a real
// plug-in (Wyvernel, and Mpc for a DSM recorded with Wyvernel's names), the skin, the stand-in
// player as the player program and the simulated disc in drive S: (serial 1A2B3C4D). What counts
// is what reached the player, and when.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "autoplay/autoplay_registration.h"
#include "base/registry.h"
#include "e2e_support.h"
#include "platform/win32/win32_registry.h"
#include "win32/plugin_fakeplayer.h"

namespace spindrel::e2e {
namespace {

using testing::LoggedMessage;
using testing::Press;

constexpr const char* kMainClass = "Tmain";
constexpr const char* kPlayerClass = "PlayWnd";
constexpr const char* kPlayerTitle = "Creative PC-DVD Player";
constexpr const char* kDiscDsm = "1a2b3c4d.dsm";
constexpr int kRunMs = 40000;

// What Wyvernel sends for the buttons the macros below use.
const LoggedMessage kNext{"main", "sent", WM_COMMAND, 0x531, 0};
const LoggedMessage kRootMenu{"main", "sent", WM_KEYDOWN, 0x76, 0};
const LoggedMessage kDown{"main", "sent", WM_COMMAND, 0x592, 4};
const LoggedMessage kEnter{"main", "sent", WM_COMMAND, 0x592, 5};

// Wyvernel's button names, as recorded with it.
const char* const kMacro =
    "#Run test\r\n0.8,Next\r\n0.6,Root Menu\r\n0.4,Down\r\n0.3,Ok / Enter\r\n";
// The click timer's intervals for those waits: a thousand times the wait, truncated (0.6 s is
// held just below itself).
const std::vector<int> kMacroGapsMs{599, 399, 299};

// A plug-in, the stand-in impersonating its player, and what the macro above delivers through it.
struct RunPlayer {
    const char* dll;
    const char* as;
    const char* mainClass;
    const char* mainTitle;
    std::vector<LoggedMessage> macroPresses;
};
const RunPlayer kWyvernel{"Wyvernel.dll", "wyvernel", kPlayerClass, kPlayerTitle,
                          {kNext, kRootMenu, kDown, kEnter}};
// MPC's own command identifiers: next chapter, root menu, menu down, menu activate.
const RunPlayer kMpc{"Mpc.dll",
                     "mpc",
                     "MediaPlayerClassicW",
                     "Media Player Classic Home Cinema",
                     {{"main", "sent", WM_COMMAND, 922, 0},
                      {"main", "sent", WM_COMMAND, 924, 0},
                      {"main", "sent", WM_COMMAND, 932, 0},
                      {"main", "sent", WM_COMMAND, 933, 0}}};

// The 32-bit players as their own installers leave them: found by their install key alone.
const RunPlayer kCorvane{"Corvane.dll",
                         "corvane",
                         "Class of CyberLink Universal Player",
                         "CyberLink Universal Player",
                         {}};
const RunPlayer kBrannock{"Brannock.dll", "brannock", "CTBrannock", "Creative Brannock", {}};

std::string readWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<LoggedMessage> messagesOf(const std::vector<Press>& presses) {
    std::vector<LoggedMessage> messages;
    for (const Press& press : presses)
        messages.push_back(press.message);
    return messages;
}

std::string describeAll(const std::vector<Press>& presses) {
    std::string text;
    for (const Press& press : presses)
        text += "\n  " + testing::describe(press.message);
    return text;
}

class RunE2eTest : public ::testing::Test {
  protected:
    explicit RunE2eTest(const RunPlayer& player = kWyvernel)
        : player_(player),
          playerOptions{"SPINDREL_FAKEPLAYER",
                        std::string("--as ") + player.as + " --quiet --log \"" + log.path() + "\""} {}

    void SetUp() override {
        resetSettings(player_.dll);
        setSettingString("PCDVD", testing::fakePlayerPath());
        closePlayers();
    }
    void TearDown() override {
        closePlayers();
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kSettingsKey);
    }

    void closePlayers() const { closeProcessesOfWindow(player_.mainClass, player_.mainTitle); }

    std::unique_ptr<Process> start(const std::string& arguments) {
        return std::make_unique<Process>(install.path("DVD_Spindrel.exe"), arguments,
                                         install.folder());
    }
    void putDsm(const std::string& name, const char* text) const {
        std::ofstream out(install.path("dsm\\" + name), std::ios::binary);
        out << text;
    }
    std::vector<Press> presses() const { return testing::pressesIn(playerLog()); }
    std::vector<testing::TimedLine> playerLog() const { return testing::readTimedLog(log.path()); }
    bool playerStarted() const { return playerLogHas(std::string("start as ") + player_.as + " "); }
    bool playerLogHas(const std::string& start) const {
        for (const auto& line : playerLog()) {
            if (line.text.rfind(start, 0) == 0)
                return true;
        }
        return false;
    }

    // The presses arrived in the macro's order, each its wait after the one before (a little
    // late is the timer's nature; early never).
    void expectMacroPlayed(const std::vector<Press>& got) const {
        ASSERT_EQ(messagesOf(got), player_.macroPresses) << "the player got:" << describeAll(got);
        // Each press is due its wait after the one before was due: a late press does not push
        // the rest of the macro later, so the times are measured from the first press. That
        // first press may itself come a few ms late (seen in CI: 2.5 ms, under load), which makes
        // every later one look that much early; 10 ms still catches a wait played short.
        double dueMs = 0;
        for (std::size_t i = 1; i < got.size(); ++i) {
            dueMs += kMacroGapsMs[i - 1];
            const double atMs = static_cast<double>(got[i].us - got[0].us) / 1000.0;
            EXPECT_GE(atMs, dueMs - 10) << "press " << i << " came early";
            EXPECT_LE(atMs, dueMs + 150) << "press " << i << " came late";
        }
    }

    // "/a" with the disc's DSM in place: the player started, the macro played, the program ended.
    void expectAutoplayPlaysTheMacro() {
        auto program = start("/a");
        DWORD code = 1;
        ASSERT_TRUE(program->waitForExit(kRunMs, &code))
            << "the run did not end; the player got:" << describeAll(presses());
        EXPECT_EQ(code, 0u);
        EXPECT_TRUE(playerStarted()) << "the program did not start the player";
        expectMacroPlayed(presses());
    }

    void expectSettingsStored() const {
        for (const char* name : {"Position:Left", "Position:Top", "DVD_Interface", "PCDVD"}) {
            DWORD type = 0;
            std::vector<BYTE> data;
            EXPECT_TRUE(readSetting(name, type, data)) << name << " is missing after the run";
        }
    }

    const RunPlayer& player_;
    Installation install;
    testing::TempFile log{"run_player"};
    testing::ScopedEnvironment playerOptions;
};

class MpcRunE2eTest : public RunE2eTest {
  protected:
    MpcRunE2eTest() : RunE2eTest(kMpc) {}
};

// A 32-bit player installed on 64-bit Windows: its installer wrote its key to the 32-bit view
// of the registry only, and the user never located it by hand.
class InstalledPlayerRunE2eTest : public RunE2eTest {
  protected:
    explicit InstalledPlayerRunE2eTest(const RunPlayer& player) : RunE2eTest(player) {}

    void expectStartedFromThe32BitView(const char* key, const char* value, const char* program) {
        RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kSettingsKey, "PCDVD");
        // Not beside the program, where the shell would find the bare file name by itself.
        const std::string folder = install.path("Player");
        CreateDirectoryA(folder.c_str(), nullptr);
        ASSERT_TRUE(
            CopyFileA(testing::fakePlayerPath().c_str(), (folder + "\\" + program).c_str(), FALSE));
        RegDeleteKeyExA(HKEY_LOCAL_MACHINE, key, KEY_WOW64_64KEY, 0);
        setMachineString(key, value, folder, KEY_WOW64_32KEY);

        auto program32 = start("/a");
        const bool ended = program32->waitForExit(kRunMs);
        RegDeleteKeyExA(HKEY_LOCAL_MACHINE, key, KEY_WOW64_32KEY, 0);
        ASSERT_TRUE(ended) << "the run did not end";
        EXPECT_TRUE(playerStarted()) << "the player recorded in the 32-bit view was not started";
        closePlayers();
    }
};

class CorvaneRunE2eTest : public InstalledPlayerRunE2eTest {
  protected:
    CorvaneRunE2eTest() : InstalledPlayerRunE2eTest(kCorvane) {}
};

class BrannockRunE2eTest : public InstalledPlayerRunE2eTest {
  protected:
    BrannockRunE2eTest() : InstalledPlayerRunE2eTest(kBrannock) {}
};

TEST_F(CorvaneRunE2eTest, AutoplayStartsThePlayerItsInstallerRecordedIn32BitView) {
    expectStartedFromThe32BitView("Software\\CyberLink\\Corvane", "InstallDir", "Corvane.exe");
}

TEST_F(BrannockRunE2eTest, AutoplayStartsThePlayerItsInstallerRecordedIn32BitView) {
    expectStartedFromThe32BitView("Software\\Creative Tech\\Creative Brannock", "Path",
                                  "ctplay.exe");
}

TEST_F(RunE2eTest, AutoplayWithADsmStartsThePlayerPlaysTheMacroAndCloses) {
    CreateDirectoryA(install.path("dsm").c_str(), nullptr);
    putDsm(kDiscDsm, kMacro);

    expectAutoplayPlaysTheMacro();
    EXPECT_EQ(readWholeFile(install.path("dsm\\" + std::string(kDiscDsm))), kMacro)
        << "playing a DSM must not change it";
    expectSettingsStored();
}

// The command line the Windows AutoPlay registration installs for the user, read back and taken
// away again.
std::string installedAutoPlayCommand(const std::string& programPath) {
    constexpr const char* kProgId = "Software\\Classes\\Tolvrey.DVDSpindrel.AutoPlay";
    constexpr const char* kHandler = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\"
                                     "AutoplayHandlers\\Handlers\\TolvreyDVDSpindrelPlayDVDMovie";
    constexpr const char* kEvent = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\"
                                   "AutoplayHandlers\\EventHandlers\\PlayDVDMovieOnArrival";
    Win32Registry port;
    Registry registry(port);
    registerWindowsAutoPlay(registry, programPath, "/a");
    char command[1024] = {};
    DWORD size = sizeof command;
    const LSTATUS read = RegGetValueA(HKEY_CURRENT_USER,
                                      (std::string(kProgId) + "\\shell\\play\\command").c_str(),
                                      nullptr, RRF_RT_REG_SZ, nullptr, command, &size);
    RegDeleteTreeA(HKEY_CURRENT_USER, kProgId);
    RegDeleteTreeA(HKEY_CURRENT_USER, kHandler);
    RegDeleteKeyValueA(HKEY_CURRENT_USER, kEvent, "TolvreyDVDSpindrelPlayDVDMovie");
    return read == ERROR_SUCCESS ? command : "";
}

// A DSM recorded with Wyvernel plays unchanged through Mpc.dll, each name as MPC's own command,
// in a run started as Windows AutoPlay starts the program.
TEST_F(MpcRunE2eTest, AutoplayWithAWyvernelDsmPlaysMpcsOwnCommands) {
    CreateDirectoryA(install.path("dsm").c_str(), nullptr);
    putDsm(kDiscDsm, kMacro);
    const std::string exe = install.path("DVD_Spindrel.exe");
    ASSERT_EQ(installedAutoPlayCommand(exe), "\"" + exe + "\" /a");

    expectAutoplayPlaysTheMacro();
    // The automatic run starts the player before its first drive scan, with no drive to name:
    // MPC's DVD switch alone has it open the disc drive itself.
    EXPECT_TRUE(playerLogHas("args /dvd")) << "MPC was not told to play the DVD";
}

TEST_F(RunE2eTest, AutoplayWithoutADsmStartsThePlayerAndCloses) {
    auto program = start("/a");
    ASSERT_TRUE(program->waitForExit(kRunMs)) << "the program stayed although the disc has no DSM";
    EXPECT_TRUE(playerStarted());
    EXPECT_TRUE(presses().empty()) << "nothing should be pressed:" << describeAll(presses());
    EXPECT_EQ(GetFileAttributesA(install.path("dsm\\" + std::string(kDiscDsm)).c_str()),
              INVALID_FILE_ATTRIBUTES)
        << "no DSM may be written for the disc";
}

TEST_F(RunE2eTest, RecordModeWithoutADsmStaysMinimisedAndARestoreOffersANewDsm) {
    auto program = start("/b");
    HWND window = program->waitForWindow(kMainClass, false);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(waitFor([&] { return playerStarted(); })) << "the player was not started";
    // The disc is found within a second or two of the player; give the run time to end if it
    // wrongly would.
    Sleep(4000);
    ASSERT_TRUE(program->running()) << "\"/b\" without a DSM must wait for the user";
    EXPECT_TRUE(IsIconic(window));
    EXPECT_TRUE(presses().empty());

    ShowWindow(window, SW_RESTORE);
    const bool offered = waitFor([&] {
        for (HWND child : childrenOf(window)) {
            // GetWindowText does not ask another process's edit box for its text.
            char text[512] = {};
            DWORD_PTR length = 0;
            SendMessageTimeoutA(child, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                                SMTO_ABORTIFHUNG, 1000, &length);
            if (std::string(text).find("<dvd title>") != std::string::npos)
                return true;
        }
        return false;
    });
    EXPECT_TRUE(offered) << "the restored window should offer the notes of a new DSM";
    EXPECT_TRUE(program->running());
}

TEST_F(RunE2eTest, DsmOnTheCommandLinePlaysAndCloses) {
    CreateDirectoryA(install.path("dsm").c_str(), nullptr);
    putDsm("my movie.dsm", kMacro);

    auto program = start("\"" + install.path("dsm\\my movie.dsm") + "\"");
    ASSERT_TRUE(program->waitForExit(kRunMs))
        << "the run did not end; the player got:" << describeAll(presses());
    EXPECT_TRUE(playerStarted());
    expectMacroPlayed(presses());
    expectSettingsStored();
}

// The remote panel slides in for "/test", and a press on one of its buttons reaches a running
// player at once.
TEST_F(RunE2eTest, TestModeShowsTheRemoteWhoseButtonsReachThePlayerAtOnce) {
    testing::FakePlayerProcess player("wyvernel", kPlayerClass, kPlayerTitle, "--quiet");
    ASSERT_NE(player.mainWindow(), nullptr) << "the stand-in player did not start";

    auto program = start("/test");
    HWND window = program->waitForWindow(kMainClass, true);
    ASSERT_NE(window, nullptr);
    // The plug-in's name pops up by itself for a while.
    EXPECT_TRUE(waitFor(
        [&] {
            for (HWND top = GetTopWindow(nullptr); top != nullptr;
                 top = GetWindow(top, GW_HWNDNEXT)) {
                char name[64] = {};
                GetClassNameA(top, name, sizeof name);
                if (std::string(name) == "tooltips_class32" &&
                    GetWindow(top, GW_OWNER) == window && IsWindowVisible(top)) {
                    return true;
                }
            }
            return false;
        },
        5000))
        << "the plug-in's name did not pop up";
    HWND remote = nullptr;
    ASSERT_TRUE(waitFor([&] {
        return (remote = childWithText(window, "remote_panel")) != nullptr;
    })) << "the window has no remote panel";
    // In place: it has slid wholly into the panel area.
    ASSERT_TRUE(waitFor([&] {
        RECT panel;
        RECT area;
        GetWindowRect(remote, &panel);
        GetWindowRect(GetParent(remote), &area);
        return IsWindowVisible(remote) && panel.left >= area.left && panel.right <= area.right;
    })) << "the remote panel did not slide in";

    HWND next = nullptr;
    ASSERT_TRUE(waitFor([&] { return (next = childWithText(remote, "Next")) != nullptr; }))
        << "the remote has no \"Next\" button";
    RECT button;
    GetClientRect(next, &button);
    // A point the button's picture covers: scan its middle row for a pixel it answers to.
    LPARAM where = 0;
    for (int x = button.right / 2; x < button.right && where == 0; ++x) {
        POINT screen{x, button.bottom / 2};
        ClientToScreen(next, &screen);
        if (SendMessageA(next, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y)) == HTCLIENT) {
            where = MAKELPARAM(x, button.bottom / 2);
        }
    }
    ASSERT_NE(where, 0) << "no part of the \"Next\" button answers the mouse";

    const long long pressed = testing::nowUs();
    PostMessageA(next, WM_LBUTTONDOWN, MK_LBUTTON, where);
    PostMessageA(next, WM_LBUTTONUP, 0, where);
    ASSERT_TRUE(waitFor([&] {
        return !testing::pressesIn(testing::readTimedLog(player.logPath())).empty();
    })) << "the press never reached the player";
    const std::vector<Press> got = testing::pressesIn(testing::readTimedLog(player.logPath()));
    ASSERT_EQ(messagesOf(got), std::vector<LoggedMessage>{kNext}) << describeAll(got);
    const double latencyMs = static_cast<double>(got[0].us - pressed) / 1000.0;
    RecordProperty("press_to_player_ms", std::to_string(latencyMs));
    EXPECT_LT(latencyMs, 250.0) << "a remote button must reach the player at once";

    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(program->waitForExit(kWaitMs));
}

}  // namespace
}  // namespace spindrel::e2e
