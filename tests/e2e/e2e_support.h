#pragma once
// Running the real program from a test: a private installation folder, processes, bounded waits
// for its windows, message boxes, and the settings key.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ui/skin_layout.h"

namespace spindrel::e2e {

inline constexpr int kWaitMs = 20000;
inline constexpr const char* kSettingsKey = "Software\\Tolvrey\\DVD-Spindrel";

// A copy of the program and the test plug-ins in a fresh folder of its own.
class Installation {
  public:
    Installation();
    ~Installation();
    const std::string& folder() const { return folder_; }
    std::string path(const std::string& name) const { return folder_ + "\\" + name; }
    // Copies the program under another file name.
    std::string copyProgramAs(const std::string& name) const;

  private:
    std::string folder_;
};

class Process {
  public:
    Process(const std::string& program, const std::string& arguments, const std::string& directory);
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    DWORD id() const { return info_.dwProcessId; }
    bool running() const;
    // True when the process ended within the time; its exit code goes to exitCode.
    bool waitForExit(int ms, DWORD* exitCode = nullptr) const;
    // The first top-level window of this process with the class (and visible, if asked).
    HWND findWindow(const char* className, bool visibleOnly) const;
    HWND waitForWindow(const char* className, bool visibleOnly, int ms = kWaitMs) const;

  private:
    PROCESS_INFORMATION info_{};
};

// Closes every process that shows a top-level window of this class and title (a player that
// the program started is not our child), bounded, killing what does not close.
void closeProcessesOfWindow(const char* className, const char* title);

// The text of a standard message box.
std::string messageBoxText(HWND box);

// Every window below parent, depth first.
std::vector<HWND> childrenOf(HWND parent);
// The first window below parent whose window text is text.
HWND childWithText(HWND parent, const std::string& text);
// Where a child lies in its parent's client area.
RECT placeOf(HWND child);
// The direct child of parent of this window class placed where the skin puts r.
HWND childAt(HWND parent, const char* className, const skin::Rect& r);

// Polls the condition until it holds or the time is up (then false).
template <typename Condition>
bool waitFor(Condition condition, int ms = kWaitMs) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start >= static_cast<DWORD>(ms)) return false;
        Sleep(10);
    }
    return true;
}

// What the screen shows in a rectangle of screen coordinates: 0x00RRGGBB, rows from the top.
std::vector<std::uint32_t> screenPixels(const RECT& rect);
// Writes what the window shows on the screen to a bitmap file, for a person to look at.
void saveScreenshot(HWND window, const std::string& path);

// Settings key helpers (HKEY_LOCAL_MACHINE).
void resetSettings(const std::string& plugin);
void setSettingString(const char* name, const std::string& value);
// A string under HKEY_LOCAL_MACHINE, its key made where missing; view: KEY_WOW64_32KEY or
// KEY_WOW64_64KEY for one view of the registry, 0 for this program's own.
void setMachineString(const char* path, const char* name, const std::string& value,
                      REGSAM view = 0);
bool readSetting(const char* name, DWORD& type, std::vector<BYTE>& data);

}  // namespace spindrel::e2e
