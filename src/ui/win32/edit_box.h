#pragma once
// A standard edit control on a skinned panel: its text follows the model without the model's
// own updates being reported back as the user's edits, the keys of the window's shortcuts reach
// the window, and files dropped from the shell can be accepted.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace spindrel {

class EditBox {
public:
    EditBox(HWND parent, const RECT& rect, DWORD style, HFONT font);
    ~EditBox();
    EditBox(const EditBox&) = delete;
    EditBox& operator=(const EditBox&) = delete;

    HWND handle() const { return window_; }
    // Shows the text unless it already does; no change is reported for it.
    void show(const std::string& text);
    std::string text() const;
    // The lines as the control shows them, long lines wrapped.
    std::vector<std::string> lines() const;

    std::function<void()> onChange;
    std::function<void(const std::vector<std::string>& files)> onFilesDropped;
    // Keys the window handles too (they are not consumed).
    std::function<void(UINT message, WPARAM wParam, LPARAM lParam)> onKey;
    // The cursor over the box; none: the text cursor.
    std::function<HCURSOR()> cursor;

    // The parent reports EN_CHANGE here.
    void changed();
    void acceptFiles(bool on);

private:
    static LRESULT CALLBACK Subclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    WNDPROC original_ = nullptr;
    bool updating_ = false;
};

}  // namespace spindrel
