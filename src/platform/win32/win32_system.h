#pragma once
#include <windows.h>

#include <map>

#include "platform/system_port.h"

namespace spindrel {

class Win32System : public SystemPort {
public:
    std::string programPath() override;
    std::vector<std::string> arguments() override;
    std::optional<std::array<int, 4>> fileVersion(const std::string& path) override;
    ScreenSize screenSize() override;
    bool loadCursor(const std::string& resourceName, int number) override;
    std::optional<std::string> versionText(const std::string& path,
                                           const std::string& name) override;
    std::string errorText(int code) override;

    // The cursor registered under a number, or nullptr.
    HCURSOR cursor(int number) const;

private:
    std::map<int, HCURSOR> cursors_;
};

}  // namespace spindrel
