#include "ui/win32/surface.h"

#include "ui/win32/gdi.h"

namespace spindrel {

namespace {
constexpr const char* kSurfaceClass = "SpindrelSurface";
constexpr const char* kBackgroundProperty = "SpindrelBackground";
}  // namespace

void Background::attach(HWND window, Background* background) {
    SetPropA(window, kBackgroundProperty, background);
}

Background* Background::of(HWND window) {
    return static_cast<Background*>(GetPropA(window, kBackgroundProperty));
}

void Background::paintUnder(HWND child, HDC dc) {
    HWND parent = GetParent(child);
    Background* background = Background::of(parent);
    if (background == nullptr) return;
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    POINT previous;
    SetViewportOrgEx(dc, -rect.left, -rect.top, &previous);
    background->paint(dc);
    SetViewportOrgEx(dc, previous.x, previous.y, nullptr);
}

Surface::Surface(HWND parent, const RECT& rect, Painter painter) : painter_(std::move(painter)) {
    static const bool registered = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &Surface::WindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kSurfaceClass;
        // A double-click's second press must be told apart: it is no click of its own.
        windowClass.style = CS_DBLCLKS;
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        return RegisterClassA(&windowClass) != 0;
    }();
    (void)registered;
    window_ = CreateWindowExA(0, kSurfaceClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN |
                                                        WS_CLIPSIBLINGS,
                              rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                              parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    attach(window_, this);
}

Surface::~Surface() {
    if (IsWindow(window_)) {
        RemovePropA(window_, kBackgroundProperty);
        SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

void Surface::paint(HDC dc) {
    RECT client;
    GetClientRect(window_, &client);
    painter_(dc, client.right, client.bottom);
}

// True when the surface took the button message.
bool Surface::OnMouseButton(UINT message, LPARAM lParam) {
    const int x = static_cast<short>(LOWORD(lParam));
    const int y = static_cast<short>(HIWORD(lParam));
    const int part = clickPartAt ? clickPartAt(x, y) : -1;
    const bool left =
        message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK || message == WM_LBUTTONUP;
    const MouseButton button = left ? MouseButton::left : MouseButton::right;
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
            if (part >= 0) {
                pressedPart_ = part;
                pressedButton_ = button;
                // The release counts wherever the pointer has gone meanwhile.
                SetCapture(window_);
                return true;
            }
            if (!left)
                return false;
            if (onPress)
                onPress(x, y);
            return true;
        case WM_LBUTTONDBLCLK:
            if (part < 0 && onPress)
                onPress(x, y);
            return true;
        default: {
            if (pressedPart_ < 0 || pressedButton_ != button)
                return false;
            const int pressed = pressedPart_;
            pressedPart_ = -1;
            ReleaseCapture();
            if (part == pressed && onClick)
                onClick(part, button);
            return true;
        }
    }
}

LRESULT CALLBACK Surface::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Surface*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self != nullptr) {
        switch (message) {
            case WM_ERASEBKGND: return 1;
            case WM_PAINT: {
                PAINTSTRUCT paint;
                HDC dc = BeginPaint(window, &paint);
                RECT client;
                GetClientRect(window, &client);
                {
                    MemoryDc buffer(dc, client.right, client.bottom);
                    self->paint(buffer.get());
                    BitBlt(dc, 0, 0, client.right, client.bottom, buffer.get(), 0, 0, SRCCOPY);
                }
                EndPaint(window, &paint);
                return 0;
            }
            case WM_LBUTTONDOWN:
            case WM_LBUTTONDBLCLK:
            case WM_LBUTTONUP:
            case WM_RBUTTONDOWN:
            case WM_RBUTTONUP:
                if (self->OnMouseButton(message, lParam))
                    return 0;
                break;
            case WM_CAPTURECHANGED:
                if (reinterpret_cast<HWND>(lParam) != window)
                    self->pressedPart_ = -1;
                break;
            case WM_MOUSEMOVE:
                if (self->onMouseMove) self->onMouseMove();
                return 0;
            case WM_SETCURSOR:
                if (LOWORD(lParam) == HTCLIENT && reinterpret_cast<HWND>(wParam) == window &&
                    self->cursorAt) {
                    POINT point;
                    GetCursorPos(&point);
                    ScreenToClient(window, &point);
                    if (HCURSOR cursor = self->cursorAt(point.x, point.y)) {
                        SetCursor(cursor);
                        return TRUE;
                    }
                }
                break;
            case WM_CTLCOLOREDIT:
            case WM_CTLCOLORSTATIC:
            case WM_COMMAND:
            case WM_NOTIFY:
                // Controls report to the window that owns the behaviour.
                return SendMessageA(GetAncestor(window, GA_ROOT), message, wParam, lParam);
            default: break;
        }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace spindrel
