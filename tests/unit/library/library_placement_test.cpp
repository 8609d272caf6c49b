#include "library/library_placement.h"

#include <gtest/gtest.h>

namespace spindrel {
namespace {

constexpr ScreenRect kDesktop{0, 0, 1280, 1024};

TEST(WorkAreaTest, TheTaskbarIsTakenOffTheSideItSitsOn) {
    EXPECT_EQ(workArea(kDesktop, std::nullopt), kDesktop);
    EXPECT_EQ(workArea(kDesktop, ScreenRect{0, 994, 1280, 1024}), (ScreenRect{0, 0, 1280, 994}));
    EXPECT_EQ(workArea(kDesktop, ScreenRect{-2, -2, 1282, 28}), (ScreenRect{0, 28, 1280, 1024}));
    EXPECT_EQ(workArea(kDesktop, ScreenRect{-2, -2, 60, 1026}), (ScreenRect{60, 0, 1280, 1024}));
    EXPECT_EQ(workArea(kDesktop, ScreenRect{1220, 0, 1280, 1024}), (ScreenRect{0, 0, 1220, 1024}));
    // As high as wide counts as a vertical bar.
    EXPECT_EQ(workArea(kDesktop, ScreenRect{1200, 0, 1280, 80}), (ScreenRect{0, 0, 1200, 1024}));
}

PlacementFacts facts(ScreenRect main, std::optional<ScreenRect> taskbar = std::nullopt) {
    return {1280, 1024, kDesktop, taskbar, main};
}

TEST(PlaceDialogTest, TheDialogGoesAgainstTheMainWindowsNearestCorner) {
    // Near the top-left corner: both edges of the main window.
    EXPECT_EQ(placeDialog(facts({100, 50, 612, 210}), 603, 339), (ScreenPoint{100, 50}));
    // Near the top-right: right edge (inclusive) less the width plus 3.
    EXPECT_EQ(placeDialog(facts({700, 50, 1212, 210}), 603, 339),
              (ScreenPoint{1211 - 603 + 3, 50}));
    // Near the bottom-right: bottom edge (inclusive) less the height plus 2.
    EXPECT_EQ(placeDialog(facts({700, 800, 1212, 960}), 603, 339),
              (ScreenPoint{1211 - 603 + 3, 959 - 339 + 2}));
    EXPECT_EQ(placeDialog(facts({100, 800, 612, 960}), 603, 339),
              (ScreenPoint{100, 959 - 339 + 2}));
}

TEST(PlaceDialogTest, TheMainWindowIsClippedToTheWorkArea) {
    // Partly off the left and above a top taskbar.
    EXPECT_EQ(placeDialog(facts({-200, 10, 312, 170}, ScreenRect{0, 0, 1280, 30}), 603, 339),
              (ScreenPoint{0, 30}));
    // Hanging over a bottom taskbar: clipped at its top.
    EXPECT_EQ(placeDialog(facts({100, 900, 612, 1060}, ScreenRect{0, 994, 1280, 1024}), 603, 339),
              (ScreenPoint{100, 994 - 339 + 2}));
}

TEST(PlaceDialogTest, TiesGoToTheLaterCornerAndNarrowScreensCentre) {
    // Equally far from every corner: bottom-left is the last in the order.
    const ScreenRect centred{384, 432, 897, 593};
    EXPECT_EQ(placeDialog(facts(centred), 512, 160), (ScreenPoint{384, 592 - 160 + 2}));
    // Top-left and top-right equally near: top-right wins.
    EXPECT_EQ(placeDialog(facts({384, 0, 897, 160}), 512, 160), (ScreenPoint{896 - 512 + 3, 0}));
    // One pixel nearer the left: top-left.
    EXPECT_EQ(placeDialog(facts({383, 0, 896, 160}), 512, 160), (ScreenPoint{383, 0}));

    PlacementFacts narrow = facts({10, 10, 522, 170});
    narrow.screenWidth = 799;
    narrow.screenHeight = 600;
    narrow.desktop = {0, 0, 799, 600};
    EXPECT_EQ(placeDialog(narrow, 603, 339), (ScreenPoint{98, 130}));
}

TEST(OpeningFramesTest, FramesGrowFromTheButtonToTheInsetDialogArea) {
    const ScreenRect button{164, 102, 214, 147};
    const ScreenRect dialog{100, 50, 703, 389};
    const std::vector<ScreenRect> frames = openingFrames(button, dialog);
    ASSERT_EQ(frames.size(), 31u);
    EXPECT_EQ(frames.front(), button);
    EXPECT_EQ(frames.back(), (ScreenRect{103, 53, 700, 386}));
    // Integer steps truncating toward zero: left moves by -61 * s / 30.
    EXPECT_EQ(frames[1].left, 164 - 2);
    EXPECT_EQ(frames[1].right, 214 + 486 / 30);
    EXPECT_EQ(frames[15].top, 102 + (-49 * 15) / 30);
}

TEST(OpeningFramesTest, NoFramesUnlessTheButtonLiesWhollyInsideTheEndRectangle) {
    const ScreenRect dialog{100, 50, 703, 389};
    EXPECT_TRUE(openingFrames({102, 60, 150, 100}, dialog).empty());   // left of the inset edge
    EXPECT_TRUE(openingFrames({200, 60, 701, 100}, dialog).empty());   // right of it
    EXPECT_TRUE(openingFrames({200, 300, 250, 387}, dialog).empty());  // below it
    EXPECT_EQ(openingFrames({103, 53, 700, 386}, dialog).size(), 31u);
}

}  // namespace
}  // namespace spindrel
