#pragma once
// Owners for GDI handles, so that every bitmap, region, DC, brush and font is released once.

#include <windows.h>

#include <atomic>
#include <utility>

namespace spindrel {

// GDI objects held by the owners below right now: Windows counts them per process, Wine does
// not (GetGuiResources answers 0 there), so the program keeps its own count.
inline std::atomic<int> liveGdiObjectCount{0};

template <typename Handle>
class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(Handle handle) : handle_(handle) {
        if (handle_ != nullptr) ++liveGdiObjectCount;
    }
    ~GdiObject() { reset(); }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    GdiObject& operator=(GdiObject&& other) noexcept {
        if (this != &other) {
            reset();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }
    void reset(Handle handle = nullptr) {
        if (handle_ != nullptr) {
            DeleteObject(handle_);
            --liveGdiObjectCount;
        }
        handle_ = handle;
        if (handle_ != nullptr) ++liveGdiObjectCount;
    }
    // Hands the handle over to an owner outside (SetWindowRgn takes its region).
    Handle release() {
        if (handle_ != nullptr) --liveGdiObjectCount;
        return std::exchange(handle_, nullptr);
    }
    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    Handle handle_ = nullptr;
};

using BitmapHandle = GdiObject<HBITMAP>;
using RegionHandle = GdiObject<HRGN>;
using BrushHandle = GdiObject<HBRUSH>;
using FontHandle = GdiObject<HFONT>;

// A memory DC with a bitmap selected, for drawing without flicker.
class MemoryDc {
public:
    MemoryDc(HDC reference, int width, int height)
        : dc_(CreateCompatibleDC(reference)),
          bitmap_(CreateCompatibleBitmap(reference, width, height)),
          previous_(SelectObject(dc_, bitmap_.get())) {}
    ~MemoryDc() {
        SelectObject(dc_, previous_);
        DeleteDC(dc_);
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
    BitmapHandle bitmap_;
    HGDIOBJ previous_;
};

// Selects an object into a DC for a scope.
class Selected {
public:
    Selected(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~Selected() { SelectObject(dc_, previous_); }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace spindrel
