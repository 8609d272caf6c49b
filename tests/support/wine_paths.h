#pragma once
// Build paths are Unix paths; under Wine the Unix root is drive Z:.

#include <string>

namespace spindrel::testing {

inline std::string windowsPath(const std::string& unixPath) {
    std::string path = "Z:" + unixPath;
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

}  // namespace spindrel::testing
