// The real window as its user meets it: driven with posted mouse and key messages, and read back
// from outside the program the way a user sees it: label texts, list rows, the focus, hints and
// the window's place. Each finding here is one a core test cannot make: a field the core sets
// that no code carries to its control.

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <fstream>
#include <map>

#include "e2e_support.h"
#include "support/read_file.h"
#include "support/wine_paths.h"
#include "ui/skin_layout.h"
#include "win32/plugin_fakeplayer.h"

namespace spindrel::e2e {
namespace {

constexpr const char* kMainClass = "Tmain";
constexpr const char* kLabelClass = "TExtLabel";
constexpr const char* kButtonClass = "TCoolButton";
constexpr const char* kPlayerClass = "PlayWnd";
constexpr const char* kPlayerTitle = "Creative PC-DVD Player";

std::string classOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string textOf(HWND window) {
    char text[512] = {};
    DWORD_PTR length = 0;
    // An edit box of another process answers WM_GETTEXT only; labels keep their text as any
    // window does.
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, 1000, &length);
    return text;
}

// Memory in the program's process, for the list view's and the tooltip's messages, which carry
// pointers and are not copied between processes.
class RemoteBuffer {
  public:
    RemoteBuffer(DWORD processId, std::size_t size) : size_(size) {
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                               processId);
        if (process_ != nullptr) {
            at_ = static_cast<char*>(
                VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE));
        }
    }
    ~RemoteBuffer() {
        if (at_ != nullptr) VirtualFreeEx(process_, at_, 0, MEM_RELEASE);
        if (process_ != nullptr) CloseHandle(process_);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    char* address(std::size_t offset = 0) const { return at_ + offset; }
    void write(std::size_t offset, const void* data, std::size_t size) const {
        WriteProcessMemory(process_, at_ + offset, data, size, nullptr);
    }
    void read(std::size_t offset, void* data, std::size_t size) const {
        ReadProcessMemory(process_, at_ + offset, data, size, nullptr);
    }
    std::string text(std::size_t offset) const {
        char text[512] = {};
        read(offset, text, sizeof text - 1);
        return text;
    }

  private:
    HANDLE process_ = nullptr;
    char* at_ = nullptr;
    std::size_t size_;
};

