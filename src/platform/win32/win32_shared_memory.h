#pragma once
#include "platform/shared_memory_port.h"

namespace spindrel {

class Win32SharedMemory : public SharedMemoryPort {
public:
    SharedMemoryHandle createOrOpen(const std::string& name, std::size_t size,
                                    bool& alreadyExisted) override;
    void* map(SharedMemoryHandle handle) override;
    void unmap(void* view) override;
    void close(SharedMemoryHandle handle) override;
};

}  // namespace spindrel
