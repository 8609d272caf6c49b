#include "app/single_instance.h"

#include <cstring>
#include <stdexcept>

namespace spindrel {

namespace {
int liveInstances = 0;
}

TSingleInstance::TSingleInstance(SharedMemoryPort& port) : port_(port) {
    if (liveInstances > 0) throw std::logic_error("Only one TSingleInstance may exist");
    ++liveInstances;
}

TSingleInstance::~TSingleInstance() {
    release();
    --liveInstances;
}

void TSingleInstance::release() {
    if (mapping_ != 0) port_.close(mapping_);
    mapping_ = 0;
}

void TSingleInstance::Loaded(const std::string& programFileName, std::uint32_t instanceHandle,
                             std::uint32_t mainWindowHandle) {
    bool alreadyExisted = false;
    mapping_ = port_.createOrOpen(programFileName, kSingleInstanceBlockSize, alreadyExisted);
    if (mapping_ == 0) return;
    void* view = port_.map(mapping_);
    if (view == nullptr) return;

    std::uint32_t values[2] = {};
    if (alreadyExisted) {
        std::memcpy(values, view, sizeof values);
        port_.unmap(view);
        if (OnAlreadyRunning) {
            OnAlreadyRunning(values[0], values[1]);
        } else {
            if (bringToForeground) bringToForeground(values[1]);
            if (terminateApplication) terminateApplication();
        }
        return;
    }
    values[0] = instanceHandle;
    values[1] = mainWindowHandle;
    std::memcpy(view, values, sizeof values);
    port_.unmap(view);
}

}  // namespace spindrel
