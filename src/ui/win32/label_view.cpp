#include "ui/win32/label_view.h"

#include "ui/win32/gdi.h"
#include "ui/win32/surface.h"

namespace spindrel {

namespace {
constexpr const char* kLabelClass = "TExtLabel";

bool sameLook(const Control& a, const Control& b) {
    return a.caption == b.caption && a.visible == b.visible && a.italic == b.italic &&
           a.alignment == b.alignment && a.captionStyle == b.captionStyle &&
           a.shadowOffset == b.shadowOffset;
}
}  // namespace

void drawCaption(HDC dc, const Control& label, RECT rect, UINT format, COLORREF textColour) {
    const auto copy = [&](int dx, int dy, COLORREF colour) {
        RECT moved = rect;
        OffsetRect(&moved, dx, dy);
        SetTextColor(dc, colour);
        DrawTextA(dc, label.caption.c_str(), static_cast<int>(label.caption.size()), &moved, format);
    };
    const COLORREF light = RGB(255, 255, 255);
    const COLORREF dark = RGB(0, 0, 0);
    switch (label.captionStyle) {
        case CaptionStyle::none: break;
        case CaptionStyle::shadow: copy(label.shadowOffset, label.shadowOffset, dark); break;
        case CaptionStyle::heavyRaised:
            copy(-2, -2, light);
            copy(2, 2, dark);
            [[fallthrough]];
        case CaptionStyle::lightRaised:
            copy(-1, -1, light);
            copy(1, 1, dark);
            break;
        case CaptionStyle::heavyInset:
            copy(-2, -2, dark);
            copy(2, 2, light);
            [[fallthrough]];
        case CaptionStyle::lightInset:
            copy(-1, -1, dark);
            copy(1, 1, light);
            break;
    }
    copy(0, 0, textColour);
}

LabelView::LabelView(HWND parent, const Control& label, const LabelLook& look)
    : label_(label), look_(look) {
    static const bool registered = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &LabelView::WindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kLabelClass;
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        return RegisterClassA(&windowClass) != 0;
    }();
    (void)registered;
    window_ = CreateWindowExA(0, kLabelClass, "", WS_CHILD | WS_CLIPSIBLINGS, label.left,
                              label.top, label.width, label.height, parent, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    reflect();
}

LabelView::~LabelView() {
    if (IsWindow(window_)) {
        SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

void LabelView::reflect() {
    const Control& now = label_;
    if (!applied_ || now.left != shown_.left || now.top != shown_.top ||
        now.width != shown_.width || now.height != shown_.height) {
        SetWindowPos(window_, nullptr, now.left, now.top, now.width, now.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (applied_ && sameLook(now, shown_)) {
        shown_ = now;
        return;
    }
    if (!applied_ || now.caption != shown_.caption) SetWindowTextA(window_, now.caption.c_str());
    const bool visible = now.visible && !now.caption.empty();
    const bool wasVisible = applied_ && shown_.visible && !shown_.caption.empty();
    if (!applied_ || visible != wasVisible) ShowWindow(window_, visible ? SW_SHOWNA : SW_HIDE);
    if (visible) InvalidateRect(window_, nullptr, FALSE);
    shown_ = now;
    applied_ = true;
}

void LabelView::paint(HDC dc, int width, int height) const {
    if (backdrop) {
        backdrop(dc);
    } else {
        Background::paintUnder(window_, dc);
    }
    if (!label_.visible || label_.caption.empty()) return;
    HFONT font = label_.italic && look_.italicFont != nullptr ? look_.italicFont : look_.font;
    Selected selected(dc, font);
    SetBkMode(dc, TRANSPARENT);
    UINT format = DT_SINGLELINE | DT_NOPREFIX;
    if (!look_.checkMark) {
        format |= DT_VCENTER | DT_END_ELLIPSIS;
        if (label_.alignment == TextAlign::center) format |= DT_CENTER;
        if (label_.alignment == TextAlign::right) format |= DT_RIGHT;
    }
    drawCaption(dc, label_, RECT{0, 0, width, height}, format, look_.colour);
}

LRESULT CALLBACK LabelView::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<LabelView*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self != nullptr) {
        switch (message) {
            case WM_ERASEBKGND: return 1;
            // Clicks, cursor and hint belong to the parent, which knows what the label means,
            // unless the label was given a click of its own.
            case WM_NCHITTEST: return self->onClick ? HTCLIENT : HTTRANSPARENT;
            case WM_SETCURSOR:
                if (self->cursor != nullptr && LOWORD(lParam) == HTCLIENT) {
                    SetCursor(self->cursor);
                    return TRUE;
                }
                break;
            case WM_LBUTTONDOWN:
                self->pressed_ = true;
                SetCapture(window);
                return 0;
            case WM_LBUTTONUP: {
                if (!self->pressed_) return 0;
                self->pressed_ = false;
                ReleaseCapture();
                RECT client;
                GetClientRect(window, &client);
                const POINT at{static_cast<short>(LOWORD(lParam)),
                               static_cast<short>(HIWORD(lParam))};
                if (PtInRect(&client, at) && self->onClick) self->onClick();
                return 0;
            }
            case WM_CAPTURECHANGED:
                self->pressed_ = false;
                return 0;
            case WM_PAINT: {
                PAINTSTRUCT paintStruct;
                HDC dc = BeginPaint(window, &paintStruct);
                RECT client;
                GetClientRect(window, &client);
                {
                    MemoryDc buffer(dc, client.right, client.bottom);
                    self->paint(buffer.get(), client.right, client.bottom);
                    BitBlt(dc, 0, 0, client.right, client.bottom, buffer.get(), 0, 0, SRCCOPY);
                }
                EndPaint(window, &paintStruct);
                return 0;
            }
            default: break;
        }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace spindrel
