#pragma once
// Opens a DSM from the DSM folder with the system's file dialog. Stands in for the skinned
// library dialog, which lists the DSMs with their descriptions.

#include <windows.h>

#include "platform/library_dialog_port.h"

namespace spindrel {

class BasicLibraryDialogs : public LibraryDialogPort {
public:
    void setOwner(HWND owner) { owner_ = owner; }
    std::unique_ptr<LibraryDialog> create() override;

private:
    HWND owner_ = nullptr;
};

}  // namespace spindrel
