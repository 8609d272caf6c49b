#pragma once
#include <windows.h>

#include <commdlg.h>

#include <string>
#include <vector>

namespace spindrel {

// "Programs|*.exe|All|*.*" as the common dialogs want it: parts separated by NULs, ended by two.
inline std::vector<char> commonDialogFilter(const std::string& filter) {
    std::vector<char> out(filter.begin(), filter.end());
    for (char& c : out) {
        if (c == '|')
            c = '\0';
    }
    out.push_back('\0');
    out.push_back('\0');
    return out;
}

// What the open and the save dialog share: the filter, the file name buffer, the owner, the
// title and the first folder. It owns the memory the structure points to, so it must outlive
// the dialog call.
class FileDialogSetup {
  public:
    FileDialogSetup(HWND owner, const std::string& filter, const std::string& title,
                    const std::string& initialFolder)
        : filter_(commonDialogFilter(filter)) {
        dialog.lStructSize = sizeof dialog;
        dialog.hwndOwner = owner;
        dialog.lpstrFilter = filter_.data();
        dialog.nFilterIndex = 1;
        dialog.lpstrFile = file_;
        dialog.nMaxFile = sizeof file_;
        dialog.lpstrInitialDir = initialFolder.empty() ? nullptr : initialFolder.c_str();
        dialog.lpstrTitle = title.c_str();
    }
    FileDialogSetup(const FileDialogSetup&) = delete;
    FileDialogSetup& operator=(const FileDialogSetup&) = delete;

    std::string chosen() const { return file_; }

    OPENFILENAMEA dialog{};

  private:
    std::vector<char> filter_;
    char file_[MAX_PATH] = {};
};

}  // namespace spindrel
