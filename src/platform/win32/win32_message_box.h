#pragma once
#include <windows.h>

#include "platform/message_box_port.h"

namespace spindrel {

class Win32MessageBox : public MessageBoxPort {
public:
    void setOwner(HWND owner) { owner_ = owner; }
    MsgAnswer show(const std::string& text, const std::string& caption, MsgButtons buttons,
                   MsgIcon icon) override;
    void beep(BeepKind kind) override;

private:
    HWND owner_ = nullptr;
};

}  // namespace spindrel
