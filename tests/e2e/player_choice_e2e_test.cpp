// The player plug-in as a user with one player meets it: found at the first start, and chosen
// on the configuration panel, which stores the choice and starts the program anew with it.

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <fstream>
#include <set>
#include <utility>

#include "e2e_support.h"
#include "plugins/player_profile.h"
#include "ui/skin_layout.h"

namespace spindrel::e2e {
namespace {

constexpr const char* kMainClass = "Tmain";
constexpr const char* kTitle = "DVD Spindrel";
constexpr const char* kVlcKey = "Software\\VideoLAN";
constexpr const char* kBrannockKey = "Software\\Creative Tech";

using Places = std::set<std::pair<int, int>>;

Places placesOf(const plugins::PlayerProfile& profile) {
    Places places;
    for (const plugins::Ability& ability : profile.abilities) {
        if (ability.name != "-")
            places.insert({ability.x, ability.y});
    }
    return places;
}

std::string textOf(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// Where the remote panel's buttons are: each player's ability list puts its own.
Places remoteButtons(HWND window) {
    Places places;
    HWND remote = childWithText(window, "remote_panel");
    if (remote == nullptr)
        return places;
    for (HWND child : childrenOf(remote)) {
        char name[64] = {};
        GetClassNameA(child, name, sizeof name);
        if (GetParent(child) != remote || std::string(name) != "TCoolButton")
            continue;
        RECT rect;
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, remote, reinterpret_cast<POINT*>(&rect), 2);
        places.insert({rect.left, rect.top});
    }
    return places;
}

std::string playerShown(HWND window) {
    HWND config = childWithText(window, "config_panel");
    if (config == nullptr)
        return "<no panel>";
    HWND label = childAt(config, "TExtLabel", skin::config_panel::playerlabel);
    return label == nullptr ? "<no label>" : textOf(label);
}

// The program's main window, of whichever process shows it.
HWND mainWindow() {
    return FindWindowA(kMainClass, kTitle);
}

class PlayerChoiceE2eTest : public ::testing::Test {
  protected:
    void SetUp() override { clean(); }
    void TearDown() override {
        closeProcessesOfWindow(kMainClass, kTitle);
        clean();
    }
    static void clean() {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSettingsKey, 0, WRITE_DAC, &key) == ERROR_SUCCESS) {
            // Everybody may do everything again: the key of a standard user's test goes.
            SECURITY_DESCRIPTOR open;
            InitializeSecurityDescriptor(&open, SECURITY_DESCRIPTOR_REVISION);
            SetSecurityDescriptorDacl(&open, TRUE, nullptr, FALSE);
            RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &open);
            RegCloseKey(key);
        }
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kSettingsKey);
        RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
        for (const char* player : {kVlcKey, kBrannockKey})
            deleteFromBothViews(player);
    }
    // The keys are written to the 64-bit view, which an i686 test's plain delete would not reach.
    static void deleteFromBothViews(const char* path) {
        for (const REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
            HKEY software = nullptr;
            if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software", 0, KEY_ALL_ACCESS | view,
                              &software) != ERROR_SUCCESS) {
                continue;
            }
            RegDeleteTreeA(software, path + std::strlen("Software\\"));
            RegCloseKey(software);
        }
    }

    // Starts the program (no DVD_Interface stored anywhere) and waits for its remote panel.
    void start() {
        program = std::make_unique<Process>(install.path("DVD_Spindrel.exe"), "", install.folder());
        window = program->waitForWindow(kMainClass, true);
        ASSERT_NE(window, nullptr) << "the main window did not show";
        ASSERT_TRUE(waitFor([&] { return !remoteButtons(window).empty(); }))
            << "the remote panel got no buttons";
    }

    // The remote panel's buttons come one by one as their pictures load.
    static void expectRemote(HWND shown, const plugins::PlayerProfile& profile) {
        const Places expected = placesOf(profile);
        waitFor([&] { return remoteButtons(shown).size() >= expected.size(); });
        EXPECT_EQ(remoteButtons(shown), expected);
    }

    Installation install;
    std::unique_ptr<Process> program;
    HWND window = nullptr;
};

TEST_F(PlayerChoiceE2eTest, FirstStartBindsThePluginOfTheInstalledPlayer) {
    // VLC as its installer leaves it: the key names the program, which is there.
    const std::string vlc = install.path("vlc.exe");
    std::ofstream(vlc) << "stand-in";
    setMachineString("Software\\VideoLAN\\VLC", "", vlc, KEY_WOW64_64KEY);
    ASSERT_NO_FATAL_FAILURE(start());
    expectRemote(window, plugins::vlcProfile());
    EXPECT_EQ(playerShown(window), "VLC media player");
    PostMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(program->waitForExit(kWaitMs)) << "the program did not close";
    DWORD type = 0;
    std::vector<BYTE> data;
    EXPECT_FALSE(readSetting("DVD_Interface", type, data)) << "the first start stores no choice";

    // Creative's player beside VLC comes first: a Creative user sees no change.
    setMachineString("Software\\Creative Tech\\Creative Brannock", "Path", "C:\\Creative",
                     KEY_WOW64_64KEY);
    ASSERT_NO_FATAL_FAILURE(start());
    expectRemote(window, plugins::brannockProfile());
    EXPECT_EQ(playerShown(window), "Creative Brannock");
    PostMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(program->waitForExit(kWaitMs)) << "the program did not close";
}

