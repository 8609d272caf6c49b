#pragma once
// Drawing the core's pictures: each becomes a device bitmap once and is kept while the picture
// lives. Both caches hold their pictures weakly: what a rebuild frees is released with it, and a
// new picture at a freed one's address is prepared afresh.

#include <windows.h>

#include <cstddef>
#include <map>
#include <memory>
#include <tuple>

#include "platform/bitmap_port.h"
#include "ui/cool_button.h"
#include "ui/win32/gdi.h"

namespace spindrel {

class PictureCache {
public:
    HBITMAP bitmapFor(const Bitmap& picture);
    // Draws the picture (or part of it) at (x, y); with a key colour, its pixels are see-through.
    void draw(HDC dc, const Bitmap& picture, int x, int y);
    void drawKeyed(HDC dc, const Bitmap& picture, int x, int y, Rgb key);
    void drawPart(HDC dc, const Bitmap& picture, int x, int y, int sourceX, int sourceY, int width,
                  int height, const Rgb* key);
    std::size_t size() const { return bitmaps_.size(); }

private:
    struct Entry {
        std::weak_ptr<const Bitmap> source;
        BitmapHandle bitmap;
    };
    std::map<const Bitmap*, Entry> bitmaps_;
    // A picture without a shared owner is drawn from this, made again each time.
    BitmapHandle unshared_;
};

// One glyph of a button strip, ready to draw.
struct PreparedGlyph {
    BitmapHandle bitmap;
    Rgb transparent = 0;
    int width = 0;
    int height = 0;
};

// Prepared glyphs, shared by every button showing the same glyph of the same strip.
class GlyphCache {
public:
    const PreparedGlyph& prepared(const CoolButton& button, const SystemColours& colours);
    std::size_t size() const { return glyphs_.size(); }
    static GlyphCache& shared();

private:
    struct Entry {
        std::weak_ptr<const Bitmap> source;  // the strip
        PreparedGlyph glyph;
    };
    std::map<std::tuple<const Bitmap*, int, bool>, Entry> glyphs_;
};

BitmapHandle makeDib(const Bitmap& picture);

}  // namespace spindrel
