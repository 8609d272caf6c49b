#pragma once
// A click's condition: the player state in which it is to be pressed. In a DSM it is a line of
// its own directly before its click, "@when menu", "@when title N" or "@when title N chapter M".
// Such a line has no comma and no "#", so a reader that knows no conditions skips it and presses
// the click at its blind time.

#include <optional>
#include <string>
#include <string_view>

#include "platform/player_state_port.h"

namespace spindrel {

enum class ConditionKind { none, menu, title };

struct ClickCondition {
    ConditionKind kind = ConditionKind::none;
    int title = 0;    // from 1, for kind title
    int chapter = 0;  // from 1; 0: any chapter of the title

    bool operator==(const ClickCondition&) const = default;
    bool empty() const { return kind == ConditionKind::none; }
};

inline constexpr int kMaxConditionTitle = 99;     // a DVD has at most 99 titles
inline constexpr int kMaxConditionChapter = 999;  // and at most 999 chapters in one

// The condition of a "@when" line in exactly its words; nothing for any other line, unknown
// "@" lines included.
std::optional<ClickCondition> parseConditionLine(std::string_view line);

// The line that carries the condition, without its line end; empty for no condition.
std::string conditionLine(const ClickCondition& condition);

// Short text for the click list: "menu", "T2", "T2 C3"; empty for no condition.
std::string conditionLabel(const ClickCondition& condition);

// The click list's Button column: the button after the condition it waits for, "[menu] Ok /
// Enter", so that the condition stands next to the wait it replaces; the button alone without.
std::string clickListButtonText(const ClickCondition& condition, const std::string& button);

// Whether the player's state is one the condition waits for.
bool conditionMet(const ClickCondition& condition, const PlayerState& state);

// The condition a recorded press gets for the state it was made in; none for a state that no
// condition names (first-play, stopped, unknown).
ClickCondition conditionFor(const PlayerState& state);

}  // namespace spindrel
