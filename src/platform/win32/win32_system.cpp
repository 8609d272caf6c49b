#include "platform/win32/win32_system.h"

#include <algorithm>

#include "app/command_line.h"

namespace spindrel {

// A path that fills the buffer has been cut short (the length returned is then the buffer's
// size): try again with more room rather than run from a folder that does not exist.
std::string Win32System::programPath() {
    constexpr DWORD kLongestPath = 32768;
    std::string buffer(MAX_PATH + 1, '\0');
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), size);
        if (length < size || size >= kLongestPath) {
            buffer.resize(length < size ? length : 0);
            return buffer;
        }
        buffer.resize(std::min<DWORD>(size * 2, kLongestPath));
    }
}

std::vector<std::string> Win32System::arguments() {
    std::vector<std::string> all = splitCommandLine(GetCommandLineA());
    if (!all.empty()) all.erase(all.begin());
    return all;
}

std::optional<std::array<int, 4>> Win32System::fileVersion(const std::string& path) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0) return std::nullopt;
    std::vector<char> data(size);
    if (!GetFileVersionInfoA(path.c_str(), 0, size, data.data())) return std::nullopt;
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&info), &length) ||
        info == nullptr || length < sizeof(VS_FIXEDFILEINFO)) {
        return std::nullopt;
    }
    return std::array<int, 4>{
        static_cast<int>(HIWORD(info->dwFileVersionMS)),
        static_cast<int>(LOWORD(info->dwFileVersionMS)),
        static_cast<int>(HIWORD(info->dwFileVersionLS)),
        static_cast<int>(LOWORD(info->dwFileVersionLS)),
    };
}

std::optional<std::string> Win32System::versionText(const std::string& path,
                                                    const std::string& name) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0) return std::nullopt;
    std::vector<char> data(size);
    if (!GetFileVersionInfoA(path.c_str(), 0, size, data.data())) return std::nullopt;
    struct Translation {
        WORD language;
        WORD codePage;
    };
    Translation* translations = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(data.data(), "\\VarFileInfo\\Translation",
                        reinterpret_cast<void**>(&translations), &length) ||
        translations == nullptr || length < sizeof(Translation)) {
        return std::nullopt;
    }
    char block[64];
    wsprintfA(block, "\\StringFileInfo\\%04x%04x\\", translations[0].language,
              translations[0].codePage);
    char* text = nullptr;
    UINT chars = 0;
    if (!VerQueryValueA(data.data(), (block + name).c_str(), reinterpret_cast<void**>(&text),
                        &chars) ||
        text == nullptr || chars == 0) {
        return std::nullopt;
    }
    std::string value(text, chars);
    if (const std::size_t nul = value.find('\0'); nul != std::string::npos) value.resize(nul);
    if (value.empty()) return std::nullopt;
    return value;
}

ScreenSize Win32System::screenSize() {
    return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

bool Win32System::loadCursor(const std::string& resourceName, int number) {
    HCURSOR cursor = LoadCursorA(GetModuleHandleA(nullptr), resourceName.c_str());
    if (cursor == nullptr) return false;
    cursors_[number] = cursor;  // resource cursors are shared: never destroyed
    return true;
}

HCURSOR Win32System::cursor(int number) const {
    const auto found = cursors_.find(number);
    return found == cursors_.end() ? nullptr : found->second;
}

std::string Win32System::errorText(int code) {
    char* buffer = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text = length != 0 && buffer != nullptr ? std::string(buffer, length) : "";
    if (buffer != nullptr) LocalFree(buffer);
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ')) {
        text.pop_back();
    }
    if (text.empty()) text = "System error " + std::to_string(code) + ".";
    return text;
}

}  // namespace spindrel
