// The installer as a user meets it: a silent per-user install, the installed program started
// from elsewhere, and a silent uninstall that leaves the user's DSMs where they were.

#include <gtest/gtest.h>
#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include <fstream>
#include <string>

#include "e2e/e2e_support.h"
#include "support/wine_paths.h"
#include "win32/plugin_fakeplayer.h"

namespace spindrel::e2e {
namespace {

constexpr const char* kUninstallKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\DVD Spindrel";
constexpr int kInstallWaitMs = 60000;
constexpr const char* kAutoPlayProgId = "Software\\Classes\\Tolvrey.DVDSpindrel.AutoPlay";
constexpr const char* kAutoPlayHandler =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AutoplayHandlers\\Handlers\\"
    "TolvreyDVDSpindrelPlayDVDMovie";
constexpr const char* kAutoPlayEvent =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AutoplayHandlers\\EventHandlers\\"
    "PlayDVDMovieOnArrival";
constexpr const char* kAutoPlayHandlerName = "TolvreyDVDSpindrelPlayDVDMovie";

std::string shellFolder(int id) {
    char path[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, id, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

bool fileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string userString(const char* key, const char* name) {
    char text[MAX_PATH] = {};
    DWORD size = sizeof text;
    if (RegGetValueA(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, text, &size) !=
        ERROR_SUCCESS) {
        return "";
    }
    return text;
}

void removeTree(const std::string& folder) {
    SHFILEOPSTRUCTA operation{};
    const std::string from = folder + '\0';
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_NO_UI;
    SHFileOperationA(&operation);
}

class InstallerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = shellFolder(CSIDL_LOCAL_APPDATA) + "\\Programs\\DVD Spindrel";
        removeTree(folder);
        RegDeleteTreeA(HKEY_CURRENT_USER, kUninstallKey);
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kSettingsKey);
        RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
    }
    void TearDown() override {
        closeProcessesOfWindow("CTBrannock", "Creative Brannock");
        removeTree(folder);
        RegDeleteTreeA(HKEY_CURRENT_USER, kUninstallKey);
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kSettingsKey);
    }
    std::string at(const std::string& name) const { return folder + "\\" + name; }

    std::string folder;
};

