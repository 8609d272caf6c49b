// Start-up of the real program under Wine: one copy per program file name, the settings key
// after a run, and the errors that end or cut short a start.

#include <gtest/gtest.h>

#include <cstring>

#include "e2e_support.h"

namespace spindrel::e2e {
namespace {

constexpr const char* kMainClass = "Tmain";
constexpr const char* kBoxClass = "#32770";

class StartupE2eTest : public ::testing::Test {
  protected:
    void SetUp() override { resetSettings("stub_plugin.dll"); }
    void TearDown() override { RegDeleteTreeA(HKEY_LOCAL_MACHINE, kSettingsKey); }

    std::unique_ptr<Process> start(const std::string& program, const std::string& args = "") {
        return std::make_unique<Process>(program, args, install.folder());
    }
    static void closeAndWait(const Process& process, HWND window) {
        PostMessageA(window, WM_CLOSE, 0, 0);
        DWORD code = 1;
        ASSERT_TRUE(process.waitForExit(kWaitMs, &code)) << "the program did not close";
        EXPECT_EQ(code, 0u);
    }

    Installation install;
};

TEST_F(StartupE2eTest, SecondCopyEndsAtOnceWhileARenamedCopyRuns) {
    auto first = start(install.path("DVD_Spindrel.exe"));
    HWND firstWindow = first->waitForWindow(kMainClass, true);
    ASSERT_NE(firstWindow, nullptr) << "the first copy's window did not appear";

    auto second = start(install.path("DVD_Spindrel.exe"));
    DWORD code = 1;
    ASSERT_TRUE(second->waitForExit(kWaitMs, &code)) << "the second copy kept running";
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(first->running());
    EXPECT_EQ(second->findWindow(kBoxClass, false), nullptr);

    auto renamed = start(install.copyProgramAs("Spindrel_other.exe"));
    HWND renamedWindow = renamed->waitForWindow(kMainClass, true);
    EXPECT_NE(renamedWindow, nullptr) << "a copy under another file name must run";
    EXPECT_TRUE(first->running());

    if (renamedWindow != nullptr)
        closeAndWait(*renamed, renamedWindow);
    closeAndWait(*first, firstWindow);
}

TEST_F(StartupE2eTest, MainWindowAndSettingsKeyAfterARun) {
    auto program = start(install.path("DVD_Spindrel.exe"));
    HWND window = program->waitForWindow(kMainClass, true);
    ASSERT_NE(window, nullptr);

    char title[64] = {};
    GetWindowTextA(window, title, sizeof title);
    EXPECT_STREQ(title, "DVD Spindrel");
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right - client.left, 512);
    EXPECT_EQ(client.bottom - client.top, 160);
    RECT frame;
    GetWindowRect(window, &frame);
    EXPECT_EQ(frame.left, 294);
    EXPECT_EQ(frame.top, 496);
    const DWORD attributes = GetFileAttributesA(install.path("dsm").c_str());
    EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        << "the dsm folder was not created beside the program";

    closeAndWait(*program, window);

