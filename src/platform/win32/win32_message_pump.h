#pragma once
#include <functional>

#include "platform/message_pump_port.h"

namespace spindrel {

class Win32MessagePump : public MessagePump {
public:
    void processMessages() override;

    // Runs first, so that what the core changed is on screen before other handlers run.
    std::function<void()> beforePump;
};

}  // namespace spindrel
