#pragma once
#include <windows.h>

#include "platform/open_dialog_port.h"

namespace spindrel {

class Win32OpenDialog : public OpenDialogPort {
public:
    void setOwner(HWND owner) { owner_ = owner; }
    std::optional<std::string> openFile(const OpenDialogOptions& options) override;

private:
    HWND owner_ = nullptr;
};

}  // namespace spindrel
