#include "app/win32/main_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include "ui/skin_layout.h"
#include "ui/win32/gdi.h"

namespace spindrel {

namespace {
constexpr int kDragCursor = -99;

FontHandle makeFont(int height, bool bold, bool italic, const char* face = "Verdana") {
    return FontHandle(CreateFontA(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, italic, FALSE, FALSE,
                                  ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                  ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, face));
}

bool isShortcutLetter(LPARAM typed) {
    const auto letter = static_cast<char>(typed);
    for (char shortcut : {'a', 'b', 'c', 'd', 'f'}) {
        if (letter == shortcut || letter == shortcut - 'a' + 'A') return true;
    }
    return false;
}
}  // namespace

MainWindow::MainWindow(Tmain& tmain, Win32System& system) : tmain_(tmain), system_(system) {
    tmain_.frontEnd.reflectNow = [this] { reflect(); };
    tmain_.frontEnd.refreshPointer = [] {
        POINT at;
        if (GetCursorPos(&at)) SetCursorPos(at.x, at.y);
    };
}

MainWindow::~MainWindow() {
    tmain_.frontEnd = {};
    bindings_.clear();
    remoteButtons_.clear();
    buttons_.clear();
    labels_.clear();
    panels_.clear();
    smallArea_.reset();
    bigArea_.reset();
}

bool MainWindow::create(HINSTANCE instance) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &MainWindow::WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hIcon = LoadIconA(instance, "MAINICON");
    windowClass.lpszClassName = kClassName;
    if (RegisterClassExA(&windowClass) == 0) return false;

    labelFont_ = makeFont(-11, false, false, "Tahoma");
    listFont_ = makeFont(-10, false, false, "Tahoma");
    titleFont_ = makeFont(-13, true, false, "Tahoma");
    plainTitleFont_ = makeFont(-13, false, false, "Tahoma");
    italicFont_ = makeFont(-12, false, true, "Tahoma");
    markFont_ = makeFont(-16, true, true);
    editFont_ = makeFont(-9, false, false);
    waitFont_ = makeFont(-11, false, false, "Tahoma");
    waitBoldFont_ = makeFont(-11, true, false, "Tahoma");
    lcdBrush_ = BrushHandle(CreateSolidBrush(RGB(skin::kLcdFill.red, skin::kLcdFill.green,
                                                 skin::kLcdFill.blue)));

    const MainModel& model = tmain_.model;
    // WS_SYSMENU and WS_MINIMIZEBOX give the taskbar button its minimise and restore. The window
    // is created where the design puts it; start-up reads the stored place inside the creation,
    // and the first reflect moves the window there.
    window_ = CreateWindowExA(WS_EX_APPWINDOW | WS_EX_TOPMOST, kClassName,
                              model.applicationTitle.c_str(),
                              WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN, model.left,
                              model.top, model.width, model.height, nullptr, nullptr, instance,
                              this);
    if (window_ == nullptr) return false;
    bindWindow();
    reflect();
    created_ = true;
    if (tmain_.model.terminateRequested || !tmain_.model.showAllowed) return !quitPosted_;
    buildChildren();
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
    reflect();
}

void MainWindow::paint(HDC dc) {
    const MainModel& model = tmain_.model;
    RECT client;
    GetClientRect(window_, &client);
    // The grey that shows through the see-through parts of the skin.
    BrushHandle background(CreateSolidBrush(RGB(128, 128, 128)));
    FillRect(dc, &client, background.get());
    if (model.CoolForm1.picture) {
        const Bitmap& picture = *model.CoolForm1.picture;
        pictures_.drawKeyed(dc, picture, 0, 0, picture.bottomLeft());
    }
    if (model.regionLed.picture) {
        for (const Control& led : model.disc.RegionLED) {
            if (led.visible) pictures_.draw(dc, *model.regionLed.picture, led.left, led.top);
        }
    }
}