TEST_F(InstallerTest, SilentInstallRunsAndSilentUninstallKeepsTheUsersDsms) {
    const std::string setup = testing::windowsPath(SPINDREL_SETUP);
    ASSERT_TRUE(fileExists(setup)) << setup << " is missing: build the package target";
    {
        Process installer(setup, "/S /PLAYER=Brannock.dll", "C:\\");
        DWORD code = 1;
        ASSERT_TRUE(installer.waitForExit(kInstallWaitMs, &code)) << "the installer kept running";
        ASSERT_EQ(code, 0u);
    }
    for (const char* file : {"DVD_Spindrel.exe", "Wyvernel.dll", "Brannock.dll", "Corvane.dll",
                             "Corvane3.dll", "Mpc.dll", "Vlc.dll", "images\\main_form.bmp",
                             "Uninstall.exe", "dsm"}) {
        EXPECT_TRUE(fileExists(at(file))) << file << " was not installed";
    }
    EXPECT_TRUE(fileExists(shellFolder(CSIDL_PROGRAMS) + "\\DVD Spindrel.lnk"));
    EXPECT_EQ(userString(kUninstallKey, "DisplayName"), "DVD Spindrel");
    EXPECT_EQ(userString(kUninstallKey, "QuietUninstallString"),
              "\"" + at("Uninstall.exe") + "\" /S");
    DWORD type = 0;
    std::vector<BYTE> plugin;
    ASSERT_TRUE(readSetting("DVD_Interface", type, plugin));
    EXPECT_STREQ(reinterpret_cast<const char*>(plugin.data()), "Brannock.dll");

    // Started from another folder, as a shortcut or autoplay would: the skin, the chosen
    // plug-in and the DSM folder are found beside the program.
    setSettingString("PCDVD", testing::fakePlayerPath());
    SetEnvironmentVariableA("SPINDREL_FAKEPLAYER", "--as brannock");
    {
        Process program(at("DVD_Spindrel.exe"), "", "C:\\");
        HWND window = program.waitForWindow("Tmain", true);
        ASSERT_NE(window, nullptr) << "the installed program showed no window";
        EXPECT_EQ(program.findWindow("#32770", true), nullptr) << "an error box opened";
        RECT client;
        GetClientRect(window, &client);
        EXPECT_EQ(client.right - client.left, 512) << "the skin was not loaded";
        RECT frame;
        GetWindowRect(window, &frame);
        EXPECT_GT(frame.left, -1000) << "the window was parked: the skin was not loaded";
        PostMessageA(window, WM_CLOSE, 0, 0);
        DWORD code = 1;
        EXPECT_TRUE(program.waitForExit(kWaitMs, &code)) << "the program did not close";
        EXPECT_EQ(code, 0u);
    }
    SetEnvironmentVariableA("SPINDREL_FAKEPLAYER", nullptr);

    // The program registered with Windows AutoPlay, beside another program's handler.
    RegSetKeyValueA(HKEY_CURRENT_USER, kAutoPlayProgId, nullptr, REG_SZ, "", 1);
    RegSetKeyValueA(HKEY_CURRENT_USER, kAutoPlayHandler, "InvokeVerb", REG_SZ, "play", 5);
    RegSetKeyValueA(HKEY_CURRENT_USER, kAutoPlayEvent, kAutoPlayHandlerName, REG_SZ, "", 1);
    RegSetKeyValueA(HKEY_CURRENT_USER, kAutoPlayEvent, "OtherDVDHandler", REG_SZ, "", 1);
    std::ofstream(at("dsm\\1a2b3c4d.dsm"), std::ios::binary) << "1000 Play\r\n";
    std::ofstream(at("dsm\\descriptions.idx"), std::ios::binary) << "1a2b3c4d.dsm=Mine\r\n";
    {
        // The uninstaller runs a copy of itself from the temporary folder and returns at once,
        // so its end shows as its own file gone.
        Process uninstaller(at("Uninstall.exe"), "/S", "C:\\");
        uninstaller.waitForExit(kInstallWaitMs);
    }
    // Its own file may go before it has cleared the AutoPlay registration: both are waited for.
    const auto stillRegistered = [] {
        return RegGetValueA(HKEY_CURRENT_USER, kAutoPlayEvent, kAutoPlayHandlerName, RRF_RT_ANY,
                            nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    };
    for (int waited = 0; (fileExists(at("Uninstall.exe")) || stillRegistered()) &&
                         waited < kInstallWaitMs;
         waited += 100) {
        Sleep(100);
    }
    for (const char* file : {"DVD_Spindrel.exe", "Brannock.dll", "images", "Uninstall.exe"}) {
        EXPECT_FALSE(fileExists(at(file))) << file << " was left behind";
    }
    EXPECT_TRUE(fileExists(at("dsm\\1a2b3c4d.dsm")));
    EXPECT_TRUE(fileExists(at("dsm\\descriptions.idx")));
    EXPECT_FALSE(fileExists(shellFolder(CSIDL_PROGRAMS) + "\\DVD Spindrel.lnk"));
    EXPECT_EQ(userString(kUninstallKey, "DisplayName"), "");
    HKEY key = nullptr;
    EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, kAutoPlayProgId, 0, KEY_READ, &key), ERROR_SUCCESS);
    EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, kAutoPlayHandler, 0, KEY_READ, &key), ERROR_SUCCESS);
    EXPECT_NE(RegGetValueA(HKEY_CURRENT_USER, kAutoPlayEvent, kAutoPlayHandlerName, RRF_RT_ANY,
                           nullptr, nullptr, nullptr),
              ERROR_SUCCESS)
        << "the AutoPlay event still names the program";
    EXPECT_EQ(RegGetValueA(HKEY_CURRENT_USER, kAutoPlayEvent, "OtherDVDHandler", RRF_RT_ANY,
                           nullptr, nullptr, nullptr),
              ERROR_SUCCESS)
        << "another program's handler was removed";
    RegDeleteKeyValueA(HKEY_CURRENT_USER, kAutoPlayEvent, "OtherDVDHandler");
}

}  // namespace
}  // namespace spindrel::e2e
