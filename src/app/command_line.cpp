#include "app/command_line.h"

#include "base/text.h"

namespace spindrel {

CommandLine parseCommandLine(const std::vector<std::string>& arguments,
                             const std::function<bool(const std::string&)>& fileExists) {
    CommandLine result;
    for (const std::string& raw : arguments) {
        const std::string arg = asciiLower(raw);
        if (arg == "/e" || arg == "-e") {
            result.mode = start_mode::kEdit;
            continue;
        }
        if (arg == "/a" || arg == "-a") {
            result.mode = start_mode::kAutoQuit;
            break;
        }
        if (arg == "/b" || arg == "-b") {
            result.mode = start_mode::kAutoRemain;
            break;
        }
        if (arg == "/test") {
            result.mode = start_mode::kTest;
            result.test = true;
            break;
        }
        std::string name = arg;
        if (name.find(".dsm") == std::string::npos) name += ".dsm";
        result.dsmName = name;
        if (result.mode == start_mode::kPlain && fileExists(name)) {
            result.mode = start_mode::kPlayFile;
        }
    }
    return result;
}

std::vector<std::string> splitCommandLine(const std::string& commandLine) {
    std::vector<std::string> arguments;
    std::size_t i = 0;
    const std::size_t n = commandLine.size();
    while (true) {
        while (i < n && (commandLine[i] == ' ' || commandLine[i] == '\t')) ++i;
        if (i >= n) break;
        std::string argument;
        bool quoted = false;
        while (i < n && (quoted || (commandLine[i] != ' ' && commandLine[i] != '\t'))) {
            std::size_t backslashes = 0;
            while (i < n && commandLine[i] == '\\') {
                ++backslashes;
                ++i;
            }
            if (i < n && commandLine[i] == '"') {
                argument.append(backslashes / 2, '\\');
                if (backslashes % 2 == 1) {
                    argument += '"';
                } else {
                    quoted = !quoted;
                }
                ++i;
            } else {
                argument.append(backslashes, '\\');
                if (i < n && (quoted || (commandLine[i] != ' ' && commandLine[i] != '\t'))) {
                    argument += commandLine[i];
                    ++i;
                }
            }
        }
        arguments.push_back(argument);
    }
    return arguments;
}

}  // namespace spindrel
