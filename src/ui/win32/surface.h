#pragma once
// A window that paints a background (pictures, then labels) and hosts children that draw over
// it. Children with see-through pixels ask their parent for the background beneath them, so a
// round button sits on the panel picture, not on a grey square.

#include <windows.h>

#include <functional>
#include <string>

namespace spindrel {

// Anything that can paint its client area into a DC; the skinned windows and the panels.
class Background {
public:
    virtual ~Background() = default;
    // Paints the whole client area in client coordinates.
    virtual void paint(HDC dc) = 0;

    // Paints the part of the background under the child's rectangle into dc at (0, 0).
    static void paintUnder(HWND child, HDC dc);
    static void attach(HWND window, Background* background);
    static Background* of(HWND window);
};

enum class MouseButton { left, right };

class Surface : public Background {
public:
    using Painter = std::function<void(HDC dc, int width, int height)>;

    Surface(HWND parent, const RECT& rect, Painter painter);
    ~Surface() override;
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    HWND handle() const { return window_; }
    void paint(HDC dc) override;
    // A press of the left button on the surface itself (no child took it), in its coordinates,
    // away from any part that takes clicks.
    std::function<void(int x, int y)> onPress;
    // The part under a point that takes clicks (a label drawn on the surface), -1 for none.
    std::function<int(int x, int y)> clickPartAt;
    // A click on a part: a press and a release of the same button over it. The second press of
    // a double-click starts none.
    std::function<void(int part, MouseButton button)> onClick;
    std::function<void()> onMouseMove;
    // The cursor over a point of the surface; none: the class cursor.
    std::function<HCURSOR(int x, int y)> cursorAt;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    bool OnMouseButton(UINT message, LPARAM lParam);

    HWND window_ = nullptr;
    Painter painter_;
    int pressedPart_ = -1;
    MouseButton pressedButton_ = MouseButton::left;
};

}  // namespace spindrel
