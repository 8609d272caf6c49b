#pragma once
// The system's "save file" dialog.

#include <optional>
#include <string>

namespace spindrel {

struct SaveDialogOptions {
    std::string title;
    // Pairs of description and patterns separated by "|", as "DVD Startup Macro|*.dsm".
    std::string filter;
    std::string defaultExtension;  // without the dot
    std::string initialFolder;
    bool overwritePrompt = true;
    bool hideReadOnly = true;
    bool noChangeDirectory = true;
    bool pathMustExist = true;
    bool noNetworkButton = true;

    bool operator==(const SaveDialogOptions&) const = default;
};

class SaveDialogPort {
  public:
    virtual ~SaveDialogPort() = default;
    // The chosen file's full path, or nothing when the user cancelled.
    virtual std::optional<std::string> saveFile(const SaveDialogOptions& options) = 0;
};

}  // namespace spindrel
