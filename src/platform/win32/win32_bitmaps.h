#pragma once
#include "platform/bitmap_port.h"

namespace spindrel {

class Win32Bitmaps : public BitmapPort {
public:
    Picture load(const std::string& path) override;
    // From the program file's own BITMAP resources.
    Picture loadBuiltIn(const std::string& name) override;
};

}  // namespace spindrel
