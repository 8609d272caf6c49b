#include "ui/win32/resource_count.h"

#include "ui/win32/gdi.h"

namespace spindrel {

namespace {

BOOL CALLBACK countChild(HWND, LPARAM counted) {
    ++*reinterpret_cast<int*>(counted);
    return TRUE;
}

BOOL CALLBACK countTopLevel(HWND window, LPARAM counted) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId()) {
        ++*reinterpret_cast<int*>(counted);
        // Enumerates every descendant, not only the direct children.
        EnumChildWindows(window, &countChild, counted);
    }
    return TRUE;
}

}  // namespace

int windowsOfThisProcess() {
    int counted = 0;
    EnumWindows(&countTopLevel, reinterpret_cast<LPARAM>(&counted));
    return counted;
}

ResourceCountWindow::ResourceCountWindow() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &ResourceCountWindow::WindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kResourceCountClass;
    RegisterClassA(&windowClass);
    window_ = CreateWindowExA(0, kResourceCountClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              windowClass.hInstance, nullptr);
}

ResourceCountWindow::~ResourceCountWindow() {
    if (window_ != nullptr)
        DestroyWindow(window_);
}

LRESULT CALLBACK ResourceCountWindow::WindowProc(HWND window, UINT message, WPARAM wParam,
                                                 LPARAM lParam) {
    if (message == kResourceCountMessage) {
        switch (static_cast<ResourceKind>(wParam)) {
            case ResourceKind::gdiObjects:
                return liveGdiObjectCount.load();
            case ResourceKind::windows:
                return windowsOfThisProcess();
        }
        return -1;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace spindrel
