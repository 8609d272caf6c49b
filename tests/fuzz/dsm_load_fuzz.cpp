// libFuzzer target: any bytes as a DSM file. Besides crashes and out-of-bounds reads it checks
// that what load takes survives a save and a second load unchanged.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "macro/dsm_format.h"

using namespace spindrel;

namespace {
const ButtonNames kKnown({"Enter", "Next", "Title Menu", "Play", "-"});

void check(bool condition) {
    if (!condition)
        std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const DsmContent first = parseDsmFile(bytes, kKnown);
    for (const std::string& note : first.notes)
        check(note.size() <= kDsmFieldLimit);

    const DsmContent second = parseDsmFile(writeDsmFile(first.notes, first.clicks), kKnown);
    check(second.notes == first.notes);
    std::size_t next = 0;
    for (const Click& click : first.clicks) {
        check(click.button.size() <= kDsmFieldLimit);
        if (click.wait == "0.0")
            continue;  // dropped by save
        check(next < second.clicks.size() && second.clicks[next] == click);
        ++next;
    }
    check(next == second.clicks.size());
    return 0;
}
