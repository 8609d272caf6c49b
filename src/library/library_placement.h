#pragma once
// Where the library dialog opens: next to the main window, in the corner of the work area that
// the main window sits nearest to, and the frames of the opening animation.

#include <optional>
#include <vector>

namespace spindrel {

// Edges in screen coordinates; whether right and bottom are inclusive is said where used.
struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool operator==(const ScreenRect&) const = default;
};

struct ScreenPoint {
    int x = 0;
    int y = 0;

    bool operator==(const ScreenPoint&) const = default;
};

// The desktop less the taskbar: a bar wider than high lies at the top when its top is at or
// above 0, else at the bottom; a higher one lies at the left when its left is at or left of 0,
// else at the right.
ScreenRect workArea(const ScreenRect& desktop, const std::optional<ScreenRect>& taskbar);

struct PlacementFacts {
    int screenWidth = 0;
    int screenHeight = 0;
    ScreenRect desktop;                 // right and bottom exclusive, as the system gives it
    std::optional<ScreenRect> taskbar;  // the same
    ScreenRect mainWindow;              // right and bottom exclusive
};

// The dialog's top-left corner: centred on the screen, and on a screen at least 800 pixels wide
// put against the corner of the main window nearest to the same corner of the work area.
ScreenPoint placeDialog(const PlacementFacts& facts, int width, int height);

// The growing frames from the button that opened the dialog (right and bottom inclusive) to the
// dialog's area inset by 3 pixels; none when the button does not lie wholly inside that area.
std::vector<ScreenRect> openingFrames(const ScreenRect& button, const ScreenRect& dialog);

}  // namespace spindrel
