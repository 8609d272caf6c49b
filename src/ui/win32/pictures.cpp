#include "ui/win32/pictures.h"

#include <cstring>

namespace spindrel {

BitmapHandle makeDib(const Bitmap& picture) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = -picture.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP handle = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (handle != nullptr && bits != nullptr) {
        std::memcpy(bits, picture.pixels.data(), picture.pixels.size() * sizeof(Rgb));
    }
    return BitmapHandle(handle);
}

HBITMAP PictureCache::bitmapFor(const Bitmap& picture) {
    BitmapHandle& slot = bitmaps_[&picture];
    if (!slot) slot = makeDib(picture);
    return slot.get();
}

void PictureCache::drawPart(HDC dc, const Bitmap& picture, int x, int y, int sourceX, int sourceY,
                            int width, int height, const Rgb* key) {
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ previous = SelectObject(source, bitmapFor(picture));
    if (key == nullptr) {
        BitBlt(dc, x, y, width, height, source, sourceX, sourceY, SRCCOPY);
    } else {
        const COLORREF colour = RGB((*key >> 16) & 0xFF, (*key >> 8) & 0xFF, *key & 0xFF);
        TransparentBlt(dc, x, y, width, height, source, sourceX, sourceY, width, height, colour);
    }
    SelectObject(source, previous);
    DeleteDC(source);
}

void PictureCache::draw(HDC dc, const Bitmap& picture, int x, int y) {
    drawPart(dc, picture, x, y, 0, 0, picture.width, picture.height, nullptr);
}

void PictureCache::drawKeyed(HDC dc, const Bitmap& picture, int x, int y, Rgb key) {
    drawPart(dc, picture, x, y, 0, 0, picture.width, picture.height, &key);
}

}  // namespace spindrel
