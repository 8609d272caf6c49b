#include "library/dsm_description.h"

#include "library/library_texts.h"
#include "macro/dsm_format.h"

namespace spindrel {

namespace {

constexpr std::size_t kNotesTaken = 100;

bool blankOrControl(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && blankOrControl(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blankOrControl(text.back()))
        text.remove_suffix(1);
    return text;
}

}  // namespace

std::string describeDsm(std::string_view bytes) {
    std::string description;
    bool anyNotes = false;
    forEachDsmLine(bytes, [&](std::string_view line) {
        if (!line.empty() && line.front() == '#') {
            anyNotes = true;
            description += trimmed(line.substr(1, kNotesTaken));
            description += ' ';
        }
    });
    return anyNotes ? description : std::string(library_texts::kNoDescription);
}

}  // namespace spindrel
