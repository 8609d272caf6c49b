#pragma once
// Pictures by path for tests; every load is recorded so tests can see what was read twice.

#include <map>
#include <string>
#include <vector>

#include "platform/bitmap_port.h"

namespace spindrel::testing {

class FakeBitmaps : public BitmapPort {
public:
    Picture load(const std::string& path) override {
        loads.push_back(path);
        if (missingAll) return nullptr;
        const auto found = files.find(path);
        if (found != files.end()) return found->second;
        if (!anyPath) return nullptr;
        return solid(defaultWidth, defaultHeight, 0x123456);
    }

    Picture loadBuiltIn(const std::string& name) override {
        loads.push_back("builtin:" + name);
        const auto found = builtIn.find(name);
        return found == builtIn.end() ? nullptr : found->second;
    }

    static Picture solid(int width, int height, Rgb colour) {
        auto bitmap = std::make_shared<Bitmap>();
        bitmap->width = width;
        bitmap->height = height;
        bitmap->pixels.assign(static_cast<std::size_t>(width * height), colour);
        return bitmap;
    }

    std::map<std::string, Picture> files;
    std::map<std::string, Picture> builtIn;
    // Without an entry a path still loads (as a plain picture) unless anyPath is false.
    bool anyPath = true;
    bool missingAll = false;
    int defaultWidth = 120;
    int defaultHeight = 30;
    std::vector<std::string> loads;
};

}  // namespace spindrel::testing
