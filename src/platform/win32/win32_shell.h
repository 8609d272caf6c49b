#pragma once
#include "platform/shell_port.h"

namespace spindrel {

class Win32Shell : public ShellPort {
public:
    std::intptr_t execute(const std::string& verb, const std::string& file,
                          const std::string& parameters, const std::string& directory,
                          int showCommand) override;
};

}  // namespace spindrel
