#include "plugins/player_status.h"

#include <optional>
#include <vector>

namespace spindrel::plugins {

namespace {

// Just enough JSON to find a member of an object by its name without being led astray by a
// member of the same name further in (status.json's "information.category.meta" has a "title").

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::size_t skipSpace(std::string_view s, std::size_t i) {
    while (i < s.size() && isSpace(s[i]))
        ++i;
    return i;
}

// s[i] is the opening quote; the position after the closing one.
std::size_t skipString(std::string_view s, std::size_t i) {
    for (++i; i < s.size(); ++i) {
        if (s[i] == '\\')
            ++i;
        else if (s[i] == '"')
            return i + 1;
    }
    return s.size();
}

std::size_t skipValue(std::string_view s, std::size_t i) {
    if (i >= s.size())
        return i;
    if (s[i] == '"')
        return skipString(s, i);
    if (s[i] == '{' || s[i] == '[') {
        int depth = 0;
        while (i < s.size()) {
            const char c = s[i];
            if (c == '"') {
                i = skipString(s, i);
                continue;
            }
            if (c == '{' || c == '[')
                ++depth;
            else if ((c == '}' || c == ']') && --depth == 0)
                return i + 1;
            ++i;
        }
        return i;
    }
    while (i < s.size() && s[i] != ',' && s[i] != '}' && s[i] != ']')
        ++i;
    return i;
}

// The raw text of the member's value in the object that starts at s[0].
std::optional<std::string_view> member(std::string_view s, std::string_view name) {
    std::size_t i = skipSpace(s, 0);
    if (i >= s.size() || s[i] != '{')
        return std::nullopt;
    ++i;
    for (;;) {
        i = skipSpace(s, i);
        if (i >= s.size() || s[i] != '"')
            return std::nullopt;
        const std::size_t keyEnd = skipString(s, i);
        const std::string_view key = s.substr(i + 1, keyEnd - i - 2);
        i = skipSpace(s, keyEnd);
        if (i >= s.size() || s[i] != ':')
            return std::nullopt;
        const std::size_t valueStart = skipSpace(s, i + 1);
        const std::size_t valueEnd = skipValue(s, valueStart);
        if (key == name) {
            std::size_t end = valueEnd;
            while (end > valueStart && isSpace(s[end - 1]))
                --end;
            return s.substr(valueStart, end - valueStart);
        }
        i = skipSpace(s, valueEnd);
        if (i >= s.size() || s[i] != ',')
            return std::nullopt;
        ++i;
    }
}

std::optional<std::int32_t> wholeNumber(std::optional<std::string_view> text) {
    if (!text || text->empty())
        return std::nullopt;
    std::int64_t value = 0;
    std::size_t i = 0;
    for (; i < text->size() && (*text)[i] >= '0' && (*text)[i] <= '9'; ++i) {
        value = value * 10 + ((*text)[i] - '0');
        if (value > 0xFFFF)
            return std::nullopt;
    }
    // VLC's JSON writes a whole number of a double variable with ".0".
    if (i == 0 || (i < text->size() && (*text)[i] != '.'))
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

}  // namespace

StateReading vlcStatusReading(std::string_view json) {
    StateReading reading;
    const std::optional<std::string_view> state = member(json, "state");
    if (!state)
        return reading;
    if (*state == "\"stopped\"") {
        reading.known = true;
        reading.domain = contract::kDomainStopped;
        return reading;
    }
    const std::optional<std::string_view> information = member(json, "information");
    if (!information)
        return reading;  // the disc is still being opened
    const std::optional<std::int32_t> title = wholeNumber(member(*information, "title"));
    const std::optional<std::int32_t> chapter = wholeNumber(member(*information, "chapter"));
    if (!title || !chapter)
        return reading;
    reading.known = true;
    if (*title == 0) {
        reading.domain = *chapter == 0 ? contract::kDomainFirstPlay : contract::kDomainMenu;
        return reading;
    }
    reading.domain = contract::kDomainTitle;
    reading.title = *title;
    reading.chapter = *chapter + 1;
    return reading;
}

namespace {

std::vector<std::string_view> unescapedFields(std::string_view text) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\') {
            ++i;
        } else if (text[i] == '|') {
            fields.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    fields.push_back(text.substr(start));
    return fields;
}

// MPC writes them with "%lu": digits only.
std::optional<std::int32_t> countFrom1(std::string_view text, std::int32_t most) {
    if (text.empty() || text.size() > 3)
        return std::nullopt;
    std::int32_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value < 1 || value > most)
        return std::nullopt;
    return value;
}

}  // namespace

StateReading mpcNowPlayingReading(std::string_view text) {
    const std::vector<std::string_view> fields = unescapedFields(text);
    StateReading reading;
    if (fields.size() != 5)
        return reading;
    const std::string_view domain = fields[0];
    if (domain == "DVD - Stopped") {
        reading.domain = contract::kDomainStopped;
    } else if (domain == "DVD - FirstPlay") {
        reading.domain = contract::kDomainFirstPlay;
    } else if (domain == "DVD - RootMenu" || domain == "DVD - TitleMenu") {
        reading.domain = contract::kDomainMenu;
    } else if (domain == "DVD - Title") {
        // A disc has at most 99 titles, and a title at most 999 chapters.
        const std::optional<std::int32_t> title = countFrom1(fields[1], 99);
        const std::optional<std::int32_t> chapter = countFrom1(fields[3], 999);
        if (!title || !chapter)
            return reading;
        reading.domain = contract::kDomainTitle;
        reading.title = *title;
        reading.chapter = *chapter;
    } else {
        return reading;
    }
    reading.known = true;
    return reading;
}

void StateTracker::update(const StateReading& reading, double nowMs) {
    if (reading == reading_)
        return;
    reading_ = reading;
    sinceMs_ = nowMs;
}

contract::PlayerStateRecord StateTracker::record(double nowMs) const {
    contract::PlayerStateRecord record{};
    record.size = sizeof record;
    record.known = reading_.known ? 1 : 0;
    record.domain = reading_.domain;
    record.title = reading_.title;
    record.chapter = reading_.chapter;
    const double since = nowMs - sinceMs_;
    record.sinceMs = since > 0 ? static_cast<std::uint32_t>(since) : 0;
    return record;
}

}  // namespace spindrel::plugins
