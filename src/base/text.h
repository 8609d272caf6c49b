#pragma once
// Small text helpers. Letter-case folding is ASCII only (A to Z), everywhere in the program.

#include <string>
#include <string_view>

namespace spindrel {

std::string asciiLower(std::string_view text);
std::string asciiUpper(std::string_view text);
bool equalsIgnoreAsciiCase(std::string_view a, std::string_view b);

// printf-style formatting into a std::string.
std::string strFormat(const char* format, ...);

// The folder part of a path, including its trailing separator ("" when there is none).
std::string folderOf(std::string_view path);
// The file name part of a path.
std::string fileNameOf(std::string_view path);

}  // namespace spindrel
