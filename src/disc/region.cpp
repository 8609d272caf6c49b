#include "disc/region.h"

#include "base/text.h"
#include "disc/disc_texts.h"

namespace spindrel {

std::array<bool, 6> playableRegions(std::uint8_t regionByte) {
    std::array<bool, 6> playable{};
    for (int n = 0; n < 6; ++n)
        playable[static_cast<std::size_t>(n)] = (regionByte & (1 << n)) == 0;
    return playable;
}

std::string regionHint(std::uint8_t regionByte) {
    const std::array<bool, 6> playable = playableRegions(regionByte);
    int count = 0;
    for (bool lit : playable)
        count += lit ? 1 : 0;

    std::string hint = texts::kRegionHintStart;
    if (count == 6) {
        hint += "\r\r";
        hint += texts::kRegionAny;
    } else if (count > 0) {
        std::string sentence = texts::kRegionSome;
        if (count > 1)
            sentence += 's';
        for (int n = 0; n < 6; ++n) {
            if (playable[static_cast<std::size_t>(n)])
                sentence += strFormat(" %d,", n + 1);
        }
        sentence.back() = '.';
        if (count > 1) {
            // "..., 3, 5." becomes "..., 3 and 5."
            const std::string last = sentence.substr(sentence.size() - 2);
            sentence.resize(sentence.size() - 4);
            sentence += " and " + last;
        }
        hint += "\r\r" + sentence;
    }
    return hint;
}

std::string discIdentity(std::uint32_t serial) {
    return strFormat("%04X:%04X", static_cast<unsigned>(serial >> 16),
                     static_cast<unsigned>(serial & 0xFFFF));
}

}  // namespace spindrel
