#pragma once
#include "platform/drives_port.h"

namespace spindrel {

class Win32Drives : public DrivesPort {
  public:
    std::uint32_t logicalDrives() override;
    unsigned driveType(const std::string& root) override;
    std::optional<VolumeInfo> volumeInformation(const std::string& root) override;
    bool fileExists(const std::string& path) override;
    std::optional<std::uint8_t> readByteAt(const std::string& path, std::uint32_t offset) override;
};

}  // namespace spindrel
