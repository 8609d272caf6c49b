#include "library/win32/basic_library_dialog.h"

#include <commdlg.h>

#include <string>

namespace spindrel {

namespace {

class BasicLibraryDialog : public LibraryDialog {
public:
    explicit BasicLibraryDialog(HWND owner) : owner_(owner) {}

    std::string setupError() override { return {}; }

    std::optional<std::string> showModal() override {
        char folder[MAX_PATH] = {};
        GetCurrentDirectoryA(MAX_PATH, folder);
        char file[MAX_PATH] = {};
        OPENFILENAMEA dialog{};
        dialog.lStructSize = sizeof dialog;
        dialog.hwndOwner = owner_;
        dialog.lpstrFilter = "DVD Startup Macro\0*.dsm\0";
        dialog.lpstrFile = file;
        dialog.nMaxFile = sizeof file;
        dialog.lpstrInitialDir = folder;
        dialog.lpstrTitle = "Open a DSM";
        dialog.Flags = OFN_NOCHANGEDIR | OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
        if (!GetOpenFileNameA(&dialog)) return std::nullopt;
        // The program opens DSMs by their bare names in the DSM folder.
        return std::string(file + dialog.nFileOffset);
    }

private:
    HWND owner_;
};

}  // namespace

std::unique_ptr<LibraryDialog> BasicLibraryDialogs::create() {
    return std::make_unique<BasicLibraryDialog>(owner_);
}

}  // namespace spindrel
