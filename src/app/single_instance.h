#pragma once
// Lets only one copy of the program run per program file name: the first copy creates an
// 8-byte named block holding its instance and main window handles; a later copy finds the name
// taken. The block lives exactly as long as the first copy keeps this object.

#include <cstdint>
#include <functional>
#include <string>

#include "platform/shared_memory_port.h"

namespace spindrel {

class TSingleInstance {
public:
    // Only one may exist in a process; a second raises std::logic_error.
    explicit TSingleInstance(SharedMemoryPort& port);
    ~TSingleInstance();
    TSingleInstance(const TSingleInstance&) = delete;
    TSingleInstance& operator=(const TSingleInstance&) = delete;

    // Raised in a later copy with the first copy's handles.
    std::function<void(std::uint32_t hPrevInst, std::uint32_t hPrevWnd)> OnAlreadyRunning;
    // What happens in a later copy when OnAlreadyRunning is not assigned.
    std::function<void(std::uint32_t hPrevWnd)> bringToForeground;
    std::function<void()> terminateApplication;

    // Runs the guard. programFileName: the program file's name without its folder.
    void Loaded(const std::string& programFileName, std::uint32_t instanceHandle,
                std::uint32_t mainWindowHandle);
    // Lets the name go before the process ends, so that a copy started to take over runs.
    void release();

private:
    SharedMemoryPort& port_;
    SharedMemoryHandle mapping_ = 0;
};

inline constexpr std::size_t kSingleInstanceBlockSize = 8;

}  // namespace spindrel
