#include <gtest/gtest.h>

#include "disc/disc_scanner.h"
#include "support/fake_drives.h"
#include "support/fake_platform.h"

namespace spindrel {
namespace {

using testing::FakeDrives;
using testing::FakeMessagePump;

const std::string kFirst = "These indicators show which region this DVD is playable in.";

class DiscScannerTest : public ::testing::Test {
  protected:
    FakeDrives drives;
    FakeMessagePump pump;
    DiscModel model;
    DiscScanner scanner{model, drives, pump};

    std::vector<bool> lit() const {
        std::vector<bool> out;
        for (const Control& led : model.RegionLED)
            out.push_back(led.visible);
        return out;
    }
};

TEST_F(DiscScannerTest, StartsWithDarkLightsAndTheDesignHint) {
    EXPECT_EQ(lit(), std::vector<bool>(6, false));
    EXPECT_EQ(model.Shape3.hint,
              "These indicator lights shows you which region this DVD belongs to.");
    EXPECT_EQ(model.refreshbtn.hint, "Scans your system for a DVD.");
    EXPECT_EQ(model.dvdDrive, 0);
}

TEST_F(DiscScannerTest, FindsTheDiscAndShowsItsLabelIdentityAndRegions) {
    drives.addDvd('E', "MY_MOVIE", 0x1A2B3C4D, 0xF5);
    scanner.scan();
    EXPECT_EQ(model.DVD_Title.caption, "MY_MOVIE");
    EXPECT_EQ(model.DVD_Title.hint, "MY_MOVIE");
    EXPECT_EQ(model.DVD_Title.alignment, TextAlign::left);
    EXPECT_FALSE(model.DVD_Title.italic);
    EXPECT_EQ(model.DVD_Serial.caption, "1A2B:3C4D");
    EXPECT_EQ(model.dvdDrive, 'E');
    EXPECT_EQ(lit(), (std::vector<bool>{false, true, false, true, false, false}));
    const std::string hint = kFirst + "\r\rThis DVD is playable in regions 2 and 4.";
    EXPECT_EQ(model.Shape3.hint, hint);
    for (const Control& led : model.RegionLED)
        EXPECT_EQ(led.hint, hint);
    EXPECT_EQ(drives.reads, (std::vector<std::string>{"E:\\Video_ts\\video_ts.ifo"}));
}

TEST_F(DiscScannerTest, NoDiscShowsItsTitleCentredItalicAndForgetsTheLastDisc) {
    drives.addDvd('D', "OLD", 0x11112222, 0x00);
    scanner.scan();
    drives.drives.clear();
    scanner.scan();
    EXPECT_EQ(model.DVD_Title.caption, "No DVD present");
    EXPECT_EQ(model.DVD_Title.hint, "");
    EXPECT_EQ(model.DVD_Title.alignment, TextAlign::center);
    EXPECT_TRUE(model.DVD_Title.italic);
    EXPECT_EQ(model.DVD_Serial.caption, "");
    EXPECT_EQ(model.dvdDrive, 0);
    EXPECT_EQ(lit(), std::vector<bool>(6, false));
    EXPECT_EQ(model.Shape3.hint, kFirst);
}

TEST_F(DiscScannerTest, TheFirstDvdInLetterOrderWinsAndTheSecondIsNeverAsked) {
    drives.addDvd('E', "SECOND", 0x22222222, 0x00);
    drives.addDvd('D', "FIRST", 0x11111111, 0x00);
    scanner.scan();
    EXPECT_EQ(model.DVD_Title.caption, "FIRST");
    EXPECT_EQ(model.dvdDrive, 'D');
    EXPECT_EQ(drives.queried, (std::vector<std::string>{"D:\\"}));
}

TEST_F(DiscScannerTest, PassesOverDrivesThatAreNotADvdVideoDisc) {
    FakeDrives::Drive& data = drives.drives['C'];  // a UDF data disc without Video_ts
    data.volume = VolumeInfo{"DATA", 1, "UDF"};
    FakeDrives::Drive& lower = drives.addDvd('D', "LOWER", 2, 0);  // "udf" is not "UDF"
    lower.volume->fileSystem = "udf";
    drives.addDvd('E', "CDFS", 3, 0).volume->fileSystem = "CDFS";
    drives.drives['F'].volume.reset();          // no medium
    drives.addDvd('G', "HARD", 4, 0).type = 3;  // a fixed disk with the files
    drives.addDvd('H', "FOUND", 0x0000ABCD, 0xFE);
    drives.extraMask = 0x3;  // A: and B: are never looked at
    scanner.scan();
    EXPECT_EQ(model.DVD_Title.caption, "FOUND");
    EXPECT_EQ(model.DVD_Serial.caption, "0000:ABCD");
    EXPECT_EQ(model.dvdDrive, 'H');
    EXPECT_EQ(drives.queried.front(), "C:\\");
}

TEST_F(DiscScannerTest, AnUnreadableOrShortIfoLeavesTheLightsDarkButTheDiscFound) {
    FakeDrives::Drive& drive = drives.addDvd('D', "", 0xFFFFFFFF, 0x00);
    drive.files.begin()->second.resize(35);  // byte 35 is missing
    scanner.scan();
    EXPECT_EQ(model.DVD_Serial.caption, "FFFF:FFFF");
    EXPECT_EQ(model.DVD_Title.caption, "");  // an empty label is shown as it is
    EXPECT_EQ(model.DVD_Title.alignment, TextAlign::left);
    EXPECT_EQ(lit(), std::vector<bool>(6, false));
    EXPECT_EQ(model.Shape3.hint, kFirst);
}

TEST_F(DiscScannerTest, RefreshShowsScanningAndDarkLightsBeforeTheScan) {
    drives.addDvd('D', "MOVIE", 0x1A2B3C4D, 0x00);
    scanner.scan();
    std::vector<std::string> titlesDuringPumps;
    std::vector<std::string> serialsDuringPumps;
    pump.duringPump = [&] {
        titlesDuringPumps.push_back(model.DVD_Title.caption);
        serialsDuringPumps.push_back(model.DVD_Serial.caption);
    };
    scanner.refreshbtnClick();
    ASSERT_GE(titlesDuringPumps.size(), 3u);
    EXPECT_EQ(titlesDuringPumps[2], "Scanning...");  // the repaint before the scan
    EXPECT_EQ(serialsDuringPumps[2], "");
    EXPECT_EQ(model.DVD_Title.caption, "MOVIE");
    EXPECT_EQ(model.DVD_Serial.caption, "1A2B:3C4D");
    EXPECT_EQ(lit(), std::vector<bool>(6, true));
}

}  // namespace
}  // namespace spindrel
