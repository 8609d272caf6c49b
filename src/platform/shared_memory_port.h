#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace spindrel {

using SharedMemoryHandle = std::uintptr_t;  // 0: none

class SharedMemoryPort {
public:
    virtual ~SharedMemoryPort() = default;
    // Creates a named block backed by the paging file, or opens it when another process already
    // created it (alreadyExisted is then true). Returns 0 on failure.
    virtual SharedMemoryHandle createOrOpen(const std::string& name, std::size_t size,
                                            bool& alreadyExisted) = 0;
    // A read-write view of the whole block, or nullptr.
    virtual void* map(SharedMemoryHandle handle) = 0;
    virtual void unmap(void* view) = 0;
    virtual void close(SharedMemoryHandle handle) = 0;
};

}  // namespace spindrel
