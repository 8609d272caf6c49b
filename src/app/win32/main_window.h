#pragma once
// The real main window: a frameless, stay-on-top popup that shows the core's model and turns
// window messages into calls of Tmain's handlers.

#include <windows.h>

#include <string>

#include "app/tmain.h"
#include "platform/win32/win32_system.h"

namespace spindrel {

class MainWindow {
public:
    static constexpr const char* kClassName = "Tmain";

    MainWindow(Tmain& tmain, Win32System& system);
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Creates the window (start-up runs inside) and shows it unless start-up said not to.
    // False when the program is to end at once.
    bool create(HINSTANCE instance);
    HWND handle() const { return window_; }

    // Brings the window up to date with the model.
    void reflect();

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    bool OnCreate(HINSTANCE instance);
    bool OnClose();
    bool OnDestroy();
    bool OnMove();
    bool OnSize(WPARAM kind);
    bool OnPaint();
    bool OnSetCursor(LPARAM lParam);
    bool OnLeftButtonDown();

    void showFirstTime();

    Tmain& tmain_;
    Win32System& system_;
    HWND window_ = nullptr;
    bool shown_ = false;
    bool minimized_ = false;
    bool quitPosted_ = false;
    bool closePosted_ = false;
    std::string shownTitle_;
};

}  // namespace spindrel
