#include "platform/win32/win32_bitmaps.h"

#include <windows.h>

namespace spindrel {

namespace {

// The pixels of a loaded bitmap, copied out as 32-bit top-down rows; the handle is let go.
Picture pixelsOf(HBITMAP handle) {
    if (handle == nullptr) return nullptr;
    BITMAP info{};
    GetObjectA(handle, sizeof info, &info);
    auto bitmap = std::make_shared<Bitmap>();
    bitmap->width = info.bmWidth;
    bitmap->height = info.bmHeight;
    bitmap->pixels.resize(static_cast<std::size_t>(info.bmWidth) *
                          static_cast<std::size_t>(info.bmHeight));
    BITMAPINFO request{};
    request.bmiHeader.biSize = sizeof request.bmiHeader;
    request.bmiHeader.biWidth = info.bmWidth;
    request.bmiHeader.biHeight = -info.bmHeight;
    request.bmiHeader.biPlanes = 1;
    request.bmiHeader.biBitCount = 32;
    request.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    const int rows = GetDIBits(screen, handle, 0, static_cast<UINT>(info.bmHeight),
                               bitmap->pixels.data(), &request, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    DeleteObject(handle);
    if (rows != info.bmHeight) return nullptr;
    for (Rgb& pixel : bitmap->pixels) pixel &= 0x00FFFFFF;
    return bitmap;
}

}  // namespace

// The system's own reader takes every bitmap format a skin author may save.
Picture Win32Bitmaps::load(const std::string& path) {
    return pixelsOf(static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0,
                                                    LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
}

Picture Win32Bitmaps::loadBuiltIn(const std::string& name) {
    return pixelsOf(static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), name.c_str(),
                                                    IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

}  // namespace spindrel
