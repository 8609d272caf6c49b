// The drawing caches against real GDI: a picture freed by a rebuild and a new one made at the
// same address, as the remote panel's rebuild does on every restore.

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <new>

#include "ui/win32/gdi.h"
#include "ui/win32/pictures.h"

namespace spindrel {
namespace {

constexpr Rgb kRed = rgb(255, 0, 0);
constexpr Rgb kBlue = rgb(0, 0, 255);

// Bitmaps made in one place in memory, one after the other, so that the second has the address
// of the first.
class OnePlace {
  public:
    Picture make(int width, int height, Rgb colour) {
        auto* bitmap = new (storage_) Bitmap();
        bitmap->width = width;
        bitmap->height = height;
        bitmap->pixels.assign(static_cast<std::size_t>(width * height), colour);
        return Picture(bitmap, [](const Bitmap* gone) { gone->~Bitmap(); });
    }

  private:
    alignas(Bitmap) unsigned char storage_[sizeof(Bitmap)];
};

Rgb pixelOf(HBITMAP bitmap, int x, int y) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    const COLORREF colour = GetPixel(dc, x, y);
    SelectObject(dc, previous);
    DeleteDC(dc);
    return rgb(GetRValue(colour), GetGValue(colour), GetBValue(colour));
}

TEST(PicturesTest, ANewPictureAtAFreedOnesAddressIsDrawnAsItselfAndTheOldOneIsReleased) {
    OnePlace place;
    PictureCache pictures;
    const int objectsBefore = liveGdiObjectCount.load();

    Picture first = place.make(2, 2, kRed);
    EXPECT_EQ(pixelOf(pictures.bitmapFor(*first), 1, 1), kRed);
    first.reset();
    Picture second = place.make(2, 2, kBlue);
    EXPECT_EQ(pixelOf(pictures.bitmapFor(*second), 1, 1), kBlue);
    EXPECT_EQ(pictures.size(), 1u);

    // Rebuild after rebuild: one device bitmap for the one picture alive.
    for (int i = 0; i < 50; ++i) {
        second.reset();
        second = std::make_shared<Bitmap>();
        auto& fresh = const_cast<Bitmap&>(*second);
        fresh.width = fresh.height = 1;
        fresh.pixels = {kRed};
        pictures.bitmapFor(*second);
    }
    EXPECT_EQ(pictures.size(), 1u);
    EXPECT_EQ(liveGdiObjectCount.load(), objectsBefore + 1);
}

TEST(PicturesTest, AButtonStripAtAFreedStripsAddressGetsItsOwnGlyphs) {
    OnePlace place;
    GlyphCache glyphs;
    SystemColours colours;
    CoolButton button;

    // Four glyphs of 2 x 2 each.
    button.setGlyph(place.make(8, 2, kRed));
    EXPECT_EQ(pixelOf(glyphs.prepared(button, colours).bitmap.get(), 0, 0), kRed);
    button.setGlyph(nullptr);
    button.setGlyph(place.make(8, 2, kBlue));
    EXPECT_EQ(pixelOf(glyphs.prepared(button, colours).bitmap.get(), 0, 0), kBlue);
    EXPECT_EQ(glyphs.size(), 1u);
}

}  // namespace
}  // namespace spindrel