void MainWindow::dragWindow() {
    ReleaseCapture();
    SendMessageA(window_, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
}

LRESULT CALLBACK MainWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        auto* self = static_cast<MainWindow*>(create->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        Background::attach(window, self);
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
        case WM_CTLCOLOREDIT: {
            const auto dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, RGB(skin::kLcdText.red, skin::kLcdText.green, skin::kLcdText.blue));
            SetBkColor(dc, RGB(skin::kLcdFill.red, skin::kLcdFill.green, skin::kLcdFill.blue));
            return reinterpret_cast<LRESULT>(lcdBrush_.get());
        }
        case WM_COMMAND:
            OnCommand(wParam, lParam);
            return 0;
        case WM_NOTIFY:
            OnNotify(lParam);
            return 0;
        case WM_TIMER:
            if (wParam != kImage4Tip) break;
            hideImage4Hint();
            return 0;
        case WM_SYSCOMMAND:
            // The window's Alt shortcuts are not menu keys: without this the system would look
            // for a menu item of that letter, beep, and hold the keyboard in menu mode.
            if ((wParam & 0xFFF0) == SC_KEYMENU && isShortcutLetter(lParam)) return 0;
            break;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_CHAR:
            OnKey(message, wParam, lParam);
            handled = message == WM_CHAR;
            break;
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

// Only a move the user made is the window's place: the moves of its creation and of the program's
// own placing come before created_ or match what the model already holds.
bool MainWindow::OnMove() {
    if (!created_ || minimized_ || IsIconic(window_)) return false;
    RECT rect;
    GetWindowRect(window_, &rect);
    const MainModel& model = tmain_.model;
    if (rect.left != model.left || rect.top != model.top) tmain_.moved(rect.left, rect.top);
    return false;
}

bool MainWindow::OnSize(WPARAM kind) {
    if (kind == SIZE_MINIMIZED && !minimized_) {
        minimized_ = true;
        tmain_.guarded([this] { tmain_.ApplicationMinimize(); });
    } else if (kind == SIZE_RESTORED && minimized_) {
        minimized_ = false;
        showFirstTime();
        tmain_.guarded([this] { tmain_.ApplicationRestore(); });
        reflect();
    }
    return false;
}

bool MainWindow::OnPaint() {
    PAINTSTRUCT paintStruct;
    HDC dc = BeginPaint(window_, &paintStruct);
    RECT client;
    GetClientRect(window_, &client);
    {
        MemoryDc buffer(dc, client.right, client.bottom);
        paint(buffer.get());
        BitBlt(dc, 0, 0, client.right, client.bottom, buffer.get(), 0, 0, SRCCOPY);
    }
    EndPaint(window_, &paintStruct);
    return true;
}

bool MainWindow::OnSetCursor(LPARAM lParam) {
    if (LOWORD(lParam) != HTCLIENT) return false;
    HCURSOR cursor = system_.cursor(kDragCursor);
    if (cursor == nullptr) return false;
    SetCursor(cursor);
    return true;
}

// The bare window is the handle to drag it by.
bool MainWindow::OnLeftButtonDown() {
    dragWindow();
    return true;
}

void MainWindow::OnCommand(WPARAM wParam, LPARAM lParam) {
    const HWND control = reinterpret_cast<HWND>(lParam);
    if (editwait_ && control == editwait_->handle()) {
        if (HIWORD(wParam) == EN_SETFOCUS) tmain_.guarded([this] { tmain_.editwaitEnter(); });
        if (HIWORD(wParam) == EN_KILLFOCUS) tmain_.guarded([this] { tmain_.editwaitExit(); });
        if (HIWORD(wParam) == EN_CHANGE) editwait_->changed();
        if (HIWORD(wParam) != EN_CHANGE) reflect();
        return;
    }
    if (HIWORD(wParam) != EN_CHANGE) return;
    if (autoexec_ && control == autoexec_->handle()) autoexec_->changed();
    if (notes_ && control == notes_->handle()) notes_->changed();
}

void MainWindow::OnNotify(LPARAM lParam) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (clickList_ == nullptr || header->hwndFrom != clickList_) return;
    if (header->code == LVN_ITEMCHANGED && !updatingList_) {
        const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
        if (((change->uNewState ^ change->uOldState) & LVIS_SELECTED) != 0)
            syncClickSelection();
    }
}

// The keys of the window's shortcuts, from the window itself or from a control that passes them
// on; the control keeps them too.
void MainWindow::OnKey(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CHAR) {
        const char typed = static_cast<char>(wParam);
        // Only the window's own shortcuts: typed text belongs to the control.
        if (typed == 1 || typed == 19) tmain_.guarded([&] { tmain_.FormKeyPress(typed); });
    } else {
        // Bit 29 of a key message tells that Alt was held when the key went down.
        const bool alt = (lParam & (LPARAM{1} << 29)) != 0;
        tmain_.guarded([&] { tmain_.FormKeyDown(static_cast<int>(wParam), alt); });
    }
    reflect();
}

}  // namespace spindrel
