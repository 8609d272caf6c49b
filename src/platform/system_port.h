#pragma once
#include <array>
#include <optional>
#include <string>
#include <vector>

namespace spindrel {

struct ScreenSize {
    int width = 0;
    int height = 0;
};

// Facts about the running program and its desktop.
class SystemPort {
public:
    virtual ~SystemPort() = default;
    // The program file's full path (argument 0 as the system reports it).
    virtual std::string programPath() = 0;
    // The command-line arguments after the program name.
    virtual std::vector<std::string> arguments() = 0;
    // Major, minor, release, build of the file version in the file's version resource.
    virtual std::optional<std::array<int, 4>> fileVersion(const std::string& path) = 0;
    // A text of the file's version resource (its first translation), by name; nothing when the
    // file has no such text.
    virtual std::optional<std::string> versionText(const std::string& path,
                                                   const std::string& name) = 0;
    virtual ScreenSize screenSize() = 0;
    // Loads a cursor from the program's resources and registers it under a number for the
    // front end; false when the resource is missing.
    virtual bool loadCursor(const std::string& resourceName, int number) = 0;
    // The system's text for an error code.
    virtual std::string errorText(int code) = 0;
};

}  // namespace spindrel
