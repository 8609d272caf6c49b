#pragma once
#include <string>
#include <vector>

namespace spindrel {

// "Programs|*.exe|All|*.*" as the common dialogs want it: parts separated by NULs, ended by two.
inline std::vector<char> commonDialogFilter(const std::string& filter) {
    std::vector<char> out(filter.begin(), filter.end());
    for (char& c : out) {
        if (c == '|') c = '\0';
    }
    out.push_back('\0');
    out.push_back('\0');
    return out;
}

}  // namespace spindrel
