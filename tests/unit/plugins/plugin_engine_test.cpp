// The plug-in engine over the doubles: which windows each player is found by, what happens with
// and without a running player, and how the player program is found and started.

#include "plugins/engine.h"
#include "platform/http_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <map>
#include <set>
#include <vector>

#include "support/fake_drives.h"
#include "support/fake_file_io.h"
#include "support/fake_local_web.h"
#include "support/fake_platform.h"
#include "support/fake_registry.h"

namespace spindrel::plugins {
namespace {

using testing::FakeRegistry;
using testing::FakeShell;
using testing::FakeWindows;

constexpr const char* kProgramKeyPath = "\\Software\\Tolvrey\\DVD-Spindrel\\";

class PluginEngineTest : public ::testing::Test {
protected:
    PluginEngine engine(const PlayerProfile& profile) {
        return PluginEngine(
            profile, windows, shell, registry,
            [this](const std::string& name) {
                const auto found = environment.find(name);
                return found == environment.end() ? std::nullopt
                                                  : std::optional<std::string>(found->second);
            },
            [this](const std::string& path) { return files.count(path) != 0; });
    }
    // The path of the one launch made so far.
    std::string launchedFile() {
        EXPECT_EQ(shell.launches.size(), 1u);
        return shell.launches.empty() ? "" : shell.launches.back().file;
    }

