#include "ui/cool_button.h"

#include <gtest/gtest.h>

namespace spindrel {
namespace {

constexpr Rgb kKey = rgb(255, 0, 255);
constexpr Rgb kColours[4] = {rgb(10, 10, 10), rgb(128, 128, 128), rgb(30, 30, 30), rgb(40, 40, 40)};

// A strip of four 20x20 glyphs, each a disc of radius 8 on the key colour; the disabled glyph
// has a white dot in its middle.
Picture roundStrip() {
    auto strip = std::make_shared<Bitmap>();
    strip->width = 80;
    strip->height = 20;
    strip->pixels.assign(80 * 20, kKey);
    for (int g = 0; g < 4; ++g) {
        for (int y = 0; y < 20; ++y) {
            for (int x = 0; x < 20; ++x) {
                const int dx = x - 10;
                const int dy = y - 10;
                if (dx * dx + dy * dy <= 64) {
                    strip->pixels[static_cast<std::size_t>(y * 80 + g * 20 + x)] = kColours[g];
                }
            }
        }
    }
    strip->pixels[10 * 80 + 20 + 10] = rgb(255, 255, 255);
    return strip;
}

CoolButton makeButton() {
    CoolButton button;
    button.setGlyph(roundStrip());
    button.width = 20;
    button.height = 20;
    return button;
}

TEST(CoolButtonTest, OnlyDrawnPixelsCountAsOverTheButton) {
    CoolButton button = makeButton();
    EXPECT_FALSE(button.mouseMove(1, 1, true));  // a see-through corner of the round glyph
    EXPECT_EQ(button.glyphIndex(), 0);
    EXPECT_TRUE(button.mouseMove(10, 10, true));
    EXPECT_EQ(button.drawState(), ButtonState::mouseOver);
    EXPECT_EQ(button.glyphIndex(), 3);
    EXPECT_TRUE(button.mouseMove(1, 1, true));
    EXPECT_EQ(button.glyphIndex(), 0);
    // Another control lying on top of the button takes the pointer.
    EXPECT_FALSE(button.mouseMove(10, 10, false));
    EXPECT_EQ(button.glyphIndex(), 0);
}

TEST(CoolButtonTest, PressingAndReleasingInsideClicks) {
    CoolButton button = makeButton();
    button.mouseMove(10, 10, true);
    EXPECT_TRUE(button.mouseDown());
    EXPECT_EQ(button.glyphIndex(), 2);
    EXPECT_TRUE(button.mouseUp(10, 10, true));
    EXPECT_FALSE(button.tracking());
    EXPECT_EQ(button.glyphIndex(), 3);  // still pointed at
}

TEST(CoolButtonTest, MovingOffBeforeReleasingGivesNoClickAndTheNormalGlyph) {
    CoolButton button = makeButton();
    button.mouseMove(10, 10, true);
    button.mouseDown();
    EXPECT_TRUE(button.mouseMove(30, 30, false));
    EXPECT_EQ(button.state(), ButtonState::normal);
    EXPECT_TRUE(button.mouseMove(12, 12, true));
    EXPECT_EQ(button.state(), ButtonState::pressed);
    button.mouseMove(30, 30, false);
    EXPECT_FALSE(button.mouseUp(30, 30, false));
    EXPECT_EQ(button.glyphIndex(), 0);
}

TEST(CoolButtonTest, DisabledButtonDrawsItsRecolouredSecondGlyphAndIgnoresPresses) {
    CoolButton button = makeButton();
    button.enabled = false;
    EXPECT_FALSE(button.mouseDown());
    EXPECT_EQ(button.glyphIndex(), 1);
    SystemColours colours;
    colours.highlight = rgb(1, 2, 3);
    colours.shadow = rgb(4, 5, 6);
    colours.buttonFace = rgb(7, 8, 9);
    const Glyph glyph = button.glyph(colours);
    EXPECT_EQ(glyph.transparent, colours.buttonFace);
    EXPECT_EQ(glyph.image.pixel(0, 0), colours.buttonFace);   // was the key colour
    EXPECT_EQ(glyph.image.pixel(10, 10), colours.highlight);  // was pure white
    EXPECT_EQ(glyph.image.pixel(5, 10), colours.shadow);      // was pure grey

    button.setButtonEnabled(true, 10, 10, true);
    EXPECT_EQ(button.glyphIndex(), 3);
    EXPECT_EQ(button.glyph(colours).image.pixel(10, 10), kColours[3]);
}

TEST(CoolButtonTest, FewerGlyphsFallBackToTheFirst) {
    CoolButton button;
    auto strip = std::make_shared<Bitmap>(*roundStrip());
    button.setGlyph(strip, 2);
    button.width = 40;
    button.mouseMove(10, 10, true);
    EXPECT_EQ(button.glyphIndex(), 0);  // mouse over is glyph 3, beyond the count
    button.mouseDown();
    EXPECT_EQ(button.glyphIndex(), 0);  // pressed needs three glyphs
    button.setGlyph(strip, 9);
    EXPECT_EQ(button.numGlyphs(), 4);
}

TEST(CoolButtonTest, SingleGlyphIsEmbossedWhenDisabled) {
    CoolButton button;
    auto strip = std::make_shared<Bitmap>();
    strip->width = 3;
    strip->height = 3;
    strip->pixels = {kKey, kKey, kKey, kKey, rgb(9, 9, 9), kKey, kKey, kKey, kKey};
    button.setGlyph(strip, 1);
    button.enabled = false;
    SystemColours colours;
    const Glyph glyph = button.glyph(colours);
    EXPECT_EQ(glyph.image.pixel(1, 1), colours.shadow);
    EXPECT_EQ(glyph.image.pixel(2, 2), colours.highlight);
    EXPECT_EQ(glyph.image.pixel(0, 0), colours.buttonFace);
}

}  // namespace
}  // namespace spindrel
