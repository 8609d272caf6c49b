#include "ui/win32/cool_button_view.h"

#include <windowsx.h>

#include "ui/win32/gdi.h"
#include "ui/win32/surface.h"

namespace spindrel {

namespace {
constexpr const char* kButtonClass = "TCoolButton";

Rgb systemColour(int index) {
    const COLORREF colour = GetSysColor(index);
    return rgb(GetRValue(colour), GetGValue(colour), GetBValue(colour));
}
}  // namespace

CoolButtonView::CoolButtonView(HWND parent, CoolButton& button, PictureCache& pictures)
    : button_(button), pictures_(pictures) {
    static const bool registered = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &CoolButtonView::WindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kButtonClass;
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        return RegisterClassA(&windowClass) != 0;
    }();
    (void)registered;
    window_ = CreateWindowExA(0, kButtonClass, "", WS_CHILD | WS_CLIPSIBLINGS, button.left,
                              button.top, button.width, button.height, parent, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    reflect();
}

CoolButtonView::~CoolButtonView() {
    if (IsWindow(window_)) {
        SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

void CoolButtonView::redraw() { InvalidateRect(window_, nullptr, FALSE); }

void CoolButtonView::reflect() {
    if (!current()) return;
    const RECT place{button_.left, button_.top, button_.left + button_.width,
                     button_.top + button_.height};
    if (!reflected_ || !EqualRect(&place, &placed_)) {
        SetWindowPos(window_, nullptr, button_.left, button_.top, button_.width, button_.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        placed_ = place;
    }
    const bool visible = button_.visible && button_.glyphStrip() != nullptr;
    if (!reflected_ || visible != placedVisible_) {
        ShowWindow(window_, visible ? SW_SHOWNA : SW_HIDE);
        placedVisible_ = visible;
    }
    if (!reflected_ || button_.enabled != shownEnabled_) {
        shownEnabled_ = button_.enabled;
        EnableWindow(window_, button_.enabled);
        followEnabled();
    }
    reflected_ = true;
    // Asked for once per change: a button out of sight is not painted, and asking again on every
    // reflect would cost a call to the system each time.
    if (button_.glyphIndex() != requestedGlyph_ || button_.glyphStrip().get() != requestedStrip_) {
        requestedGlyph_ = button_.glyphIndex();
        requestedStrip_ = button_.glyphStrip().get();
        redraw();
    }
}

// A disabled button takes no mouse, so the pointer may have come or gone meanwhile: where it is
// now decides the mouse-over glyph. A disabled window is never the one under the pointer.
void CoolButtonView::followEnabled() {
    const bool wasOver = button_.mouseInside();
    POINT pointer;
    if (!GetCursorPos(&pointer)) return;
    const bool under = IsWindowVisible(window_) && WindowFromPoint(pointer) == window_;
    ScreenToClient(window_, &pointer);
    button_.setButtonEnabled(button_.enabled, pointer.x, pointer.y, under);
    if (button_.mouseInside() == wasOver) return;
    if (button_.mouseInside()) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window_, 0};
        TrackMouseEvent(&track);
    }
    if (onMouseOver) onMouseOver(button_.mouseInside());
}

void CoolButtonView::paint(HDC dc) {
    Background::paintUnder(window_, dc);
    SystemColours colours;
    colours.highlight = systemColour(COLOR_BTNHIGHLIGHT);
    colours.shadow = systemColour(COLOR_BTNSHADOW);
    colours.buttonFace = systemColour(COLOR_BTNFACE);
    if (!button_.glyphStrip()) return;
    const PreparedGlyph& glyph = GlyphCache::shared().prepared(button_, colours);
    if (!glyph.bitmap) return;
    // Centred, at the same place in every state.
    const int x = (button_.width - glyph.width) / 2;
    const int y = (button_.height - glyph.height) / 2;
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ previous = SelectObject(source, glyph.bitmap.get());
    const Rgb key = glyph.transparent;
    TransparentBlt(dc, x, y, glyph.width, glyph.height, source, 0, 0, glyph.width, glyph.height,
                   RGB((key >> 16) & 0xFF, (key >> 8) & 0xFF, key & 0xFF));
    SelectObject(source, previous);
    DeleteDC(source);
}

LRESULT CALLBACK CoolButtonView::WindowProc(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    auto* self = reinterpret_cast<CoolButtonView*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    return self->dispatch(message, wParam, lParam);
}

LRESULT CoolButtonView::dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!current()) {
        switch (message) {
            case WM_PAINT:
                ValidateRect(window_, nullptr);
                return 0;
            case WM_NCHITTEST:
                return HTTRANSPARENT;
            case WM_ERASEBKGND:
                return 1;
            default:
                return DefWindowProcA(window_, message, wParam, lParam);
        }
    }
    switch (message) {
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: {
            PAINTSTRUCT paintStruct;
            HDC dc = BeginPaint(window_, &paintStruct);
            {
                MemoryDc buffer(dc, button_.width, button_.height);
                paint(buffer.get());
                BitBlt(dc, 0, 0, button_.width, button_.height, buffer.get(), 0, 0, SRCCOPY);
            }
            EndPaint(window_, &paintStruct);
            return 0;
        }
        case WM_NCHITTEST: {
            POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            ScreenToClient(window_, &point);
            // Only drawn pixels belong to the button; the rest is the skin beneath.
            if (button_.tracking() || button_.hitTest(point.x, point.y)) return HTCLIENT;
            return HTTRANSPARENT;
        }
        case WM_MOUSEMOVE: {
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window_, 0};
            TrackMouseEvent(&track);
            if (button_.mouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), true)) redraw();
            if (onMouseOver) onMouseOver(true);
            if (onMouseMove) onMouseMove();
            return 0;
        }
        case WM_SETCURSOR:
            if (cursor != nullptr && LOWORD(lParam) == HTCLIENT) {
                SetCursor(cursor);
                return TRUE;
            }
            break;
        case WM_MOUSELEAVE:
            if (button_.mouseLeave()) redraw();
            if (onMouseOver) onMouseOver(false);
            return 0;
        case WM_LBUTTONDOWN:
            if (button_.mouseDown()) {
                SetCapture(window_);
                redraw();
            }
            return 0;
        case WM_LBUTTONUP: {
            if (!button_.tracking()) return 0;
            const int x = GET_X_LPARAM(lParam);
            const int y = GET_Y_LPARAM(lParam);
            // Tracking ends before the capture is let go, which reports a capture change.
            const bool clicked = button_.mouseUp(x, y, button_.hitTest(x, y));
            ReleaseCapture();
            redraw();
            if (clicked && onClick) onClick();
            return 0;
        }
        case WM_CAPTURECHANGED:
            if (button_.tracking() && reinterpret_cast<HWND>(lParam) != window_) {
                button_.mouseUp(-1, -1, false);
                redraw();
            }
            return 0;
        default: break;
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}

}  // namespace spindrel
