#pragma once
// The command line turned into a start mode and the current DSM name.

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace spindrel {

namespace start_mode {
inline constexpr int kAutoQuit = 1;     // "/a"
inline constexpr int kPlain = 2;        // no option
inline constexpr int kEdit = 5;         // "/e"
inline constexpr int kPlayFile = 6;     // a DSM file that exists
inline constexpr int kAutoRemain = 8;   // "/b"
inline constexpr int kTest = 10;        // "/test"
}  // namespace start_mode

namespace run_mode_bit {
inline constexpr int kMinimized = 0x40;
inline constexpr int kTest = 0x80;
}  // namespace run_mode_bit

struct CommandLine {
    int mode = start_mode::kPlain;
    bool test = false;
    // The last file argument, lower-cased, with ".dsm" appended when it holds none.
    std::optional<std::string> dsmName;
};

// fileExists is asked about file arguments relative to the current (DSM) folder.
CommandLine parseCommandLine(const std::vector<std::string>& arguments,
                             const std::function<bool(const std::string&)>& fileExists);

// Splits a command line the way the C run-time splits argv: blanks separate, double quotes
// group, backslashes escape only a following quote.
std::vector<std::string> splitCommandLine(const std::string& commandLine);

}  // namespace spindrel
