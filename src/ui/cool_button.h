#pragma once
// A frameless picture button: four glyphs cut from one strip (normal, disabled, pressed, mouse
// over), and a mouse-over test by the strip's own pixels so that round or irregular buttons
// only react where they are drawn.

#include "platform/bitmap_port.h"
#include "ui/control.h"

namespace spindrel {

enum class ButtonState { normal = 0, disabled = 1, pressed = 2, mouseOver = 3 };

// The system colours the disabled glyph is drawn in.
struct SystemColours {
    Rgb highlight = rgb(255, 255, 255);
    Rgb shadow = rgb(128, 128, 128);
    Rgb buttonFace = rgb(212, 208, 200);
};

// A glyph ready to draw: its pixels and the colour that is see-through.
struct Glyph {
    Bitmap image;
    Rgb transparent = 0;
};

class CoolButton : public Control {
public:
    CoolButton();

    void setGlyph(Picture strip, int glyphs = 4);
    const Picture& glyphStrip() const { return strip_; }
    int numGlyphs() const { return numGlyphs_; }
    int glyphWidth() const;

    ButtonState state() const { return state_; }
    bool mouseInside() const { return mouseOver_; }
    bool tracking() const { return tracking_; }

    // The state drawn now, and the index of the glyph that shows it.
    ButtonState drawState() const;
    int glyphIndex() const;
    // The glyph image for the current state, disabled recolouring and embossing included.
    Glyph glyph(const SystemColours& colours) const;

    // Mouse events in button coordinates. underPointer: the control under the pointer is this
    // button (another control may lie on top of it). Each returns true when the button must be
    // drawn again.
    bool mouseMove(int x, int y, bool underPointer);
    bool mouseDown();
    // True when the click completed (released inside the button's rectangle).
    bool mouseUp(int x, int y, bool underPointer, bool* repaint = nullptr);
    bool mouseLeave();
    // Enabling or disabling works the mouse-over flag out again from the pointer's position.
    bool setButtonEnabled(bool on, int pointerX, int pointerY, bool underPointer);

    // The pointer is on a drawn pixel of the strip at this position.
    bool hitTest(int x, int y) const;

private:
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }

    Picture strip_;
    int numGlyphs_ = 4;
    ButtonState state_ = ButtonState::normal;
    bool mouseOver_ = false;
    bool tracking_ = false;
};

}  // namespace spindrel
