#pragma once
// The DSM library dialog as the file operations see it: made once, then run modally again and
// again.

#include <memory>
#include <optional>
#include <string>

namespace spindrel {

class LibraryDialog {
  public:
    virtual ~LibraryDialog() = default;
    // Empty when the dialog set itself up; else the text to show (a skin image that failed).
    virtual std::string setupError() = 0;
    // Modal: one bare file name from the DSM folder on OK, nothing on Cancel.
    virtual std::optional<std::string> showModal() = 0;
};

class LibraryDialogPort {
  public:
    virtual ~LibraryDialogPort() = default;
    // A new dialog; destroying it closes the window.
    virtual std::unique_ptr<LibraryDialog> create() = 0;
};

}  // namespace spindrel
