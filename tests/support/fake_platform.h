#pragma once
// Small doubles for the ports that need little more than a record of what was asked.

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/file_system_port.h"
#include "platform/library_port.h"
#include "platform/message_pump_port.h"
#include "platform/open_dialog_port.h"
#include "platform/shell_port.h"
#include "platform/system_port.h"
#include "platform/window_port.h"

namespace spindrel::testing {

// Counts pumps and runs whatever the test injected: a tick or a click arriving mid-step.
class FakeMessagePump : public MessagePump {
public:
    void processMessages() override {
        ++pumps;
        if (duringPump) duringPump();
    }
    int pumps = 0;
    std::function<void()> duringPump;
};

class FakeLibraries : public LibraryPort {
public:
    using Exports = std::map<std::string, void*>;
    void add(const std::string& fileName, Exports exports) { libraries_[fileName] = exports; }

    LibraryHandle load(const std::string& fileName) override {
        loaded.push_back(fileName);
        if (libraries_.count(fileName) == 0) return 0;
        handles_.push_back(fileName);
        return handles_.size();
    }
    void* symbol(LibraryHandle library, const std::string& name) override {
        lookedUp.push_back(name);
        const Exports& exports = libraries_.at(handles_.at(library - 1));
        const auto found = exports.find(name);
        return found == exports.end() ? nullptr : found->second;
    }

    std::vector<std::string> loaded;
    std::vector<std::string> lookedUp;

private:
    std::map<std::string, Exports> libraries_;
    std::vector<std::string> handles_;
};

class FakeFileSystem : public FileSystemPort {
public:
    bool fileExists(const std::string& path) override { return files.count(resolve(path)) != 0; }
    bool directoryExists(const std::string& path) override {
        return directories.count(resolve(path)) != 0;
    }
    int createDirectory(const std::string& path) override {
        if (createError != 0) return createError;
        directories.insert(resolve(path));
        return 0;
    }
    int setCurrentDirectory(const std::string& path) override {
        if (!directoryExists(path)) return 3;  // the path was not found
        current = resolve(path);
        return 0;
    }
    std::string currentDirectory() override { return current; }

    // Relative names are taken from the current directory.
    std::string resolve(const std::string& path) const {
        if (path.size() > 1 && path[1] == ':') return path;
        return current + "\\" + path;
    }

    std::set<std::string> files;
    std::set<std::string> directories;
    std::string current = "C:\\";
    int createError = 0;
};

class FakeSystem : public SystemPort {
public:
    std::string programPath() override { return path; }
    std::vector<std::string> arguments() override { return args; }
    std::optional<std::array<int, 4>> fileVersion(const std::string&) override { return version; }
    ScreenSize screenSize() override { return screen; }
    bool loadCursor(const std::string& resourceName, int number) override {
        cursors[number] = resourceName;
        return true;
    }
    std::string errorText(int code) override { return "System error " + std::to_string(code); }

    std::string path = "C:\\Program Files\\DVD Spindrel\\DVD_Spindrel.exe";
    std::vector<std::string> args;
    std::optional<std::array<int, 4>> version = std::array<int, 4>{1, 2, 3, 4};
    ScreenSize screen{1024, 768};
    std::map<int, std::string> cursors;
};

struct WindowMessage {
    WindowHandle window;
    std::uint32_t message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
    bool sent;  // false: posted
    std::uint32_t timeoutMs;
};

class FakeWindows : public WindowPort {
public:
    struct Window {
        std::string className;
        std::string title;
        WindowHandle handle;
        bool hung = false;
    };
    WindowHandle addWindow(const std::string& className, const std::string& title) {
        windows.push_back({className, title, nextHandle_});
        return nextHandle_++;
    }
    void removeWindow(WindowHandle handle) {
        std::erase_if(windows, [handle](const Window& w) { return w.handle == handle; });
    }

    WindowHandle findWindow(const std::string& className, const std::string& title) override {
        for (const Window& w : windows) {
            if (w.className == className && w.title == title) return w.handle;
        }
        return 0;
    }
    bool showWindow(WindowHandle window, ShowCommand command) override {
        shows.push_back({window, command});
        return exists(window);
    }
    bool setForegroundWindow(WindowHandle window) override {
        foregrounds.push_back(window);
        return exists(window);
    }
    SendResult sendMessageTimeout(WindowHandle window, std::uint32_t message,
                                  std::uintptr_t wParam, std::intptr_t lParam,
                                  std::uint32_t timeoutMs) override {
        messages.push_back({window, message, wParam, lParam, true, timeoutMs});
        const Window* target = find(window);
        return {target != nullptr && !target->hung, 0};
    }
    bool postMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                     std::intptr_t lParam) override {
        messages.push_back({window, message, wParam, lParam, false, 0});
        return exists(window);
    }

    const Window* find(WindowHandle handle) const {
        for (const Window& w : windows) {
            if (w.handle == handle) return &w;
        }
        return nullptr;
    }
    bool exists(WindowHandle handle) const { return find(handle) != nullptr; }

    std::vector<Window> windows;
    std::vector<std::pair<WindowHandle, ShowCommand>> shows;
    std::vector<WindowHandle> foregrounds;
    std::vector<WindowMessage> messages;

private:
    WindowHandle nextHandle_ = 0x10010;
};

class FakeShell : public ShellPort {
public:
    struct Launch {
        std::string verb;
        std::string file;
        std::string parameters;
        std::string directory;
        int showCommand;
    };
    std::intptr_t execute(const std::string& verb, const std::string& file,
                          const std::string& parameters, const std::string& directory,
                          int showCommand) override {
        launches.push_back({verb, file, parameters, directory, showCommand});
        return result;
    }
    std::vector<Launch> launches;
    std::intptr_t result = 42;
};

// Answers the open dialog from a script: a path, or nothing for Cancel.
class FakeOpenDialog : public OpenDialogPort {
public:
    std::optional<std::string> openFile(const OpenDialogOptions& options) override {
        shown.push_back(options);
        return answer;
    }
    std::vector<OpenDialogOptions> shown;
    std::optional<std::string> answer;
};

}  // namespace spindrel::testing
