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

namespace {

// Entries whose picture has gone, with their device bitmaps.
template <typename Map>
void dropExpired(Map& entries) {
    std::erase_if(entries, [](const auto& entry) { return entry.second.source.expired(); });
}

}  // namespace

HBITMAP PictureCache::bitmapFor(const Bitmap& picture) {
    std::weak_ptr<const Bitmap> source = picture.weak_from_this();
    if (source.expired()) {
        unshared_ = makeDib(picture);
        return unshared_.get();
    }
    const auto found = bitmaps_.find(&picture);
    if (found != bitmaps_.end() && found->second.source.lock().get() == &picture) {
        return found->second.bitmap.get();
    }
    dropExpired(bitmaps_);
    Entry& entry = bitmaps_[&picture];
    entry.source = std::move(source);
    entry.bitmap = makeDib(picture);
    return entry.bitmap.get();
}

GlyphCache& GlyphCache::shared() {
    static GlyphCache cache;
    return cache;
}

const PreparedGlyph& GlyphCache::prepared(const CoolButton& button, const SystemColours& colours) {
    const Picture& strip = button.glyphStrip();
    const auto key = std::make_tuple(strip.get(), button.glyphIndex(),
                                     button.drawState() == ButtonState::disabled);
    const auto found = glyphs_.find(key);
    if (found != glyphs_.end() && found->second.source.lock() == strip) return found->second.glyph;
    dropExpired(glyphs_);
    Entry& entry = glyphs_[key];
    entry.source = strip;
    const Glyph glyph = button.glyph(colours);
    entry.glyph.width = glyph.image.width;
    entry.glyph.height = glyph.image.height;
    entry.glyph.transparent = glyph.transparent;
    entry.glyph.bitmap.reset();
    if (glyph.image.width > 0) entry.glyph.bitmap = makeDib(glyph.image);
    return entry.glyph;
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
