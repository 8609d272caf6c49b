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

    void unload(LibraryHandle library) override { unloaded.push_back(handles_.at(library - 1)); }

    std::vector<std::string> loaded;
    std::vector<std::string> lookedUp;
    std::vector<std::string> unloaded;

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
        if (createError != 0)
            return createError;
        directories.insert(resolve(path));
        return 0;
    }
    int setCurrentDirectory(const std::string& path) override {
        if (!directoryExists(path))
            return 3;  // the path was not found
        current = resolve(path);
        return 0;
    }
    std::string currentDirectory() override { return current; }

    // Files of the current folder whose names match the pattern, folded, in name order (the
    // order a folder reports may be any).
    std::vector<FileEntry> findFiles(const std::string& whole) override {
        ++listings;
        std::vector<FileEntry> entries;
        // A pattern with its folder lists that folder.
        const std::size_t slash = whole.rfind('\\');
        const std::string pattern = slash == std::string::npos ? whole : whole.substr(slash + 1);
        const std::string prefix =
            slash == std::string::npos ? current + "\\" : resolve(whole.substr(0, slash)) + "\\";
        for (const std::string& path : files) {
            if (path.compare(0, prefix.size(), prefix) != 0)
                continue;
            const std::string name = path.substr(prefix.size());
            if (name.find('\\') != std::string::npos || !wildcardMatch(pattern, name))
                continue;
            entries.push_back({name, timeOf(path), hidden.count(path) != 0, false});
        }
        for (const std::string& path : directories) {
            if (path.compare(0, prefix.size(), prefix) != 0)
                continue;
            const std::string name = path.substr(prefix.size());
            if (name.find('\\') == std::string::npos && wildcardMatch(pattern, name)) {
                entries.push_back({name, 0, false, true});
            }
        }
        return entries;
    }
    std::optional<FileTime> lastWriteTime(const std::string& path) override {
        ++timeQueries;
        if (!fileExists(path))
            return std::nullopt;
        return timeOf(resolve(path));
    }
    int moveFile(const std::string& from, const std::string& to) override {
        const std::string source = resolve(from);
        const std::string target = resolve(to);
        if (const auto error = moveErrors.find(source); error != moveErrors.end()) {
            return error->second;
        }
        if (files.count(source) == 0)
            return 2;  // the file was not found
        // Only the letter case changes: the same file on a folder that ignores case.
        if (files.count(target) != 0 && !sameIgnoringCase(source, target))
            return 183;
        files.erase(source);
        files.insert(target);
        lastWrite[target] = timeOf(source);
        if (source != target)
            lastWrite.erase(source);
        if (moved)
            moved(source, target);
        return 0;
    }
    int deleteFile(const std::string& path) override {
        const std::string key = resolve(path);
        if (const auto error = deleteErrors.find(key); error != deleteErrors.end()) {
            return error->second;
        }
        if (files.erase(key) == 0)
            return 2;
        lastWrite.erase(key);
        hidden.erase(key);
        if (removed)
            removed(key);
        return 0;
    }
    int setHiddenOnly(const std::string& path) override {
        if (!fileExists(path))
            return 2;
        hidden.insert(resolve(path));
        return 0;
    }

    // Relative names are taken from the current directory.
    std::string resolve(const std::string& path) const {
        if (path.size() > 1 && path[1] == ':')
            return path;
        return current + "\\" + path;
    }
    // Each write makes a file newer than every file written before it.
    void touch(const std::string& path) { lastWrite[resolve(path)] = ++clock; }
    FileTime timeOf(const std::string& resolved) const {
        const auto found = lastWrite.find(resolved);
        return found == lastWrite.end() ? 0 : found->second;
    }

    // "*" and "?" with letters compared ignoring case, as the system matches names.
    static bool wildcardMatch(const std::string& pattern, const std::string& name) {
        std::size_t p = 0, n = 0, star = std::string::npos, resume = 0;
        while (n < name.size()) {
            if (p < pattern.size() && (pattern[p] == '?' || fold(pattern[p]) == fold(name[n]))) {
                ++p;
                ++n;
            } else if (p < pattern.size() && pattern[p] == '*') {
                star = p++;
                resume = n;
            } else if (star != std::string::npos) {
                p = star + 1;
                n = ++resume;
            } else {
                return false;
            }
        }
        while (p < pattern.size() && pattern[p] == '*')
            ++p;
        return p == pattern.size();
    }

    std::set<std::string> files;
    std::set<std::string> directories;
    std::set<std::string> hidden;
    std::map<std::string, FileTime> lastWrite;  // by resolved path; 0 when never written
    std::map<std::string, int> moveErrors;      // by resolved source path
    std::map<std::string, int> deleteErrors;    // by resolved path
    // Set by the file contents double, which keeps the bytes.
    std::function<void(const std::string& from, const std::string& to)> moved;
    std::function<void(const std::string& path)> removed;
    std::string current = "C:\\";
    int createError = 0;
    FileTime clock = 1000;
    int listings = 0;
    int timeQueries = 0;

private:
    static char fold(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }
    static bool sameIgnoringCase(const std::string& a, const std::string& b) {
        if (a.size() != b.size())
            return false;
        for (std::size_t i = 0; i < a.size(); ++i) {
            if (fold(a[i]) != fold(b[i]))
                return false;
        }
        return true;
    }
};

class FakeSystem : public SystemPort {
public:
    std::string programPath() override { return path; }
    std::vector<std::string> arguments() override { return args; }
    std::optional<std::array<int, 4>> fileVersion(const std::string&) override { return version; }
    std::optional<std::string> versionText(const std::string& file,
                                           const std::string& name) override {
        const auto found = versionTexts.find(file + "|" + name);
        if (found == versionTexts.end()) return std::nullopt;
        return found->second;
    }
    ScreenSize screenSize() override { return screen; }
    bool loadCursor(const std::string& resourceName, int number) override {
        cursors[number] = resourceName;
        return true;
    }
    std::string errorText(int code) override { return "System error " + std::to_string(code); }

    std::string path = "C:\\Program Files\\DVD Spindrel\\DVD_Spindrel.exe";
    std::vector<std::string> args;
    std::optional<std::array<int, 4>> version = std::array<int, 4>{1, 2, 3, 4};
    std::map<std::string, std::string> versionTexts;  // "path|name"
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
    WindowHandle findWindowOfClass(const std::string& className) override {
        for (const Window& w : windows) {
            if (w.className == className) return w.handle;
        }
        return 0;
    }
    WindowHandle findWindowWithTitleEnd(const std::string& className,
                                        const std::string& titleEnd) override {
        for (const Window& w : windows) {
            if (w.className == className && w.title.size() >= titleEnd.size() &&
                w.title.ends_with(titleEnd)) {
                return w.handle;
            }
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
        const bool there = exists(window);
        if (closeOnWmClose && message == 0x0010)
            removeWindow(window);
        return there;
    }
    // A posted WM_CLOSE closes the window, as a player that obeys it does.
    bool closeOnWmClose = false;

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
