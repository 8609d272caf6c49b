#pragma once
// The DSM file: notes lines ("#" and the text) and click lines ("wait,button"), CR LF ends, no
// header. Pure functions of bytes, so the format is the same wherever it is read or written.

#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "macro/click_condition.h"

namespace spindrel {

struct Click {
    std::string wait;    // one decimal, "." as the mark, as the list shows it
    std::string button;  // as loaded or recorded, letter case kept
    ClickCondition when = {};  // none: pressed at its wait, as every click once was

    bool operator==(const Click&) const = default;
};

// The current player's button names. A name matches when it equals one of them with A to Z
// folded; nothing else is folded or trimmed.
class ButtonNames {
  public:
    ButtonNames() = default;
    explicit ButtonNames(const std::vector<std::string>& names);
    bool contains(std::string_view name) const;

  private:
    std::set<std::string, std::less<>> folded_;
};

struct DsmContent {
    std::vector<std::string> notes;
    std::vector<Click> clicks;
    double total = 0;  // sum of the waits as read, before rounding
};

// A notes line or a button name longer than this is cut.
inline constexpr std::size_t kDsmFieldLimit = 200;

// The lines of a DSM file's bytes, and of the files written like one: lines end at CR (a
// following LF belongs to the end); an LF alone is part of the line; 0x1A ends the input.
void forEachDsmLine(std::string_view bytes, const std::function<void(std::string_view)>& take);

// Reads a DSM file's bytes, line by line as above. Unusable lines are skipped.
DsmContent parseDsmFile(std::string_view bytes, const ButtonNames& known);

// The bytes save writes: every notes line, then every click whose wait is above 0, rounded anew,
// each after its condition's line when it has one.
std::string writeDsmFile(const std::vector<std::string>& notes, const std::vector<Click>& clicks);

// The click line's parts when it is taken (shared with the clipboard form, which differs only in
// what it takes).
struct ClickLine {
    bool hasComma = false;
    std::size_t commaPosition = 0;
    std::string_view waitText;
    std::string_view button;  // at most kDsmFieldLimit characters
};
ClickLine splitClickLine(std::string_view line);

// A "@when" line waits for the next line: a click taken from it gets the condition, and anything
// else drops it. Other "@" lines are skipped, so that they may stand between the two.
class PendingCondition {
  public:
    // True when the line starts with "@" and so is used up here.
    bool takeAtLine(std::string_view line);
    // The condition for the click of the line that follows; it goes whether a click is taken.
    ClickCondition take();

  private:
    ClickCondition pending_;
};

}  // namespace spindrel
