#pragma once
#include "platform/file_system_port.h"

namespace spindrel {

class Win32FileSystem : public FileSystemPort {
public:
    bool fileExists(const std::string& path) override;
    bool directoryExists(const std::string& path) override;
    int createDirectory(const std::string& path) override;
    int setCurrentDirectory(const std::string& path) override;
    std::string currentDirectory() override;
};

}  // namespace spindrel
