#pragma once
// The system's "open file" dialog.

#include <optional>
#include <string>

namespace spindrel {

struct OpenDialogOptions {
    std::string title;
    // Pairs of description and patterns separated by "|", as "Programs|*.exe;*.com|All|*.*".
    std::string filter;
    std::string initialFolder;
    bool fileMustExist = true;
    bool pathMustExist = true;
};

class OpenDialogPort {
public:
    virtual ~OpenDialogPort() = default;
    // The chosen file's full path, or nothing when the user cancelled. The program's current
    // directory is left as it was.
    virtual std::optional<std::string> openFile(const OpenDialogOptions& options) = 0;
};

}  // namespace spindrel
