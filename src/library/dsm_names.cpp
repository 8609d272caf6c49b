#include "library/dsm_names.h"

#include <algorithm>

#include "base/text.h"

namespace spindrel {

bool isSerialBasedName(std::string_view name) {
    const std::string upper = asciiUpper(name);
    const std::string stem = upper.substr(0, upper.find(".DSM"));
    if (stem.size() != 8)
        return false;
    for (char c : stem) {
        if (std::string_view("0123456789ABCDEF").find(c) == std::string_view::npos)
            return false;
    }
    return true;
}

int compareFolded(std::string_view a, std::string_view b) {
    // Folded byte by byte rather than by copies: a sort of thousands of rows calls this often.
    const auto fold = [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte >= 'A' && byte <= 'Z' ? byte + ('a' - 'A') : static_cast<int>(byte);
    };
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const int x = fold(a[i]);
        const int y = fold(b[i]);
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

std::string renamedDsmName(const std::string& typed) {
    if (asciiLower(typed).find(".dsm") != std::string::npos)
        return typed;
    return typed + ".dsm";
}

bool leavesTheFolder(std::string_view name) {
    return name.find_first_of("\\/:") != std::string_view::npos;
}

}  // namespace spindrel
