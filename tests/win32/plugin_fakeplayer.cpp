#include "plugin_fakeplayer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "support/wine_paths.h"

namespace spindrel::testing {

namespace {

bool keyExists(const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(key);
    return true;
}

// The outermost part of path that does not exist yet ("" when all of it does): removing it
// removes everything a test created below.
std::string firstMissing(const std::string& path) {
    std::size_t end = 0;
    while (end != std::string::npos) {
        end = path.find('\\', end + 1);
        const std::string prefix = path.substr(0, end);
        if (!keyExists(prefix))
            return prefix;
    }
    return "";
}

}  // namespace

TempFile::TempFile(const char* stem) {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    static int serial = 0;
    path_ = std::string(folder) + stem + "_" + std::to_string(GetCurrentProcessId()) + "_" +
            std::to_string(GetTickCount()) + "_" + std::to_string(++serial) + ".log";
    DeleteFileA(path_.c_str());
}

TempFile::~TempFile() {
    DeleteFileA(path_.c_str());
}

std::string testProgramFolder() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\'));
}

std::string fakePlayerPath() {
    return testProgramFolder() + "\\fakeplayer.exe";
}

std::string pluginPath(const char* fileName) {
    return windowsPath(std::string(SPINDREL_DIST_DIR) + "/" + fileName);
}

std::string describe(const LoggedMessage& m) {
    char text[128];
    std::snprintf(text, sizeof text, "%s %s %04X %llX %llX", m.window.c_str(), m.arrival.c_str(),
                  m.message, static_cast<unsigned long long>(m.wParam),
                  static_cast<unsigned long long>(m.lParam));
    return text;
}

std::vector<TimedLine> readTimedLog(const std::string& path) {
    std::vector<TimedLine> lines;
    // The player appends while we read; share the file rather than lock it.
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return lines;
    std::string content;
    char buffer[65536];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) {
        content.append(buffer, read);
    }
    CloseHandle(file);
    std::size_t start = 0;
    std::size_t end;
    // Only whole lines: the last one may still be being written.
    while ((end = content.find("\r\n", start)) != std::string::npos) {
        const std::string line = content.substr(start, end - start);
        const std::size_t blank = line.find(' ');
        TimedLine timed;
        if (blank == std::string::npos) {
            timed.text = line;
        } else {
            timed.us = std::atoll(line.substr(0, blank).c_str());
            timed.text = line.substr(blank + 1);
        }
        lines.push_back(std::move(timed));
        start = end + 2;
    }
    return lines;
}

std::vector<std::string> readLog(const std::string& path) {
    std::vector<std::string> lines;
    for (TimedLine& line : readTimedLog(path))
        lines.push_back(std::move(line.text));
    return lines;
}

std::vector<Press> pressesIn(const std::vector<TimedLine>& log) {
    std::vector<Press> presses;
    for (const TimedLine& line : log) {
        if (line.text.rfind("msg ", 0) != 0)
            continue;
        std::istringstream fields(line.text.substr(4));
        Press press{line.us, {}};
        LoggedMessage& m = press.message;
        fields >> m.window >> m.arrival >> std::hex >> m.message >> m.wParam >> m.lParam;
        const bool button = m.message == WM_COMMAND || m.message == WM_KEYDOWN ||
                            m.message == WM_KEYUP || m.message == WM_CHAR;
        if (button && m.arrival != "direct")
            presses.push_back(press);
    }
    return presses;
}

long long nowUs() {
    LARGE_INTEGER counter;
    LARGE_INTEGER frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    // The stand-in's own arithmetic, so that both sides agree to the microsecond.
    const auto ticks = static_cast<unsigned long long>(counter.QuadPart);
    const auto perSecond = static_cast<unsigned long long>(frequency.QuadPart);
    return static_cast<long long>(ticks / perSecond * 1000000ULL +
                                  ticks % perSecond * 1000000ULL / perSecond);
}

bool waitForLogLine(const std::string& path, const std::string& line, int ms) {
    const DWORD start = GetTickCount();
    do {
        for (const std::string& logged : readLog(path)) {
            if (logged == line)
                return true;
        }
        Sleep(2);
    } while (GetTickCount() - start < static_cast<DWORD>(ms));
    return false;
}

bool waitForForeground(HWND window, int ms) {
    const DWORD start = GetTickCount();
    while (GetForegroundWindow() != window) {
        if (GetTickCount() - start >= static_cast<DWORD>(ms))
            return false;
        Sleep(2);
    }
    return true;
}

FakePlayerProcess::FakePlayerProcess(const std::string& as, const std::string& mainClass,
                                     const std::string& mainTitle, const std::string& options)
    : log_("fakeplayer") {
    std::string command =
        "\"" + fakePlayerPath() + "\" --as " + as + " --log \"" + log_.path() + "\" " + options;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process_)) {
        return;
    }
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < static_cast<DWORD>(kPlayerWaitMs)) {
        HWND found = FindWindowA(mainClass.c_str(), mainTitle.c_str());
        DWORD owner = 0;
        if (found != nullptr)
            GetWindowThreadProcessId(found, &owner);
        // The windows exist before the start-up lines are written; wait for those too, so that
        // the start-up is behind us.
        if (owner == process_.dwProcessId) {
            for (const std::string& line : readLog(log_.path())) {
                if (line.rfind("args", 0) == 0)
                    main_ = found;
            }
            if (main_ != nullptr)
                break;
        }
        Sleep(5);
    }
}

