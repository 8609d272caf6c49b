#pragma once
// The program's own count of what it holds, for measurements from outside: Wine answers 0 to
// GetGuiResources and GetProcessHandleCount, so a soak asks the program itself. A message-only
// window of a known class answers kResourceCountMessage with one count (see ResourceKind).

#include <windows.h>

namespace spindrel {

inline constexpr const char* kResourceCountClass = "SpindrelResourceCount";
inline constexpr UINT kResourceCountMessage = WM_APP + 40;

enum class ResourceKind : WPARAM {
    gdiObjects = 0,  // held by the program's GDI owners
    windows = 1,     // top-level and child windows of this process
};

// Windows of this process, top-level ones with all their descendants.
int windowsOfThisProcess();

class ResourceCountWindow {
  public:
    ResourceCountWindow();
    ~ResourceCountWindow();
    ResourceCountWindow(const ResourceCountWindow&) = delete;
    ResourceCountWindow& operator=(const ResourceCountWindow&) = delete;

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND window_ = nullptr;
};

}  // namespace spindrel
