#include "macro/dsm_format.h"

#include <utility>

#include "base/text.h"
#include "macro/wait_text.h"

namespace spindrel {

ButtonNames::ButtonNames(const std::vector<std::string>& names) {
    for (const std::string& name : names)
        folded_.insert(asciiLower(name));
}

bool ButtonNames::contains(std::string_view name) const {
    return folded_.find(asciiLower(name)) != folded_.end();
}

ClickLine splitClickLine(std::string_view line) {
    ClickLine parts;
    const std::size_t comma = line.find(',');
    if (comma == std::string_view::npos) {
        parts.button = line.substr(0, kDsmFieldLimit);
        return parts;
    }
    parts.hasComma = true;
    parts.commaPosition = comma;
    parts.waitText = line.substr(0, comma);
    parts.button = line.substr(comma + 1, kDsmFieldLimit);
    return parts;
}

bool PendingCondition::takeAtLine(std::string_view line) {
    // No line that starts with "@" was ever a click or a note: it needs no number before a comma.
    if (line.empty() || line.front() != '@')
        return false;
    if (const std::optional<ClickCondition> condition = parseConditionLine(line))
        pending_ = *condition;
    return true;
}

ClickCondition PendingCondition::take() {
    return std::exchange(pending_, ClickCondition{});
}

namespace {

void takeLine(std::string_view line, const ButtonNames& known, DsmContent& content,
              PendingCondition& pending) {
    if (pending.takeAtLine(line))
        return;
    const ClickCondition when = pending.take();
    if (line.empty())
        return;
    if (line.front() == '#') {
        content.notes.emplace_back(line.substr(1, kDsmFieldLimit));
        return;
    }
    const ClickLine parts = splitClickLine(line);
    if (!parts.hasComma || parts.commaPosition == 0)
        return;
    const std::optional<double> wait = parseWait(parts.waitText);
    if (!wait || *wait < 0)
        return;
    if (!known.contains(parts.button))
        return;
    content.clicks.push_back({formatWait(*wait), std::string(parts.button), when});
    content.total += *wait;
}

}  // namespace

void forEachDsmLine(std::string_view bytes, const std::function<void(std::string_view)>& take) {
    bytes = bytes.substr(0, bytes.find('\x1A'));
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t cr = bytes.find('\r', start);
        if (cr == std::string_view::npos) {
            take(bytes.substr(start));
            return;
        }
        take(bytes.substr(start, cr - start));
        start = cr + 1;
        if (start < bytes.size() && bytes[start] == '\n')
            ++start;
    }
}

DsmContent parseDsmFile(std::string_view bytes, const ButtonNames& known) {
    DsmContent content;
    PendingCondition pending;
    forEachDsmLine(bytes,
                   [&](std::string_view line) { takeLine(line, known, content, pending); });
    return content;
}

std::string writeDsmFile(const std::vector<std::string>& notes, const std::vector<Click>& clicks) {
    std::string out;
    for (const std::string& line : notes) {
        out += '#';
        out += line;
        out += "\r\n";
    }
    for (const Click& click : clicks) {
        const double wait = waitOrZero(click.wait);
        if (wait <= 0)
            continue;
        if (!click.when.empty())
            out += conditionLine(click.when) + "\r\n";
        out += formatWait(wait);
        out += ',';
        out += click.button;
        out += "\r\n";
    }
    return out;
}

}  // namespace spindrel
