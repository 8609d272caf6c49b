#include "platform/win32/win32_message_pump.h"

#include <windows.h>

namespace spindrel {

void Win32MessagePump::processMessages() {
    if (beforePump) beforePump();
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // Leave the quit request for the main loop, which ends the program.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

}  // namespace spindrel
