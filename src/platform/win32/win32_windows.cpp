#include "platform/win32/win32_windows.h"

#include <windows.h>

namespace spindrel {

namespace {
// Window handles have 32 significant bits on 64-bit Windows too, so they survive the contract's
// 32-bit form; they are sign-extended on the way back, as Windows does.
HWND toHwnd(WindowHandle window) {
    return reinterpret_cast<HWND>(static_cast<LONG_PTR>(static_cast<std::int32_t>(window)));
}
WindowHandle fromHwnd(HWND window) {
    return static_cast<WindowHandle>(reinterpret_cast<ULONG_PTR>(window));
}
}  // namespace

WindowHandle Win32Windows::findWindow(const std::string& className, const std::string& title) {
    return fromHwnd(FindWindowA(className.c_str(), title.c_str()));
}

WindowHandle Win32Windows::findWindowOfClass(const std::string& className) {
    return fromHwnd(FindWindowA(className.c_str(), nullptr));
}

WindowHandle Win32Windows::findWindowWithTitleEnd(const std::string& className,
                                                  const std::string& titleEnd) {
    // GetWindowText reads another program's title without sending it a message, so a hung
    // player cannot hold the search up.
    for (HWND window = FindWindowExA(nullptr, nullptr, className.c_str(), nullptr);
         window != nullptr; window = FindWindowExA(nullptr, window, className.c_str(), nullptr)) {
        char title[512];
        const int length = GetWindowTextA(window, title, sizeof title);
        const std::string text(title, length > 0 ? static_cast<std::size_t>(length) : 0);
        if (text.size() >= titleEnd.size() &&
            text.compare(text.size() - titleEnd.size(), titleEnd.size(), titleEnd) == 0) {
            return fromHwnd(window);
        }
    }
    return 0;
}

bool Win32Windows::showWindow(WindowHandle window, ShowCommand command) {
    int show = SW_SHOW;
    switch (command) {
        case ShowCommand::show: show = SW_SHOW; break;
        case ShowCommand::minimize: show = SW_MINIMIZE; break;
        case ShowCommand::restore: show = SW_RESTORE; break;
        case ShowCommand::hide: show = SW_HIDE; break;
    }
    return ShowWindow(toHwnd(window), show) != FALSE;
}

bool Win32Windows::setForegroundWindow(WindowHandle window) {
    return SetForegroundWindow(toHwnd(window)) != FALSE;
}

SendResult Win32Windows::sendMessageTimeout(WindowHandle window, std::uint32_t message,
                                            std::uintptr_t wParam, std::intptr_t lParam,
                                            std::uint32_t timeoutMs) {
    DWORD_PTR reply = 0;
    const LRESULT ok = SendMessageTimeoutA(toHwnd(window), message, wParam, lParam,
                                           SMTO_ABORTIFHUNG, timeoutMs, &reply);
    return {ok != 0, reply};
}

bool Win32Windows::postMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                               std::intptr_t lParam) {
    return PostMessageA(toHwnd(window), message, wParam, lParam) != FALSE;
}

}  // namespace spindrel
