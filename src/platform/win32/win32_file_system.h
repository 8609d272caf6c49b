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
    std::vector<FileEntry> findFiles(const std::string& pattern) override;
    std::optional<FileTime> lastWriteTime(const std::string& path) override;
    int moveFile(const std::string& from, const std::string& to) override;
    int deleteFile(const std::string& path) override;
    int setHiddenOnly(const std::string& path) override;
};

}  // namespace spindrel
