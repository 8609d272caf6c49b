#pragma once
#include "platform/window_port.h"

namespace spindrel {

class Win32Windows : public WindowPort {
public:
    WindowHandle findWindow(const std::string& className, const std::string& title) override;
    WindowHandle findWindowOfClass(const std::string& className) override;
    WindowHandle findWindowWithTitleEnd(const std::string& className,
                                        const std::string& titleEnd) override;
    bool showWindow(WindowHandle window, ShowCommand command) override;
    bool setForegroundWindow(WindowHandle window) override;
    SendResult sendMessageTimeout(WindowHandle window, std::uint32_t message,
                                  std::uintptr_t wParam, std::intptr_t lParam,
                                  std::uint32_t timeoutMs) override;
    bool postMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                     std::intptr_t lParam) override;
};

}  // namespace spindrel