    FakeWindows windows;
    FakeShell shell;
    FakeRegistry registry;
    std::map<std::string, std::string> environment;
    std::set<std::string> files;
};

TEST_F(PluginEngineTest, EachPlayerIsFoundOnlyByItsOwnClassAndTitle) {
    const WindowHandle universal =
        windows.addWindow("Class of CyberLink Universal Player", "CyberLink Universal Player");
    const WindowHandle corvaneTitled =
        windows.addWindow("Class of CyberLink Universal Player", "Corvane");
    const WindowHandle video = windows.addWindow("CyberLink Video Window Class", "Corvane");
    EXPECT_EQ(engine(corvaneProfile()).mainWindow(), universal);
    EXPECT_EQ(engine(corvane3Profile()).mainWindow(), corvaneTitled);
    EXPECT_EQ(engine(corvaneProfile()).videoWindow(), video);
    EXPECT_EQ(engine(corvane3Profile()).videoWindow(), video);

    windows.removeWindow(universal);
    EXPECT_EQ(engine(corvaneProfile()).mainWindow(), 0u);
    windows.removeWindow(corvaneTitled);
    windows.addWindow("Class of CyberLink Universal Player", "CyberLink Universal Player");
    EXPECT_EQ(engine(corvane3Profile()).mainWindow(), 0u);

    const WindowHandle brannock = windows.addWindow("CTBrannock", "Creative Brannock");
    const WindowHandle brannockVideo =
        windows.addWindow("DVDFrame", "Creative SoftPC-DVD software decoder Video Windo");
    const WindowHandle wyvernel = windows.addWindow("PlayWnd", "Creative PC-DVD Player");
    const WindowHandle wyvernelVideo = windows.addWindow("DVDFrame", "Creative PC-DVD Video Window");
    EXPECT_EQ(engine(brannockProfile()).mainWindow(), brannock);
    EXPECT_EQ(engine(brannockProfile()).videoWindow(), brannockVideo);
    EXPECT_EQ(engine(wyvernelProfile()).mainWindow(), wyvernel);
    EXPECT_EQ(engine(wyvernelProfile()).videoWindow(), wyvernelVideo);
}

TEST_F(PluginEngineTest, MpcIsFoundByEitherClassWhateverTheTitleAndDrawsInItsMainWindow) {
    PluginEngine mpc = engine(mpcProfile());
    windows.addWindow("MediaPlayerClassicA", "");
    EXPECT_EQ(mpc.mainWindow(), 0u);
    EXPECT_EQ(mpc.videoWindow(), 0u);
    const WindowHandle be = windows.addWindow("MPC-BE", "Film.vob - MPC-BE");
    EXPECT_EQ(mpc.mainWindow(), be);
    const WindowHandle hc = windows.addWindow("MediaPlayerClassicW", "Media Player Classic");
    EXPECT_EQ(mpc.mainWindow(), hc);
    EXPECT_EQ(mpc.videoWindow(), hc);
    mpc.sendButton(933);
    ASSERT_EQ(windows.messages.size(), 1u);
    EXPECT_EQ(windows.messages[0].window, hc);
    EXPECT_TRUE(windows.foregrounds.empty());
}

TEST_F(PluginEngineTest, MpcStartsTheFirstPlayerThatIsThereWithTheDvdSwitch) {
    environment = {{"ProgramW6432", "C:\\Program Files"},
                   {"ProgramFiles(x86)", "C:\\Program Files (x86)"},
                   {"ProgramFiles", "C:\\Program Files"}};
    // Nothing installed: the shell is left to find the 64-bit MPC-HC.
    EXPECT_EQ(engine(mpcProfile()).playerPath(), "mpc-hc64.exe");

    // Each step up this list is preferred to everything below it.
    const std::vector<std::pair<std::string, RegRoot>> ladder = {
        {"C:\\Program Files\\MPC-BE\\mpc-be.exe", RegRoot::currentUser},
        {"C:\\Program Files (x86)\\MPC-BE\\mpc-be.exe", RegRoot::currentUser},
        {"C:\\Program Files\\MPC-BE x64\\mpc-be64.exe", RegRoot::currentUser},
        {"D:\\BE32\\mpc-be.exe", RegRoot::localMachine32},
        {"D:\\BE64\\mpc-be64.exe", RegRoot::localMachine64},
        {"C:\\Program Files\\MPC-HC\\mpc-hc.exe", RegRoot::currentUser},
        {"C:\\Program Files (x86)\\MPC-HC\\mpc-hc.exe", RegRoot::currentUser},
        {"C:\\Program Files\\MPC-HC\\mpc-hc64.exe", RegRoot::currentUser},
        {"D:\\HC32\\mpc-hc.exe", RegRoot::localMachine32},
        {"D:\\HC64\\mpc-hc64.exe", RegRoot::localMachine64},
    };
    for (const auto& [path, root] : ladder) {
        if (root != RegRoot::currentUser) {
            const char* key = path.find("HC") != std::string::npos ? "\\Software\\MPC-HC\\MPC-HC"
                                                                   : "\\Software\\MPC-BE";
            // A recorded path whose file is gone is passed over.
            registry.setString(root, key, "ExePath", path);
            EXPECT_NE(engine(mpcProfile()).playerPath(), path);
        }
        files.insert(path);
        EXPECT_EQ(engine(mpcProfile()).playerPath(), path);
    }

    EXPECT_TRUE(engine(mpcProfile()).startPlayer('E'));
    EXPECT_EQ(launchedFile(), "D:\\HC64\\mpc-hc64.exe");
    EXPECT_EQ(shell.launches[0].parameters, "E:\\ /dvd");
    // MPC opens the disc drive by itself with its switch alone: the automatic run's letter 0.
    EXPECT_TRUE(engine(mpcProfile()).startPlayer(0));
    EXPECT_EQ(shell.launches[1].parameters, "/dvd");
    // With a window to report to, MPC is told which, as the signed number it reads back.
    PluginEngine reporting = engine(mpcProfile());
    reporting.setReportWindow(0x8001234Au);
    EXPECT_TRUE(reporting.startPlayer('E'));
    EXPECT_EQ(shell.launches[2].parameters, "E:\\ /dvd /slave -2147409078");

    // The located player still comes first.
    registry.setString(RegRoot::localMachine, kProgramKeyPath, "PCDVD", "C:\\Mine\\player.exe");
    EXPECT_EQ(engine(mpcProfile()).playerPath(), "C:\\Mine\\player.exe");
    EXPECT_EQ(registry.openHandles(), 0);
}

TEST_F(PluginEngineTest, WindowsAreLookedUpAnewOnEveryCall) {
    PluginEngine wyvernel = engine(wyvernelProfile());
    EXPECT_EQ(wyvernel.mainWindow(), 0u);
    const WindowHandle first = windows.addWindow("PlayWnd", "Creative PC-DVD Player");
    EXPECT_EQ(wyvernel.mainWindow(), first);
    windows.removeWindow(first);
    const WindowHandle second = windows.addWindow("PlayWnd", "Creative PC-DVD Player");
    wyvernel.sendButton(0);
    ASSERT_EQ(windows.messages.size(), 1u);
    EXPECT_EQ(windows.messages[0].window, second);
}

TEST_F(PluginEngineTest, WithoutAPlayerNothingIsSentRaisedClosedOrWaitedFor) {
    windows.addWindow("CyberLink Video Window Class", "Corvane");
    windows.addWindow("DVDFrame", "Creative PC-DVD Video Window");
    for (const PlayerProfile* profile :
         {&corvaneProfile(), &corvane3Profile(), &brannockProfile(), &wyvernelProfile(),
          &mpcProfile()}) {
        PluginEngine e = engine(*profile);
        for (int code = -1; code <= 960; ++code) EXPECT_EQ(e.sendButton(code), 0);
        EXPECT_EQ(e.closePlayer(), 0);
        EXPECT_EQ(e.waitForPlayer(), 0);
    }
    EXPECT_TRUE(windows.messages.empty());
    EXPECT_TRUE(windows.foregrounds.empty());
}

TEST_F(PluginEngineTest, CorvaneRaisesTheVideoWindowAfterEveryButtonEvenUnknownOnes) {
    const WindowHandle main =
        windows.addWindow("Class of CyberLink Universal Player", "CyberLink Universal Player");
    const WindowHandle video = windows.addWindow("CyberLink Video Window Class", "Corvane");
    PluginEngine corvane = engine(corvaneProfile());
    EXPECT_EQ(corvane.sendButton(27), 1);
    EXPECT_EQ(corvane.sendButton(-1), 1);
    EXPECT_TRUE(windows.messages.empty());
    corvane.sendButton(21);
    EXPECT_EQ(windows.foregrounds, (std::vector<WindowHandle>{video, video, video}));
    // The raise comes after the button's messages.
    ASSERT_EQ(windows.messages.size(), 2u);
    EXPECT_EQ(windows.messages[0].window, main);

    // With no video window the raise is still tried, on the null handle, and its failure returned.
    windows.removeWindow(video);
    EXPECT_EQ(corvane.sendButton(0), 0);
    EXPECT_EQ(windows.foregrounds.back(), 0u);
    EXPECT_EQ(windows.messages.size(), 3u);
}

TEST_F(PluginEngineTest, CreativePlayersNeverRaiseAWindow) {
    windows.addWindow("CTBrannock", "Creative Brannock");
    windows.addWindow("PlayWnd", "Creative PC-DVD Player");
    windows.addWindow("DVDFrame", "Creative PC-DVD Video Window");
    for (int code = -1; code <= 30; ++code) {
        engine(brannockProfile()).sendButton(code);
        engine(wyvernelProfile()).sendButton(code);
    }
    EXPECT_FALSE(windows.messages.empty());
    EXPECT_TRUE(windows.foregrounds.empty());
}

TEST_F(PluginEngineTest, CloseIsPostedAndWaitIsSentWithItsOwnTimeOut) {
    const WindowHandle main = windows.addWindow("PlayWnd", "Creative PC-DVD Player");
    PluginEngine wyvernel = engine(wyvernelProfile());
    EXPECT_EQ(wyvernel.waitForPlayer(), 1);
    EXPECT_EQ(wyvernel.closePlayer(), 1);
    ASSERT_EQ(windows.messages.size(), 2u);
    const testing::WindowMessage& wait = windows.messages[0];
    EXPECT_EQ(wait.window, main);
    EXPECT_EQ(wait.message, 0x0400u);
    EXPECT_EQ(wait.wParam, 0u);
    EXPECT_EQ(wait.lParam, 0);
    EXPECT_TRUE(wait.sent);
    EXPECT_EQ(wait.timeoutMs, 10000u);
    const testing::WindowMessage& close = windows.messages[1];
    EXPECT_EQ(close.window, main);
    EXPECT_EQ(close.message, 0x0010u);
    EXPECT_EQ(close.wParam, 0u);
    EXPECT_EQ(close.lParam, 0);
    EXPECT_FALSE(close.sent);

    // A hung player does not answer.
    windows.windows.front().hung = true;
    EXPECT_EQ(wyvernel.waitForPlayer(), 0);
}

TEST_F(PluginEngineTest, AbilitiesOverwriteTheBufferAndEndInNul) {
    std::vector<char> buffer(10000, 'x');
    char* result = engine(brannockProfile()).writeAbilities(buffer.data());
    EXPECT_EQ(result, buffer.data());
    const std::string text = abilityText(brannockProfile());
    EXPECT_EQ(std::string(buffer.data()), text);
    EXPECT_EQ(buffer[text.size()], '\0');
    EXPECT_EQ(text.rfind("-(0,0,0,0)"), text.size() - 10);
}

TEST_F(PluginEngineTest, StartPassesTheDriveRootOpenVerbEmptyFolderAndShow) {
    EXPECT_TRUE(engine(wyvernelProfile()).startPlayer('E'));
    ASSERT_EQ(shell.launches.size(), 1u);
    const FakeShell::Launch& launch = shell.launches[0];
    EXPECT_EQ(launch.verb, "open");
    EXPECT_EQ(launch.file, "CTDVDPLY.exe");
    EXPECT_EQ(launch.parameters, "E:\\");
    EXPECT_EQ(launch.directory, "");
    EXPECT_EQ(launch.showCommand, 5);

    EXPECT_TRUE(engine(wyvernelProfile()).startPlayer(0));
    EXPECT_EQ(shell.launches[1].parameters, "");
}

TEST_F(PluginEngineTest, StartSucceedsOnlyWhenTheShellResultIsAbove32) {
    const std::map<std::intptr_t, bool> results = {
        {33, true}, {42, true}, {32, false}, {2, false}, {0, false}, {-5, false}};
    for (const auto& [result, started] : results) {
        shell.result = result;
        EXPECT_EQ(engine(corvaneProfile()).startPlayer('D'), started) << result;
    }
}

TEST_F(PluginEngineTest, ProgramKeyIsCreatedAndReleasedWhenStarting) {
    engine(brannockProfile()).startPlayer('E');
    EXPECT_TRUE(registry.keyExists(RegRoot::localMachine, kProgramKeyPath));
    EXPECT_EQ(registry.openHandles(), 0);
}

TEST_F(PluginEngineTest, DefaultPathsFollowEachPlayersOwnKey) {
    EXPECT_EQ(engine(corvaneProfile()).playerPath(), "Corvane.exe");
    EXPECT_EQ(engine(brannockProfile()).playerPath(), "ctplay.exe");
    EXPECT_EQ(engine(wyvernelProfile()).playerPath(), "CTDVDPLY.exe");

    // A key without the value is no better than no key.
    registry.createKey(RegRoot::localMachine64, "\\Software\\CyberLink\\Corvane");
    EXPECT_EQ(engine(corvaneProfile()).playerPath(), "Corvane.exe");

    // The 32-bit player's installer writes to the 32-bit view on 64-bit Windows; the 64-bit
    // view comes first where both have it.
    registry.setString(RegRoot::localMachine32, "\\Software\\CyberLink\\Corvane", "InstallDir",
                       "C:\\Player32");
    EXPECT_EQ(engine(corvaneProfile()).playerPath(), "C:\\Player32\\Corvane.exe");
    registry.setString(RegRoot::localMachine64, "\\Software\\CyberLink\\Corvane", "InstallDir",
                       "C:\\Player");
    EXPECT_EQ(engine(corvaneProfile()).playerPath(), "C:\\Player\\Corvane.exe");
    EXPECT_EQ(engine(corvane3Profile()).playerPath(), "C:\\Player\\Corvane.exe");
    registry.setString(RegRoot::localMachine64, "\\Software\\CyberLink\\Corvane", "InstallDir",
                       "C:\\Player\\");
    EXPECT_EQ(engine(corvaneProfile()).playerPath(), "C:\\Player\\\\Corvane.exe");

    registry.setString(RegRoot::localMachine32, "\\Software\\Creative Tech\\Creative Brannock",
                       "Path", "D:\\Creative");
    EXPECT_EQ(engine(brannockProfile()).playerPath(), "D:\\Creative\\ctplay.exe");
    // Wyvernel reads no key of the player's, not even another player's.
    EXPECT_EQ(engine(wyvernelProfile()).playerPath(), "CTDVDPLY.exe");

    // The players' own keys are only read, never created.
    FakeRegistry empty;
    PluginEngine(brannockProfile(), windows, shell, empty).playerPath();
    for (const RegRoot view :
         {RegRoot::localMachine, RegRoot::localMachine64, RegRoot::localMachine32}) {
        EXPECT_FALSE(empty.keyExists(view, "\\Software\\Creative Tech"));
    }
    EXPECT_EQ(registry.openHandles(), 0);
}

TEST_F(PluginEngineTest, LocatedPlayerIsUsedVerbatimBeforeThePlayersOwnKey) {
    registry.setString(RegRoot::localMachine64, "\\Software\\CyberLink\\Corvane", "InstallDir",
                       "C:\\Player");
    registry.setString(RegRoot::localMachine, kProgramKeyPath, "PCDVD",
                       "C:\\Other Player\\run me.exe");
    engine(corvaneProfile()).startPlayer('E');
    EXPECT_EQ(launchedFile(), "C:\\Other Player\\run me.exe");
    EXPECT_EQ(engine(wyvernelProfile()).playerPath(), "C:\\Other Player\\run me.exe");
    // A standard user's own choice, kept under HKEY_CURRENT_USER, comes before the machine's.
    registry.setString(RegRoot::currentUser, kProgramKeyPath, "PCDVD", "C:\\Mine\\player.exe");
    EXPECT_EQ(engine(wyvernelProfile()).playerPath(), "C:\\Mine\\player.exe");
    EXPECT_EQ(registry.openHandles(), 0);
}

TEST_F(PluginEngineTest, LocatedPlayerOfAnotherTypeIsPassedOverOrExpanded) {
    registry.setString(RegRoot::localMachine64, "\\Software\\Creative Tech\\Creative Brannock",
                       "Path", "D:\\Creative");
    registry.setDword(RegRoot::localMachine, kProgramKeyPath, "PCDVD", 7);
    EXPECT_EQ(engine(brannockProfile()).playerPath(), "D:\\Creative\\ctplay.exe");
    registry.setValue(RegRoot::localMachine, kProgramKeyPath, "PCDVD",
                      RegValue{RegType::binary, {'C', ':', '\\', 'x'}});
    EXPECT_EQ(engine(brannockProfile()).playerPath(), "D:\\Creative\\ctplay.exe");
    // Nor does a number in the player's own key make a folder.
    registry.setDword(RegRoot::localMachine64, "\\Software\\Creative Tech\\Creative Brannock",
                      "Path", 3);
    EXPECT_EQ(engine(brannockProfile()).playerPath(), "ctplay.exe");

    environment["ProgramFiles"] = "C:\\Program Files";
    const std::string expandable = "%ProgramFiles%\\Players\\%NoSuchName%\\p.exe";
    registry.setValue(RegRoot::localMachine, kProgramKeyPath, "PCDVD",
                      RegValue{RegType::expandString, {expandable.begin(), expandable.end()}});
    EXPECT_EQ(engine(brannockProfile()).playerPath(),
              "C:\\Program Files\\Players\\%NoSuchName%\\p.exe");
    // A plain string is verbatim: no expansion, and a stored terminator is not part of it.
    const std::string plain = std::string("%ProgramFiles%\\p.exe") + '\0';
    registry.setValue(RegRoot::localMachine, kProgramKeyPath, "PCDVD",
                      RegValue{RegType::string, {plain.begin(), plain.end()}});
    EXPECT_EQ(engine(brannockProfile()).playerPath(), "%ProgramFiles%\\p.exe");
}

TEST_F(PluginEngineTest, ProgramKeyThatCannotBeCreatedFallsBackToTheDefault) {
    registry.makeReadOnly(RegRoot::localMachine, "\\Software\\Tolvrey");
    EXPECT_TRUE(engine(wyvernelProfile()).startPlayer('E'));
    EXPECT_EQ(launchedFile(), "CTDVDPLY.exe");
    EXPECT_EQ(registry.openHandles(), 0);
}

// As Windows answers a user without write rights: the key opens for reading only.
class WriteProtectedRegistry : public FakeRegistry {
public:
    RegStatus openKey(RegRoot root, const std::string& path, bool create, RegKey& key) override {
        if (create) return RegStatus::accessDenied;
        return FakeRegistry::openKey(root, path, false, key);
    }
};

TEST_F(PluginEngineTest, ReadOnlyProgramKeyStillNamesTheLocatedPlayer) {
    WriteProtectedRegistry protectedRegistry;
    protectedRegistry.setString(RegRoot::localMachine, kProgramKeyPath, "PCDVD",
                                "C:\\P\\player.exe");
    PluginEngine wyvernel(wyvernelProfile(), windows, shell, protectedRegistry);
    EXPECT_TRUE(wyvernel.startPlayer('E'));
    EXPECT_EQ(launchedFile(), "C:\\P\\player.exe");
    EXPECT_EQ(protectedRegistry.openHandles(), 0);
}

// VLC: the web interface it is started with, or the one the user turned on in its settings.
class VlcEngineTest : public PluginEngineTest {
  protected:
    PluginEngine vlc() {
        PluginEngine e = engine(vlcProfile());
        e.attachWeb({web, web, settingsFiles, drives, session});
        return e;
    }
    void userSettings(const std::string& text) {
        environment["APPDATA"] = "C:\\Users\\u\\AppData\\Roaming";
        settingsFiles.put("C:\\Users\\u\\AppData\\Roaming\\vlc\\vlcrc", text);
    }

