#pragma once
#include <windows.h>

#include "platform/save_dialog_port.h"

namespace spindrel {

class Win32SaveDialog : public SaveDialogPort {
  public:
    void setOwner(HWND owner) { owner_ = owner; }
    std::optional<std::string> saveFile(const SaveDialogOptions& options) override;

  private:
    HWND owner_ = nullptr;
};

}  // namespace spindrel
