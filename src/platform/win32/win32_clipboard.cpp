#include "platform/win32/win32_clipboard.h"

#include <cstring>

namespace spindrel {

namespace {
class ClipboardClose {
  public:
    ~ClipboardClose() { CloseClipboard(); }
};
}  // namespace

bool Win32Clipboard::open() {
    // Another program may hold the clipboard open for a moment (clipboard viewers and managers
    // read it right after every change); a few short tries ride that out.
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (OpenClipboard(owner_))
            return true;
        Sleep(10);
    }
    return false;
}

bool Win32Clipboard::holdsText() {
    return IsClipboardFormatAvailable(CF_TEXT) != 0;
}

std::optional<std::string> Win32Clipboard::text() {
    if (!open())
        return std::nullopt;
    ClipboardClose closer;
    HANDLE data = GetClipboardData(CF_TEXT);
    if (data == nullptr)
        return std::nullopt;
    const auto* chars = static_cast<const char*>(GlobalLock(data));
    if (chars == nullptr)
        return std::nullopt;
    // The text ends at its zero, but never beyond the memory block.
    const SIZE_T size = GlobalSize(data);
    const void* zero = std::memchr(chars, 0, size);
    std::string out(chars, zero != nullptr ? static_cast<const char*>(zero) - chars : size);
    GlobalUnlock(data);
    return out;
}

bool Win32Clipboard::setText(const std::string& text) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (memory == nullptr)
        return false;
    auto* chars = static_cast<char*>(GlobalLock(memory));
    if (chars == nullptr) {
        GlobalFree(memory);
        return false;
    }
    std::memcpy(chars, text.c_str(), text.size() + 1);
    GlobalUnlock(memory);

    if (!open()) {
        GlobalFree(memory);
        return false;
    }
    ClipboardClose closer;
    EmptyClipboard();
    if (SetClipboardData(CF_TEXT, memory) == nullptr) {
        GlobalFree(memory);
        return false;
    }
    return true;  // the clipboard owns the memory now
}

}  // namespace spindrel
