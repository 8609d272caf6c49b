#pragma once
// Named shared memory for tests. Several FakeSharedMemory objects that share one
// SharedMemorySystem behave like several processes on one machine.

#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/shared_memory_port.h"

namespace spindrel::testing {

struct SharedMemorySystem {
    struct Block {
        std::vector<unsigned char> bytes;
        int openHandles = 0;
    };
    std::map<std::string, std::shared_ptr<Block>> blocks;
    bool failCreate = false;
    bool failMap = false;
};

class FakeSharedMemory : public SharedMemoryPort {
public:
    explicit FakeSharedMemory(SharedMemorySystem& system) : system_(system) {}

    SharedMemoryHandle createOrOpen(const std::string& name, std::size_t size,
                                    bool& alreadyExisted) override {
        if (system_.failCreate) return 0;
        auto& block = system_.blocks[name];
        alreadyExisted = block != nullptr && block->openHandles > 0;
        if (!alreadyExisted) block = std::make_shared<SharedMemorySystem::Block>();
        if (block->bytes.size() < size) block->bytes.resize(size);
        ++block->openHandles;
        handles_[next_] = block;
        return next_++;
    }
    void* map(SharedMemoryHandle handle) override {
        if (system_.failMap) return nullptr;
        ++views;
        return handles_.at(handle)->bytes.data();
    }
    void unmap(void*) override { --views; }
    void close(SharedMemoryHandle handle) override {
        --handles_.at(handle)->openHandles;
        handles_.erase(handle);
    }

    int views = 0;

private:
    SharedMemorySystem& system_;
    std::map<SharedMemoryHandle, std::shared_ptr<SharedMemorySystem::Block>> handles_;
    SharedMemoryHandle next_ = 1;
};

}  // namespace spindrel::testing
