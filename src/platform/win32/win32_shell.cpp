#include "platform/win32/win32_shell.h"

#include <windows.h>
#include <shellapi.h>

namespace spindrel {

std::intptr_t Win32Shell::execute(const std::string& verb, const std::string& file,
                                  const std::string& parameters, const std::string& directory,
                                  int showCommand) {
    HINSTANCE result = ShellExecuteA(nullptr, verb.c_str(), file.c_str(), parameters.c_str(),
                                     directory.c_str(), showCommand);
    return reinterpret_cast<std::intptr_t>(result);
}

}  // namespace spindrel
