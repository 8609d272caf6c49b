#include "app/win32/main_window.h"

namespace spindrel {

namespace {
// The grey that shows through the see-through parts of the skin.
constexpr COLORREF kBackground = RGB(128, 128, 128);
constexpr int kDragCursor = -99;
}  // namespace

MainWindow::MainWindow(Tmain& tmain, Win32System& system) : tmain_(tmain), system_(system) {}

bool MainWindow::create(HINSTANCE instance) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &MainWindow::WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hIcon = LoadIconA(instance, "MAINICON");
    windowClass.lpszClassName = kClassName;
    if (RegisterClassExA(&windowClass) == 0) return false;

    const MainModel& model = tmain_.model;
    // WS_SYSMENU and WS_MINIMIZEBOX give the taskbar button its minimise and restore.
    window_ = CreateWindowExA(WS_EX_APPWINDOW | WS_EX_TOPMOST, kClassName,
                              model.applicationTitle.c_str(),
                              WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN, model.left,
                              model.top, model.width, model.height, nullptr, nullptr, instance,
                              this);
    if (window_ == nullptr) return false;
    reflect();
    if (tmain_.model.terminateRequested || !tmain_.model.showAllowed) return !quitPosted_;
    if (tmain_.model.windowState == WindowState::minimized) {
        minimized_ = true;
        ShowWindow(window_, SW_SHOWMINNOACTIVE);
    } else {
        ShowWindow(window_, SW_SHOW);
        showFirstTime();
    }
    reflect();
    return true;
}

void MainWindow::showFirstTime() {
    if (shown_) return;
    shown_ = true;
    tmain_.guarded([this] { tmain_.FormShow(); });
}

void MainWindow::reflect() {
    if (window_ == nullptr) return;
    MainModel& model = tmain_.model;
    if (model.applicationTitle != shownTitle_) {
        shownTitle_ = model.applicationTitle;
        SetWindowTextA(window_, shownTitle_.c_str());
    }
    RECT rect;
    GetWindowRect(window_, &rect);
    if (!minimized_ && (rect.left != model.left || rect.top != model.top ||
                        rect.right - rect.left != model.width ||
                        rect.bottom - rect.top != model.height)) {
        SetWindowPos(window_, nullptr, model.left, model.top, model.width, model.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (model.terminateRequested && !quitPosted_) {
        quitPosted_ = true;
        PostQuitMessage(0);
    }
    if (model.closeRequested && !closePosted_) {
        closePosted_ = true;
        model.closeRequested = false;
        PostMessageA(window_, WM_CLOSE, 0, 0);
    }
}

LRESULT CALLBACK MainWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        auto* self = static_cast<MainWindow*>(create->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    return self->dispatch(message, wParam, lParam);
}

LRESULT MainWindow::dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    bool handled = false;
    switch (message) {
        case WM_CREATE:
            handled = OnCreate(reinterpret_cast<CREATESTRUCTA*>(lParam)->hInstance);
            break;
        case WM_CLOSE: handled = OnClose(); break;
        case WM_DESTROY: handled = OnDestroy(); break;
        case WM_MOVE: handled = OnMove(); break;
        case WM_SIZE: handled = OnSize(wParam); break;
        case WM_PAINT: handled = OnPaint(); break;
        case WM_SETCURSOR: handled = OnSetCursor(lParam); break;
        case WM_LBUTTONDOWN: handled = OnLeftButtonDown(); break;
        case WM_ERASEBKGND: return 1;
        default: break;
    }
    if (handled) return 0;
    return DefWindowProcA(window_, message, wParam, lParam);
}

bool MainWindow::OnCreate(HINSTANCE instance) {
    // The handles are stored in 32 bits for the other copies; Windows keeps window handles
    // within 32 bits, and the instance handle is only passed on, never used.
    tmain_.create(static_cast<std::uint32_t>(reinterpret_cast<ULONG_PTR>(instance)),
                  static_cast<std::uint32_t>(reinterpret_cast<ULONG_PTR>(window_)));
    return true;
}

bool MainWindow::OnClose() {
    bool mayClose = false;
    tmain_.guarded([&] { mayClose = tmain_.FormCloseQuery(); });
    closePosted_ = false;
    if (!mayClose) return true;
    tmain_.guarded([this] { tmain_.FormClose(); });
    DestroyWindow(window_);
    return true;
}

bool MainWindow::OnDestroy() {
    if (!quitPosted_) {
        quitPosted_ = true;
        PostQuitMessage(0);
    }
    return true;
}

bool MainWindow::OnMove() {
    if (minimized_ || IsIconic(window_)) return false;
    RECT rect;
    GetWindowRect(window_, &rect);
    tmain_.moved(rect.left, rect.top);
    return false;
}

bool MainWindow::OnSize(WPARAM kind) {
    if (kind == SIZE_MINIMIZED && !minimized_) {
        minimized_ = true;
        tmain_.guarded([this] { tmain_.ApplicationMinimize(); });
    } else if (kind == SIZE_RESTORED && minimized_) {
        minimized_ = false;
        tmain_.model.windowState = WindowState::normal;
        showFirstTime();
        tmain_.guarded([this] { tmain_.ApplicationRestore(); });
        reflect();
    }
    return false;
}

bool MainWindow::OnPaint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window_, &paint);
    HBRUSH background = CreateSolidBrush(kBackground);
    RECT client;
    GetClientRect(window_, &client);
    FillRect(dc, &client, background);
    DeleteObject(background);
    EndPaint(window_, &paint);
    return true;
}

bool MainWindow::OnSetCursor(LPARAM lParam) {
    if (LOWORD(lParam) != HTCLIENT) return false;
    HCURSOR drag = system_.cursor(kDragCursor);
    if (drag == nullptr) return false;
    SetCursor(drag);
    return true;
}

// The bare window is the handle to drag it by: let the system's own move loop run.
bool MainWindow::OnLeftButtonDown() {
    ReleaseCapture();
    SendMessageA(window_, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
    return true;
}

}  // namespace spindrel
