#pragma once
// A label of the skin as a window of its own: it draws its caption over its parent's picture, in
// the label's caption style, and carries the caption as its window text, so that accessibility
// tools and tests read what the user reads. The mouse passes through it to the parent, which
// owns the label's clicks, cursor and hint, unless the label is given a click of its own.

#include <windows.h>

#include <functional>
#include <string>

#include "ui/control.h"

namespace spindrel {

struct LabelLook {
    HFONT font = nullptr;
    HFONT italicFont = nullptr;  // used while the label is italic, when given
    COLORREF colour = RGB(0, 0, 0);
    bool checkMark = false;  // drawn from the top-left corner, not centred on its line
};

class LabelView {
public:
    LabelView(HWND parent, const Control& label, const LabelLook& look);
    ~LabelView();
    LabelView(const LabelView&) = delete;
    LabelView& operator=(const LabelView&) = delete;

    HWND handle() const { return window_; }
    const Control& label() const { return label_; }
    // Brings the window in line with the label: place, visibility, caption and style.
    void reflect();

    // A label that takes its own clicks (a press and a release on it), with its own cursor.
    std::function<void()> onClick;
    HCURSOR cursor = nullptr;
    // Paints what shows beneath the label into dc at (0, 0); none: the parent's background.
    std::function<void(HDC dc)> backdrop;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void paint(HDC dc, int width, int height) const;

    HWND window_ = nullptr;
    const Control& label_;
    LabelLook look_;
    Control shown_;
    bool applied_ = false;
    bool pressed_ = false;
};

// Draws a caption in the label's caption style (shadow, raised or inset copies, then the text).
void drawCaption(HDC dc, const Control& label, RECT rect, UINT format, COLORREF textColour);

}  // namespace spindrel
