// The library dialog in the real program: opened by the file panel's Open button, shaped by its
// mask, listing the DSM folder, and leaving the hidden index behind when it closes.

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <fstream>
#include <memory>

#include "e2e_support.h"
#include "support/read_file.h"
#include "ui/skin_layout.h"

namespace spindrel::e2e {
namespace {

constexpr const char* kMainClass = "Tmain";
constexpr const char* kDialogClass = "TfmOpen";

class LibraryE2eTest : public ::testing::Test {
  protected:
    void SetUp() override {
        resetSettings("stub_plugin.dll");
        CreateDirectoryA(install.path("dsm").c_str(), nullptr);
    }
    void TearDown() override { RegDeleteTreeA(HKEY_LOCAL_MACHINE, kSettingsKey); }

    void dsm(const std::string& name, const std::string& notes) {
        std::ofstream out(install.path("dsm\\" + name), std::ios::binary);
        out << "#" << notes << "\r\n1.0,Play\r\n";
    }

    // A click as the mouse makes it, on the child window under a point of the main window.
    static void click(HWND window, int x, int y) {
        POINT point{x, y};
        ClientToScreen(window, &point);
        HWND target = WindowFromPoint(point);
        ScreenToClient(target, &point);
        const LPARAM at = MAKELPARAM(point.x, point.y);
        PostMessageA(target, WM_MOUSEMOVE, 0, at);
        PostMessageA(target, WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageA(target, WM_LBUTTONUP, 0, at);
    }

    static int rowsOf(HWND grid) {
        return static_cast<int>(SendMessageA(grid, LVM_GETITEMCOUNT, 0, 0));
    }

    // Starts the program and opens the library as the user does: Alt+F, then a click on the
    // file panel's Open button once the panel has come in and takes input.
    void openLibrary() {
        namespace layout = skin;
        program = std::make_unique<Process>(install.path("DVD_Spindrel.exe"), "", install.folder());
        window = program->waitForWindow(kMainClass, true);
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(waitFor([&] { return childWithText(window, "file_panel") != nullptr; }))
            << "the window has no panels";
        PostMessageA(window, WM_SYSKEYDOWN, 'F', LPARAM{1} << 29);
        const auto fileIn = [this] {
            HWND panel = childWithText(window, "file_panel");
            RECT rect;
            GetWindowRect(panel, &rect);
            MapWindowPoints(nullptr, GetParent(panel), reinterpret_cast<POINT*>(&rect), 2);
            return rect.left == layout::base_panel::file_panel.left && IsWindowEnabled(panel);
        };
        ASSERT_TRUE(waitFor(fileIn)) << "the file panel did not come in";
        click(window,
              layout::main_form::base_panel.left + layout::base_panel::file_panel.left +
                  layout::file_panel::openbtn.left + layout::file_panel::openbtn.width / 2,
              layout::main_form::base_panel.top + layout::base_panel::file_panel.top +
                  layout::file_panel::openbtn.top + layout::file_panel::openbtn.height / 2);
        dialog = program->waitForWindow(kDialogClass, true);
        ASSERT_NE(dialog, nullptr) << "Open did not show the library dialog";
    }

    Installation install;
    std::unique_ptr<Process> program;
    HWND window = nullptr;
    HWND dialog = nullptr;
};

TEST_F(LibraryE2eTest, OpenShowsTheShapedDialogWithTheSerialBasedDsmsAndCloseWritesTheIndex) {
    dsm("1a2b3c4d.dsm", "First film");
    dsm("5E6F7A8B.DSM", "Second film");
    dsm("movie.dsm", "A meaningful name");
    ASSERT_NO_FATAL_FAILURE(openLibrary());
    RECT rect;
    GetWindowRect(dialog, &rect);
    EXPECT_EQ(rect.right - rect.left, 603);
    EXPECT_EQ(rect.bottom - rect.top, 339);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_EQ(GetWindowRgn(dialog, region), COMPLEXREGION) << "the dialog has no shaped outline";
    EXPECT_FALSE(PtInRegion(region, 0, 0)) << "the top-left corner should be cut away";
    EXPECT_TRUE(PtInRegion(region, 300, 170));
    DeleteObject(region);
    EXPECT_FALSE(IsWindowEnabled(window)) << "the main window waits while the dialog runs";

    HWND grid = FindWindowExA(dialog, nullptr, WC_LISTVIEWA, nullptr);
    ASSERT_NE(grid, nullptr);
    for (int wait = 0; wait < 40 && rowsOf(grid) != 2; ++wait)
        Sleep(50);
    EXPECT_EQ(rowsOf(grid), 2);

    // Every description read (one per 50 ms tick), then closed with Escape as in any dialog:
    // the index is written, hidden.
    Sleep(600);
    PostMessageA(grid, WM_KEYDOWN, VK_ESCAPE, 1);
    for (int wait = 0; wait < 40 && IsWindowVisible(dialog); ++wait)
        Sleep(50);
    EXPECT_FALSE(IsWindowVisible(dialog));
    EXPECT_TRUE(IsWindowEnabled(window));
    const std::string index = install.path("dsm\\descriptions.idx");
    // Wine adds the archive attribute to every file it reports.
    EXPECT_EQ(GetFileAttributesA(index.c_str()) & ~static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE),
              static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(testing::readWholeFile(index),
              "1a2b3c4d.dsm=First film \r\n5e6f7a8b.dsm=Second film \r\n");

    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(program->waitForExit(kWaitMs));
}

// Escape in the quick-search box ends the search, as Enter does, and leaves the dialog open; in
// the list it closes the dialog.
TEST_F(LibraryE2eTest, EscapeInTheQuickSearchEndsTheSearchOnly) {
    dsm("1a2b3c4d.dsm", "First film");
    dsm("5E6F7A8B.DSM", "Second film");
    ASSERT_NO_FATAL_FAILURE(openLibrary());
    HWND grid = FindWindowExA(dialog, nullptr, WC_LISTVIEWA, nullptr);
    HWND panel1 = FindWindowExA(dialog, nullptr, "SpindrelSurface", nullptr);
    HWND search = FindWindowExA(panel1, nullptr, "EDIT", nullptr);
    ASSERT_NE(search, nullptr);
    ASSERT_TRUE(waitFor([&] { return rowsOf(grid) == 2; }));
    // Sorted by description, so that typing goes straight into the search.
    click(dialog, skin::open_dialog::sortdesc.left + 7, skin::open_dialog::sortdesc.top + 7);
    PostMessageA(grid, WM_CHAR, 's', 1);
    // An edit box of another process tells its text only when asked with WM_GETTEXT.
    const auto text = [search] {
        char typed[64] = {};
        DWORD_PTR length = 0;
        SendMessageTimeoutA(search, WM_GETTEXT, sizeof typed, reinterpret_cast<LPARAM>(typed),
                            SMTO_ABORTIFHUNG, 1000, &length);
        return std::string(typed);
    };
    ASSERT_TRUE(waitFor([&] { return IsWindowVisible(panel1) && text() == "s"; }))
        << "the quick search did not open";

    PostMessageA(search, WM_KEYDOWN, VK_ESCAPE, 1);
    ASSERT_TRUE(waitFor([&] { return !IsWindowVisible(panel1) || !IsWindowVisible(dialog); }));
    EXPECT_TRUE(IsWindowVisible(dialog)) << "Escape in the search closed the dialog";
    EXPECT_EQ(text(), "");
    GUITHREADINFO focus{};
    focus.cbSize = sizeof focus;
    GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &focus);
    EXPECT_EQ(focus.hwndFocus, grid) << "the focus did not go back to the list";

    PostMessageA(grid, WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_TRUE(waitFor([&] { return !IsWindowVisible(dialog); })) << "Escape left the dialog open";
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(program->waitForExit(kWaitMs));
}

}  // namespace
}  // namespace spindrel::e2e
