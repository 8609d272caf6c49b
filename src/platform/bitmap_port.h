#pragma once
// Pictures as the core sees them: plain pixels, read from bitmap files by the platform.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace spindrel {

// 0x00RRGGBB.
using Rgb = std::uint32_t;

inline constexpr Rgb rgb(int red, int green, int blue) {
    return static_cast<Rgb>((red << 16) | (green << 8) | blue);
}

// Made through a shared owner (a Picture), a bitmap can tell whether it is still the same one:
// drawing caches hold it weakly, so a new picture at a freed one's address is never taken for it.
struct Bitmap : std::enable_shared_from_this<Bitmap> {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;  // rows from the top

    Rgb pixel(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
    // The see-through colour of skin pictures and strips.
    Rgb bottomLeft() const { return height > 0 && width > 0 ? pixel(0, height - 1) : 0; }
};

using Picture = std::shared_ptr<const Bitmap>;

class BitmapPort {
public:
    virtual ~BitmapPort() = default;
    // The picture in a Windows bitmap file, or nothing when it cannot be read.
    virtual Picture load(const std::string& path) = 0;
    // A picture the program carries itself, by its resource name; nothing when it has none.
    virtual Picture loadBuiltIn(const std::string& name) = 0;
};

}  // namespace spindrel
