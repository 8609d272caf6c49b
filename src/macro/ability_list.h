#pragma once
// The plug-in's ability list: "Name(X,Y,Code,Flag)" entries back to back, a NUL after the last.
// Parsed here into plain entries so the remote panel and the button menu are built from data.

#include <cstddef>
#include <string>
#include <vector>

namespace spindrel {

struct AbilityEntry {
    std::string name;  // "-" for a separator line
    int x = -1;
    int y = -1;
    int code = -1;             // -1 for a separator or a field that is not a number
    bool columnBreak = false;  // flag 1: a new menu column starts here

    bool separator() const { return name == "-"; }
};

struct AbilityList {
    std::vector<AbilityEntry> entries;
    // False when the walk stopped early: an entry without its ")" or its "(", or a text that
    // ran to the end of the buffer without a NUL. The entries before the fault stay usable.
    bool complete = true;
};

// Reads at most size bytes of buffer; nothing beyond them is touched even when the plug-in left
// no NUL.
AbilityList parseAbilityList(const char* buffer, std::size_t size);

// A whole decimal integer (optional sign) that fits in 32 bits; -1 otherwise.
int abilityNumber(const std::string& text);

}  // namespace spindrel
