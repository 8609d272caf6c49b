#pragma once
// The window of a skinned button: draws the core button's glyph over its parent's background and
// feeds it the mouse. Pixels of the see-through colour let the mouse through to the parent.

#include <windows.h>

#include <functional>

#include "ui/cool_button.h"
#include "ui/win32/pictures.h"

namespace spindrel {

class CoolButtonView {
public:
    CoolButtonView(HWND parent, CoolButton& button, PictureCache& pictures);
    ~CoolButtonView();
    CoolButtonView(const CoolButtonView&) = delete;
    CoolButtonView& operator=(const CoolButtonView&) = delete;

    HWND handle() const { return window_; }
    CoolButton& button() { return button_; }
    // Brings the window in line with the button's place, visibility, state and picture.
    void reflect();

    std::function<void()> onClick;
    std::function<void()> onMouseMove;
    // The pointer came onto a drawn pixel of the button (true) or left it (false).
    std::function<void(bool over)> onMouseOver;
    // The cursor over the button; none: the arrow.
    HCURSOR cursor = nullptr;
    // False once the button this view shows has been replaced (a rebuilt list): until the view
    // itself goes, it draws nothing and lets the mouse through, and never touches the button.
    std::function<bool()> isCurrent;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    void paint(HDC dc);
    void redraw();
    void followEnabled();
    bool current() const { return !isCurrent || isCurrent(); }

    HWND window_ = nullptr;
    CoolButton& button_;
    PictureCache& pictures_;
    int requestedGlyph_ = -1;
    bool shownEnabled_ = true;
    const Bitmap* requestedStrip_ = nullptr;
    // What reflect last applied, so that an unchanged button costs no window calls.
    RECT placed_{};
    bool placedVisible_ = false;
    bool reflected_ = false;
};

}  // namespace spindrel
