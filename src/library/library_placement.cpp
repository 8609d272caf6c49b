#include "library/library_placement.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace spindrel {

namespace {
constexpr int kPlacingScreenWidth = 800;
constexpr int kRightOverlap = 3;
constexpr int kBottomOverlap = 2;
constexpr int kFrameInset = 3;
constexpr int kFrameSteps = 30;

int distance(int x1, int y1, int x2, int y2) {
    return static_cast<int>(std::lround(std::hypot(x1 - x2, y1 - y2)));
}
}  // namespace

ScreenRect workArea(const ScreenRect& desktop, const std::optional<ScreenRect>& taskbar) {
    ScreenRect area = desktop;
    if (!taskbar)
        return area;
    const ScreenRect& bar = *taskbar;
    if (bar.right - bar.left > bar.bottom - bar.top) {
        if (bar.top <= 0) {
            area.top = bar.bottom;
        } else {
            area.bottom = bar.top;
        }
    } else if (bar.left <= 0) {
        area.left = bar.right;
    } else {
        area.right = bar.left;
    }
    return area;
}

ScreenPoint placeDialog(const PlacementFacts& facts, int width, int height) {
    const ScreenRect area = workArea(facts.desktop, facts.taskbar);
    const ScreenRect main{std::max(facts.mainWindow.left, area.left),
                          std::max(facts.mainWindow.top, area.top),
                          std::min(facts.mainWindow.right - 1, area.right),
                          std::min(facts.mainWindow.bottom - 1, area.bottom)};
    ScreenPoint at{(facts.screenWidth - width) / 2, (facts.screenHeight - height) / 2};
    if (facts.screenWidth < kPlacingScreenWidth)
        return at;

    // Top-left, top-right, bottom-right, bottom-left; a tie goes to the later corner.
    const std::array<int, 4> distances{
        distance(area.left, area.top, main.left, main.top),
        distance(area.right, area.top, main.right, main.top),
        distance(area.right, area.bottom, main.right, main.bottom),
        distance(area.left, area.bottom, main.left, main.bottom),
    };
    int nearest = 0;
    for (int corner = 1; corner < 4; ++corner) {
        if (distances[static_cast<std::size_t>(corner)] <=
            distances[static_cast<std::size_t>(nearest)]) {
            nearest = corner;
        }
    }
    const bool right = nearest == 1 || nearest == 2;
    const bool bottom = nearest == 2 || nearest == 3;
    at.x = right ? main.right - width + kRightOverlap : main.left;
    at.y = bottom ? main.bottom - height + kBottomOverlap : main.top;
    return at;
}

std::vector<ScreenRect> openingFrames(const ScreenRect& button, const ScreenRect& dialog) {
    const ScreenRect end{dialog.left + kFrameInset, dialog.top + kFrameInset,
                         dialog.right - kFrameInset, dialog.bottom - kFrameInset};
    std::vector<ScreenRect> frames;
    if (button.left < end.left || button.top < end.top || button.right > end.right ||
        button.bottom > end.bottom) {
        return frames;
    }
    const auto step = [](int from, int to, int s) { return from + s * (to - from) / kFrameSteps; };
    for (int s = 0; s <= kFrameSteps; ++s) {
        frames.push_back({step(button.left, end.left, s), step(button.top, end.top, s),
                          step(button.right, end.right, s), step(button.bottom, end.bottom, s)});
    }
    return frames;
}

}  // namespace spindrel
