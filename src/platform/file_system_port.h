#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace spindrel {

// The system's file time: 100-nanosecond steps. Only compared, never shown.
using FileTime = std::int64_t;

// One entry of a folder listing.
struct FileEntry {
    std::string name;  // as the folder reports it, letter case kept
    FileTime lastWrite = 0;
    bool hidden = false;
    bool directory = false;
};

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

    // The entries matching a wildcard pattern ("*.dsm"), hidden and system ones included, in the
    // order the folder reports them.
    virtual std::vector<FileEntry> findFiles(const std::string& pattern) = 0;
    // Nothing when the file does not exist.
    virtual std::optional<FileTime> lastWriteTime(const std::string& path) = 0;
    // A rename; it never replaces an existing file. 0 on success, else the system's error code.
    virtual int moveFile(const std::string& from, const std::string& to) = 0;
    virtual int deleteFile(const std::string& path) = 0;
    // Leaves the file with the hidden attribute and no other.
    virtual int setHiddenOnly(const std::string& path) = 0;
};

}  // namespace spindrel
