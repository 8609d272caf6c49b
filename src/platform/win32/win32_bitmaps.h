#pragma once
#include "platform/bitmap_port.h"

namespace spindrel {

class Win32Bitmaps : public BitmapPort {
public:
    Picture load(const std::string& path) override;
};

}  // namespace spindrel
