#include "platform/win32/win32_open_dialog.h"

#include <commdlg.h>

#include "platform/win32/common_dialog_filter.h"

#include <vector>

namespace spindrel {

std::optional<std::string> Win32OpenDialog::openFile(const OpenDialogOptions& options) {
    std::vector<char> filter = commonDialogFilter(options.filter);

    char file[MAX_PATH] = {};
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner_;
    dialog.lpstrFilter = filter.data();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file;
    dialog.nMaxFile = sizeof file;
    dialog.lpstrInitialDir = options.initialFolder.c_str();
    dialog.lpstrTitle = options.title.c_str();
    dialog.Flags = OFN_NOCHANGEDIR | OFN_HIDEREADONLY | OFN_ENABLESIZING |
                   (options.fileMustExist ? OFN_FILEMUSTEXIST : 0) |
                   (options.pathMustExist ? OFN_PATHMUSTEXIST : 0);
    if (!GetOpenFileNameA(&dialog)) return std::nullopt;
    return std::string(file);
}

}  // namespace spindrel
