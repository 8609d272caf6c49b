#pragma once
#include <cstdint>
#include <string>

namespace spindrel {

inline constexpr int kSwShowNormal = 1;
inline constexpr int kSwShow = 5;

class ShellPort {
public:
    virtual ~ShellPort() = default;
    // ShellExecute: returns the shell's result; above 32 means the launch was accepted.
    virtual std::intptr_t execute(const std::string& verb, const std::string& file,
                                  const std::string& parameters, const std::string& directory,
                                  int showCommand) = 0;
};

}  // namespace spindrel
