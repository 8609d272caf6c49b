#include "macro/ability_list.h"

#include <charconv>
#include <cstring>

namespace spindrel {

namespace {
// The fields after X are read from a remainder cut to this length, so one absurdly long field
// cannot carry the numbers after it.
constexpr std::size_t kFieldRemainderLimit = 20;

// Takes the text before the first comma as a number and leaves the text after it, cut.
int takeField(std::string& rest) {
    const std::size_t comma = rest.find(',');
    const std::string field = comma == std::string::npos ? rest : rest.substr(0, comma);
    rest =
        comma == std::string::npos ? std::string() : rest.substr(comma + 1, kFieldRemainderLimit);
    return abilityNumber(field);
}
}  // namespace

int abilityNumber(const std::string& text) {
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last && *first == '+')
        ++first;
    int value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last || first == last)
        return -1;
    return value;
}

AbilityList parseAbilityList(const char* buffer, std::size_t size) {
    AbilityList list;
    const void* nul = std::memchr(buffer, 0, size);
    const std::size_t length =
        nul == nullptr ? size : static_cast<std::size_t>(static_cast<const char*>(nul) - buffer);
    // A plug-in that filled the whole buffer broke the contract: what it wrote is read, but the
    // list is not whole.
    if (nul == nullptr)
        list.complete = false;
    const std::string text(buffer, length);

    std::size_t position = 0;
    while (position < text.size()) {
        const std::size_t close = text.find(')', position);
        const std::size_t open = text.find('(', position);
        if (close == std::string::npos || open == std::string::npos || open > close) {
            list.complete = false;
            break;
        }
        AbilityEntry entry;
        entry.name = text.substr(position, open - position);
        std::string inner = text.substr(open + 1, close - open - 1);
        entry.x = takeField(inner);
        entry.y = takeField(inner);
        entry.code = takeField(inner);
        entry.columnBreak = abilityNumber(inner) == 1;
        if (entry.separator())
            entry.code = -1;
        list.entries.push_back(std::move(entry));
        position = close + 1;
    }
    return list;
}

}  // namespace spindrel
