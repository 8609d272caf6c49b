#pragma once
// Window outlines stored as files: a signed 32-bit length N, then N bytes of region data in the
// platform's rectangle-list form (a 32-byte header, then the rectangles in bands from the top).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace spindrel {

struct MaskRect {
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;  // exclusive
    std::int32_t bottom; // exclusive
};

struct Mask {
    // N = 0: no outline; the window keeps the one it has.
    bool keepOutline = false;
    std::vector<std::uint8_t> regionData;  // exactly as the platform takes it
    std::vector<MaskRect> rects;
};

// Parses a mask file's bytes. Nothing is read beyond the data; a truncated file, a negative or
// oversized N, or a header whose counts disagree with the size give nothing, with the reason.
std::optional<Mask> parseMask(const std::string& bytes, std::string* reason = nullptr);

}  // namespace spindrel
