#include "macro/click_condition.h"

namespace spindrel {

namespace {

constexpr std::string_view kWhen = "@when ";
constexpr std::string_view kMenu = "menu";
constexpr std::string_view kTitle = "title ";
constexpr std::string_view kChapter = " chapter ";

// A number from 1 to max, in plain digits without a leading zero, at the start of text; the
// digits are taken off text.
std::optional<int> takeNumber(std::string_view& text, int max) {
    std::size_t digits = 0;
    while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9')
        ++digits;
    if (digits == 0 || digits > 3 || text[0] == '0')
        return std::nullopt;
    int value = 0;
    for (std::size_t i = 0; i < digits; ++i)
        value = value * 10 + (text[i] - '0');
    if (value > max)
        return std::nullopt;
    text.remove_prefix(digits);
    return value;
}

}  // namespace

std::optional<ClickCondition> parseConditionLine(std::string_view line) {
    if (!line.starts_with(kWhen))
        return std::nullopt;
    line.remove_prefix(kWhen.size());
    if (line == kMenu)
        return ClickCondition{ConditionKind::menu, 0, 0};
    if (!line.starts_with(kTitle))
        return std::nullopt;
    line.remove_prefix(kTitle.size());
    const std::optional<int> title = takeNumber(line, kMaxConditionTitle);
    if (!title)
        return std::nullopt;
    if (line.empty())
        return ClickCondition{ConditionKind::title, *title, 0};
    if (!line.starts_with(kChapter))
        return std::nullopt;
    line.remove_prefix(kChapter.size());
    const std::optional<int> chapter = takeNumber(line, kMaxConditionChapter);
    if (!chapter || !line.empty())
        return std::nullopt;
    return ClickCondition{ConditionKind::title, *title, *chapter};
}

std::string conditionLine(const ClickCondition& condition) {
    switch (condition.kind) {
        case ConditionKind::none:
            return "";
        case ConditionKind::menu:
            return "@when menu";
        case ConditionKind::title:
            break;
    }
    std::string line = "@when title " + std::to_string(condition.title);
    if (condition.chapter > 0)
        line += " chapter " + std::to_string(condition.chapter);
    return line;
}

std::string conditionLabel(const ClickCondition& condition) {
    switch (condition.kind) {
        case ConditionKind::none:
            return "";
        case ConditionKind::menu:
            return "menu";
        case ConditionKind::title:
            break;
    }
    std::string label = "T" + std::to_string(condition.title);
    if (condition.chapter > 0)
        label += " C" + std::to_string(condition.chapter);
    return label;
}

std::string clickListButtonText(const ClickCondition& condition, const std::string& button) {
    if (condition.empty())
        return button;
    return "[" + conditionLabel(condition) + "] " + button;
}

bool conditionMet(const ClickCondition& condition, const PlayerState& state) {
    if (!state.known)
        return false;
    switch (condition.kind) {
        case ConditionKind::none:
            return true;
        case ConditionKind::menu:
            return state.domain == PlayerDomain::menu;
        case ConditionKind::title:
            break;
    }
    return state.domain == PlayerDomain::title && state.title == condition.title &&
           (condition.chapter == 0 || state.chapter == condition.chapter);
}

ClickCondition conditionFor(const PlayerState& state) {
    if (!state.known)
        return {};
    if (state.domain == PlayerDomain::menu)
        return {ConditionKind::menu, 0, 0};
    if (state.domain == PlayerDomain::title && state.title >= 1 &&
        state.title <= kMaxConditionTitle) {
        const bool chapterKnown = state.chapter >= 1 && state.chapter <= kMaxConditionChapter;
        return {ConditionKind::title, state.title, chapterKnown ? state.chapter : 0};
    }
    return {};
}

}  // namespace spindrel
