// A disc made by tools/mkdisc (run by CTest before this program) as the real drive queries see
// it under Wine: a CD-ROM drive with a UDF volume, its label, serial and region byte.

#include <gtest/gtest.h>

#include "disc/disc_scanner.h"
#include "platform/win32/win32_drives.h"
#include "platform/win32/win32_message_pump.h"

#ifndef SPINDREL_TEST_DISC_LETTER
#error "the CMake snippet passes the simulated disc's letter, label, serial and region"
#endif

namespace spindrel {
namespace {

constexpr char kLetter = SPINDREL_TEST_DISC_LETTER;
const std::string kRoot = std::string(1, kLetter) + ":\\";

// The real drives, narrowed to the simulated one: a prefix used by other tests may hold other
// simulated discs at lower letters, which would win the scan.
class OnlyTheTestDrive : public Win32Drives {
  public:
    std::uint32_t logicalDrives() override {
        return Win32Drives::logicalDrives() & (std::uint32_t{1} << (kLetter - 'A'));
    }
};

TEST(SimulatedDiscTest, TheDriveAnswersAsACdromWithAUdfVolume) {
    Win32Drives drives;
    ASSERT_NE(drives.logicalDrives() & (std::uint32_t{1} << (kLetter - 'A')), 0u)
        << "drive " << kLetter << ": is missing; did tools/mkdisc run?";
    EXPECT_EQ(drives.driveType(kRoot), kDriveTypeCdrom);
    const std::optional<VolumeInfo> volume = drives.volumeInformation(kRoot);
    ASSERT_TRUE(volume.has_value());
    EXPECT_EQ(volume->fileSystem, "UDF");
    EXPECT_EQ(volume->label, SPINDREL_TEST_DISC_LABEL);
    EXPECT_EQ(volume->serial, std::uint32_t{SPINDREL_TEST_DISC_SERIAL});
    // The file name is matched without regard to case, as on a real disc.
    EXPECT_TRUE(drives.fileExists(kRoot + "Video_ts\\video_ts.ifo"));
    EXPECT_EQ(drives.readByteAt(kRoot + "Video_ts\\video_ts.ifo", 35),
              std::uint8_t{SPINDREL_TEST_DISC_REGION});
    EXPECT_FALSE(drives.readByteAt(kRoot + "Video_ts\\video_ts.ifo", 1 << 20).has_value());
}

TEST(SimulatedDiscTest, TheScanFindsItsLabelIdentityAndRegions) {
    OnlyTheTestDrive drives;
    Win32MessagePump pump;
    DiscModel model;
    DiscScanner scanner(model, drives, pump);
    scanner.scan();
    EXPECT_EQ(model.dvdDrive, kLetter);
    EXPECT_EQ(model.DVD_Title.caption, SPINDREL_TEST_DISC_LABEL);
    EXPECT_EQ(model.DVD_Serial.caption, SPINDREL_TEST_DISC_IDENTITY);
    std::string lit;
    for (const Control& led : model.RegionLED)
        lit += led.visible ? '1' : '0';
    EXPECT_EQ(lit, SPINDREL_TEST_DISC_LIT);
    EXPECT_EQ(model.Shape3.hint,
              "These indicators show which region this DVD is playable in.\r\r"
              "This DVD is playable in regions 2 and 4.");
}

}  // namespace
}  // namespace spindrel
