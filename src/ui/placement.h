#pragma once
// Controls take their places from the skin layout.

#include "ui/control.h"
#include "ui/skin_layout.h"

namespace spindrel {

inline void place(Control& control, const skin::Rect& rect) {
    control.left = rect.left;
    control.top = rect.top;
    control.width = rect.width;
    control.height = rect.height;
}

}  // namespace spindrel
