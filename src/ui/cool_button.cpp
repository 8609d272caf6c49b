#include "ui/cool_button.h"

#include <algorithm>

namespace spindrel {

namespace {
constexpr int kNewButtonSize = 25;
constexpr Rgb kWhite = rgb(255, 255, 255);
constexpr Rgb kGrey = rgb(128, 128, 128);
}  // namespace

CoolButton::CoolButton() {
    width = kNewButtonSize;
    height = kNewButtonSize;
}

void CoolButton::setGlyph(Picture strip, int glyphs) {
    strip_ = std::move(strip);
    numGlyphs_ = std::clamp(glyphs, 1, 4);
}

int CoolButton::glyphWidth() const { return strip_ ? strip_->width / numGlyphs_ : 0; }

ButtonState CoolButton::drawState() const {
    if (!enabled) return ButtonState::disabled;
    if (!mouseOver_) return ButtonState::normal;
    return state_ == ButtonState::pressed ? ButtonState::pressed : ButtonState::mouseOver;
}

int CoolButton::glyphIndex() const {
    const int index = static_cast<int>(drawState());
    if (index >= numGlyphs_) return 0;
    if (drawState() == ButtonState::pressed && numGlyphs_ < 3) return 0;
    return index;
}

Glyph CoolButton::glyph(const SystemColours& colours) const {
    Glyph out;
    const int w = glyphWidth();
    if (!strip_ || w <= 0) return out;
    const Bitmap& strip = *strip_;
    const int index = glyphIndex();
    out.image.width = w;
    out.image.height = strip.height;
    out.image.pixels.resize(static_cast<std::size_t>(w * strip.height));
    for (int y = 0; y < strip.height; ++y) {
        for (int x = 0; x < w; ++x) {
            out.image.pixels[static_cast<std::size_t>(y * w + x)] = strip.pixel(index * w + x, y);
        }
    }
    out.transparent = out.image.bottomLeft();
    if (drawState() != ButtonState::disabled) return out;

    if (numGlyphs_ >= 2) {
        // The disabled glyph takes the system's colours.
        const Rgb key = out.transparent;
        for (Rgb& pixel : out.image.pixels) {
            if (pixel == key) {
                pixel = colours.buttonFace;
            } else if (pixel == kWhite) {
                pixel = colours.highlight;
            } else if (pixel == kGrey) {
                pixel = colours.shadow;
            }
        }
        out.transparent = colours.buttonFace;
        return out;
    }
    // A single glyph: an embossed one-colour image, highlight one pixel down and right, shadow
    // on top.
    const Bitmap source = out.image;
    const Rgb key = source.bottomLeft();
    for (Rgb& pixel : out.image.pixels) pixel = colours.buttonFace;
    for (int y = 0; y < source.height; ++y) {
        for (int x = 0; x < source.width; ++x) {
            if (source.pixel(x, y) == key) continue;
            if (x + 1 < source.width && y + 1 < source.height) {
                out.image.pixels[static_cast<std::size_t>((y + 1) * w + x + 1)] =
                    colours.highlight;
            }
        }
    }
    for (int y = 0; y < source.height; ++y) {
        for (int x = 0; x < source.width; ++x) {
            if (source.pixel(x, y) != key) {
                out.image.pixels[static_cast<std::size_t>(y * w + x)] = colours.shadow;
            }
        }
    }
    out.transparent = colours.buttonFace;
    return out;
}

bool CoolButton::hitTest(int x, int y) const {
    if (!strip_ || x < 0 || y < 0 || x >= strip_->width || y >= strip_->height) return false;
    return strip_->pixel(x, y) != strip_->bottomLeft();
}

bool CoolButton::mouseMove(int x, int y, bool underPointer) {
    if (tracking_) {
        const ButtonState next = inside(x, y) ? ButtonState::pressed : ButtonState::normal;
        const bool changed = next != state_;
        state_ = next;
        return changed;
    }
    const bool over = hitTest(x, y) && underPointer;
    if (over == mouseOver_) return false;
    mouseOver_ = over;
    return true;
}

bool CoolButton::mouseDown() {
    if (!enabled) return false;
    state_ = ButtonState::pressed;
    tracking_ = true;
    return true;
}

bool CoolButton::mouseUp(int x, int y, bool underPointer, bool* repaint) {
    if (!tracking_) return false;
    tracking_ = false;
    state_ = ButtonState::normal;
    mouseOver_ = false;
    const bool clicked = inside(x, y);
    mouseOver_ = hitTest(x, y) && underPointer;
    if (repaint != nullptr) *repaint = true;
    return clicked;
}

bool CoolButton::mouseLeave() {
    if (!mouseOver_ || !enabled || tracking_) return false;
    mouseOver_ = false;
    return true;
}

bool CoolButton::setButtonEnabled(bool on, int pointerX, int pointerY, bool underPointer) {
    enabled = on;
    mouseOver_ = hitTest(pointerX, pointerY) && underPointer;
    return true;
}

}  // namespace spindrel