class WindowE2eTest : public ::testing::Test {
  protected:
    void SetUp() override {
        resetSettings("Wyvernel.dll");
        setSettingString("PCDVD", testing::fakePlayerPath());
        CreateDirectoryA(install.path("dsm").c_str(), nullptr);
    }
    void TearDown() override {
        closeProcessesOfWindow(kPlayerClass, kPlayerTitle);
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kSettingsKey);
    }

    static void setSettingInteger(const char* name, DWORD value) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSettingsKey, 0, nullptr, 0,
                                  KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                       sizeof value);
        RegCloseKey(key);
    }
    static DWORD settingInteger(const char* name) {
        DWORD type = 0;
        std::vector<BYTE> data;
        if (!readSetting(name, type, data) || type != REG_DWORD || data.size() != 4) return 0xFFFF;
        return *reinterpret_cast<const DWORD*>(data.data());
    }

    void putDsm(const std::string& name, int clicks) const {
        std::ofstream out(install.path("dsm\\" + name), std::ios::binary);
        out << "#Window test\r\n";
        const char* const buttons[] = {"Next", "Root Menu", "Down", "Ok / Enter"};
        for (int i = 0; i < clicks; ++i) {
            out << (i + 1) / 10 << "." << (i + 1) % 10 << "," << buttons[i % 4] << "\r\n";
        }
    }

    // Starts the program and waits until its panels are built and in place.
    void start(const std::string& arguments) {
        program = std::make_unique<Process>(install.path("DVD_Spindrel.exe"), arguments,
                                            install.folder());
        window = program->waitForWindow(kMainClass, true);
        ASSERT_NE(window, nullptr) << "the main window did not show";
        ASSERT_TRUE(waitFor([&] { return childWithText(window, "button_panel") != nullptr; }))
            << "the window has no panels";
        // As after the user's first click on it: the window is active, so its controls can take
        // the keyboard focus.
        SetForegroundWindow(window);
        ASSERT_TRUE(waitFor([&] { return GetForegroundWindow() == window; }))
            << "the window did not become active";
    }
    // Opens a DSM of that many clicks for editing and brings in the button list with them.
    void openButtonList(int clicks) {
        putDsm("sample.dsm", clicks);
        start("/e sample");
        waitInView("dsm_panel");
        key(window, 'B', true);
        waitInView("button_panel");
        ASSERT_NE(clickList(), nullptr);
        ASSERT_TRUE(waitFor([&] {
            return SendMessageA(clickList(), LVM_GETITEMCOUNT, 0, 0) == clicks;
        })) << "the list does not show the DSM's "
            << clicks << " clicks";
    }
    void close() {
        PostMessageA(window, WM_CLOSE, 0, 0);
        EXPECT_TRUE(program->waitForExit(kWaitMs)) << "the program did not close";
    }

    // Clicks the button of the program's message box that is showing or about to show.
    void answer(const char* button) const {
        HWND box = program->waitForWindow("#32770", true);
        ASSERT_NE(box, nullptr) << "no message box came";
        HWND found = FindWindowExA(box, nullptr, "Button", button);
        ASSERT_NE(found, nullptr) << "the box has no " << button << " button";
        PostMessageA(found, BM_CLICK, 0, 0);
    }

    HWND panel(const char* name) const { return childWithText(window, name); }
    // A panel is in view once it has slid wholly into the panel area and takes input (the
    // player watch enables it within half a second of its arrival).
    bool inView(const char* name) const {
        HWND found = panel(name);
        return found != nullptr && placeOf(found).left == skin::base_panel::dsm_panel.left &&
               IsWindowEnabled(found);
    }
    void waitInView(const char* name) const {
        ASSERT_TRUE(waitFor([&] { return inView(name); })) << name << " did not come into view";
    }
    HWND label(const char* panelName, const skin::Rect& r) const {
        HWND owner = panelName == nullptr ? window : panel(panelName);
        return owner == nullptr ? nullptr : childAt(owner, kLabelClass, r);
    }
    std::string labelText(const char* panelName, const skin::Rect& r) const {
        HWND found = label(panelName, r);
        return found == nullptr ? "<no label>" : textOf(found);
    }
    // Waits until the label shows the text; false (and the text it shows) when it never does.
    ::testing::AssertionResult labelShows(const char* panelName, const skin::Rect& r,
                                          const std::string& text, int ms = kWaitMs) const {
        if (waitFor([&] { return labelText(panelName, r).rfind(text, 0) == 0; }, ms)) {
            return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure()
               << "the label shows \"" << labelText(panelName, r) << "\", not \"" << text << "\"";
    }

    HWND clickList() const { return FindWindowExA(panel("button_panel"), nullptr, WC_LISTVIEWA, nullptr); }
    HWND editwait() const { return FindWindowExA(panel("button_panel"), nullptr, "EDIT", nullptr); }
    HWND focused() const {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
        return info.hwndFocus;
    }
    int selectedRow() const {
        return static_cast<int>(
            SendMessageA(clickList(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    }
    std::string rowText(int row, int column) const {
        RemoteBuffer remote(program->id(), sizeof(LVITEMA) + 256);
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = remote.address(sizeof item);
        item.cchTextMax = 256;
        remote.write(0, &item, sizeof item);
        SendMessageA(clickList(), LVM_GETITEMTEXTA, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(remote.address()));
        return remote.text(sizeof item);
    }
    RECT rowRect(int row) const {
        RemoteBuffer remote(program->id(), sizeof(RECT));
        RECT rect{LVIR_BOUNDS, 0, 0, 0};
        remote.write(0, &rect, sizeof rect);
        SendMessageA(clickList(), LVM_GETITEMRECT, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(remote.address()));
        remote.read(0, &rect, sizeof rect);
        return rect;
    }

    // Every hint text of the window's tooltip, by enumerating its tools.
    std::vector<std::string> hints() const {
        HWND tooltip = nullptr;
        for (HWND top = GetTopWindow(nullptr); top != nullptr; top = GetWindow(top, GW_HWNDNEXT)) {
            if (classOf(top) == TOOLTIPS_CLASSA && GetWindow(top, GW_OWNER) == window) tooltip = top;
        }
        std::vector<std::string> texts;
        if (tooltip == nullptr) return texts;
        RemoteBuffer remote(program->id(), sizeof(TOOLINFOA) + 1024);
        const int count = static_cast<int>(SendMessageA(tooltip, TTM_GETTOOLCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            TOOLINFOA tool{};
            tool.cbSize = sizeof tool;
            tool.lpszText = remote.address(sizeof tool);
            remote.write(0, &tool, sizeof tool);
            remote.write(sizeof tool, "", 1);
            if (SendMessageA(tooltip, TTM_ENUMTOOLSA, static_cast<WPARAM>(i),
                             reinterpret_cast<LPARAM>(remote.address())) != 0) {
                texts.push_back(remote.text(sizeof tool));
            }
        }
        return texts;
    }

    // A click as the mouse makes it, on the child window under a point of the main window.
    void clickAt(int x, int y) const {
        POINT point{x, y};
        ClientToScreen(window, &point);
        HWND target = WindowFromPoint(point);
        ScreenToClient(target, &point);
        post(target, point.x, point.y);
    }
    static void post(HWND target, int x, int y) {
        const LPARAM where = MAKELPARAM(x, y);
        PostMessageA(target, WM_MOUSEMOVE, 0, where);
        PostMessageA(target, WM_LBUTTONDOWN, MK_LBUTTON, where);
        PostMessageA(target, WM_LBUTTONUP, 0, where);
    }
    void clickRow(int row) const {
        const RECT rect = rowRect(row);
        post(clickList(), (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    }
    static void key(HWND target, UINT virtualKey, bool alt = false) {
        const LPARAM flags = alt ? (LPARAM{1} << 29) : 0;
        PostMessageA(target, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, virtualKey, flags | 1);
        PostMessageA(target, alt ? WM_SYSKEYUP : WM_KEYUP, virtualKey,
                     flags | 1 | (LPARAM{3} << 30));
    }
    static void typed(HWND target, char character) {
        PostMessageA(target, WM_CHAR, static_cast<unsigned char>(character), 1);
    }
    // A key as the keyboard makes it, with the keys held around it, to the focused control of
    // the active window: what the program reads of Ctrl, Alt and Shift comes with real input
    // only, not with a posted message.
    static void press(const std::vector<WORD>& held, WORD virtualKey) {
        std::vector<INPUT> inputs;
        const auto add = [&inputs](WORD key, DWORD flags) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = key;
            input.ki.dwFlags = flags;
            inputs.push_back(input);
        };
        for (WORD key : held)
            add(key, 0);
        add(virtualKey, 0);
        add(virtualKey, KEYEVENTF_KEYUP);
        for (auto key = held.end(); key != held.begin();)
            add(*--key, KEYEVENTF_KEYUP);
        SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    }
    // Clicks as the mouse makes them, in the middle of r: only real input lets the system tell
    // a double-click's second press from a first one.
    static void realClicks(HWND parent, const skin::Rect& r, int clicks) {
        POINT at{r.left + r.width / 2, r.top + r.height / 2};
        ClientToScreen(parent, &at);
        const int width = GetSystemMetrics(SM_CXSCREEN);
        const int height = GetSystemMetrics(SM_CYSCREEN);
        std::vector<INPUT> inputs;
        const auto add = [&](DWORD flags) {
            INPUT input{};
            input.type = INPUT_MOUSE;
            input.mi.dx = (at.x * 65536 + width / 2) / width;
            input.mi.dy = (at.y * 65536 + height / 2) / height;
            input.mi.dwFlags = flags;
            inputs.push_back(input);
        };
        add(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE);
        for (int click = 0; click < clicks; ++click) {
            add(MOUSEEVENTF_LEFTDOWN);
            add(MOUSEEVENTF_LEFTUP);
        }
        SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    }
    // The popup menu the program shows, if any.
    HWND openMenu() const { return program->findWindow("#32768", true); }
    static LPARAM centreOf(const skin::Rect& r) {
        return MAKELPARAM(r.left + r.width / 2, r.top + r.height / 2);
    }

    // A screenshot of the window for a person to look at, under testbin/screens.
    void screenshot(const std::string& name) const {
        const std::string folder =
            testing::windowsPath(std::string(SPINDREL_TESTBIN_DIR) + "/screens");
        CreateDirectoryA(folder.c_str(), nullptr);
        saveScreenshot(window, folder + "\\" + name + ".bmp");
    }

    Installation install;
    std::unique_ptr<Process> program;
    HWND window = nullptr;
};

TEST_F(WindowE2eTest, OpensAtTheStoredPlaceAndACloseStoresWhereTheUserLeftIt) {
    setSettingInteger("Position:Left", 100);
    setSettingInteger("Position:Top", 100);
    start("");
    RECT rect;
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.left, 100);
    EXPECT_EQ(rect.top, 100);

    // The user drags the window elsewhere and closes it with its close button.
    SetWindowPos(window, nullptr, 160, 140, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    HWND closeButton = nullptr;
    ASSERT_TRUE(waitFor([&] {
        closeButton = childAt(window, kButtonClass, skin::main_form::closebtn);
        return closeButton != nullptr && IsWindowVisible(closeButton) &&
               IsWindowEnabled(closeButton);
    })) << "the close button never became usable";
    const RECT button = placeOf(closeButton);
    post(closeButton, (button.right - button.left) / 2, (button.bottom - button.top) / 2);
    ASSERT_TRUE(program->waitForExit(kWaitMs)) << "the close button did not close the program";
    EXPECT_EQ(settingInteger("Position:Left"), 160u);
    EXPECT_EQ(settingInteger("Position:Top"), 140u);
}

TEST_F(WindowE2eTest, EveryHintTheUserCanPointAtIsThere) {
    start("");
    const std::map<std::string, int> expected{
        {"Close", 1},
        {"Minimise", 1},
        {"Click here to select a panel", 5},
        {"Scans your system for a DVD.", 1},
        {"PC-DVD Interface : Wyvernel.dll", 1},
        {"Specifies the amount of time (in seconds)\r\nto wait before pressing the button "
         "below.\r\n   (accurate to one tenth of a second)",
         1},
        {"When you press the \"Test Macro\" button, would you\r\nlike DVD-Spindrel to restart "
         "the PC-DVD Player, so\r\nyour macro will affect a newly inserted DVD?",
         1},
        {"If you like the panels to slide in and out of view,\r\ncheck this option, otherwise "
         "remove the check\r\nmark to have the panels change instantly.",
         1},
        {"The player that DVD-Spindrel drives. Click to choose\r\nanother one of the player "
         "plug-ins beside the program.",
         1},
    };
    std::vector<std::string> got;
    ASSERT_TRUE(waitFor([&] {
        got = hints();
        return std::count(got.begin(), got.end(), "Close") > 0;
    })) << "the window's tooltip has no tools";
    // A tool's text comes back in a buffer of the tooltip's classic size: 79 characters.
    const auto head = [](const std::string& text) { return text.substr(0, 79); };
    std::string all;
    for (std::string& text : got) {
        all += "\n  [" + text + "]";
        text = head(text);
    }
    for (const auto& [text, times] : expected) {
        EXPECT_EQ(std::count(got.begin(), got.end(), head(text)), times)
            << "hint: " << text << "\nthe window has:" << all;
    }
    const auto launchHint = std::find_if(got.begin(), got.end(), [](const std::string& text) {
        return text.find("DVD-Spindrel starts your") != std::string::npos;
    });
    EXPECT_NE(launchHint, got.end()) << "the third option has no hint";
    close();
}

// The click list as the user works it: six rows, no header, the selection and the fields in
// step, Page Down walking the list from the wait field, and the window's shortcuts from the list.
TEST_F(WindowE2eTest, ClickListFieldsAndKeysFollowWhatTheUserDoes) {
    ASSERT_NO_FATAL_FAILURE(openButtonList(8));
    HWND list = clickList();
    EXPECT_NE(GetWindowLongA(list, GWL_STYLE) & LVS_NOCOLUMNHEADER, 0) << "the list has a header";
    EXPECT_EQ(SendMessageA(list, LVM_GETCOLUMNWIDTH, 0, 0), 35);
    EXPECT_EQ(SendMessageA(list, LVM_GETCOLUMNWIDTH, 1, 0), 106);
    EXPECT_EQ(SendMessageA(list, LVM_GETCOUNTPERPAGE, 0, 0), 6);
    EXPECT_EQ(rowText(2, 0), "0.3");
    EXPECT_EQ(rowText(2, 1), "Down");

    // Selecting a click fills the wait field and the button name.
    clickRow(2);
    ASSERT_TRUE(waitFor([&] { return selectedRow() == 2; }));
    EXPECT_TRUE(labelShows("button_panel", skin::button_panel::buttonlabel, "Down"));
    EXPECT_TRUE(waitFor([&] { return textOf(editwait()) == "0.3"; }))
        << "the wait field shows \"" << textOf(editwait()) << "\"";

    // Page Down from the wait field walks the list and scrolls it; the field keeps the focus.
    clickRow(4);
    ASSERT_TRUE(waitFor([&] { return selectedRow() == 4 && focused() == list; }))
        << "row " << selectedRow() << " selected, the focus in a " << classOf(focused()) << " on " << textOf(GetParent(focused())) << " showing \"" << textOf(focused()) << "\""
        << ", the active window " << classOf(GetForegroundWindow());
    post(editwait(), 5, 5);
    ASSERT_TRUE(waitFor([&] { return focused() == editwait(); }))
        << "the wait field took no focus; it is in a " << classOf(focused()) << " \""
        << textOf(focused()) << "\", selected row " << selectedRow() << ", wait field \""
        << textOf(editwait()) << "\" enabled " << IsWindowEnabled(editwait());
    key(editwait(), VK_NEXT);
    key(editwait(), VK_NEXT);
    ASSERT_TRUE(waitFor([&] { return selectedRow() == 6; }))
        << "Page Down selected row " << selectedRow();
    EXPECT_TRUE(waitFor([&] { return SendMessageA(list, LVM_GETTOPINDEX, 0, 0) == 1; }))
        << "the list did not scroll the selected click into view";
    EXPECT_TRUE(labelShows("button_panel", skin::button_panel::buttonlabel, "Down"));
    EXPECT_EQ(focused(), editwait());
    // A typed wait replaces the one shown and rewrites that row only.
    typed(editwait(), '2');
    EXPECT_TRUE(waitFor([&] { return rowText(6, 0) == "2.0"; })) << "row 7 shows " << rowText(6, 0);
    EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 8);
    EXPECT_EQ(SendMessageA(editwait(), EM_GETLIMITTEXT, 0, 0), 6);

    // The window's shortcuts work from the list: Alt+C brings in the configuration panel.
    clickRow(3);
    ASSERT_TRUE(waitFor([&] { return focused() == list; })) << "the list took no focus";
    key(list, 'C', true);
    waitInView("config_panel");
    // The typed wait made the DSM modified: the close asks, and the user does not save.
    PostMessageA(window, WM_CLOSE, 0, 0);
    answer("&No");
    EXPECT_TRUE(program->waitForExit(kWaitMs)) << "the program did not close";
}

// A click on the list's empty space takes the selection away, from the list and from the model:
// the fields empty, so no menu can act on a click the user cannot see selected.
TEST_F(WindowE2eTest, ClickOnEmptyListSpaceClearsTheSelectionEverywhere) {
    ASSERT_NO_FATAL_FAILURE(openButtonList(3));
    HWND list = clickList();
    clickRow(1);
    ASSERT_TRUE(labelShows("button_panel", skin::button_panel::buttonlabel, "Root Menu"));
    const RECT last = rowRect(2);
    post(list, 20, last.bottom + 2 * (last.bottom - last.top));
    EXPECT_TRUE(waitFor([&] { return selectedRow() == -1; }));
    EXPECT_TRUE(labelShows("button_panel", skin::button_panel::buttonlabel, ""));
    EXPECT_TRUE(waitFor([&] { return textOf(editwait()).empty(); }));
    close();
}

// "Test Macro" with the player restarted first: the button list counts down and reports the end
// on its status line, each as it happens.
TEST_F(WindowE2eTest, TestMacroCountsDownAndReportsTheEndOnTheButtonList) {
    setSettingInteger("Reset_Before_Test", 1);
    testing::TempFile restartedLog{"window_player"};
    testing::ScopedEnvironment restarted{
        "SPINDREL_FAKEPLAYER", "--as wyvernel --quiet --log \"" + restartedLog.path() + "\""};
    testing::FakePlayerProcess player("wyvernel", kPlayerClass, kPlayerTitle, "--quiet");
    ASSERT_NE(player.mainWindow(), nullptr) << "the stand-in player did not start";
    putDsm("sample.dsm", 4);
    start("/e sample");
    HWND active = panel("active_panel");
    HWND test = nullptr;
    ASSERT_TRUE(waitFor([&] {
        test = childAt(active, kButtonClass, skin::active_panel::testbtn);
        return test != nullptr && IsWindowVisible(test) && placeOf(active).left >= 0;
    })) << "the Test Macro button did not show";
    const RECT button = placeOf(test);
    post(test, (button.right - button.left) / 2, (button.bottom - button.top) / 2);

    const skin::Rect& status = skin::button_panel::next_button;
    ASSERT_TRUE(labelShows("button_panel", status, "Starting Macro in 1 seconds.", 30000))
        << "no countdown";
    screenshot("countdown");
    ASSERT_TRUE(labelShows("button_panel", status, "Macro Complete")) << "no end of the run";
    screenshot("macro_complete");
    EXPECT_EQ(testing::pressesIn(testing::readTimedLog(restartedLog.path())).size(), 4u);
    // Three seconds later the report goes.
    EXPECT_TRUE(labelShows("button_panel", status, ""));
    close();
}

// The program box keeps its own keys: Ctrl+A selects its text, and neither the window's Alt
// shortcuts nor Ctrl+S act while the caret is in it.
TEST_F(WindowE2eTest, TheProgramBoxKeepsItsOwnKeys) {
    setSettingString("Other_Program", "C:\\tools\\lights.exe");
    start("");
    waitInView("file_panel");
    key(window, 'C', true);
    waitInView("config_panel");
    HWND box = FindWindowExA(panel("config_panel"), nullptr, "EDIT", nullptr);
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(waitFor([&] { return textOf(box) == "C:\\tools\\lights.exe"; }));
    post(box, 5, 5);
    ASSERT_TRUE(waitFor([&] { return focused() == box; })) << "the program box took no focus";

    // Select-all, then a letter that replaces the whole text.
    press({VK_CONTROL}, 'A');
    press({}, 'X');
    EXPECT_TRUE(waitFor([&] { return textOf(box) == "x"; }))
        << "Ctrl+A did not select the box's text: it shows \"" << textOf(box) << "\"";
    EXPECT_EQ(focused(), box) << "the focus left the program box for a " << classOf(focused());
    EXPECT_TRUE(inView("config_panel")) << "Ctrl+A changed the panel";

    // A save would write the disc's DSM, or ask for a name without a disc.
    press({VK_CONTROL}, 'S');
    press({}, 'Y');
    EXPECT_TRUE(waitFor([&] { return textOf(box) == "xy"; })) << "the box shows " << textOf(box);
    WIN32_FIND_DATAA saved;
    const HANDLE found = FindFirstFileA(install.path("dsm\\*.dsm").c_str(), &saved);
    EXPECT_EQ(found, INVALID_HANDLE_VALUE) << "Ctrl+S saved " << saved.cFileName;
    if (found != INVALID_HANDLE_VALUE)
        FindClose(found);
    EXPECT_EQ(program->findWindow("#32770", true), nullptr) << "Ctrl+S opened the save dialog";
    press({VK_MENU}, 'D');
    press({}, 'Z');
    EXPECT_TRUE(waitFor([&] { return textOf(box) == "xyz"; })) << "the box shows " << textOf(box);
    EXPECT_TRUE(inView("config_panel")) << "Alt+D changed the panel";
    close();
}

// The program scrolls from the list's real top row: after the user has scrolled with the scroll
// bar or the wheel, Page Down in the wait field moves the list only as far as the next click
// needs, from where the user left it.
TEST_F(WindowE2eTest, AfterAScrollByHandPagingMovesTheListNoFurtherThanNeeded) {
    ASSERT_NO_FATAL_FAILURE(openButtonList(12));
    HWND list = clickList();
    const auto top = [list] { return SendMessageA(list, LVM_GETTOPINDEX, 0, 0); };
    clickRow(5);
    ASSERT_TRUE(waitFor([&] { return selectedRow() == 5; }));
    post(editwait(), 5, 5);
    ASSERT_TRUE(waitFor([&] { return focused() == editwait(); })) << "the wait field took no focus";

    // Three lines down on the scroll bar: rows 3 to 8 show, the next click among them.
    for (int line = 0; line < 3; ++line)
        PostMessageA(list, WM_VSCROLL, SB_LINEDOWN, 0);
    ASSERT_TRUE(waitFor([&] { return top() == 3; })) << "the list scrolled to row " << top();
    key(editwait(), VK_NEXT);
    ASSERT_TRUE(waitFor([&] { return selectedRow() == 6; })) << "selected row " << selectedRow();
    EXPECT_TRUE(waitFor([&] { return top() == 3; }))
        << "the list jumped to row " << top() << " for a click it showed";

    // One notch of the wheel: three lines further, to the end of the list.
    RECT rect;
    GetWindowRect(list, &rect);
    PostMessageA(list, WM_MOUSEWHEEL, static_cast<WPARAM>(static_cast<WORD>(-WHEEL_DELTA)) << 16,
                 MAKELPARAM(rect.left + 20, rect.top + 20));
    ASSERT_TRUE(waitFor([&] { return top() == 6; })) << "the wheel scrolled to row " << top();
    key(editwait(), VK_NEXT);
    ASSERT_TRUE(waitFor([&] { return selectedRow() == 7; })) << "selected row " << selectedRow();
    EXPECT_TRUE(waitFor([&] { return top() == 6; }))
        << "the list jumped to row " << top() << " for a click it showed";
    close();
}

// A click is a press and a release over the same label: the button menu opens on the release and
// a press that slides off the label opens nothing; a double-click toggles a check mark once.
TEST_F(WindowE2eTest, LabelsActOnAClickNotOnAPress) {
    ASSERT_NO_FATAL_FAILURE(openButtonList(3));
    clickRow(1);
    ASSERT_TRUE(labelShows("button_panel", skin::button_panel::buttonlabel, "Root Menu"));
    HWND buttons = panel("button_panel");
    const skin::Rect& name = skin::button_panel::buttonlabel;
    const LPARAM onName = centreOf(name);
    const LPARAM offName = MAKELPARAM(name.left + name.width / 2, name.top - 20);
    const auto menuShown = [&] { return openMenu() != nullptr; };

    PostMessageA(buttons, WM_LBUTTONDOWN, MK_LBUTTON, onName);
    EXPECT_FALSE(waitFor(menuShown, 1000)) << "the button menu opened on the press";
    PostMessageA(buttons, WM_MOUSEMOVE, MK_LBUTTON, offName);
    PostMessageA(buttons, WM_LBUTTONUP, 0, offName);
    EXPECT_FALSE(waitFor(menuShown, 1000)) << "a press that slid off the name opened the menu";

    PostMessageA(buttons, WM_LBUTTONDOWN, MK_LBUTTON, onName);
    PostMessageA(buttons, WM_LBUTTONUP, 0, onName);
    ASSERT_TRUE(waitFor(menuShown)) << "a click on the button name opened no menu";
    PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 1);
    ASSERT_TRUE(waitFor([&] { return !menuShown(); })) << "the menu did not close";

    key(window, 'C', true);
    waitInView("config_panel");
    HWND config = panel("config_panel");
    const auto toggled = [](const std::string& caption) { return caption == "x" ? "" : "x"; };
    const std::string first = labelText("config_panel", skin::config_panel::cbox_1);
    const std::string second = labelText("config_panel", skin::config_panel::cbox_2);
    const std::string third = labelText("config_panel", skin::config_panel::cbox_3);
    // Posted messages go before input in the queue: the slide comes wholly before the real
    // double-click, and the plain click last shows when the program has taken everything.
    const LPARAM onThird = centreOf(skin::config_panel::cbox_3);
    PostMessageA(config, WM_LBUTTONDOWN, MK_LBUTTON, onThird);
    PostMessageA(config, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageA(config, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    // The plain click goes above the double-clicked option: the option's hint, when it pops up
    // under the pointer, covers the one below.
    realClicks(config, skin::config_panel::cbox_2, 2);
    realClicks(config, skin::config_panel::cbox_1, 1);
    ASSERT_TRUE(labelShows("config_panel", skin::config_panel::cbox_1, toggled(first)));
    EXPECT_EQ(labelText("config_panel", skin::config_panel::cbox_2), toggled(second))
        << "the double-click did not toggle the option once";
    EXPECT_EQ(labelText("config_panel", skin::config_panel::cbox_3), third)
        << "a press that slid off the option toggled it";
    close();
}

// The click list's menu from the keyboard as in any Windows list (the Menu key, Shift+F10) opens
// at the selected row; the right button opens it once, at the pointer.
TEST_F(WindowE2eTest, TheClickListMenuOpensFromTheKeyboardAtTheSelectedRow) {
    ASSERT_NO_FATAL_FAILURE(openButtonList(3));
    HWND list = clickList();
    clickRow(2);
    ASSERT_TRUE(waitFor([&] { return selectedRow() == 2 && focused() == list; }));
    const RECT row = rowRect(2);
    POINT rowCorner{row.left, row.bottom};
    ClientToScreen(list, &rowCorner);
    HWND menu = nullptr;
    const auto menuShown = [&] { return (menu = openMenu()) != nullptr; };

    const struct {
        const char* name;
        std::vector<WORD> held;
        WORD key;
    } chords[] = {{"the Menu key", {}, VK_APPS}, {"Shift+F10", {VK_SHIFT}, VK_F10}};
    for (const auto& chord : chords) {
        press(chord.held, chord.key);
        ASSERT_TRUE(waitFor(menuShown)) << chord.name << " opened no menu";
        RECT placed;
        GetWindowRect(menu, &placed);
        EXPECT_EQ(placed.left, rowCorner.x) << chord.name;
        EXPECT_EQ(placed.top, rowCorner.y) << chord.name;
        press({}, VK_ESCAPE);
        ASSERT_TRUE(waitFor([&] { return !menuShown(); })) << "the menu did not close";
        EXPECT_EQ(focused(), list) << "the focus did not come back to the list";
    }

    const RECT first = rowRect(0);
    const LPARAM onFirst = MAKELPARAM(first.left + 20, (first.top + first.bottom) / 2);
    PostMessageA(list, WM_RBUTTONDOWN, MK_RBUTTON, onFirst);
    PostMessageA(list, WM_RBUTTONUP, 0, onFirst);
    ASSERT_TRUE(waitFor(menuShown)) << "the right button opened no menu";
    PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 1);
    ASSERT_TRUE(waitFor([&] { return !menuShown(); })) << "the menu did not close";
    EXPECT_FALSE(waitFor(menuShown, 1000)) << "the right button opened the menu twice";
    close();
}

bool reddish(std::uint32_t pixel) {
    return ((pixel >> 16) & 0xFF) > 180 && ((pixel >> 8) & 0xFF) < 90 && (pixel & 0xFF) < 90;
}

RECT onScreen(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    return rect;
}

// Typed notes show the red mark over the panel area's corner, with its hint, and a click on it
// saves: the file of a named DSM, the save dialog for an unnamed one.
TEST_F(WindowE2eTest, ModifiedMarkIsSeenCarriesItsHintAndSavesOnAClick) {
    putDsm("sample.dsm", 2);
    start("/e sample");
    waitInView("dsm_panel");
    HWND notes = FindWindowExA(panel("dsm_panel"), nullptr, "EDIT", nullptr);
    ASSERT_NE(notes, nullptr) << "no notes";
    const skin::Rect& r = skin::main_form::ModLabel;
    HWND mark = label(nullptr, r);
    ASSERT_NE(mark, nullptr) << "no modified mark";
    EXPECT_FALSE(IsWindowVisible(mark));
    for (char c : std::string("hello"))
        typed(notes, c);

    ASSERT_TRUE(waitFor([&] { return IsWindowVisible(mark); })) << "the mark did not show";
    EXPECT_EQ(textOf(mark), ".");
    EXPECT_TRUE(waitFor([&] {
        const std::vector<std::uint32_t> pixels = screenPixels(onScreen(mark));
        return std::any_of(pixels.begin(), pixels.end(), reddish);
    })) << "the screen shows no red where the mark is";
    const RECT place = onScreen(mark);
    EXPECT_EQ(WindowFromPoint({(place.left + place.right) / 2, (place.top + place.bottom) / 2}),
              mark)
        << "another window takes the mark's clicks";
    const std::vector<std::string> all = hints();
    EXPECT_EQ(std::count(all.begin(), all.end(), "This DSM has been modified, click here to save"),
              1);

    clickAt(r.left + r.width / 2, r.top + r.height / 2);
    ASSERT_TRUE(waitFor([&] { return !IsWindowVisible(mark); })) << "the click did not save";
    const std::string content = testing::readWholeFile(install.path("dsm\\sample.dsm"));
    EXPECT_EQ(content.rfind("#hello", 0), 0u) << content;

    // Without a name the click asks for one; a cancel keeps the mark.
    key(window, 'F', true);
    waitInView("file_panel");
    HWND clearName = childAt(panel("file_panel"), kButtonClass, skin::file_panel::clearnamebtn);
    ASSERT_NE(clearName, nullptr);
    post(clearName, r.width, r.height);
    ASSERT_TRUE(labelShows("file_panel", skin::file_panel::dsm_name, ""));
    typed(notes, '!');
    ASSERT_TRUE(waitFor([&] { return IsWindowVisible(mark); })) << "the mark did not show again";
    clickAt(r.left + r.width / 2, r.top + r.height / 2);
    HWND dialog = program->waitForWindow("#32770", true);
    ASSERT_NE(dialog, nullptr) << "no save dialog";
    EXPECT_EQ(textOf(dialog), "Please enter the name of the D.S.M.");
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(waitFor([&] { return program->findWindow("#32770", true) == nullptr; }));
    EXPECT_TRUE(IsWindowVisible(mark));
    PostMessageA(window, WM_CLOSE, 0, 0);
    answer("&No");
    EXPECT_TRUE(program->waitForExit(kWaitMs)) << "the program did not close";
}

// The close button takes no mouse while a recording runs. The recording starts when the remote
// panel has slid in: a pointer that went onto the close button meanwhile, and left it while the
// recording ran, must not leave it drawn as under the pointer.
TEST_F(WindowE2eTest, CloseButtonIsNotLeftHotByARecordingThatStartedUnderThePointer) {
    setSettingInteger("Animate_Sliders", 1);  // a slow slide: time to reach the close button
    testing::FakePlayerProcess player("wyvernel", kPlayerClass, kPlayerTitle, "--quiet");
    ASSERT_NE(player.mainWindow(), nullptr) << "the stand-in player did not start";
    start("");
    HWND active = panel("active_panel");
    HWND record = nullptr;
    ASSERT_TRUE(waitFor([&] {
        record = childAt(active, kButtonClass, skin::active_panel::RecBtn);
        return record != nullptr && IsWindowVisible(record) && placeOf(active).left >= 0;
    })) << "the Record button did not show";
    waitInView("file_panel");
    HWND closeButton = childAt(window, kButtonClass, skin::main_form::closebtn);
    ASSERT_TRUE(waitFor([&] { return IsWindowEnabled(closeButton); }));
    const RECT frame = onScreen(window);
    const POINT bare{frame.left + 195, frame.top + 110};
    const RECT glyph = onScreen(closeButton);
    const POINT onClose{(glyph.left + glyph.right) / 2, (glyph.top + glyph.bottom) / 2};
    const auto settled = [&](std::vector<std::uint32_t>& pixels) {
        return waitFor([&] {
            const std::vector<std::uint32_t> now = screenPixels(glyph);
            const bool steady = now == pixels;
            pixels = now;
            return steady;
        });
    };
    SetCursorPos(bare.x, bare.y);
    std::vector<std::uint32_t> normal;
    ASSERT_TRUE(settled(normal)) << "the close button's glyph never settled";
    SetCursorPos(onClose.x, onClose.y);
    ASSERT_TRUE(waitFor([&] { return screenPixels(glyph) != normal; }))
        << "the close button never showed its mouse-over glyph";
    std::vector<std::uint32_t> hot;
    ASSERT_TRUE(settled(hot));
    SetCursorPos(bare.x, bare.y);
    ASSERT_TRUE(waitFor([&] { return screenPixels(glyph) == normal; }));

    const RECT button = placeOf(record);
    post(record, (button.right - button.left) / 2, (button.bottom - button.top) / 2);
    SetCursorPos(onClose.x, onClose.y);
    ASSERT_TRUE(waitFor([&] { return screenPixels(glyph) == hot; }));
    ASSERT_TRUE(IsWindowEnabled(closeButton)) << "the recording started before the pointer came";
    ASSERT_TRUE(waitFor([&] { return !IsWindowEnabled(closeButton); }))
        << "the recording did not start";
    SetCursorPos(bare.x, bare.y);
    // A second of recording with the pointer away: the system's word that it left is long gone.
    ASSERT_TRUE(labelShows("remote_panel", skin::remote_panel::timeindex, "1."));
    HWND stop = nullptr;
    ASSERT_TRUE(waitFor([&] {
        stop = childAt(active, kButtonClass, skin::active_panel::stopbtn);
        return stop != nullptr && IsWindowVisible(stop);
    })) << "the Stop button did not show";
    const RECT stopPlace = placeOf(stop);
    post(stop, (stopPlace.right - stopPlace.left) / 2, (stopPlace.bottom - stopPlace.top) / 2);
    ASSERT_TRUE(waitFor([&] { return IsWindowEnabled(closeButton); }))
        << "the recording did not end";
    EXPECT_TRUE(waitFor([&] { return screenPixels(glyph) == normal; }))
        << "the close button stays drawn as under the pointer";
    close();
}

// A default profile that refuses for another reason than rights (here: its Disc Detector key is
// volatile, so no lasting key may be made in it) is told in the registry's own words.
TEST_F(WindowE2eTest, DiscDetectorFailureThatIsNoRefusedAccessGivesTheRegistrysOwnError) {
    const char* const vendor = "Software\\Creative Tech";
    const std::string profileVendor = std::string(".DEFAULT\\") + vendor;
    HKEY probe = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, vendor, 0, KEY_READ, &probe) == ERROR_SUCCESS ||
        RegOpenKeyExA(HKEY_USERS, profileVendor.c_str(), 0, KEY_READ, &probe) == ERROR_SUCCESS) {
        RegCloseKey(probe);
        GTEST_SKIP() << "Disc Detector's keys exist already";
    }
    struct Cleanup {
        std::string profileVendor;
        ~Cleanup() {
            RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Creative Tech");
            RegDeleteTreeA(HKEY_USERS, profileVendor.c_str());
        }
    } cleanup{profileVendor};
    const auto create = [](HKEY root, const std::string& path, DWORD options) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(root, path.c_str(), 0, nullptr, options, KEY_ALL_ACCESS, nullptr,
                                  &key, nullptr),
                  ERROR_SUCCESS);
        RegCloseKey(key);
    };
    create(HKEY_CURRENT_USER, std::string(vendor) + "\\Disc Detector\\DVD", 0);
    create(HKEY_USERS, profileVendor + "\\Disc Detector", 0);
    create(HKEY_USERS, profileVendor + "\\Disc Detector\\DVD", REG_OPTION_VOLATILE);

    start("");
    waitInView("file_panel");
    key(window, 'C', true);
    waitInView("config_panel");
    HWND optionA = childAt(panel("config_panel"), kButtonClass, skin::config_panel::optionabtn);
    ASSERT_NE(optionA, nullptr);
    post(optionA, 5, 5);
    HWND box = program->waitForWindow("#32770", true);
    ASSERT_NE(box, nullptr) << "no message";
    const std::string text = messageBoxText(box);
    char* system = nullptr;
    FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, ERROR_CHILD_MUST_BE_VOLATILE, 0, reinterpret_cast<char*>(&system), 0, nullptr);
    ASSERT_NE(system, nullptr);
    std::string own(system);
    LocalFree(system);
    own = own.substr(0, own.find_last_not_of("\r\n ") + 1);
    EXPECT_EQ(text.rfind("Disc Detector will now start DVD Spindrel for you", 0), 0u) << text;
    EXPECT_NE(text.find("Disc Detector\\DVD\\Default"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\r" + own), std::string::npos) << text;
    EXPECT_EQ(text.find("administrator"), std::string::npos) << text;
    answer("OK");
    close();
}

}  // namespace
}  // namespace spindrel::e2e
