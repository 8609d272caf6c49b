#pragma once
#include <cstdint>
#include <string>

namespace spindrel {

using LibraryHandle = std::uintptr_t;  // 0: not loaded

class LibraryPort {
public:
    virtual ~LibraryPort() = default;
    // Loads by file name through the system's standard search; 0 on failure.
    virtual LibraryHandle load(const std::string& fileName) = 0;
    // The address of an export, or nullptr. Converted to the contract's function types by the
    // binding, which is the only place that knows them.
    virtual void* symbol(LibraryHandle library, const std::string& name) = 0;
    // Lets go of a library loaded only to be looked at.
    virtual void unload(LibraryHandle library) = 0;
};

}  // namespace spindrel
