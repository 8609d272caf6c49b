#include "disc/disc_scanner.h"

#include "base/text.h"
#include "disc/disc_texts.h"
#include "disc/region.h"

namespace spindrel {

DiscModel::DiscModel() {
    for (Control& led : RegionLED) {
        led.visible = false;
        led.width = 9;
        led.height = 9;
    }
    Shape3.hint = texts::kShape3DesignHint;
    refreshbtn.hint = texts::kRefreshbtnHint;
}

DiscScanner::DiscScanner(DiscModel& model, DrivesPort& drives, MessagePump& pump)
    : model_(model), drives_(drives), pump_(pump) {}

void DiscScanner::scan() {
    model_.DVD_Title.caption.clear();
    model_.DVD_Title.hint.clear();
    model_.DVD_Serial.caption.clear();
    model_.dvdDrive = 0;

    const std::uint32_t mask = drives_.logicalDrives();
    for (int bit = 2; bit <= 25; ++bit) {
        if ((mask & (std::uint32_t{1} << bit)) == 0)
            continue;
        const char letter = static_cast<char>('A' + bit);
        const std::string root = std::string(1, letter) + ":\\";
        if (drives_.driveType(root) != kDriveTypeCdrom)
            continue;
        const std::optional<VolumeInfo> volume = drives_.volumeInformation(root);
        if (!volume || volume->fileSystem != "UDF")
            continue;
        const std::string ifo = strFormat(texts::kIfoPathFormat, root.c_str());
        if (!drives_.fileExists(ifo))
            continue;

        model_.DVD_Title.alignment = TextAlign::left;
        model_.DVD_Title.italic = false;
        model_.DVD_Title.caption = volume->label;
        model_.DVD_Title.hint = volume->label;
        model_.DVD_Serial.caption = discIdentity(volume->serial);
        model_.dvdDrive = letter;
        showRegions(ifo);
        return;
    }
    model_.DVD_Title.alignment = TextAlign::center;
    model_.DVD_Title.italic = true;
    model_.DVD_Title.caption = texts::kNoDvdPresent;
    showRegions(std::nullopt);
}

void DiscScanner::showRegions(const std::optional<std::string>& ifoPath) {
    pump_.processMessages();
    std::uint8_t regionByte = kNoRegions;
    if (ifoPath)
        regionByte = drives_.readByteAt(*ifoPath, kRegionByteOffset).value_or(kNoRegions);
    pump_.processMessages();

    const std::array<bool, 6> playable = playableRegions(regionByte);
    const std::string hint = regionHint(regionByte);
    for (std::size_t n = 0; n < 6; ++n) {
        model_.RegionLED[n].visible = playable[n];
        model_.RegionLED[n].hint = hint;
    }
    model_.Shape3.hint = hint;
}

void DiscScanner::refreshbtnClick() {
    model_.DVD_Title.caption = texts::kScanning;
    model_.DVD_Serial.caption.clear();
    showRegions(std::nullopt);
    pump_.processMessages();
    scan();
}

}  // namespace spindrel
