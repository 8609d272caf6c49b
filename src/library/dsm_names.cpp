#include "library/dsm_names.h"

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
    const int order = asciiLower(a).compare(asciiLower(b));
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
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
