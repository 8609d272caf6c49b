#pragma once
// Controls and menu items as plain data: what a window shows, held by the core's models and
// reflected by the front end.

#include <string>

#include "platform/bitmap_port.h"

namespace spindrel {

enum class TextAlign { left, center, right };

// How a label draws its caption: plain, with a drop shadow, or raised or sunk by a light and a
// dark copy, one pixel apart (light) or two (heavy).
enum class CaptionStyle { none, shadow, lightRaised, heavyRaised, lightInset, heavyInset };

struct Control {
    std::string caption;  // caption of a label, text of an edit box
    std::string hint;
    bool visible = true;
    bool enabled = true;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int tag = 0;
    TextAlign alignment = TextAlign::left;
    bool italic = false;
    CaptionStyle captionStyle = CaptionStyle::none;
    int shadowOffset = 2;
};

// An image control: a picture drawn at its top-left corner.
struct Image : Control {
    Picture picture;
};

struct MenuItem {
    std::string name;
    std::string caption;
    bool enabled = true;
    bool checked = false;
    bool isDefault = false;
    int tag = 0;
};

inline Control labelWithCaption(const char* caption) {
    Control label;
    label.caption = caption;
    return label;
}

// A check label holds its state in its caption.
inline constexpr const char* kChecked = "x";
inline bool isChecked(const Control& label) { return label.caption == kChecked; }

}  // namespace spindrel
