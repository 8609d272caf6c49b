#pragma once
#include <cstddef>
#include <string>

namespace spindrel {

// Whole-file reads and safe replacement. Failures carry the system's error code.
class FileIoPort {
  public:
    virtual ~FileIoPort() = default;
    // The file's bytes, unchanged. 0 on success, else the system's error code.
    virtual int readAll(const std::string& path, std::string& bytes) = 0;
    // At most maxBytes from the file's start; as readAll otherwise.
    virtual int readStart(const std::string& path, std::size_t maxBytes, std::string& bytes) = 0;
    // Writes the bytes to a temporary file in the target's folder and swaps it in for the
    // target, so a failed or interrupted write leaves what was there. 0 on success, else the
    // system's error code; on failure no temporary file is left behind.
    virtual int replace(const std::string& path, const std::string& bytes) = 0;
};

}  // namespace spindrel
