#pragma once
#include "platform/library_port.h"

namespace spindrel {

class Win32Library : public LibraryPort {
public:
    LibraryHandle load(const std::string& fileName) override;
    void* symbol(LibraryHandle library, const std::string& name) override;
    void unload(LibraryHandle library) override;
};

}  // namespace spindrel
