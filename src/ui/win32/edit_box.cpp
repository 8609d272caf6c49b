#include "ui/win32/edit_box.h"

#include <shellapi.h>

namespace spindrel {

EditBox::EditBox(HWND parent, const RECT& rect, DWORD style, HFONT font) {
    window_ = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | style, rect.left, rect.top,
                              rect.right - rect.left, rect.bottom - rect.top, parent, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    original_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&EditBox::Subclass)));
}

EditBox::~EditBox() {
    if (!IsWindow(window_)) return;
    DragAcceptFiles(window_, FALSE);
    SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
}

void EditBox::show(const std::string& text) {
    if (this->text() == text) return;
    updating_ = true;
    SetWindowTextA(window_, text.c_str());
    updating_ = false;
}

std::string EditBox::text() const {
    const int length = GetWindowTextLengthA(window_);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    GetWindowTextA(window_, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

std::vector<std::string> EditBox::lines() const {
    std::vector<std::string> lines;
    const int count = static_cast<int>(SendMessageA(window_, EM_GETLINECOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char buffer[1024];
        *reinterpret_cast<WORD*>(buffer) = sizeof buffer - 1;
        const int length = static_cast<int>(
            SendMessageA(window_, EM_GETLINE, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buffer)));
        lines.emplace_back(buffer, static_cast<std::size_t>(length));
    }
    // An empty memo is no lines at all, not one empty line.
    if (lines.size() == 1 && lines[0].empty()) lines.clear();
    return lines;
}

void EditBox::acceptFiles(bool on) { DragAcceptFiles(window_, on ? TRUE : FALSE); }

void EditBox::changed() {
    if (!updating_ && onChange) onChange();
}

LRESULT CALLBACK EditBox::Subclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<EditBox*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_SETCURSOR && LOWORD(lParam) == HTCLIENT && self->cursor) {
        if (HCURSOR cursor = self->cursor()) {
            SetCursor(cursor);
            return TRUE;
        }
    }
    // The control sees every message first; the drop and the keys are looked at afterwards.
    const LRESULT result = CallWindowProcA(self->original_, window, message, wParam, lParam);
    if (message == WM_DROPFILES) {
        HDROP drop = reinterpret_cast<HDROP>(wParam);
        std::vector<std::string> files;
        const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
        for (UINT i = 0; i < count; ++i) {
            char path[256] = {};
            DragQueryFileA(drop, i, path, sizeof path);
            files.emplace_back(path);
        }
        DragFinish(drop);
        if (self->onFilesDropped) self->onFilesDropped(files);
    } else if ((message == WM_KEYDOWN || message == WM_SYSKEYDOWN || message == WM_CHAR ||
                message == WM_KEYUP) &&
               self->onKey) {
        self->onKey(message, wParam, lParam);
    }
    return result;
}

}  // namespace spindrel
