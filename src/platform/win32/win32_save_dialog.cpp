#include "platform/win32/win32_save_dialog.h"

#include "platform/win32/common_file_dialog.h"

namespace spindrel {

std::optional<std::string> Win32SaveDialog::saveFile(const SaveDialogOptions& options) {
    FileDialogSetup setup(owner_, options.filter, options.title, options.initialFolder);
    setup.dialog.lpstrDefExt =
        options.defaultExtension.empty() ? nullptr : options.defaultExtension.c_str();
    setup.dialog.Flags = (options.overwritePrompt ? OFN_OVERWRITEPROMPT : 0) |
                         (options.hideReadOnly ? OFN_HIDEREADONLY : 0) |
                         (options.noChangeDirectory ? OFN_NOCHANGEDIR : 0) |
                         (options.pathMustExist ? OFN_PATHMUSTEXIST : 0) |
                         (options.noNetworkButton ? OFN_NONETWORKBUTTON : 0);
    if (!GetSaveFileNameA(&setup.dialog))
        return std::nullopt;
    return setup.chosen();
}

}  // namespace spindrel
