#include "library/dsm_description.h"

#include "library/library_texts.h"

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
    bytes = bytes.substr(0, bytes.find('\x1A'));
    std::string description;
    bool anyNotes = false;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\r', start);
        if (end == std::string_view::npos)
            end = bytes.size();
        const std::string_view line = bytes.substr(start, end - start);
        if (!line.empty() && line.front() == '#') {
            anyNotes = true;
            description += trimmed(line.substr(1, kNotesTaken));
            description += ' ';
        }
        start = end + 1;
        if (start < bytes.size() && bytes[start] == '\n')
            ++start;
    }
    return anyNotes ? description : std::string(library_texts::kNoDescription);
}

}  // namespace spindrel
