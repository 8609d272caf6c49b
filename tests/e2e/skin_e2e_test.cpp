// The skinned window under Wine: its shape, its panels, dragging it, and a skin file missing.

#include <gtest/gtest.h>

#include <fstream>

#include "e2e_support.h"
#include "support/wine_paths.h"

namespace spindrel::e2e {
namespace {

constexpr const char* kMainClass = "Tmain";
constexpr const char* kBoxClass = "#32770";

class SkinE2eTest : public ::testing::Test {
  protected:
    void SetUp() override {
        resetSettings("stub_plugin.dll");
        CreateDirectoryA(
            testing::windowsPath(std::string(SPINDREL_TESTBIN_DIR) + "/screens").c_str(), nullptr);
    }
    void TearDown() override { RegDeleteTreeA(HKEY_LOCAL_MACHINE, kSettingsKey); }

    std::string screenPath(const std::string& name) const {
        return testing::windowsPath(std::string(SPINDREL_TESTBIN_DIR) + "/screens/" + name +
                                    ".bmp");
    }
    // Waits until the window's first panel has slid in and its painting has settled.
    static void settle() { Sleep(1500); }

    Installation install;
};

TEST_F(SkinE2eTest, WindowTakesTheMaskedShapeAndClicksOutsideItPassThrough) {
    Process program(install.path("DVD_Spindrel.exe"), "", install.folder());
    HWND window = program.waitForWindow(kMainClass, true);
    ASSERT_NE(window, nullptr);
    settle();

    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_EQ(GetWindowRgn(window, region), COMPLEXREGION) << "the window has no shaped outline";
    EXPECT_FALSE(PtInRegion(region, 0, 0)) << "the top-left corner should be cut away";
    EXPECT_TRUE(PtInRegion(region, 256, 80));
    DeleteObject(region);

    RECT rect;
    GetWindowRect(window, &rect);
    const POINT corner{rect.left, rect.top};
    EXPECT_NE(GetAncestor(WindowFromPoint(corner), GA_ROOT), window)
        << "a click on a cut-out part must reach the window beneath";
    const POINT middle{rect.left + 256, rect.top + 80};
    EXPECT_EQ(GetAncestor(WindowFromPoint(middle), GA_ROOT), window);
    saveScreenshot(window, screenPath("main_window"));

    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(program.waitForExit(kWaitMs));
}

TEST_F(SkinE2eTest, EveryBigPanelComesInByItsShortcut) {
    Process program(install.path("DVD_Spindrel.exe"), "", install.folder());
    HWND window = program.waitForWindow(kMainClass, true);
    ASSERT_NE(window, nullptr);
    settle();
    const std::pair<char, const char*> panels[] = {{'D', "panel_dsm_info"},
                                                   {'B', "panel_button_list"},
                                                   {'F', "panel_filesystem"},
                                                   {'C', "panel_configuration"},
                                                   {'A', "panel_about"}};
    for (const auto& [key, name] : panels) {
        PostMessageA(window, WM_SYSKEYDOWN, static_cast<WPARAM>(key), LPARAM{1} << 29);
        Sleep(900);
        saveScreenshot(window, screenPath(name));
    }
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(program.waitForExit(kWaitMs));
}

// Skins made before the WIN button have no strip for it: the program still starts, and draws the
// button from its own copy of the default skin's picture.
TEST_F(SkinE2eTest, SkinWithoutTheWinButtonStripStartsAndShowsTheButtonAsTheDefaultSkinDoes) {
    std::vector<std::uint32_t> shown[2];
    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run == 0 ? "with the strip" : "without the strip");
        if (run == 1) {
            ASSERT_TRUE(DeleteFileA(install.path("images\\buttons_winautoplay.bmp").c_str()));
        }
        Process program(install.path("DVD_Spindrel.exe"), "", install.folder());
        HWND window = program.waitForWindow(kMainClass, true);
        ASSERT_NE(window, nullptr) << "the window did not show";
        RECT frame;
        GetWindowRect(window, &frame);
        const auto inView = [&](const char* name) {
            HWND panel = childWithText(window, name);
            RECT rect{};
            if (panel != nullptr)
                GetWindowRect(panel, &rect);
            return panel != nullptr && rect.left == frame.left + 199 + 2 && IsWindowEnabled(panel);
        };
        // The first panel in, then the configuration panel by its shortcut.
        ASSERT_TRUE(waitFor([&] { return inView("file_panel"); })) << "no first panel";
        PostMessageA(window, WM_SYSKEYDOWN, 'C', LPARAM{1} << 29);
        ASSERT_TRUE(waitFor([&] { return inView("config_panel"); })) << "no configuration panel";
        HWND config = childWithText(window, "config_panel");
        const RECT expected{frame.left + 199 + 2 + 238, frame.top + 15 + 35, 0, 0};
        RECT button{};
        ASSERT_TRUE(waitFor([&] {
            for (HWND child : childrenOf(config)) {
                RECT rect;
                GetWindowRect(child, &rect);
                if (rect.left == expected.left && rect.top == expected.top &&
                    IsWindowVisible(child)) {
                    button = rect;
                    return true;
                }
            }
            return false;
        })) << "the WIN button is not in view";
        EXPECT_EQ(program.findWindow(kBoxClass, true), nullptr) << "an error box came";
        ASSERT_TRUE(waitFor([&] {
            const std::vector<std::uint32_t> now = screenPixels(button);
            const bool steady = now == shown[run];
            shown[run] = now;
            return steady;
        })) << "the WIN button's picture never settled";
        saveScreenshot(window, screenPath(run == 0 ? "win_button" : "win_button_built_in"));
        PostMessageA(window, WM_CLOSE, 0, 0);
        EXPECT_TRUE(program.waitForExit(kWaitMs));
    }
    EXPECT_EQ(shown[0], shown[1]) << "the program's own picture differs from the default skin's";
}