FakePlayerProcess::~FakePlayerProcess() {
    if (process_.hProcess == nullptr)
        return;
    if (main_ != nullptr && IsWindow(main_))
        PostMessageA(main_, WM_CLOSE, 0, 0);
    if (!waitForExit(5000))
        kill();
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

bool FakePlayerProcess::waitForExit(int ms) const {
    return process_.hProcess != nullptr &&
           WaitForSingleObject(process_.hProcess, static_cast<DWORD>(ms)) == WAIT_OBJECT_0;
}

void FakePlayerProcess::kill() {
    if (process_.hProcess == nullptr)
        return;
    TerminateProcess(process_.hProcess, 9);
    WaitForSingleObject(process_.hProcess, 5000);
}

std::vector<LoggedMessage> FakePlayerProcess::messagesBetween(int first, int second) const {
    char closing[64];
    std::snprintf(closing, sizeof closing, "msg main posted %04X %X 0", kFakeMark, second);
    std::vector<LoggedMessage> messages;
    if (!waitForLogLine(log_.path(), closing, 5000)) {
        ADD_FAILURE() << "the player never got the closing mark " << second;
        return messages;
    }
    char opening[64];
    std::snprintf(opening, sizeof opening, "msg main sent %04X %X 0", kFakeMark, first);
    bool inside = false;
    for (const std::string& line : readLog(log_.path())) {
        if (line == opening) {
            inside = true;
        } else if (line == closing) {
            break;
        } else if (inside && line.rfind("msg ", 0) == 0) {
            std::istringstream fields(line.substr(4));
            LoggedMessage m;
            fields >> m.window >> m.arrival >> std::hex >> m.message >> m.wParam >> m.lParam;
            messages.push_back(m);
        }
    }
    return messages;
}

PluginDll::PluginDll(const char* fileName) {
    module_ = LoadLibraryA(pluginPath(fileName).c_str());
    if (module_ == nullptr)
        return;
    auto resolve = [this](auto& function, const char* name) {
        function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(
            reinterpret_cast<void*>(GetProcAddress(module_, name)));
    };
    resolve(PCDVD_Player, "PCDVD_Player");
    resolve(PCDVD_Window, "PCDVD_Window");
    resolve(Send_To_DVD, "Send_To_DVD");
    resolve(Start_DVD_Player, "Start_DVD_Player");
    resolve(Kill_DVD_Player, "Kill_DVD_Player");
    resolve(PCDVD_State, contract::kStateExport);
    resolve(Wait_For_Player, "Wait_For_Player");
    resolve(Get_Abilities, "Get_Abilities");
}

PluginDll::~PluginDll() {
    if (module_ != nullptr)
        FreeLibrary(module_);
}

bool PluginDll::loaded() const {
    return module_ != nullptr && PCDVD_Player && PCDVD_Window && Send_To_DVD && Start_DVD_Player &&
           Kill_DVD_Player && Wait_For_Player && Get_Abilities;
}

HWND toHwnd(contract::WindowHandle handle) {
    return reinterpret_cast<HWND>(static_cast<LONG_PTR>(static_cast<std::int32_t>(handle)));
}

SavedRegistryValue::SavedRegistryValue(const std::string& key, const std::string& name)
    : key_(key), name_(name) {
    missing_ = firstMissing(key);
    if (!missing_.empty())
        return;
    HKEY handle = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) {
        return;
    }
    DWORD size = 0;
    if (RegQueryValueExA(handle, name.c_str(), nullptr, &type_, nullptr, &size) == ERROR_SUCCESS) {
        data_.resize(size);
        valueExisted_ = RegQueryValueExA(handle, name.c_str(), nullptr, &type_, data_.data(),
                                         &size) == ERROR_SUCCESS;
    }
    RegCloseKey(handle);
}

SavedRegistryValue::~SavedRegistryValue() {
    if (!missing_.empty()) {
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, missing_.c_str());
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, missing_.c_str());
        return;
    }
    HKEY handle = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key_.c_str(), 0, KEY_ALL_ACCESS, &handle) !=
        ERROR_SUCCESS) {
        return;
    }
    if (valueExisted_) {
        RegSetValueExA(handle, name_.c_str(), 0, type_, data_.data(),
                       static_cast<DWORD>(data_.size()));
    } else {
        RegDeleteValueA(handle, name_.c_str());
    }
    RegCloseKey(handle);
}

void SavedRegistryValue::set(const std::string& text) {
    HKEY handle = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, key_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &handle, nullptr) != ERROR_SUCCESS) {
        return;
    }
    RegSetValueExA(handle, name_.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
    RegCloseKey(handle);
}

void SavedRegistryValue::remove() {
    HKEY handle = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key_.c_str(), 0, KEY_ALL_ACCESS, &handle) !=
        ERROR_SUCCESS) {
        return;
    }
    RegDeleteValueA(handle, name_.c_str());
    RegCloseKey(handle);
}

ScopedEnvironment::ScopedEnvironment(const char* name, const std::string& value) : name_(name) {
    char previous[4096];
    const DWORD length = GetEnvironmentVariableA(name, previous, sizeof previous);
    existed_ = length > 0 && length < sizeof previous;
    if (existed_)
        previous_ = previous;
    SetEnvironmentVariableA(name, value.c_str());
}

ScopedEnvironment::~ScopedEnvironment() {
    SetEnvironmentVariableA(name_.c_str(), existed_ ? previous_.c_str() : nullptr);
}

}  // namespace spindrel::testing
