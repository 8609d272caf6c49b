#include "platform/win32/win32_open_dialog.h"

#include "platform/win32/common_file_dialog.h"

namespace spindrel {

std::optional<std::string> Win32OpenDialog::openFile(const OpenDialogOptions& options) {
    FileDialogSetup setup(owner_, options.filter, options.title, options.initialFolder);
    setup.dialog.Flags = OFN_NOCHANGEDIR | OFN_HIDEREADONLY | OFN_ENABLESIZING |
                         (options.fileMustExist ? OFN_FILEMUSTEXIST : 0) |
                         (options.pathMustExist ? OFN_PATHMUSTEXIST : 0);
    if (!GetOpenFileNameA(&setup.dialog))
        return std::nullopt;
    return setup.chosen();
}

}  // namespace spindrel
