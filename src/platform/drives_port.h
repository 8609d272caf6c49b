#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace spindrel {

struct VolumeInfo {
    std::string label;
    std::uint32_t serial = 0;
    std::string fileSystem;
};

inline constexpr unsigned kDriveTypeCdrom = 5;

// The drive and volume queries of the disc scan, one to one with the system's calls.
class DrivesPort {
  public:
    virtual ~DrivesPort() = default;
    // Bit n set: drive letter 'A' + n is present.
    virtual std::uint32_t logicalDrives() = 0;
    // The system's drive type of a root such as "D:\" (5: CD-ROM).
    virtual unsigned driveType(const std::string& root) = 0;
    // Label and file system name (each read into 256 bytes) and serial; nothing when the volume
    // cannot be queried (no medium).
    virtual std::optional<VolumeInfo> volumeInformation(const std::string& root) = 0;
    virtual bool fileExists(const std::string& path) = 0;
    // Opens the file for reading with sharing allowed, seeks to the absolute offset and reads one
    // byte; nothing when any of that fails.
    virtual std::optional<std::uint8_t> readByteAt(const std::string& path,
                                                   std::uint32_t offset) = 0;
};

}  // namespace spindrel
