#pragma once
// Operations on top-level windows, the program's own and other programs'. Handles are the
// 32-bit values the plug-in contract uses; 0 is no window.

#include <cstdint>
#include <string>

namespace spindrel {

using WindowHandle = std::uint32_t;

enum class ShowCommand { show, minimize, restore, hide };

struct SendResult {
    bool ok = false;           // false: timed out, hung, or no such window
    std::uintptr_t reply = 0;  // the window's answer when ok
};

class WindowPort {
public:
    virtual ~WindowPort() = default;
    // Class name and title are both compared whole.
    virtual WindowHandle findWindow(const std::string& className, const std::string& title) = 0;
    // The first window of this class, whatever its title.
    virtual WindowHandle findWindowOfClass(const std::string& className) = 0;
    // The first window of this class whose title ends in titleEnd.
    virtual WindowHandle findWindowWithTitleEnd(const std::string& className,
                                                const std::string& titleEnd) = 0;
    virtual bool showWindow(WindowHandle window, ShowCommand command) = 0;
    virtual bool setForegroundWindow(WindowHandle window) = 0;
    // SendMessageTimeout with SMTO_ABORTIFHUNG.
    virtual SendResult sendMessageTimeout(WindowHandle window, std::uint32_t message,
                                          std::uintptr_t wParam, std::intptr_t lParam,
                                          std::uint32_t timeoutMs) = 0;
    virtual bool postMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                             std::intptr_t lParam) = 0;
};

}  // namespace spindrel