    struct Expected {
        const char* name;
        DWORD type;
        std::vector<BYTE> data;
    };
    const Expected table[] = {
        {"Reset_Before_Test", REG_DWORD, {0, 0, 0, 0}},
        {"Animate_Sliders", REG_DWORD, {0, 0, 0, 0}},
        {"Launch_Other_Program", REG_DWORD, {0, 0, 0, 0}},
        {"Other_Program", REG_SZ, {0}},
        {"Position:Left", REG_DWORD, {294 & 0xFF, 294 >> 8, 0, 0}},
        {"Position:Top", REG_DWORD, {496 & 0xFF, 496 >> 8, 0, 0}},
    };
    for (const Expected& value : table) {
        DWORD type = 0;
        std::vector<BYTE> data;
        ASSERT_TRUE(readSetting(value.name, type, data)) << value.name << " was not written";
        EXPECT_EQ(type, value.type) << value.name;
        EXPECT_EQ(data, value.data) << value.name;
    }
}

TEST_F(StartupE2eTest, MovedWindowPositionIsStoredWhenItCloses) {
    auto program = start(install.path("DVD_Spindrel.exe"));
    HWND window = program->waitForWindow(kMainClass, true);
    ASSERT_NE(window, nullptr);
    SetWindowPos(window, nullptr, 100, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    closeAndWait(*program, window);

    DWORD type = 0;
    std::vector<BYTE> data;
    ASSERT_TRUE(readSetting("Position:Left", type, data));
    EXPECT_EQ(data, (std::vector<BYTE>{100, 0, 0, 0}));
    ASSERT_TRUE(readSetting("Position:Top", type, data));
    EXPECT_EQ(data, (std::vector<BYTE>{120, 0, 0, 0}));
}

TEST_F(StartupE2eTest, MissingPluginIsReportedAndTheProgramEndsWithoutItsWindow) {
    resetSettings("absent_plugin.dll");
    auto program = start(install.path("DVD_Spindrel.exe"));
    HWND box = program->waitForWindow(kBoxClass, true);
    ASSERT_NE(box, nullptr) << "no error box";
    EXPECT_EQ(messageBoxText(box),
              "Missing Dynamic Link Library\t\r\rDLL Name:\tabsent_plugin.dll");
    EXPECT_EQ(program->findWindow(kMainClass, true), nullptr);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(program->waitForExit(kWaitMs)) << "the program kept running";

    DWORD type = 0;
    std::vector<BYTE> data;
    EXPECT_FALSE(readSetting("Position:Left", type, data)) << "nothing may be saved";
}

TEST_F(StartupE2eTest, IncompletePluginNamesTheLastMissingExport) {
    const std::pair<const char*, const char*> plugins[] = {
        {"stub_plugin_nokill.dll", "Kill_DVD_Player"},
        {"stub_plugin_twomissing.dll", "Get_Abilities"},
    };
    for (const auto& [plugin, missing] : plugins) {
        SCOPED_TRACE(plugin);
        resetSettings(plugin);
        auto program = start(install.path("DVD_Spindrel.exe"));
        HWND box = program->waitForWindow(kBoxClass, true);
        ASSERT_NE(box, nullptr) << "no error box";
        EXPECT_EQ(messageBoxText(box),
                  std::string("Missing function in Dynamic Link Library\t\r\rDLL Name:\t") +
                      plugin + "\rExport:\t\t" + missing);
        EXPECT_EQ(program->findWindow(kMainClass, true), nullptr);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(program->waitForExit(kWaitMs));
        EXPECT_EQ(program->findWindow(kMainClass, false), nullptr);
    }
}

// The start is cut short: after the box the program ends, with no window left behind it and no
// second box, and the stored values stay as they were.
TEST_F(StartupE2eTest, WronglyTypedSettingIsShownThenTheProgramEnds) {
    for (const char* name : {"Position:Left", "Reset_Before_Test"}) {
        SCOPED_TRACE(name);
        resetSettings("stub_plugin.dll");
        setSettingString(name, "1");
        auto program = start(install.path("DVD_Spindrel.exe"));
        HWND box = program->waitForWindow(kBoxClass, true);
        ASSERT_NE(box, nullptr) << "no error box";
        const std::string text = messageBoxText(box);
        EXPECT_NE(text.find(std::string("'") + name + "'"), std::string::npos) << text;
        EXPECT_EQ(program->findWindow(kMainClass, true), nullptr);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        DWORD code = 1;
        ASSERT_TRUE(program->waitForExit(kWaitMs, &code)) << "the program kept running";
        EXPECT_EQ(code, 0u);
        // The DSM folder is prepared after the plug-in binding, which the error skipped.
        EXPECT_EQ(GetFileAttributesA(install.path("dsm").c_str()), INVALID_FILE_ATTRIBUTES);
        DWORD type = 0;
        std::vector<BYTE> data;
        ASSERT_TRUE(readSetting(name, type, data));
        EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
        EXPECT_FALSE(readSetting("Animate_Sliders", type, data)) << "nothing may be saved";
    }
}

}  // namespace
}  // namespace spindrel::e2e
