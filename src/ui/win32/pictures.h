#pragma once
// Drawing the core's pictures: each becomes a device bitmap once and is kept while the picture
// lives.

#include <windows.h>

#include <map>

#include "platform/bitmap_port.h"
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

private:
    // Keyed by address: pictures are loaded once and live as long as the program.
    std::map<const Bitmap*, BitmapHandle> bitmaps_;
};

BitmapHandle makeDib(const Bitmap& picture);

}  // namespace spindrel
