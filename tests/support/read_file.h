#pragma once
// A whole file's bytes for test checks; empty when it cannot be read.

#include <cstdio>
#include <string>

namespace spindrel::testing {

// stdio: the stream-iterator way trips GCC 12's null-dereference check.
inline std::string readWholeFile(const std::string& path) {
    std::string bytes;
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        char buffer[4096];
        std::size_t got = 0;
        while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, got);
        std::fclose(file);
    }
    return bytes;
}

}  // namespace spindrel::testing
