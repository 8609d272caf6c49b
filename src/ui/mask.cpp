#include "ui/mask.h"

namespace spindrel {

namespace {

constexpr std::size_t kHeaderSize = 32;
constexpr std::size_t kRectSize = 16;
constexpr std::uint32_t kRectangles = 1;

std::uint32_t u32(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    }
    return value;
}

std::int32_t i32(const std::string& bytes, std::size_t at) {
    return static_cast<std::int32_t>(u32(bytes, at));
}

std::optional<Mask> refuse(std::string* reason, const char* why) {
    if (reason != nullptr) *reason = why;
    return std::nullopt;
}

}  // namespace

std::optional<Mask> parseMask(const std::string& bytes, std::string* reason) {
    if (bytes.size() < 4) return refuse(reason, "the file is shorter than its length field");
    const std::int32_t n = i32(bytes, 0);
    Mask mask;
    if (n == 0) {
        mask.keepOutline = true;
        return mask;
    }
    if (n < 0) return refuse(reason, "the region length is negative");
    const auto length = static_cast<std::size_t>(n);
    if (length > bytes.size() - 4) return refuse(reason, "the file ends inside the region data");
    if (length < kHeaderSize) return refuse(reason, "the region data is shorter than its header");
    const std::size_t base = 4;
    const std::uint32_t headerSize = u32(bytes, base);
    const std::uint32_t type = u32(bytes, base + 4);
    const std::uint32_t count = u32(bytes, base + 8);
    const std::uint32_t listSize = u32(bytes, base + 12);
    if (headerSize != kHeaderSize || type != kRectangles) {
        return refuse(reason, "the region header is not a rectangle list");
    }
    if (count > (length - kHeaderSize) / kRectSize ||
        kHeaderSize + static_cast<std::size_t>(count) * kRectSize != length) {
        return refuse(reason, "the rectangle count disagrees with the region length");
    }
    if (listSize != 0 && listSize != count * kRectSize) {
        return refuse(reason, "the rectangle list size disagrees with the count");
    }
    mask.regionData.assign(bytes.begin() + 4, bytes.begin() + 4 + static_cast<long>(length));
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t at = base + kHeaderSize + i * kRectSize;
        mask.rects.push_back({i32(bytes, at), i32(bytes, at + 4), i32(bytes, at + 8),
                              i32(bytes, at + 12)});
    }
    return mask;
}

}  // namespace spindrel
