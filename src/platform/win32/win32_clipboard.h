#pragma once
#include <windows.h>

#include "platform/clipboard_port.h"

namespace spindrel {

class Win32Clipboard : public ClipboardPort {
  public:
    void setOwner(HWND owner) { owner_ = owner; }
    bool holdsText() override;
    std::optional<std::string> text() override;
    bool setText(const std::string& text) override;

  private:
    bool open();
    HWND owner_ = nullptr;
};

}  // namespace spindrel
