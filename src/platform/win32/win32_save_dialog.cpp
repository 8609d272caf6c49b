#include "platform/win32/win32_save_dialog.h"

#include <commdlg.h>

#include "platform/win32/common_dialog_filter.h"

#include <vector>

namespace spindrel {

std::optional<std::string> Win32SaveDialog::saveFile(const SaveDialogOptions& options) {
    std::vector<char> filter = commonDialogFilter(options.filter);

    char file[MAX_PATH] = {};
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner_;
    dialog.lpstrFilter = filter.data();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file;
    dialog.nMaxFile = sizeof file;
    dialog.lpstrInitialDir =
        options.initialFolder.empty() ? nullptr : options.initialFolder.c_str();
    dialog.lpstrTitle = options.title.c_str();
    dialog.lpstrDefExt =
        options.defaultExtension.empty() ? nullptr : options.defaultExtension.c_str();
    dialog.Flags = (options.overwritePrompt ? OFN_OVERWRITEPROMPT : 0) |
                   (options.hideReadOnly ? OFN_HIDEREADONLY : 0) |
                   (options.noChangeDirectory ? OFN_NOCHANGEDIR : 0) |
                   (options.pathMustExist ? OFN_PATHMUSTEXIST : 0) |
                   (options.noNetworkButton ? OFN_NONETWORKBUTTON : 0);
    if (!GetSaveFileNameA(&dialog))
        return std::nullopt;
    return std::string(file);
}

}  // namespace spindrel
