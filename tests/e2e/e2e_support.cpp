#include "e2e_support.h"

#include <gtest/gtest.h>

#include <fstream>

#include "support/wine_paths.h"

namespace spindrel::e2e {

namespace {

std::string distFile(const char* name) {
    return testing::windowsPath(std::string(SPINDREL_DIST_DIR) + "/" + name);
}
std::string testbinFile(const char* name) {
    return testing::windowsPath(std::string(SPINDREL_TESTBIN_DIR) + "/" + name);
}

void deleteTree(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string path = folder + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                deleteTree(path);
            } else {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

void copyFiles(const std::string& from, const char* pattern, const std::string& to) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((from + "\\" + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        CopyFileA((from + "\\" + found.cFileName).c_str(), (to + "\\" + found.cFileName).c_str(),
                  FALSE);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

struct Search {
    DWORD process;
    const char* className;
    bool visibleOnly;
    HWND found;
};

BOOL CALLBACK visit(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char className[256] = {};
    GetClassNameA(window, className, sizeof className);
    if (owner == search->process && std::string(className) == search->className &&
        (!search->visibleOnly || IsWindowVisible(window))) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

Installation::Installation() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    folder_ = std::string(temp) + "spindrel_e2e_" + std::to_string(GetCurrentProcessId()) + "_" +
              std::to_string(GetTickCount());
    CreateDirectoryA(folder_.c_str(), nullptr);
    EXPECT_TRUE(
        CopyFileA(distFile("DVD_Spindrel.exe").c_str(), path("DVD_Spindrel.exe").c_str(), FALSE))
        << distFile("DVD_Spindrel.exe");
    for (const char* plugin :
         {"stub_plugin.dll", "stub_plugin_nokill.dll", "stub_plugin_twomissing.dll"}) {
        EXPECT_TRUE(CopyFileA(testbinFile(plugin).c_str(), path(plugin).c_str(), FALSE));
    }
    // The real plug-ins and the skin, as they are installed beside the program.
    copyFiles(testing::windowsPath(SPINDREL_DIST_DIR), "*.dll", folder_);
    CreateDirectoryA(path("images").c_str(), nullptr);
    copyFiles(distFile("images"), "*.*", path("images"));
}

Installation::~Installation() {
    deleteTree(folder_);
}

std::string Installation::copyProgramAs(const std::string& name) const {
    CopyFileA(path("DVD_Spindrel.exe").c_str(), path(name).c_str(), FALSE);
    return path(name);
}

Process::Process(const std::string& program, const std::string& arguments,
                 const std::string& directory) {
    std::string commandLine = "\"" + program + "\"" + (arguments.empty() ? "" : " " + arguments);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    const BOOL ok = CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                                   nullptr, directory.c_str(), &startup, &info_);
    EXPECT_TRUE(ok) << "could not start " << program << " (error " << GetLastError() << ")";
}

Process::~Process() {
    if (info_.hProcess == nullptr)
        return;
    if (running()) {
        TerminateProcess(info_.hProcess, 99);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

bool Process::running() const {
    return info_.hProcess != nullptr && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

bool Process::waitForExit(int ms, DWORD* exitCode) const {
    if (WaitForSingleObject(info_.hProcess, static_cast<DWORD>(ms)) != WAIT_OBJECT_0)
        return false;
    if (exitCode != nullptr)
        GetExitCodeProcess(info_.hProcess, exitCode);
    return true;
}

HWND Process::findWindow(const char* className, bool visibleOnly) const {
    Search search{info_.dwProcessId, className, visibleOnly, nullptr};
    EnumWindows(&visit, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND Process::waitForWindow(const char* className, bool visibleOnly, int ms) const {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < static_cast<DWORD>(ms)) {
        if (HWND window = findWindow(className, visibleOnly))
            return window;
        if (!running())
            return nullptr;
        Sleep(50);
    }
    return nullptr;
}

void closeProcessesOfWindow(const char* className, const char* title) {
    for (int tries = 0; tries < 20; ++tries) {
        HWND window = FindWindowA(className, title);
        if (window == nullptr)
            return;
        DWORD id = 0;
        GetWindowThreadProcessId(window, &id);
        HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, id);
        PostMessageA(window, WM_CLOSE, 0, 0);
        if (process == nullptr) {
            Sleep(200);
            continue;
        }
        if (WaitForSingleObject(process, 5000) != WAIT_OBJECT_0)
            TerminateProcess(process, 9);
        WaitForSingleObject(process, 5000);
        CloseHandle(process);
    }
}

std::string messageBoxText(HWND box) {
    char text[2048] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);  // the box's text control
    return text;
}

namespace {
void collectChildren(HWND parent, std::vector<HWND>& found) {
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        found.push_back(child);
        collectChildren(child, found);
    }
}
}  // namespace

std::vector<HWND> childrenOf(HWND parent) {
    std::vector<HWND> found;
    collectChildren(parent, found);
    return found;
}

RECT placeOf(HWND child) {
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

HWND childAt(HWND parent, const char* className, const skin::Rect& r) {
    for (HWND child : childrenOf(parent)) {
        char name[64] = {};
        GetClassNameA(child, name, sizeof name);
        const RECT rect = placeOf(child);
        if (GetParent(child) == parent && std::string(name) == className && rect.left == r.left &&
            rect.top == r.top) {
            return child;
        }
    }
    return nullptr;
}

HWND childWithText(HWND parent, const std::string& text) {
    for (HWND child : childrenOf(parent)) {
        char buffer[256] = {};
        GetWindowTextA(child, buffer, sizeof buffer);
        if (text == buffer) return child;
    }
    return nullptr;
}

std::vector<std::uint32_t> screenPixels(const RECT& rect) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) *
                                      static_cast<std::size_t>(height));
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    SelectObject(memory, previous);
    const auto* source = static_cast<const std::uint32_t*>(bits);
    for (std::size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = source[i] & 0x00FFFFFF;
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

void saveScreenshot(HWND window, const std::string& path) {
    RECT rect;
    GetWindowRect(window, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const std::vector<std::uint32_t> pixels = screenPixels(rect);
    // A bitmap file's rows run from the bottom, three bytes a pixel.
    const int stride = (width * 3 + 3) & ~3;
    std::vector<char> rows(static_cast<std::size_t>(stride) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        char* row = rows.data() + static_cast<std::size_t>(stride) * (height - 1 - y);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t pixel = pixels[static_cast<std::size_t>(y * width + x)];
            row[3 * x] = static_cast<char>(pixel & 0xFF);
            row[3 * x + 1] = static_cast<char>((pixel >> 8) & 0xFF);
            row[3 * x + 2] = static_cast<char>((pixel >> 16) & 0xFF);
        }
    }
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(rows.size());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(rows.data(), static_cast<std::streamsize>(rows.size()));
}

void resetSettings(const std::string& plugin) {
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kSettingsKey);
    // A user's own key would take the program's writes and override what is set here.
    RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
    setSettingString("DVD_Interface", plugin);
}

void setSettingString(const char* name, const std::string& value) {
    setMachineString(kSettingsKey, name, value);
}

void setMachineString(const char* path, const char* name, const std::string& value, REGSAM view) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, path, 0, nullptr, 0, KEY_ALL_ACCESS | view,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
}

bool readSetting(const char* name, DWORD& type, std::vector<BYTE>& data) {
    DWORD size = 0;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, kSettingsKey, name, RRF_RT_ANY | RRF_NOEXPAND, &type,
                     nullptr, &size) != ERROR_SUCCESS) {
        return false;
    }
    data.resize(size);
    return RegGetValueA(HKEY_LOCAL_MACHINE, kSettingsKey, name, RRF_RT_ANY | RRF_NOEXPAND, &type,
                        data.data(), &size) == ERROR_SUCCESS;
}

}  // namespace spindrel::e2e