    testing::FakeLocalWeb web;
    testing::FakeFileSystem fileSystem;
    testing::FakeFileIo settingsFiles{fileSystem};
    testing::FakeDrives drives;
    WebSession session;
};

const std::string kSecret = "5a5a5a5a5a5a5a5a5a5a5a5a5a5a5a5a";

TEST_F(VlcEngineTest, StartTurnsOnTheWebInterfaceOnAFreePortWithAFreshPasswordAndPressesThroughIt) {
    const WindowHandle main = windows.addWindow("Qt5QWindowIcon", "Film - VLC media player");
    windows.addWindow("Qt5QWindowIcon", "Playlist");
    EXPECT_EQ(vlc().mainWindow(), main);
    EXPECT_EQ(vlc().videoWindow(), main);

    // Before a start, with no settings of the user's, there is nothing to press on.
    EXPECT_EQ(vlc().sendButton(12), 0);
    EXPECT_TRUE(web.requests.empty());

    windows.removeWindow(main);  // started while none runs
    ASSERT_TRUE(vlc().startPlayer('E'));
    const WindowHandle started = windows.addWindow("Qt5QWindowIcon", "VLC media player");
    EXPECT_EQ(launchedFile(), "vlc.exe");
    EXPECT_EQ(shell.launches[0].parameters,
              "--extraintf=http --http-host=127.0.0.1 --http-port=49321 --http-password=" +
                  kSecret + " --no-one-instance --no-dvdnav-menu dvd:///E:/");
    web.ports[49321].password = kSecret;
    EXPECT_EQ(vlc().sendButton(12), 1);
    ASSERT_EQ(web.requests.size(), 1u);
    EXPECT_EQ(web.requests[0].port, 49321);
    EXPECT_EQ(web.requests[0].password, kSecret);
    EXPECT_EQ(web.requests[0].path, "/requests/status.json?command=key&val=nav-down");

    // No player window: nothing is asked of the interface.
    windows.removeWindow(started);
    EXPECT_EQ(vlc().sendButton(12), 0);
    EXPECT_EQ(web.requests.size(), 1u);
}

TEST_F(VlcEngineTest, NoLaunchWithoutASecretOrAPortAndNoSessionFromARefusedLaunch) {
    web.randomWorks = false;
    EXPECT_FALSE(vlc().startPlayer('E'));
    web.randomWorks = true;
    web.freePort = 0;
    EXPECT_FALSE(vlc().startPlayer('E'));
    EXPECT_TRUE(shell.launches.empty());

    web.freePort = 50000;
    shell.result = 2;
    EXPECT_FALSE(vlc().startPlayer('E'));
    EXPECT_EQ(session.port, 0);
}

TEST_F(VlcEngineTest, LetterZeroOpensTheFirstDriveHoldingADvdVideo) {
    drives.drives['D'].type = kDriveTypeCdrom;  // empty
    drives.drives['E'].type = 3;                // a fixed disk with the folder
    drives.drives['E'].files["E:\\Video_ts\\video_ts.ifo"] = "x";
    ASSERT_TRUE(vlc().startPlayer(0));
    EXPECT_TRUE(shell.launches[0].parameters.ends_with("--no-dvdnav-menu"));
    drives.addDvd('F', "FILM", 1, 0);
    ASSERT_TRUE(vlc().startPlayer(0));
    EXPECT_TRUE(shell.launches[1].parameters.ends_with("--no-dvdnav-menu dvd:///F:/"));
}

TEST_F(VlcEngineTest, VlcIsFoundByItsKeyThenInstallFolderThenDefaultFolders) {
    environment = {{"ProgramW6432", "C:\\Program Files"},
                   {"ProgramFiles(x86)", "C:\\Program Files (x86)"},
                   {"ProgramFiles", "C:\\Program Files"}};
    const std::string key = "\\Software\\VideoLAN\\VLC";
    // Each step is preferred to everything after it.
    const std::vector<std::pair<std::string, std::function<void()>>> ladder = {
        {"C:\\Program Files (x86)\\VideoLAN\\VLC\\vlc.exe", [] {}},
        {"C:\\Program Files\\VideoLAN\\VLC\\vlc.exe", [] {}},
        {"D:\\V32\\vlc.exe",
         [&] { registry.setString(RegRoot::localMachine32, key, "InstallDir", "D:\\V32"); }},
        {"D:\\P32\\vlc.exe",
         [&] { registry.setString(RegRoot::localMachine32, key, "", "D:\\P32\\vlc.exe"); }},
        {"D:\\V64\\vlc.exe",
         [&] { registry.setString(RegRoot::localMachine64, key, "InstallDir", "D:\\V64"); }},
        {"D:\\P64\\vlc.exe",
         [&] { registry.setString(RegRoot::localMachine64, key, "", "D:\\P64\\vlc.exe"); }},
    };
    EXPECT_EQ(vlc().playerPath(), "vlc.exe");
    for (const auto& [path, record] : ladder) {
        record();
        // A recorded place whose program is gone is passed over.
        EXPECT_NE(vlc().playerPath(), path);
        files.insert(path);
        EXPECT_EQ(vlc().playerPath(), path);
    }
    EXPECT_EQ(registry.openHandles(), 0);
}

TEST_F(VlcEngineTest, AVlcTheUserStartedIsDrivenWithTheSettingsOfItsOwnFile) {
    WindowHandle user = windows.addWindow("Qt5QWindowIcon", "VLC media player");
    web.ports[8080].password = "mine";
    // VLC writes its defaults commented out: those are no password.
    userSettings("[http]\r\n#http-password=\r\n#http-port=8080\r\n");
    EXPECT_EQ(vlc().sendButton(0), 0);
    // A password saved while the web interface is off goes nowhere, whatever listens there.
    userSettings("[core]\nextraintf=rc\n[http]\nhttp-password=mine\n");
    EXPECT_EQ(vlc().sendButton(0), 0);
    EXPECT_TRUE(web.requests.empty());

    // The listener must first ask for a password as VLC does; then it has it until it fails.
    userSettings("[core]\ncontrol=rc:HTTP\n[http]\nhttp-password=mine\n# comment=1\n");
    EXPECT_EQ(vlc().sendButton(0), 1);
    EXPECT_EQ(vlc().sendButton(0), 1);
    ASSERT_EQ(web.requests.size(), 3u);
    EXPECT_EQ(web.requests[0].password, "");
    EXPECT_EQ(web.requests[1].port, 8080);
    EXPECT_EQ(web.requests[1].password, "mine");
    EXPECT_EQ(web.requests[2].password, "mine");

    // Another program took the port once VLC had gone: it never sees the password.
    windows.removeWindow(user);
    EXPECT_EQ(vlc().sendButton(0), 0);
    user = windows.addWindow("Qt5QWindowIcon", "VLC media player");
    web.ports[8080].challenge = "Basic realm=\"elsewhere\"";
    web.requests.clear();
    EXPECT_EQ(vlc().sendButton(0), 0);
    web.ports[8080] = {WebFailure::none, 200, 20, "mine", ""};
    EXPECT_EQ(vlc().sendButton(0), 0);
    ASSERT_EQ(web.requests.size(), 2u);
    EXPECT_EQ(web.requests[0].password + web.requests[1].password, "");

    userSettings("extraintf=luahttp\nhttp-password=mine\nhttp-port=9091\nhttp-host=LOCALHOST\n");
    web.ports[9091].password = "mine";
    EXPECT_EQ(vlc().sendButton(0), 1);
    EXPECT_EQ(web.requests.back().port, 9091);

    // An interface bound to another address is not on 127.0.0.1: nothing is sent elsewhere.
    userSettings("extraintf=http\nhttp-password=mine\nhttp-port=9091\nhttp-host=192.168.1.20\n");
    web.requests.clear();
    EXPECT_EQ(vlc().sendButton(0), 0);
    EXPECT_TRUE(web.requests.empty());

    // Once it has gone, the player this plug-in started gives way to the user's own.
    userSettings("extraintf=rc:http\nhttp-password=mine\nhttp-port=9091\n");
    windows.removeWindow(user);
    ASSERT_TRUE(vlc().startPlayer('E'));
    windows.addWindow("Qt5QWindowIcon", "VLC media player");
    EXPECT_TRUE(shell.launches[0].parameters.starts_with("--extraintf=rc:http "));
    EXPECT_EQ(vlc().sendButton(0), 1);
    ASSERT_EQ(web.requests.size(), 2u);
    EXPECT_EQ(web.requests[0].port, 49321);
    EXPECT_EQ(web.requests[1].port, 9091);

    // Only module names go onto the command line: a blank would split the argument.
    userSettings("extraintf=rc:my intf:qt\n");
    windows.windows.clear();
    ASSERT_TRUE(vlc().startPlayer('E'));
    EXPECT_TRUE(shell.launches[1].parameters.starts_with("--extraintf=rc:qt:http --http-host"));
}

TEST_F(VlcEngineTest, APortableVlcKeepsItsSettingsBesideTheProgram) {
    windows.addWindow("Qt5QWindowIcon", "VLC media player");
    registry.setString(RegRoot::localMachine64, "\\Software\\VideoLAN\\VLC", "InstallDir",
                       "D:\\VLC");
    files.insert("D:\\VLC\\vlc.exe");
    userSettings("extraintf=http\nhttp-password=mine\nhttp-port=9091\n");
    web.ports[9091].password = "mine";
    web.ports[9300].password = "portable";
    const std::string portable = "D:\\VLC\\portable\\vlcrc";
    settingsFiles.put(portable, "extraintf=http\nhttp-password=portable\nhttp-port=9300\n");
    EXPECT_EQ(vlc().sendButton(0), 1);
    EXPECT_EQ(web.requests.back().port, 9300);
    // The folder without the file: VLC's defaults, no web interface. The place is looked up
    // again once the player has been closed.
    settingsFiles.readErrors[portable] = 2;
    vlc().closePlayer();
    web.requests.clear();
    EXPECT_EQ(vlc().sendButton(0), 0);
    EXPECT_TRUE(web.requests.empty());
    // No such folder: the user's own settings.
    settingsFiles.readErrors[portable] = 3;
    vlc().closePlayer();
    EXPECT_EQ(vlc().sendButton(0), 1);
    EXPECT_EQ(web.requests.back().port, 9091);
}

TEST_F(VlcEngineTest, AStartedVlcThatIsGoneGivesWayToTheUsersOwnWithinOnePress) {
    windows.addWindow("Qt5QWindowIcon", "VLC media player");
    // As on Windows when its retries of a refused connection are not turned off.
    web.refusalMs = 2000;
    userSettings("extraintf=http\nhttp-password=mine\nhttp-port=9091\n");
    web.ports[9091].password = "mine";
    session = {7000, "pw", 0, 0, ""};
    EXPECT_EQ(vlc().waitForPlayer(), 1);
    EXPECT_LE(web.now, kPollTimeoutMs);
    // The first press still tries the dead port briefly; then it is forgotten.
    for (int i = 0; i < 5; ++i) {
        const double before = web.now;
        EXPECT_EQ(vlc().sendButton(0), 1);
        EXPECT_LE(web.now - before, i == 0 ? kSilentTimeoutMs + 20 : 20);
    }
    EXPECT_EQ(session.port, 0);

    // Not yet known to be dead, with the user's VLC silent: one deadline for the whole press.
    web.ports[9091].failure = WebFailure::timedOut;
    session = {7000, "pw", 0, 0, ""};
    web.now = 0;
    EXPECT_EQ(vlc().sendButton(0), 0);
    EXPECT_LE(web.now, kRequestTimeoutMs);
    EXPECT_EQ(session.port, 0);

    // Closing the player forgets it too.
    session = {7000, "pw", 0, 0, ""};
    vlc().closePlayer();
    EXPECT_EQ(session.port, 0);
}

TEST_F(VlcEngineTest, BadAnswersFailThePressAndASilentPlayerIsAskedBriefly) {
    windows.addWindow("Qt5QWindowIcon", "VLC media player");
    session = {7000, "pw", 0, 0, ""};
    web.ports[7000].password = "other";  // 401
    EXPECT_EQ(vlc().sendButton(0), 0);
    web.ports[7000] = {WebFailure::other, 0, 20, "pw"};
    EXPECT_EQ(vlc().sendButton(0), 0);
    web.ports.clear();  // refused: that VLC is gone
    EXPECT_EQ(vlc().sendButton(0), 0);
    EXPECT_EQ(session.port, 0);
    session = {7000, "pw", 0, 0, ""};

    // It stops answering mid-macro: the first press waits out the whole time-out, the next ones
    // only briefly, until it answers again.
    web.ports[7000] = {WebFailure::timedOut, 0, 0, "pw"};
    web.requests.clear();
    web.now = 0;
    EXPECT_EQ(vlc().sendButton(0), 0);
    EXPECT_EQ(vlc().sendButton(2), 0);
    EXPECT_EQ(web.now, kRequestTimeoutMs + 250);
    web.ports[7000] = {WebFailure::none, 200, 20, "pw"};
    EXPECT_EQ(vlc().sendButton(2), 1);
    EXPECT_EQ(vlc().sendButton(2), 1);
    ASSERT_EQ(web.requests.size(), 4u);
    EXPECT_EQ(web.requests[0].timeoutMs, 4950u);
    EXPECT_EQ(web.requests[1].timeoutMs, 250u);
    EXPECT_EQ(web.requests[2].timeoutMs, 250u);
    EXPECT_EQ(web.requests[3].timeoutMs, 4950u);
}

TEST_F(VlcEngineTest, WaitPollsTheInterfaceUntilItAnswersOrTenSecondsHavePassed) {
    windows.addWindow("Qt5QWindowIcon", "VLC media player");
    session = {7000, "pw", 0, 0, ""};
    // Never there: the wait ends at its bound, every poll short, and the settings read once.
    userSettings("");
    settingsFiles.reads = 0;
    EXPECT_EQ(vlc().waitForPlayer(), 0);
    EXPECT_EQ(settingsFiles.reads, 1);
    EXPECT_GE(web.now, 10000);
    EXPECT_LE(web.now, 10000 + kPollPauseMs);
    EXPECT_GT(web.requests.size(), 10u);
    EXPECT_TRUE(windows.messages.empty());

    // Up and answering at once.
    web.ports[7000].password = "pw";
    web.now = 0;
    EXPECT_EQ(vlc().waitForPlayer(), 1);
    EXPECT_EQ(web.requests.back().path, "/requests/status.xml");
    EXPECT_LE(web.requests.back().timeoutMs, kPollTimeoutMs);

    // Hung: each poll times out, and the whole wait still ends at its bound.
    web.ports[7000].failure = WebFailure::timedOut;
    web.now = 0;
    EXPECT_EQ(vlc().waitForPlayer(), 0);
    EXPECT_EQ(web.now, 10000);

    // A password it refuses does not get better by waiting.
    web.ports[7000] = {WebFailure::none, 200, 20, "other"};
    web.requests.clear();
    EXPECT_EQ(vlc().waitForPlayer(), 0);
    EXPECT_EQ(web.requests.size(), 1u);

    // A VLC this plug-in did not start (an earlier run's) is not this program's to press on.
    session = {};
    web.requests.clear();
    EXPECT_EQ(vlc().waitForPlayer(), 0);
    EXPECT_TRUE(web.requests.empty());
    EXPECT_TRUE(windows.messages.empty());
}

// Started while one runs: the running VLC is told to play the disc where its interface answers
// (and is then the one pressed on), else it is closed and a VLC of this plug-in's own started.
TEST_F(VlcEngineTest, StartWhileAVlcRunsHandsItTheDiscOrStartsItAfresh) {
    const WindowHandle old = windows.addWindow("Qt5QWindowIcon", "Film - VLC media player");
    userSettings("extraintf=http\nhttp-password=mine\n");
    web.ports[8080].password = "mine";
    ASSERT_TRUE(vlc().startPlayer('E'));
    EXPECT_TRUE(shell.launches.empty());
    EXPECT_TRUE(windows.messages.empty());
    // The user's password goes with it only once the listener asked for one as VLC does.
    ASSERT_EQ(web.requests.size(), 2u);
    EXPECT_EQ(web.requests[0].password, "");
    EXPECT_EQ(web.requests[1].port, 8080);
    EXPECT_EQ(web.requests[1].password, "mine");
    EXPECT_EQ(web.requests[1].path,
              "/requests/status.xml?command=in_play&option=%3Ano-dvdnav-menu&input="
              "dvd%3A%2F%2F%2FE%3A%2F");
    EXPECT_EQ(vlc().waitForPlayer(), 1);

    // Nothing answers: it is closed, and only once it has gone is the new one started.
    session = {};
    web.ports.clear();
    windows.closeOnWmClose = true;
    ASSERT_TRUE(vlc().startPlayer('E'));
    ASSERT_EQ(windows.messages.size(), 1u);
    EXPECT_EQ(windows.messages[0].window, old);
    EXPECT_EQ(windows.messages[0].message, 0x0010u);
    ASSERT_EQ(shell.launches.size(), 1u);
    EXPECT_TRUE(shell.launches[0].parameters.ends_with("dvd:///E:/"));
    EXPECT_EQ(session.port, 49321);

    // Its own VLC (one that stopped answering, or still closing for a restart) is not asked to
    // play the disc but closed; one that does not close within ten seconds is left, and nothing
    // is started beside it.
    windows.closeOnWmClose = false;
    windows.addWindow("Qt5QWindowIcon", "VLC media player");
    web.ports[49321].password = kSecret;
    web.requests.clear();
    web.now = 0;
    EXPECT_FALSE(vlc().startPlayer('E'));
    EXPECT_GE(web.now, 10000);
    EXPECT_EQ(shell.launches.size(), 1u);
    for (const auto& request : web.requests)
        EXPECT_NE(request.port, 49321);
}

TEST(VlcSettingsTest, HttpTextAndSettingsFile) {
    EXPECT_EQ(base64(""), "");
    EXPECT_EQ(base64(":"), "Og==");
    EXPECT_EQ(base64(":p"), "OnA=");
    EXPECT_EQ(base64(":pw"), "OnB3");
    EXPECT_EQ(httpGetRequest(8080, "/requests/status.xml", "pw"),
              "GET /requests/status.xml HTTP/1.0\r\nHost: 127.0.0.1:8080\r\n"
              "Authorization: Basic OnB3\r\nConnection: close\r\n\r\n");
    EXPECT_EQ(httpGetRequest(80, "/", ""),
              "GET / HTTP/1.0\r\nHost: 127.0.0.1:80\r\nConnection: close\r\n\r\n");
    EXPECT_EQ(
        parseHttpResponse(
            "HTTP/1.0 401 X\r\nA: b\r\nwww-authenticate:  Basic realm=\"VLC stream\" \r\n\r\n")
            ->challenge,
        kVlcChallenge);

    const std::string answer = "HTTP/1.1 200 OK\r\nContent-Length: 4\r\n\r\nbody";
    EXPECT_EQ(httpResponseLength(answer), answer.size());
    EXPECT_EQ(httpResponseLength("HTTP/1.1 200 OK\r\nContent-Length: 4\r\n"), std::nullopt);
    ASSERT_TRUE(parseHttpResponse(answer));
    EXPECT_EQ(parseHttpResponse(answer)->status, 200);
    EXPECT_EQ(parseHttpResponse(answer)->body, "body");
    // Without a length the body runs to the end; a body cut short is broken.
    EXPECT_EQ(parseHttpResponse("HTTP/1.0 401 Unauthorized\r\n\r\nno")->status, 401);
    EXPECT_FALSE(parseHttpResponse("HTTP/1.1 200 OK\r\ncontent-length: 9\r\n\r\nbody"));
    EXPECT_FALSE(parseHttpResponse("HTTP/1.1 2x0 OK\r\n\r\n"));
    EXPECT_FALSE(parseHttpResponse("SSH-2.0\r\n\r\n"));
    EXPECT_FALSE(parseHttpResponse(""));
    // A length past what any answer needs is not believed: it could not be held, nor added up.
    const std::string huge = "HTTP/1.1 200 OK\r\nContent-Length: 18446744073709551610\r\n\r\nx";
    EXPECT_EQ(httpResponseLength(huge), std::nullopt);
    EXPECT_EQ(parseHttpResponse(huge)->body, "x");

    const VlcSettings s = parseVlcSettings("http-port=99999\r\nhttp-password=a=b\r\n");
    EXPECT_EQ(s.httpPort, 8080);
    EXPECT_EQ(s.httpPassword, "a=b");
    // As VLC reads a file edited by hand: a byte order mark, numbers as C writes them, a NUL
    // ends the line, a Ctrl-Z the file, and a last line without a newline loses a character.
    const VlcSettings edited =
        parseVlcSettings(std::string("\xef\xbb\xbfhttp-port=0x1f91\nhttp-password=ab\0c\n"
                                     "http-host=x\x1a\nextraintf=http\n",
                                     67));
    EXPECT_EQ(edited.httpPort, 8081);
    EXPECT_EQ(edited.httpPassword, "ab");
    EXPECT_EQ(edited.httpHost, "");
    EXPECT_EQ(edited.extraInterfaces, "");
    EXPECT_EQ(parseVlcSettings("http-port=010\nhttp-password=abcd").httpPassword, "abc");
    EXPECT_EQ(parseVlcSettings("http-port=010\n").httpPort, 8);
    EXPECT_EQ(parseVlcSettings("http-port=8081x\n").httpPort, 8080);
    for (const char* host : {"", "127.0.0.1", "LocalHost", "0.0.0.0"})
        EXPECT_TRUE(servesLoopback(host)) << host;
    for (const char* host : {"::", "[::]", "*", "::1", "10.0.0.1"})
        EXPECT_FALSE(servesLoopback(host)) << host;
    EXPECT_EQ(passwordText(std::string("\x00\xff\x1a", 3)), "00ff1a");
}

TEST(ExpandEnvironmentTest, ReplacesKnownNamesAndKeepsEverythingElse) {
    const EnvironmentLookup lookup = [](const std::string& name) -> std::optional<std::string> {
        if (name == "A") return std::string("alpha");
        if (name == "EMPTY") return std::string();
        return std::nullopt;
    };
    EXPECT_EQ(expandEnvironment("%A%\\%A%", lookup), "alpha\\alpha");
    EXPECT_EQ(expandEnvironment("x%EMPTY%y", lookup), "xy");
    EXPECT_EQ(expandEnvironment("%B%%A%", lookup), "%B%alpha");
    EXPECT_EQ(expandEnvironment("100%% sure", lookup), "100%% sure");
    EXPECT_EQ(expandEnvironment("50% of %A", lookup), "50% of %A");
    EXPECT_EQ(expandEnvironment("", lookup), "");
}

}  // namespace
}  // namespace spindrel::plugins
