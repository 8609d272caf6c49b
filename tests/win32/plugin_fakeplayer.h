#pragma once
// The stand-in player (tools/fakeplayer) and the real plug-in DLLs, for tests under Wine: start
// the player as a process, read back what its windows received, and call the seven exports.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "plugins/contract.h"

namespace spindrel::testing {

inline constexpr int kPlayerWaitMs = 15000;
// The stand-in's own messages (see tools/fakeplayer/README.md).
inline constexpr UINT kFakeHang = WM_APP + 1;
inline constexpr UINT kFakeMark = WM_APP + 2;
inline constexpr UINT kFakeSlow = WM_APP + 3;

// A file in the temporary folder with a name of its own, deleted with this object.
class TempFile {
  public:
    explicit TempFile(const char* stem);
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

// The folder holding this test program, fakeplayer.exe beside it.
std::string testProgramFolder();
std::string fakePlayerPath();
std::string pluginPath(const char* fileName);

struct LoggedMessage {
    std::string window;   // "main" or "video"
    std::string arrival;  // "sent", "posted" or "direct"
    std::uint32_t message = 0;
    std::uint64_t wParam = 0;
    std::uint64_t lParam = 0;
    bool operator==(const LoggedMessage&) const = default;
};
std::string describe(const LoggedMessage& m);

// A line the stand-in wrote: its time (the performance counter in microseconds, shared by
// every process) and the text after the time.
struct TimedLine {
    long long us = 0;
    std::string text;
};
std::vector<TimedLine> readTimedLog(const std::string& path);
// The lines the stand-in wrote, without their time stamps.
std::vector<std::string> readLog(const std::string& path);

// The button presses in a log: WM_COMMAND, WM_KEYDOWN, WM_KEYUP and WM_CHAR that reached a
// window of the player from outside it.
struct Press {
    long long us = 0;
    LoggedMessage message;
};
std::vector<Press> pressesIn(const std::vector<TimedLine>& log);
// The performance counter in microseconds, as the stand-in writes its times.
long long nowUs();
// Waits (bounded) until the log holds a line with this text after the time stamp.
bool waitForLogLine(const std::string& path, const std::string& line, int ms = kPlayerWaitMs);
// Waits (bounded) until the foreground window is this one.
bool waitForForeground(HWND window, int ms = 5000);

class FakePlayerProcess {
  public:
    // as: corvane, corvane3, brannock or wyvernel; its windows are waited for.
    FakePlayerProcess(const std::string& as, const std::string& mainClass,
                      const std::string& mainTitle, const std::string& options = "");
    ~FakePlayerProcess();
    FakePlayerProcess(const FakePlayerProcess&) = delete;
    FakePlayerProcess& operator=(const FakePlayerProcess&) = delete;

    HWND mainWindow() const { return main_; }
    const std::string& logPath() const { return log_.path(); }
    std::vector<std::string> log() const { return readLog(log_.path()); }
    bool waitForExit(int ms) const;
    void kill();

    // Runs action between two markers and returns the messages that the player's windows
    // received in between. The first marker is sent and so handled before the action starts;
    // the second is posted and so queued behind whatever the action posted.
    template <typename Action>
    std::vector<LoggedMessage> messagesDuring(Action action) {
        const int first = nextMark_++;
        const int second = nextMark_++;
        DWORD_PTR reply = 0;
        SendMessageTimeoutA(main_, kFakeMark, static_cast<WPARAM>(first), 0, SMTO_ABORTIFHUNG, 5000,
                            &reply);
        action();
        PostMessageA(main_, kFakeMark, static_cast<WPARAM>(second), 0);
        return messagesBetween(first, second);
    }

  private:
    std::vector<LoggedMessage> messagesBetween(int first, int second) const;

    TempFile log_;
    PROCESS_INFORMATION process_{};
    HWND main_ = nullptr;
    int nextMark_ = 1;
};

// One plug-in DLL, loaded for the length of a test.
class PluginDll {
  public:
    explicit PluginDll(const char* fileName);
    ~PluginDll();
    PluginDll(const PluginDll&) = delete;
    PluginDll& operator=(const PluginDll&) = delete;
    bool loaded() const;

    contract::PCDVD_Player_fn PCDVD_Player = nullptr;
    contract::PCDVD_Window_fn PCDVD_Window = nullptr;
    contract::Send_To_DVD_fn Send_To_DVD = nullptr;
    contract::Start_DVD_Player_fn Start_DVD_Player = nullptr;
    contract::Kill_DVD_Player_fn Kill_DVD_Player = nullptr;
    contract::Wait_For_Player_fn Wait_For_Player = nullptr;
    contract::Get_Abilities_fn Get_Abilities = nullptr;
    contract::PCDVD_State_fn PCDVD_State = nullptr;  // only where the player reports its state

  private:
    HMODULE module_ = nullptr;
};

HWND toHwnd(contract::WindowHandle handle);

// Keeps one registry value (and, if it had to be made, its key) as it was before the test.
class SavedRegistryValue {
  public:
    SavedRegistryValue(const std::string& key, const std::string& name);
    ~SavedRegistryValue();
    SavedRegistryValue(const SavedRegistryValue&) = delete;
    SavedRegistryValue& operator=(const SavedRegistryValue&) = delete;
    void set(const std::string& text);
    void remove();

  private:
    std::string key_;
    std::string name_;
    std::string missing_;  // the outermost part of the key that the test creates, if any
    bool valueExisted_ = false;
    DWORD type_ = 0;
    std::vector<BYTE> data_;
};

// Sets an environment variable for this process (and what it starts) while in scope.
class ScopedEnvironment {
  public:
    ScopedEnvironment(const char* name, const std::string& value);
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

  private:
    std::string name_;
    bool existed_ = false;
    std::string previous_;
};

}  // namespace spindrel::testing
