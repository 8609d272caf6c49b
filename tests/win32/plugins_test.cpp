// The plug-in DLLs against the stand-in player, across processes, under the real API: what
// each button delivers, which windows each plug-in finds, starting, closing and waiting for the
// player, and a player that hangs.

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <vector>

#include "plugin_fakeplayer.h"
#include "plugins/player_profile.h"

namespace spindrel::testing {
namespace {

using plugins::PlayerProfile;

constexpr const char* kProgramKey = "Software\\Tolvrey\\DVD-Spindrel";

struct Player {
    const char* dll;
    const char* as;  // the stand-in's name for it
    const char* mainClass;
    const char* mainTitle;
    const char* videoClass;
    const char* videoTitle;  // nullptr: any title
    int highestCode;
    const PlayerProfile& (*profile)();
};

const Player kCorvane{"Corvane.dll",
                      "corvane",
                      "Class of CyberLink Universal Player",
                      "CyberLink Universal Player",
                      "CyberLink Video Window Class",
                      "Corvane",
                      26,
                      &plugins::corvaneProfile};
const Player kCorvane3{"Corvane3.dll",
                       "corvane3",
                       "Class of CyberLink Universal Player",
                       "Corvane",
                       "CyberLink Video Window Class",
                       "Corvane",
                       26,
                       &plugins::corvane3Profile};
const Player kBrannock{"Brannock.dll",
                       "brannock",
                       "CTBrannock",
                       "Creative Brannock",
                       "DVDFrame",
                       "Creative SoftPC-DVD software decoder Video Windo",
                       29,
                       &plugins::brannockProfile};
const Player kWyvernel{"Wyvernel.dll",
                       "wyvernel",
                       "PlayWnd",
                       "Creative PC-DVD Player",
                       "DVDFrame",
                       "Creative PC-DVD Video Window",
                       29,
                       &plugins::wyvernelProfile};
// The video is drawn inside the main window, which is then the video window too.
const Player kMpc{"Mpc.dll",
                  "mpc",
                  "MediaPlayerClassicW",
                  "Media Player Classic Home Cinema",
                  "MediaPlayerClassicW",
                  nullptr,
                  954,
                  &plugins::mpcProfile};

// What a plug-in may deliver: keys, commands, close and the wait. The rest of what a window gets
// (activation, painting) is the system's.
bool playerInput(const LoggedMessage& m) {
    return (m.message >= WM_KEYFIRST && m.message <= WM_KEYLAST) || m.message == WM_COMMAND ||
           m.message == WM_SYSCOMMAND || m.message == WM_CLOSE || m.message == WM_USER;
}

std::vector<std::string> playerInputs(const std::vector<LoggedMessage>& messages) {
    std::vector<std::string> result;
    for (const LoggedMessage& m : messages) {
        if (playerInput(m)) result.push_back(describe(m));
    }
    return result;
}

std::vector<std::string> tabled(const PlayerProfile& profile, int code) {
    std::vector<std::string> result;
    if (const plugins::Command* command = plugins::findCommand(profile, code)) {
        for (const plugins::PlayerMessage& m : command->messages) {
            const bool sent = command->delivery == plugins::Delivery::sent;
            result.push_back(describe({"main", sent ? "sent" : "posted", m.message,
                                       static_cast<std::uint64_t>(m.wParam),
                                       static_cast<std::uint64_t>(m.lParam)}));
        }
    }
    return result;
}

double elapsedMs(const LARGE_INTEGER& start) {
    LARGE_INTEGER now;
    LARGE_INTEGER frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart - start.QuadPart) * 1000.0 /
           static_cast<double>(frequency.QuadPart);
}

LARGE_INTEGER now() {
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return counter;
}

class PluginDllTest : public ::testing::TestWithParam<const Player*> {};

TEST_P(PluginDllTest, EveryCodeDeliversExactlyItsTabledMessagesInOrder) {
    const Player& p = *GetParam();
    PluginDll plugin(p.dll);
    ASSERT_TRUE(plugin.loaded()) << pluginPath(p.dll);
    FakePlayerProcess player(p.as, p.mainClass, p.mainTitle);
    ASSERT_NE(player.mainWindow(), nullptr);
    EXPECT_EQ(toHwnd(plugin.PCDVD_Player()), player.mainWindow());
    const HWND video = FindWindowA(p.videoClass, p.videoTitle);
    ASSERT_NE(video, nullptr);
    EXPECT_EQ(toHwnd(plugin.PCDVD_Window()), video);

    // -1, then from one below the lowest tabled code to one past the highest.
    int lowest = p.highestCode;
    for (const plugins::Command& c : p.profile().commands) lowest = std::min(lowest, c.code);
    for (int code = -1; code <= p.highestCode + 1;
         code = code == -1 ? std::max(0, lowest - 1) : code + 1) {
        SCOPED_TRACE("code " + std::to_string(code));
        const std::vector<LoggedMessage> received =
            player.messagesDuring([&] { plugin.Send_To_DVD(code); });
        EXPECT_EQ(playerInputs(received), tabled(p.profile(), code));
    }

    // An MPC that does not report to the plug-in is answered for as not there: the program then
    // starts it once more, with the window to report to.
    const int answer = p.profile().reportSwitch.empty() ? 1 : 0;
    const std::vector<LoggedMessage> waited =
        player.messagesDuring([&] { EXPECT_EQ(plugin.Wait_For_Player(), answer); });
    EXPECT_EQ(playerInputs(waited), std::vector<std::string>{"main sent 0400 0 0"});

    // The close takes the player away, so no mark can follow it: look for it in the whole log.
    plugin.Kill_DVD_Player();
    EXPECT_TRUE(player.waitForExit(5000));
    const std::vector<std::string> log = player.log();
    EXPECT_EQ(std::count(log.begin(), log.end(), "msg main posted 0010 0 0"), 1);
}

TEST_P(PluginDllTest, WithNoPlayerRunningNothingIsFoundAndNothingBlocks) {
    const Player& p = *GetParam();
    PluginDll plugin(p.dll);
    ASSERT_TRUE(plugin.loaded());
    ASSERT_EQ(FindWindowA(p.mainClass, p.mainTitle), nullptr) << "a player is still running";
    const LARGE_INTEGER start = now();
    EXPECT_EQ(plugin.PCDVD_Player(), 0u);
    EXPECT_EQ(plugin.PCDVD_Window(), 0u);
    for (int code = -1; code <= p.highestCode + 1; ++code) EXPECT_EQ(plugin.Send_To_DVD(code), 0);
    EXPECT_EQ(plugin.Kill_DVD_Player(), 0);
    EXPECT_EQ(plugin.Wait_For_Player(), 0);
    EXPECT_LT(elapsedMs(start), 1000.0);

    std::vector<char> buffer(contract::kAbilityBufferSize, 'x');
    EXPECT_EQ(plugin.Get_Abilities(buffer.data()), buffer.data());
    EXPECT_EQ(std::string(buffer.data()), plugins::abilityText(p.profile()));
}

INSTANTIATE_TEST_SUITE_P(Players, PluginDllTest,
                         ::testing::Values(&kCorvane, &kCorvane3, &kBrannock, &kWyvernel, &kMpc),
                         [](const ::testing::TestParamInfo<const Player*>& param) {
                             std::string name = param.param->dll;
                             return name.substr(0, name.find('.'));
                         });

// Another player's window, even one of the same maker, is left alone.
TEST(PluginWindowsTest, CorvanePlugInsFindOnlyTheirOwnMainWindowTitle) {
    PluginDll corvane("Corvane.dll");
    PluginDll corvane3("Corvane3.dll");
    ASSERT_TRUE(corvane.loaded() && corvane3.loaded());
    {
        FakePlayerProcess player("corvane3", kCorvane3.mainClass, kCorvane3.mainTitle);
        ASSERT_NE(player.mainWindow(), nullptr);
        EXPECT_EQ(corvane.PCDVD_Player(), 0u);
        EXPECT_EQ(toHwnd(corvane3.PCDVD_Player()), player.mainWindow());
        EXPECT_NE(corvane.PCDVD_Window(), 0u);
        EXPECT_EQ(corvane.PCDVD_Window(), corvane3.PCDVD_Window());
        const auto received = player.messagesDuring([&] {
            corvane.Send_To_DVD(0);
            corvane.Wait_For_Player();
            corvane.Kill_DVD_Player();
        });
        EXPECT_TRUE(playerInputs(received).empty());
    }
    FakePlayerProcess player("corvane", kCorvane.mainClass, kCorvane.mainTitle);
    ASSERT_NE(player.mainWindow(), nullptr);
    EXPECT_EQ(corvane3.PCDVD_Player(), 0u);
    EXPECT_EQ(toHwnd(corvane.PCDVD_Player()), player.mainWindow());
    const auto received = player.messagesDuring([&] {
        corvane3.Send_To_DVD(0);
        corvane3.Kill_DVD_Player();
    });
    EXPECT_TRUE(playerInputs(received).empty());
}

// MPC-BE has a class of its own; the title is whatever plays.
TEST(PluginWindowsTest, MpcFindsMpcBeByItsClassAndLeavesOtherPlayersAlone) {
    PluginDll mpc("Mpc.dll");
    ASSERT_TRUE(mpc.loaded());
    {
        FakePlayerProcess wyvernel("wyvernel", kWyvernel.mainClass, kWyvernel.mainTitle);
        ASSERT_NE(wyvernel.mainWindow(), nullptr);
        EXPECT_EQ(mpc.PCDVD_Player(), 0u);
        const auto received = wyvernel.messagesDuring([&] {
            mpc.Send_To_DVD(887);
            mpc.Kill_DVD_Player();
        });
        EXPECT_TRUE(playerInputs(received).empty());
    }
    FakePlayerProcess be("mpcbe", "MPC-BE", "Film.vob - MPC-BE",
                         "--main-title \"Film.vob - MPC-BE\"");
    ASSERT_NE(be.mainWindow(), nullptr);
    EXPECT_EQ(toHwnd(mpc.PCDVD_Player()), be.mainWindow());
    EXPECT_EQ(toHwnd(mpc.PCDVD_Window()), be.mainWindow());
    const auto received = be.messagesDuring([&] { mpc.Send_To_DVD(924); });
    EXPECT_EQ(playerInputs(received), std::vector<std::string>{"main sent 0111 39C 0"});
}

TEST(PluginWindowsTest, CreativePlugInsLeaveTheOtherCreativePlayerAlone) {
    PluginDll brannock("Brannock.dll");
    PluginDll wyvernel("Wyvernel.dll");
    ASSERT_TRUE(brannock.loaded() && wyvernel.loaded());
    FakePlayerProcess player("brannock", kBrannock.mainClass, kBrannock.mainTitle);
    ASSERT_NE(player.mainWindow(), nullptr);
    EXPECT_EQ(wyvernel.PCDVD_Player(), 0u);
    EXPECT_EQ(wyvernel.PCDVD_Window(), 0u);
    const auto received = player.messagesDuring([&] {
        for (int code = -1; code <= 30; ++code) wyvernel.Send_To_DVD(code);
        wyvernel.Kill_DVD_Player();
    });
    EXPECT_TRUE(playerInputs(received).empty());
}

TEST(PluginWindowsTest, CorvaneBringsTheVideoWindowToTheFront) {
    PluginDll corvane("Corvane.dll");
    ASSERT_TRUE(corvane.loaded());
    FakePlayerProcess player("corvane", kCorvane.mainClass, kCorvane.mainTitle);
    ASSERT_NE(player.mainWindow(), nullptr);
    const HWND video = toHwnd(corvane.PCDVD_Window());
    ASSERT_NE(video, nullptr);
    // Under Wine another process's window comes to the front once its own thread has handled
    // the request, so the outcome is waited for.
    SetForegroundWindow(player.mainWindow());
    ASSERT_TRUE(waitForForeground(player.mainWindow()));
    // An unknown code delivers nothing but still raises the video window.
    EXPECT_NE(corvane.Send_To_DVD(27), 0);
    EXPECT_TRUE(waitForForeground(video));
}

TEST(PluginStartTest, LocatedPlayerIsStartedWithTheDriveRoot) {
    SavedRegistryValue located(kProgramKey, "PCDVD");
    located.set(fakePlayerPath());
    // The start is one engine for all four; one plug-in of each maker is enough here.
    for (const Player* p : {&kCorvane, &kWyvernel}) {
        SCOPED_TRACE(p->dll);
        PluginDll plugin(p->dll);
        ASSERT_TRUE(plugin.loaded());
        TempFile log("fakeplayer_started");
        ScopedEnvironment options("SPINDREL_FAKEPLAYER",
                                  std::string("--as ") + p->as + " --log \"" + log.path() + "\"");
        EXPECT_NE(plugin.Start_DVD_Player('E'), 0);
        EXPECT_TRUE(waitForLogLine(log.path(), "args E:\\"));
        EXPECT_TRUE(waitForLogLine(log.path(), "arg E:\\"));
        plugin.Kill_DVD_Player();
        EXPECT_TRUE(waitForLogLine(log.path(), "closed"));
    }

    // MPC is told that the drive root is a DVD, and which window to report to.
    {
        PluginDll mpc("Mpc.dll");
        ASSERT_TRUE(mpc.loaded());
        TempFile log("fakeplayer_mpc");
        ScopedEnvironment options("SPINDREL_FAKEPLAYER", "--as mpc --log \"" + log.path() + "\"");
        EXPECT_NE(mpc.Start_DVD_Player('E'), 0);
        EXPECT_TRUE(waitForLogLine(log.path(), "arg E:\\"));
        EXPECT_TRUE(waitForLogLine(log.path(), "arg /dvd"));
        EXPECT_TRUE(waitForLogLine(log.path(), "arg /slave"));
        mpc.Kill_DVD_Player();
        EXPECT_TRUE(waitForLogLine(log.path(), "closed"));
    }

    // Without a drive the player gets no argument at all.
    PluginDll wyvernel("Wyvernel.dll");
    TempFile log("fakeplayer_nodrive");
    ScopedEnvironment options("SPINDREL_FAKEPLAYER", "--log \"" + log.path() + "\"");
    EXPECT_NE(wyvernel.Start_DVD_Player(0), 0);
    EXPECT_TRUE(waitForLogLine(log.path(), "args "));
    wyvernel.Kill_DVD_Player();
    EXPECT_TRUE(waitForLogLine(log.path(), "closed"));
}

TEST(PluginStartTest, ShellRefusalIsReportedAsNotStarted) {
    SavedRegistryValue located(kProgramKey, "PCDVD");
    located.set("C:\\no such folder\\no such player.exe");
    PluginDll brannock("Brannock.dll");
    ASSERT_TRUE(brannock.loaded());
    EXPECT_EQ(brannock.Start_DVD_Player('E'), 0);
}

// Each player's own rule, with copies of the stand-in under the players' file names.
TEST(PluginStartTest, WithoutALocatedPlayerEachDefaultRuleFindsItsProgram) {
    SavedRegistryValue located(kProgramKey, "PCDVD");
    located.remove();
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string folder =
        std::string(temp) + "spindrel_players_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    for (const char* name : {"Corvane.exe", "ctplay.exe", "CTDVDPLY.exe", "mpc-hc64.exe"}) {
        ASSERT_TRUE(CopyFileA(fakePlayerPath().c_str(), (folder + "\\" + name).c_str(), FALSE));
    }
    SavedRegistryValue corvaneFolder("Software\\CyberLink\\Corvane", "InstallDir");
    SavedRegistryValue brannockFolder("Software\\Creative Tech\\Creative Brannock", "Path");
    // MPC-HC records the whole path, in the view of its own bitness: this 64-bit test's own.
    SavedRegistryValue mpcProgram("Software\\MPC-HC\\MPC-HC", "ExePath");
    corvaneFolder.set(folder);
    brannockFolder.set(folder);
    mpcProgram.set(folder + "\\mpc-hc64.exe");
    char previousFolder[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previousFolder);

