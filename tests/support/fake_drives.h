#pragma once
// A drive set for the disc scan: each drive with its type, its volume (if a medium is in) and
// its files with their bytes.

#include <map>
#include <string>
#include <vector>

#include "platform/drives_port.h"

namespace spindrel::testing {

class FakeDrives : public DrivesPort {
  public:
    struct Drive {
        unsigned type = kDriveTypeCdrom;
        std::optional<VolumeInfo> volume;
        std::map<std::string, std::string> files;  // full path -> bytes
    };

    // A DVD-Video disc in a CD-ROM drive, its VIDEO_TS.IFO holding the region byte at 35.
    Drive& addDvd(char letter, const std::string& label, std::uint32_t serial,
                  std::uint8_t regionByte) {
        Drive& drive = drives[letter];
        drive.type = kDriveTypeCdrom;
        drive.volume = VolumeInfo{label, serial, "UDF"};
        std::string ifo(64, '\0');
        ifo[35] = static_cast<char>(regionByte);
        drive.files[std::string(1, letter) + ":\\Video_ts\\video_ts.ifo"] = ifo;
        return drive;
    }

    std::uint32_t logicalDrives() override {
        std::uint32_t mask = extraMask;
        for (const auto& [letter, drive] : drives)
            mask |= std::uint32_t{1} << (letter - 'A');
        return mask;
    }
    unsigned driveType(const std::string& root) override {
        queried.push_back(root);
        const Drive* drive = find(root);
        return drive != nullptr ? drive->type : 1;  // 1: no such root
    }
    std::optional<VolumeInfo> volumeInformation(const std::string& root) override {
        const Drive* drive = find(root);
        return drive != nullptr ? drive->volume : std::nullopt;
    }
    bool fileExists(const std::string& path) override {
        const Drive* drive = find(path);
        return drive != nullptr && drive->files.count(path) != 0;
    }
    std::optional<std::uint8_t> readByteAt(const std::string& path, std::uint32_t offset) override {
        reads.push_back(path);
        const Drive* drive = find(path);
        if (drive == nullptr)
            return std::nullopt;
        const auto file = drive->files.find(path);
        if (file == drive->files.end() || file->second.size() <= offset)
            return std::nullopt;
        return static_cast<std::uint8_t>(file->second[offset]);
    }

    std::map<char, Drive> drives;
    std::uint32_t extraMask = 0;  // letters present without a drive here (A:, B:)
    std::vector<std::string> queried;
    std::vector<std::string> reads;

  private:
    const Drive* find(const std::string& path) const {
        if (path.empty())
            return nullptr;
        const auto found = drives.find(path[0]);
        return found == drives.end() ? nullptr : &found->second;
    }
};

}  // namespace spindrel::testing
