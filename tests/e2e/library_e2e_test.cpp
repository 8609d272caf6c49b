// The library dialog in the real program: opened by the file panel's Open button, shaped by its
// mask, listing the DSM folder, and leaving the hidden index behind when it closes.

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <fstream>

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

    Installation install;
};

TEST_F(LibraryE2eTest, OpenShowsTheShapedDialogWithTheSerialBasedDsmsAndCloseWritesTheIndex) {
    dsm("1a2b3c4d.dsm", "First film");
    dsm("5E6F7A8B.DSM", "Second film");
    dsm("movie.dsm", "A meaningful name");
    Process program(install.path("DVD_Spindrel.exe"), "", install.folder());
    HWND window = program.waitForWindow(kMainClass, true);
    ASSERT_NE(window, nullptr);
    Sleep(1500);
    // Alt+F brings in the file panel.
    PostMessageA(window, WM_SYSKEYDOWN, 'F', LPARAM{1} << 29);
    Sleep(900);
    namespace layout = skin;
    click(window,
          layout::main_form::base_panel.left + layout::base_panel::file_panel.left +
              layout::file_panel::openbtn.left + layout::file_panel::openbtn.width / 2,
          layout::main_form::base_panel.top + layout::base_panel::file_panel.top +
              layout::file_panel::openbtn.top + layout::file_panel::openbtn.height / 2);

    HWND dialog = program.waitForWindow(kDialogClass, true);
    ASSERT_NE(dialog, nullptr) << "Open did not show the library dialog";
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
    EXPECT_TRUE(program.waitForExit(kWaitMs));
}

}  // namespace
}  // namespace spindrel::e2e
