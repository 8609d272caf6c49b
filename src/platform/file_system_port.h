#pragma once
#include <string>

namespace spindrel {

// Files and folders. Failures carry the system's error code so the core can word the message.
class FileSystemPort {
public:
    virtual ~FileSystemPort() = default;
    virtual bool fileExists(const std::string& path) = 0;
    virtual bool directoryExists(const std::string& path) = 0;
    // 0 on success, else the system's error code.
    virtual int createDirectory(const std::string& path) = 0;
    virtual int setCurrentDirectory(const std::string& path) = 0;
    virtual std::string currentDirectory() = 0;
};

}  // namespace spindrel
