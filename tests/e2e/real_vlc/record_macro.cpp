// A macro recorded through the real window, as its user records one with the real VLC: the
// program started as an autoplay program starts it for a disc without a DSM ("/b"), so that it
// starts VLC and waits, minimised; then restored from the task bar, Record, and the remote's
// buttons clicked as a user who watches VLC clicks them: Down and Ok / Enter once the disc's
// root menu shows, Next once its title plays. Stop, the modified mark to save under the disc's
// own name, and the click list shown for a picture of it.
//
//   record_macro INSTALL_FOLDER SCREENSHOT.bmp [SEEN_FOLDER]   (see tests/e2e/real_vlc_test.sh)
//
// The user's eyes are the test's: it watches VLC and makes the file "menu" in SEEN_FOLDER once
// VLC shows the root menu, and "title" once title 2 plays. Without SEEN_FOLDER the pace is fixed,
// from the moment VLC's window shows (the disc's warning lasts 4 s, and VLC takes about a second
// to open the disc). Ends 0 once the DSM is saved.

#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

#include "e2e/e2e_support.h"
#include "ui/skin_layout.h"

namespace {

using namespace spindrel;
using namespace spindrel::e2e;

constexpr const char* kButtonClass = "TCoolButton";

// What the user waits for, counted from VLC's window: the menu well after the warning, then
// the time a user takes between presses, and the title's start after Ok.
constexpr DWORD kMenuShowsMs = 7500;
constexpr DWORD kBetweenPressesMs = 1000;
constexpr DWORD kTitlePlaysMs = 2500;

int fail(const char* what) {
    std::fprintf(stderr, "record_macro: %s\n", what);
    return 1;
}

// A click as the mouse makes it, posted to the button in its middle.
void click(HWND button) {
    const RECT rect = placeOf(button);
    const LPARAM where = MAKELPARAM((rect.right - rect.left) / 2, (rect.bottom - rect.top) / 2);
    PostMessageA(button, WM_MOUSEMOVE, 0, where);
    PostMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, where);
    PostMessageA(button, WM_LBUTTONUP, 0, where);
}

bool inView(HWND window, const char* name) {
    HWND panel = childWithText(window, name);
    return panel != nullptr && placeOf(panel).left == skin::base_panel::dsm_panel.left &&
           IsWindowEnabled(panel);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4)
        return fail("usage: record_macro INSTALL_FOLDER SCREENSHOT.bmp [SEEN_FOLDER]");
    const std::string seen = argc == 4 ? argv[3] : "";
    const std::string folder = argv[1];
    const Process program(folder + "\\DVD_Spindrel.exe", "/b", folder);
    HWND window = program.waitForWindow("Tmain", false);
    if (window == nullptr)
        return fail("the main window did not come");
    HWND vlc = nullptr;
    if (!waitFor([&] { return (vlc = FindWindowA("Qt5QWindowIcon", nullptr)) != nullptr; }, 60000))
        return fail("VLC's window did not come");
    const DWORD vlcShowed = GetTickCount();
    const auto until = [&](DWORD ms) {
        const DWORD elapsed = GetTickCount() - vlcShowed;
        if (elapsed < ms)
            Sleep(ms - elapsed);
    };
    // What the user sees, then a user's moment to react to it.
    const auto sees = [&](const char* what, DWORD fixedMs) {
        if (seen.empty()) {
            until(fixedMs);
            return true;
        }
        const std::string file = seen + "\\" + what;
        if (!waitFor([&] { return GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES; },
                     60000))
            return false;
        Sleep(kBetweenPressesMs);
        return true;
    };

    // The program has started VLC, found no DSM and waits, minimised: the user brings it back.
    Sleep(500);
    PostMessageA(window, WM_SYSCOMMAND, SC_RESTORE, 0);
    if (!waitFor([&] { return !IsIconic(window); }))
        return fail("the window was not restored");
    SetForegroundWindow(window);
    HWND active = nullptr;
    HWND record = nullptr;
    if (!waitFor([&] {
            active = childWithText(window, "active_panel");
            record = active ? childAt(active, kButtonClass, skin::active_panel::RecBtn) : nullptr;
            return record != nullptr && IsWindowVisible(record) && placeOf(active).left >= 0;
        }))
        return fail("the Record button did not show");
    HWND closeButton = childAt(window, kButtonClass, skin::main_form::closebtn);
    if (!waitFor([&] { return closeButton != nullptr && IsWindowEnabled(closeButton); }))
        return fail("the window never took input");
    click(record);
    if (!waitFor([&] { return !IsWindowEnabled(closeButton); }))
        return fail("the recording did not start");

    HWND remote = childWithText(window, "remote_panel");
    const auto press = [&](const char* name) {
        HWND button = remote ? childWithText(remote, name) : nullptr;
        if (button == nullptr || !IsWindowVisible(button))
            return false;
        click(button);
        return true;
    };
    if (!sees("menu", kMenuShowsMs))
        return fail("VLC never showed the disc's menu");
    if (!press("Down"))
        return fail("the remote has no Down");
    Sleep(kBetweenPressesMs);
    if (!press("Ok / Enter"))
        return fail("the remote has no Ok / Enter");
    if (!sees("title", kMenuShowsMs + kBetweenPressesMs + kTitlePlaysMs))
        return fail("VLC never played title 2");
    if (!press("Next"))
        return fail("the remote has no Next");
    Sleep(kBetweenPressesMs);

    HWND stop = childAt(active, kButtonClass, skin::active_panel::stopbtn);
    if (stop == nullptr)
        return fail("the Stop button did not show");
    click(stop);
    if (!waitFor([&] { return IsWindowEnabled(closeButton); }))
        return fail("the recording did not end");

    // The modified mark saves under the name the program gave the disc's new DSM.
    HWND mark = nullptr;
    for (HWND child : childrenOf(window)) {
        const RECT rect = placeOf(child);
        if (GetParent(child) == window && rect.left == skin::main_form::ModLabel.left &&
            rect.top == skin::main_form::ModLabel.top)
            mark = child;
    }
    if (mark == nullptr || !waitFor([&] { return IsWindowVisible(mark); }))
        return fail("the recording left no modified mark");
    const RECT markPlace = placeOf(mark);
    const LPARAM middle =
        MAKELPARAM((markPlace.right - markPlace.left) / 2, (markPlace.bottom - markPlace.top) / 2);
    PostMessageA(mark, WM_LBUTTONDOWN, MK_LBUTTON, middle);
    PostMessageA(mark, WM_LBUTTONUP, 0, middle);
    if (!waitFor([&] { return !IsWindowVisible(mark); }))
        return fail("the mark did not save");

    // The click list, for the guide: Alt+B brings it in.
    PostMessageA(window, WM_SYSKEYDOWN, 'B', (LPARAM{1} << 29) | 1);
    PostMessageA(window, WM_SYSKEYUP, 'B', (LPARAM{1} << 29) | 1 | (LPARAM{3} << 30));
    if (!waitFor([&] { return inView(window, "button_panel"); }))
        return fail("the click list did not come into view");
    Sleep(500);
    saveScreenshot(window, argv[2]);
    PostMessageA(window, WM_CLOSE, 0, 0);
    program.waitForExit(5000);
    return 0;
}