// As a standard user, who may read the machine's settings but not write them. The list offers
// the plug-ins that bind, in the order of their players' names: the two broken stubs beside the
// program are left out, which the wrap-around of the Down key shows (with them the same presses
// would land elsewhere).
TEST_F(PlayerChoiceE2eTest, ChoosingMpcStoresItInTheUsersKeyAndTheRestartBringsItsRemote) {
    {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSettingsKey, 0, nullptr, 0, WRITE_DAC,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        SECURITY_DESCRIPTOR readOnly;
        InitializeSecurityDescriptor(&readOnly, SECURITY_DESCRIPTOR_REVISION);
        alignas(DWORD) BYTE aclBuffer[256];
        auto* acl = reinterpret_cast<PACL>(aclBuffer);
        BYTE sid[SECURITY_MAX_SID_SIZE];
        DWORD sidSize = sizeof sid;
        ASSERT_TRUE(CreateWellKnownSid(WinWorldSid, nullptr, sid, &sidSize));
        ASSERT_TRUE(InitializeAcl(acl, sizeof aclBuffer, ACL_REVISION));
        ASSERT_TRUE(AddAccessAllowedAce(acl, ACL_REVISION, KEY_READ | WRITE_DAC, sid));
        SetSecurityDescriptorDacl(&readOnly, TRUE, acl, FALSE);
        ASSERT_EQ(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &readOnly), ERROR_SUCCESS);
        RegCloseKey(key);
    }
    ASSERT_NO_FATAL_FAILURE(start());
    EXPECT_EQ(playerShown(window), "Creative PC-DVD Player");

    SetForegroundWindow(window);
    HWND config = childWithText(window, "config_panel");
    const auto configInView = [&] {
        RECT rect;
        GetWindowRect(config, &rect);
        MapWindowPoints(nullptr, GetParent(config), reinterpret_cast<POINT*>(&rect), 2);
        return rect.left == skin::base_panel::config_panel.left && IsWindowEnabled(config);
    };
    // Alt+C, again while the first panels are still arriving.
    ASSERT_TRUE(waitFor([&] {
        const LPARAM alt = LPARAM{1} << 29 | 1;
        PostMessageA(window, WM_SYSKEYDOWN, 'C', alt);
        PostMessageA(window, WM_SYSKEYUP, 'C', alt | LPARAM{3} << 30);
        return waitFor(configInView, 1500);
    })) << "the configuration panel did not come into view";
    const skin::Rect& label = skin::config_panel::playerlabel;
    const LPARAM onLabel = MAKELPARAM(label.left + label.width / 2, label.top + label.height / 2);
    PostMessageA(config, WM_LBUTTONDOWN, MK_LBUTTON, onLabel);
    PostMessageA(config, WM_LBUTTONUP, 0, onLabel);
    ASSERT_TRUE(waitFor([&] { return program->findWindow("#32768", true) != nullptr; }))
        << "a click on the player opened no list";
    // Brannock, Wyvernel, Corvane, Corvane3, Mpc, stub_plugin, Vlc: seven. Once round and on to
    // the fifth.
    for (int i = 0; i < 7 + 5; ++i)
        PostMessageA(window, WM_KEYDOWN, VK_DOWN, 1);
    PostMessageA(window, WM_KEYDOWN, VK_RETURN, 1);

    HWND box = program->waitForWindow("#32770", true);
    ASSERT_NE(box, nullptr) << "no question came";
    EXPECT_EQ(messageBoxText(box),
              "DVD-Spindrel will drive MPC-HC / MPC-BE from its next start.\r\r"
              "Restart DVD-Spindrel now?");
    DWORD type = 0;
    std::vector<BYTE> data;
    char stored[64] = {};
    DWORD size = sizeof stored;
    EXPECT_EQ(RegGetValueA(HKEY_CURRENT_USER, kSettingsKey, "DVD_Interface", RRF_RT_REG_SZ, nullptr,
                           stored, &size),
              ERROR_SUCCESS);
    EXPECT_STREQ(stored, "Mpc.dll");
    EXPECT_FALSE(readSetting("DVD_Interface", type, data)) << "the machine's key was written";
    PostMessageA(FindWindowExA(box, nullptr, "Button", "&Yes"), BM_CLICK, 0, 0);

    ASSERT_TRUE(program->waitForExit(kWaitMs)) << "the program did not close for its restart";
    HWND again = nullptr;
    ASSERT_TRUE(waitFor([&] {
        again = mainWindow();
        return again != nullptr && !remoteButtons(again).empty();
    })) << "the program did not start again";
    expectRemote(again, plugins::mpcProfile());
    EXPECT_EQ(playerShown(again), "MPC-HC / MPC-BE");
    PostMessageA(again, WM_CLOSE, 0, 0);
    EXPECT_TRUE(waitFor([] { return mainWindow() == nullptr; })) << "the restarted copy stayed";
}

}  // namespace
}  // namespace spindrel::e2e