TEST_F(SkinE2eTest, MissingSkinFileIsNamedAndTheStoredPositionStays) {
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                    nullptr);
    const DWORD left = 300;
    RegSetValueExA(key, "Position:Left", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&left),
                   sizeof left);
    RegCloseKey(key);
    DeleteFileA(install.path("images\\main_form.mask").c_str());

    Process program(install.path("DVD_Spindrel.exe"), "", install.folder());
    HWND box = program.waitForWindow(kBoxClass, true);
    ASSERT_NE(box, nullptr) << "no error box";
    EXPECT_EQ(messageBoxText(box), "Error reading bitmap mask.\t\rFile: ./images/main_form.mask");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(program.waitForExit(kWaitMs)) << "the program should end";

    DWORD type = 0;
    std::vector<BYTE> data;
    ASSERT_TRUE(readSetting("Position:Left", type, data));
    EXPECT_EQ(data, (std::vector<BYTE>{44, 1, 0, 0}));  // 300, as it was
}

}  // namespace
}  // namespace spindrel::e2e

namespace spindrel::e2e {
namespace {

struct EditSearch {
    HWND found = nullptr;
    LONG wantedWidth = 0;
};

BOOL CALLBACK findEdit(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<EditSearch*>(context);
    char className[32] = {};
    GetClassNameA(window, className, sizeof className);
    RECT rect;
    GetWindowRect(window, &rect);
    if (std::string(className) == "Edit" || std::string(className) == "EDIT") {
        if (rect.right - rect.left == search->wantedWidth) {
            search->found = window;
            return FALSE;
        }
    }
    return TRUE;
}

TEST_F(SkinE2eTest, ProgramBoxTextIsSavedOnceTypingStops) {
    Process program(install.path("DVD_Spindrel.exe"), "", install.folder());
    HWND window = program.waitForWindow(kMainClass, true);
    ASSERT_NE(window, nullptr);
    settle();
    EditSearch search;
    search.wantedWidth = 239;  // the program box
    EnumChildWindows(window, &findEdit, reinterpret_cast<LPARAM>(&search));
    ASSERT_NE(search.found, nullptr) << "no program box";
    SendMessageA(search.found, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("C:\\Tools\\lights.exe"));

    DWORD type = 0;
    std::vector<BYTE> data;
    const DWORD start = GetTickCount();
    bool saved = false;
    while (!saved && GetTickCount() - start < 5000) {
        saved = readSetting("Other_Program", type, data) &&
                std::string(reinterpret_cast<const char*>(data.data())) == "C:\\Tools\\lights.exe";
        if (!saved)
            Sleep(50);
    }
    EXPECT_TRUE(saved) << "the program box was not saved within 5 s";
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(program.waitForExit(kWaitMs));
}

}  // namespace
}  // namespace spindrel::e2e

namespace spindrel::e2e {
namespace {

void mouse(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

TEST_F(SkinE2eTest, BarePartOfTheSkinDragsTheWindow) {
    Process program(install.path("DVD_Spindrel.exe"), "", install.folder());
    HWND window = program.waitForWindow(kMainClass, true);
    ASSERT_NE(window, nullptr);
    settle();
    RECT before;
    GetWindowRect(window, &before);
    // Between the two panel areas: skin, and no control on it.
    POINT grab{before.left + 195, before.top + 110};
    ASSERT_EQ(WindowFromPoint(grab), window) << "the grab point is not bare skin";

    SetCursorPos(grab.x, grab.y);
    Sleep(100);
    mouse(MOUSEEVENTF_LEFTDOWN);
    Sleep(100);
    for (int step = 1; step <= 10; ++step) {
        SetCursorPos(grab.x + 4 * step, grab.y + 3 * step);
        Sleep(30);
    }
    mouse(MOUSEEVENTF_LEFTUP);

    RECT after = before;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 5000) {
        GetWindowRect(window, &after);
        if (after.left != before.left)
            break;
        Sleep(50);
    }
    EXPECT_EQ(after.left - before.left, 40) << "the window did not follow the mouse";
    EXPECT_EQ(after.top - before.top, 30);
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(program.waitForExit(kWaitMs));
}

}  // namespace
}  // namespace spindrel::e2e