    struct Case {
        const Player* player;
        bool fromCurrentFolder;  // the bare file name, found by the shell
    };
    for (const Case& c :
         {Case{&kCorvane, false}, Case{&kBrannock, false}, Case{&kWyvernel, true},
          Case{&kMpc, false}}) {
        SCOPED_TRACE(c.player->dll);
        if (c.fromCurrentFolder) SetCurrentDirectoryA(folder.c_str());
        PluginDll plugin(c.player->dll);
        TempFile log("fakeplayer_default");
        ScopedEnvironment options("SPINDREL_FAKEPLAYER", std::string("--as ") + c.player->as +
                                                             " --log \"" + log.path() + "\"");
        EXPECT_NE(plugin.Start_DVD_Player('D'), 0);
        EXPECT_TRUE(waitForLogLine(log.path(), "arg D:\\"));
        plugin.Kill_DVD_Player();
        EXPECT_TRUE(waitForLogLine(log.path(), "closed"));
        SetCurrentDirectoryA(previousFolder);
    }

    for (const char* name : {"Corvane.exe", "ctplay.exe", "CTDVDPLY.exe", "mpc-hc64.exe"}) {
        for (int tries = 0; tries < 100 && !DeleteFileA((folder + "\\" + name).c_str()); ++tries) {
            Sleep(20);  // the closed player may not have let go of its file yet
        }
    }
    RemoveDirectoryA(folder.c_str());
}

