// libFuzzer target: any bytes as clipboard text for paste. Besides crashes and out-of-bounds
// reads it checks the limits and that copying what was pasted pastes back the same.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "macro/dsm_clipboard.h"

using namespace spindrel;

namespace {
const ButtonNames kKnown({"Enter", "Next", "Title Menu", "Play"});

void check(bool condition) {
    if (!condition)
        std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The clipboard's text ends at its first zero byte.
    std::string_view text(reinterpret_cast<const char*>(data), size);
    text = text.substr(0, text.find('\0'));
    if (!isDsmClipboardText(text.substr(0, kClipboardTextLimit)))
        return 0;

    const PastedDsm pasted = parseDsmClipboardText(text, kKnown);
    check(pasted.fileName.size() <= kClipboardTextLimit);
    for (const std::string& note : pasted.content.notes)
        check(note.size() < kDsmFieldLimit);
    for (const Click& click : pasted.content.clicks)
        check(click.button.size() < kDsmFieldLimit);

    DsmModel model;
    model.dsm_name.caption = pasted.fileName;
    model.Notes = pasted.content.notes;
    model.ClickList = pasted.content.clicks;
    const std::string copied = dsmClipboardText(model);
    check(isDsmClipboardText(copied));
    if (copied.size() <= kClipboardTextLimit) {
        const PastedDsm again = parseDsmClipboardText(copied, kKnown);
        check(again.fileName == pasted.fileName);
        check(again.content.notes == pasted.content.notes);
        // A wait below 0.05 is taken but shows as 0.0, and such a click is not pasted again;
        // nor is one whose wait is so large that its line passes the 200-character cut.
        std::vector<Click> active;
        for (const Click& click : pasted.content.clicks) {
            const std::size_t line = click.wait.size() + 1 + click.button.size();
            if (click.wait != "0.0" && line <= kDsmFieldLimit)
                active.push_back(click);
        }
        check(again.content.clicks == active);
    }
    return 0;
}