// A busy player, late with every answer but still pumping messages, is not judged hung: each
// call then waits out its own time-out.
TEST(PluginHungPlayerTest, SendAndWaitGiveUpAfterTheirOwnTimeOuts) {
    PluginDll wyvernel("Wyvernel.dll");
    ASSERT_TRUE(wyvernel.loaded());
    FakePlayerProcess player("wyvernel", kWyvernel.mainClass, kWyvernel.mainTitle, "--slow 12000");
    ASSERT_NE(player.mainWindow(), nullptr);

    LARGE_INTEGER start = now();
    wyvernel.Send_To_DVD(0);
    const double sendMs = elapsedMs(start);
    EXPECT_GE(sendMs, 4900.0);
    EXPECT_LE(sendMs, 6000.0);

    start = now();
    EXPECT_EQ(wyvernel.Wait_For_Player(), 0);
    const double waitMs = elapsedMs(start);
    EXPECT_GE(waitMs, 9900.0);
    EXPECT_LE(waitMs, 11000.0);
    player.kill();
}

// A player that has stopped pumping altogether: the first call waits out its time-out, by which
// time the system judges the window hung, and the next call gives up at once.
TEST(PluginHungPlayerTest, HungPlayerIsGivenUpOnAtOnceOnceJudgedHung) {
    PluginDll wyvernel("Wyvernel.dll");
    ASSERT_TRUE(wyvernel.loaded());
    FakePlayerProcess player("wyvernel", kWyvernel.mainClass, kWyvernel.mainTitle);
    ASSERT_NE(player.mainWindow(), nullptr);
    PostMessageA(player.mainWindow(), kFakeHang, 15000, 0);
    ASSERT_TRUE(waitForLogLine(player.logPath(), "hang 15000", 5000));

    LARGE_INTEGER start = now();
    wyvernel.Send_To_DVD(0);
    const double sendMs = elapsedMs(start);
    EXPECT_GE(sendMs, 4900.0);
    EXPECT_LE(sendMs, 6000.0);

    start = now();
    EXPECT_EQ(wyvernel.Wait_For_Player(), 0);
    EXPECT_LE(elapsedMs(start), 1000.0);
    player.kill();
}

}  // namespace
}  // namespace spindrel::testing
